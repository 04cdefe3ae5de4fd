#include "limite_carga.h"

#include <sqlite3.h>

#include <stdexcept>

namespace pmq::bench {
namespace {

// Runs one query with the work code bound to every "?" and touches every column of every row.
void Corre(sqlite3* db, const char* sql, const std::string& obra, LimiteCarga::Resultado& r) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(db));
  for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
    sqlite3_bind_text(st, i, obra.data(), static_cast<int>(obra.size()), SQLITE_STATIC);
  }
  const int ncol = sqlite3_column_count(st);
  int rc = 0;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    ++r.filas;
    for (int c = 0; c < ncol; ++c) {
      switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER:
          r.suma += static_cast<uint64_t>(sqlite3_column_int64(st, c));
          break;
        case SQLITE_FLOAT:
          r.suma += static_cast<uint64_t>(sqlite3_column_double(st, c));
          break;
        case SQLITE_NULL:
          break;
        default:
          r.suma +=
              static_cast<uint64_t>(sqlite3_column_bytes(st, c)) + *sqlite3_column_text(st, c);
          break;
      }
    }
  }
  sqlite3_finalize(st);
  if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
}

}  // namespace

LimiteCarga::Resultado LimiteCarga::Lee(const std::string& ruta, const std::string& obra) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("no se pudo abrir " + ruta);
  }
  Resultado r;
  try {
    // The same tables, orders and columns the loaders read, each row once.
    Corre(db, "select * from CONCEPTO order by TIPO, CONCEPTO", obra, r);
    Corre(db, "select * from MAQUINA order by MAQUINA", obra, r);
    Corre(db,
          "select * from OBRAS O, FSR S, FACMAQ M, FSCD F where O.OBRA = S.OBRA and O.OBRA = "
          "M.OBRA and "
          "O.OBRA = F.OBRA and O.OBRA = ?",
          obra, r);
    Corre(db, "select * from PARTIDAS where OBRA = ? order by PARTIDA", obra, r);
    Corre(db, "select * from PRESUPS where OBRA = ? order by PARTIDA, ORDEN", obra, r);
    Corre(db, "select * from MATRICES", obra, r);
    Corre(db, "select * from EST1 where OBRA = ? order by ESTIMACION", obra, r);
    Corre(db, "select * from EST2 where OBRA = ? order by PARTIDA, CONCEPTO, FRENTE, ESTIMACION",
          obra, r);
  } catch (...) {
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
  return r;
}

}  // namespace pmq::bench
