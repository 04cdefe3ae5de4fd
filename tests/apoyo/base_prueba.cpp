#include "apoyo/base_prueba.h"

#include "db/esquema.h"

#include <fmt/format.h>
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

BaseSqlite::BaseSqlite(std::string ruta, bool con_esquema) : ruta_(std::move(ruta)) {
  std::filesystem::remove(ruta_);
  if (con_esquema) {
    Ejecuta(EsquemaSql());
  } else {
    Ejecuta("select 1");
  }
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

void InsertaObra(BaseSqlite& base, std::string_view obra, std::string_view inicio,
                 std::string_view final_, std::string_view nombre) {
  base.Ejecuta(fmt::format(
      "insert into OBRAS (OBRA, NOMBREOBRA, DESC_OBRA, LINHEAD1, LINHEAD2, LINHEAD3, INICIO, "
      "FINAL, "
      "VIVIENDA, IVAAPLIC) values ('{0}', '{1}', NULL, 'Encabezado 1', 'Encabezado 2', NULL, {2}, "
      "{3}, 0, 16); insert into FSR values ('{0}', 3, 2); insert into FSCD values ('{0}', 5);"
      "insert into FACMAQ values ('{0}', 1,1,1,1,1,0.8,1,1,1, 1,1,1,1,1,0.5,1,1,1);",
      obra, nombre, inicio, final_));
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
