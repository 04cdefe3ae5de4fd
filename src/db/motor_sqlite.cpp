#include "db/motor_sqlite.h"

#include "common/error_qel.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <sys/stat.h>

namespace pmq {
namespace {

[[noreturn]] void Falla(sqlite3* db, std::string_view que) {
  throw ErrorQel(errores::kBaseDatos,
                 fmt::format("{}: {}", que, db != nullptr ? sqlite3_errmsg(db) : "sin memoria"));
}

}  // namespace

MotorSqlite::MotorSqlite(const std::string& ruta) {
  struct stat info {};
  if (::stat(ruta.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw ErrorQel(errores::kBaseDatos,
                   fmt::format("No se encuentra el archivo de base de datos '{}'.", ruta));
  }
  if (sqlite3_open_v2(ruta.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    std::string mensaje = fmt::format("No se puede abrir la base de datos '{}'", ruta);
    sqlite3* db = db_;
    db_ = nullptr;
    try {
      Falla(db, mensaje);
    } catch (...) {
      sqlite3_close(db);
      throw;
    }
  }
  // Reading the schema proves the file is a database.
  char* error = nullptr;
  if (sqlite3_exec(db_, "select count(*) from sqlite_master", nullptr, nullptr, &error) !=
      SQLITE_OK) {
    std::string mensaje = fmt::format("El archivo '{}' no es una base de datos válida: {}", ruta,
                                      error != nullptr ? error : "");
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
    Falla(db_, "Error en la consulta");
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
    if (rc != SQLITE_OK) Falla(db_, "Error al pasar un parámetro");
  }
  const int ncol = sqlite3_column_count(stmt);
  std::vector<std::string> columnas;
  columnas.reserve(static_cast<size_t>(ncol));
  for (int c = 0; c < ncol; ++c) columnas.emplace_back(sqlite3_column_name(stmt, c));
  std::vector<Valor> celdas;
  for (;;) {
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      sqlite3_reset(stmt);
      Falla(db_, "Error al leer la consulta");
    }
    for (int c = 0; c < ncol; ++c) {
      switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_NULL:
          celdas.emplace_back();
          break;
        case SQLITE_INTEGER:
          celdas.emplace_back(static_cast<int64_t>(sqlite3_column_int64(stmt, c)));
          break;
        case SQLITE_FLOAT:
          celdas.emplace_back(sqlite3_column_double(stmt, c));
          break;
        default: {
          const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
          celdas.emplace_back(std::string(t != nullptr ? t : "",
                                          static_cast<size_t>(sqlite3_column_bytes(stmt, c))));
        }
      }
    }
  }
  sqlite3_reset(stmt);
  return std::make_unique<Recordset>(std::move(columnas), std::move(celdas));
}

}  // namespace pmq
