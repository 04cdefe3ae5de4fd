#pragma once
// Fixture of the summary tests: the database of obra_resumen.sql calculated
// under a recording host, and what the summary must show, read straight from
// the tables with SQL (not through the library's loaders).

#include "apoyo/obra_calculada.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pmq::prueba {

/// What one estimate billed of a line, as stored in EST2.
struct Cobro {
  double cantidad = 0;
  double punit = 0;
};

/// A budget line as stored, with its billings by estimate number (a number
/// below 1 has no columns, so it is left out).
struct LineaEsperada {
  std::string clave, descripcion, unidad, frente;
  double cantidad = 0, punit = 0, aditiva = 0, deductiva = 0;
  std::map<int, Cobro> cobros;
};

struct PartidaEsperada {
  std::string clave, descripcion;
  std::vector<LineaEsperada> lineas;
};

/// The sections and lines of a work, in code and stored order; the number of
/// estimates is the highest ESTIMACION of the work in EST2.
struct ObraEsperada {
  std::vector<PartidaEsperada> partidas;
  int estimaciones = 0;
};

inline void Consulta(const std::string& ruta, const std::string& sql,
                     const std::function<void(sqlite3_stmt*)>& fila) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ruta.c_str(), &db), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
  while (sqlite3_step(st) == SQLITE_ROW) fila(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
}

inline std::string Texto(sqlite3_stmt* st, int i) {
  const unsigned char* t = sqlite3_column_text(st, i);
  return t != nullptr ? reinterpret_cast<const char*>(t) : "";
}

inline ObraEsperada LeeEsperada(const std::string& ruta, const std::string& obra) {
  ObraEsperada r;
  // One row per line and estimate that billed it (a line billed in none once).
  Consulta(ruta,
           "select pa.PARTIDA, pa.PNOM_LARGO, c.CONCEPTO, c.NOM_LARGO, c.UNIDAD, p.FRENTE, "
           "p.CANT_PRES, p.PUNIT, p.ADITIVA, p.DEDUCTIVA, e.ESTIMACION, e.CANT_EST, e.PUNIT, "
           "p.ORDEN from PRESUPS p join PARTIDAS pa on pa.OBRA = p.OBRA and pa.PARTIDA = p.PARTIDA "
           "join CONCEPTO c on c.CONCEPTO = p.CONCEPTO left join EST2 e on e.OBRA = p.OBRA and "
           "e.PARTIDA = p.PARTIDA and e.FRENTE = p.FRENTE and e.CONCEPTO = p.CONCEPTO and "
           "e.ESTIMACION >= 1 where p.OBRA = '" +
               obra + "' order by pa.PARTIDA, p.ORDEN",
           [&](sqlite3_stmt* st) {
             if (r.partidas.empty() || r.partidas.back().clave != Texto(st, 0))
               r.partidas.push_back({Texto(st, 0), Texto(st, 1), {}});
             auto& lineas = r.partidas.back().lineas;
             if (lineas.empty() || lineas.back().clave != Texto(st, 2) ||
                 lineas.back().frente != Texto(st, 5)) {
               lineas.push_back({Texto(st, 2),
                                 Texto(st, 3),
                                 Texto(st, 4),
                                 Texto(st, 5),
                                 sqlite3_column_double(st, 6),
                                 sqlite3_column_double(st, 7),
                                 sqlite3_column_double(st, 8),
                                 sqlite3_column_double(st, 9),
                                 {}});
             }
             if (sqlite3_column_type(st, 10) != SQLITE_NULL)
               lineas.back().cobros[sqlite3_column_int(st, 10)] = {sqlite3_column_double(st, 11),
                                                                   sqlite3_column_double(st, 12)};
           });
  Consulta(ruta, "select coalesce(max(ESTIMACION), 0) from EST2 where OBRA = '" + obra + "'",
           [&](sqlite3_stmt* st) { r.estimaciones = sqlite3_column_int(st, 0); });
  return r;
}

class ObraResumen : public ObraCalculada {
 protected:
  void SetUp() override {
    Sql(LeeArchivo(PMQ_SOURCE_DIR "/tests/reports/summary/obra_resumen.sql"));
  }
};

}  // namespace pmq::prueba
