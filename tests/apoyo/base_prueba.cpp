#include "apoyo/base_prueba.h"

#include "db/esquema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pmq::prueba {

DirectorioTemporal::DirectorioTemporal() {
  std::string plantilla = (std::filesystem::temp_directory_path() / "pmq-XXXXXX").string();
  char* r = mkdtemp(plantilla.data());
  if (r == nullptr) throw std::runtime_error("mkdtemp");
  ruta_ = r;
}

DirectorioTemporal::~DirectorioTemporal() {
  std::error_code ec;
  std::filesystem::remove_all(ruta_, ec);
}

std::set<std::string> DirectorioTemporal::Nombres(std::string_view carpeta) const {
  std::set<std::string> nombres;
  for (const auto& e : std::filesystem::directory_iterator(Archivo(carpeta)))
    nombres.insert(e.path().filename().string());
  return nombres;
}

BaseSqlite::BaseSqlite(std::string ruta) : ruta_(std::move(ruta)) {
  std::filesystem::remove(ruta_);
  Ejecuta(EsquemaSql());
}

void BaseSqlite::Ejecuta(std::string_view sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ruta_.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  const std::string texto(sql);
  if (sqlite3_exec(db, texto.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    ADD_FAILURE() << "SQL: " << (error ? error : "?") << "\n" << texto;
    sqlite3_free(error);
  }
  sqlite3_close(db);
}

std::string LeeArchivo(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Comillas(std::string_view texto) {
  std::string r = "'";
  for (char c : texto) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

int Ocurrencias(std::string_view texto, std::string_view parte) {
  int n = 0;
  for (size_t i = texto.find(parte); i != std::string_view::npos; i = texto.find(parte, i + 1)) ++n;
  return n;
}

}  // namespace pmq::prueba
