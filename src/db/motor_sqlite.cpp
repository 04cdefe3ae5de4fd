#include "db/motor_sqlite.h"

#include "common/error_qel.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <cstdio>

namespace pmq {
namespace {

bool Existe(const std::string& ruta) {
  struct stat info {};
  return ::stat(ruta.c_str(), &info) == 0;
}

// The failure said for what it is: a lock held by another program, an
// interrupted write that cannot be undone read-only, or SQLite's own text.
std::string Motivo(sqlite3* db, const std::string& ruta) {
  if (db == nullptr) return "sin memoria";
  const int codigo = sqlite3_extended_errcode(db);
  switch (codigo & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return fmt::format(
          "está bloqueada por otro programa que escribe en ella (se esperó {} s); intente de "
          "nuevo cuando termine",
          MotorSqlite::kEsperaBloqueo);
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
      if (codigo == SQLITE_READONLY_ROLLBACK || codigo == SQLITE_READONLY_RECOVERY ||
          codigo == SQLITE_READONLY_CANTINIT || codigo == SQLITE_READONLY_CANTLOCK ||
          (codigo == SQLITE_CANTOPEN && (Existe(ruta + "-wal") || Existe(ruta + "-journal")))) {
        return "tiene una escritura interrumpida (archivo -journal o -wal) que sólo se puede "
               "completar o deshacer con permiso de escritura; ábrala una vez con sqlite3 donde se "
               "pueda escribir";
      }
      break;
    default:
      break;
  }
  return sqlite3_errmsg(db);
}

[[noreturn]] void Falla(sqlite3* db, std::string_view que, const std::string& ruta) {
  throw ErrorQel(errores::kBaseDatos, fmt::format("{}: {}", que, Motivo(db, ruta)));
}

// The journal mode stored in the file's header: 2 in bytes 18 and 19 is WAL.
bool EsWal(const std::string& ruta) {
  std::FILE* f = std::fopen(ruta.c_str(), "rb");
  if (f == nullptr) return false;
  unsigned char cabecera[20] = {};
  const size_t leidos = std::fread(cabecera, 1, sizeof cabecera, f);
  std::fclose(f);
  return leidos == sizeof cabecera && cabecera[18] == 2 && cabecera[19] == 2;
}

// The path as an SQLite "file:" URI.
std::string Uri(const std::string& ruta, bool inmutable) {
  std::string r = "file:";
  for (char c : ruta) {
    if (c == '%' || c == '?' || c == '#') {
      r += fmt::format("%{:02X}", static_cast<unsigned char>(c));
    } else {
      r += c;
    }
  }
  if (ruta.rfind("//", 0) == 0) r.insert(5, "//localhost");  // "file://x" would name a host
  if (inmutable) r += "?immutable=1";
  return r;
}

}  // namespace

MotorSqlite::MotorSqlite(const std::string& ruta) : ruta_(ruta) {
  struct stat info {};
  if (::stat(ruta.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw ErrorQel(errores::kBaseDatos,
                   fmt::format("No se encuentra el archivo de base de datos '{}'.", ruta));
  }
  // A WAL database read by a read-only connection makes -wal and -shm files
  // that it cannot remove. With no write under way (no -wal file) there is
  // nothing to share with a writer: the file is read as immutable.
  const bool inmutable = EsWal(ruta) && !Existe(ruta + "-wal");
  if (sqlite3_open_v2(Uri(ruta, inmutable).c_str(), &db_,
                      SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                      nullptr) != SQLITE_OK) {
    std::string mensaje = fmt::format("No se puede abrir la base de datos '{}'", ruta);
    sqlite3* db = db_;
    db_ = nullptr;
    try {
      Falla(db, mensaje, ruta);
    } catch (...) {
      sqlite3_close(db);
      throw;
    }
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kEsperaBloqueo * 1000);
  // Reading the schema proves the file is a database.
  char* error = nullptr;
  if (sqlite3_exec(db_, "select count(*) from sqlite_master", nullptr, nullptr, &error) !=
      SQLITE_OK) {
    const int codigo = sqlite3_extended_errcode(db_) & 0xFF;
    std::string mensaje =
        codigo == SQLITE_NOTADB || codigo == SQLITE_CORRUPT
            ? fmt::format("El archivo '{}' no es una base de datos válida: {}", ruta,
                          error != nullptr ? error : "")
            : fmt::format("No se puede leer la base de datos '{}': {}", ruta, Motivo(db_, ruta));
    sqlite3_free(error);
    sqlite3_close(db_);
    db_ = nullptr;
    throw ErrorQel(errores::kBaseDatos, mensaje);
  }
}

MotorSqlite::~MotorSqlite() {
  for (auto& [sql, stmt] : sentencias_) sqlite3_finalize(stmt);
  sqlite3_close(db_);
}

sqlite3_stmt* MotorSqlite::Prepara(std::string_view sql) {
  std::string clave(sql);
  auto it = sentencias_.find(clave);
  if (it != sentencias_.end()) {
    sqlite3_reset(it->second);
    sqlite3_clear_bindings(it->second);
    return it->second;
  }
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, clave.c_str(), static_cast<int>(clave.size()), &stmt, nullptr) !=
      SQLITE_OK) {
    Falla(db_, "Error en la consulta", "");
  }
  sentencias_.emplace(std::move(clave), stmt);
  return stmt;
}

std::unique_ptr<Recordset> MotorSqlite::Consulta(std::string_view sql,
                                                 std::span<const Valor> parametros) {
  sqlite3_stmt* stmt = Prepara(sql);
  const int esperados = sqlite3_bind_parameter_count(stmt);
  if (esperados != static_cast<int>(parametros.size())) {
    throw ErrorQel(errores::kBaseDatos, fmt::format("La consulta espera {} parámetros y recibió {}",
                                                    esperados, parametros.size()));
  }
  for (size_t i = 0; i < parametros.size(); ++i) {
    const Valor& p = parametros[i];
    const int n = static_cast<int>(i) + 1;
    int rc = SQLITE_OK;
    if (p.EsNulo()) {
      rc = sqlite3_bind_null(stmt, n);
    } else if (p.EsEntero()) {
      rc = sqlite3_bind_int64(stmt, n, p.Entero());
    } else if (p.EsDouble()) {
      rc = sqlite3_bind_double(stmt, n, p.Double());
    } else {
      const std::string& t = *p.TextoCrudo();
      rc = sqlite3_bind_text(stmt, n, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Falla(db_, "Error al pasar un parámetro", "");
  }
  const int ncol = sqlite3_column_count(stmt);
  std::vector<std::string> columnas;
  columnas.reserve(static_cast<size_t>(ncol));
  for (int c = 0; c < ncol; ++c) columnas.emplace_back(sqlite3_column_name(stmt, c));
  auto rs = std::make_unique<Recordset>(std::move(columnas));
  for (;;) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      sqlite3_reset(stmt);
      Falla(db_, "Error al leer la consulta", ruta_);
    }
    for (int c = 0; c < ncol; ++c) {
      switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_NULL:
          rs->AgregaNulo();
          break;
        case SQLITE_INTEGER:
          rs->AgregaEntero(static_cast<int64_t>(sqlite3_column_int64(stmt, c)));
          break;
        case SQLITE_FLOAT:
          rs->AgregaDouble(sqlite3_column_double(stmt, c));
          break;
        default: {
          const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
          rs->AgregaTexto(std::string_view(t != nullptr ? t : "",
                                           static_cast<size_t>(sqlite3_column_bytes(stmt, c))));
        }
      }
    }
  }
  sqlite3_reset(stmt);
  rs->Ajusta();
  return rs;
}

}  // namespace pmq
