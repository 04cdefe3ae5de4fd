#include "sheet/sistema_archivos.h"

namespace pmq {

std::string SistemaArchivos::GetExtensionName(std::string_view ruta) const {
  const size_t barra = ruta.find_last_of("/\\");
  const std::string_view nombre = barra == std::string_view::npos ? ruta : ruta.substr(barra + 1);
  const size_t punto = nombre.rfind('.');
  if (punto == std::string_view::npos) return {};
  return std::string(nombre.substr(punto + 1));
}

}  // namespace pmq
