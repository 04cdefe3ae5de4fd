// A whole CalcularPrograma over a project database made from the input: the
// sample database (both works) with an SQL script applied on top of it. The
// input's first line is the work key to calculate (" m" after it also breaks
// machines into their hourly-cost inputs); the rest is the script, run
// statement by statement, a statement that fails being skipped. Whatever the
// rows hold, the calculation must end with a result and its messages, never a
// crash, a hang or undefined behaviour.

#include "common/host_grabador.h"
#include "common/servicios_host.h"
#include "db/esquema.h"
#include "model/programa.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

fs::path g_carpeta;
fs::path g_plantilla;
fs::path g_obra;

void BorraCarpeta() {
  std::error_code ec;
  fs::remove_all(g_carpeta, ec);
}

// Only rows and tables of the database itself change: no other file is
// attached or written, and no setting is touched.
int Autoriza(void*, int accion, const char*, const char*, const char*, const char*) {
  switch (accion) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
    case SQLITE_PRAGMA:
      return SQLITE_DENY;
    default:
      return SQLITE_OK;
  }
}

// Stops a runaway statement (a recursive query without end).
int Progreso(void* cuenta) {
  return ++*static_cast<int*>(cuenta) > 20000 ? 1 : 0;
}

void EjecutaGuion(sqlite3* db, std::string_view guion) {
  int cuenta = 0;
  sqlite3_progress_handler(db, 1000, &Progreso, &cuenta);
  sqlite3_set_authorizer(db, &Autoriza, nullptr);
  const std::string texto(guion);
  const char* p = texto.c_str();
  const char* fin = p + texto.size();
  while (p < fin && cuenta <= 20000) {
    sqlite3_stmt* st = nullptr;
    const char* resto = nullptr;
    const int rc = sqlite3_prepare_v2(db, p, static_cast<int>(fin - p), &st, &resto);
    if (rc != SQLITE_OK || resto == nullptr || resto <= p) {
      // Skip to the next statement.
      const char* pc = static_cast<const char*>(std::memchr(p, ';', static_cast<size_t>(fin - p)));
      sqlite3_finalize(st);
      if (pc == nullptr) break;
      p = pc + 1;
      continue;
    }
    if (st != nullptr) {
      const std::string_view sql = sqlite3_sql(st);
      // VACUUM INTO writes another file.
      if (sql.find_first_not_of(" \t\r\n") != std::string_view::npos &&
          sqlite3_strnicmp(sql.data() + sql.find_first_not_of(" \t\r\n"), "VACUUM", 6) != 0) {
        while (sqlite3_step(st) == SQLITE_ROW) {
        }
      }
      sqlite3_finalize(st);
    }
    p = resto;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char plantilla[] = "/tmp/pmq-fuzz-XXXXXX";
  if (mkdtemp(plantilla) == nullptr) std::abort();
  g_carpeta = plantilla;
  g_plantilla = g_carpeta / "plantilla.db";
  g_obra = g_carpeta / "obra.db";
  std::atexit(&BorraCarpeta);
  sqlite3* db = nullptr;
  if (sqlite3_open(g_plantilla.c_str(), &db) != SQLITE_OK) std::abort();
  const std::string sql = std::string(pmq::EsquemaSql()) + std::string(pmq::EjemploSql());
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
  sqlite3_close(db);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
  const std::string_view entrada(reinterpret_cast<const char*>(datos), tamano);
  const size_t salto = entrada.find('\n');
  std::string_view clave = entrada.substr(0, salto);
  const std::string_view guion =
      salto == std::string_view::npos ? std::string_view() : entrada.substr(salto + 1);
  bool maquinaria = false;
  if (clave.size() >= 2 && clave.substr(clave.size() - 2) == " m") {
    maquinaria = true;
    clave.remove_suffix(2);
  }

  fs::copy_file(g_plantilla, g_obra, fs::copy_options::overwrite_existing);
  if (!guion.empty()) {
    sqlite3* db = nullptr;
    if (sqlite3_open(g_obra.c_str(), &db) != SQLITE_OK) std::abort();
    EjecutaGuion(db, guion);
    sqlite3_close(db);
  }

  pmq::HostGrabador host;
  pmq::HostEnUso uso(host);
  pmq::Programa programa;
  programa.Ruta = g_obra.string();
  programa.ClaveObra = std::string(clave);
  programa.DesglosarMaquinaria = maquinaria;
  std::string errores;
  const auto resultado = programa.CalcularPrograma(errores);
  (void)resultado;
  return 0;
}
