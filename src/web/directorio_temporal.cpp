#include "directorio_temporal.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace pmq::web {

DirectorioTemporal::DirectorioTemporal() {
  std::error_code ec;
  std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  if (ec) base = "/tmp";
  std::string plantilla = (base / "promorlaqel-servir-XXXXXX").string();
  std::vector<char> texto(plantilla.begin(), plantilla.end());
  texto.push_back('\0');
  if (mkdtemp(texto.data()) == nullptr) {
    throw std::runtime_error("no se pudo crear una carpeta temporal");
  }
  ruta_ = texto.data();
}

DirectorioTemporal::~DirectorioTemporal() {
  std::error_code ec;
  std::filesystem::remove_all(ruta_, ec);
}

std::string DirectorioTemporal::Lee(const std::string& nombre) const {
  std::ifstream archivo(std::filesystem::path(ruta_) / nombre, std::ios::binary);
  std::ostringstream contenido;
  contenido << archivo.rdbuf();
  return contenido.str();
}

}  // namespace pmq::web
