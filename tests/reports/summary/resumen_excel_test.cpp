// The summary exported from the form to the sheet "Resumen", read back by an
// independent reader (openpyxl) and checked against the tables: every line's
// volumes and amounts, each estimate's columns for both unit-price settings,
// subtotals and totals as the sums of what they cover.

#include "apoyo/obra_calculada.h"
#include "cli/ejecucion.h"
#include "common/formato.h"
#include "common/moneda.h"
#include "common/redondeo.h"
#include "reports/summary/frm_resumen_estimaciones.h"
#include "reports/summary/rejilla.h"
#include "reports/summary/resumenes_ctrl.h"
#include "sheet/lector_libro.h"
#include "sheet/libro_excel.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pmq {
namespace {

using nlohmann::json;

// The fixture: the database of obra_resumen.sql calculated under a recording
// host, and what the summary must show, read straight from the tables with SQL
// (not through the library's loaders).

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

void Consulta(const std::string& ruta, const std::string& sql,
              const std::function<void(sqlite3_stmt*)>& fila) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ruta.c_str(), &db), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr), SQLITE_OK) << sql;
  while (sqlite3_step(st) == SQLITE_ROW) fila(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
}

std::string Texto(sqlite3_stmt* st, int i) {
  const unsigned char* t = sqlite3_column_text(st, i);
  return t != nullptr ? reinterpret_cast<const char*>(t) : "";
}

ObraEsperada LeeEsperada(const std::string& ruta, const std::string& obra) {
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

class ObraResumen : public prueba::ObraCalculada {
 protected:
  void SetUp() override {
    Sql(prueba::LeeArchivo(PMQ_SOURCE_DIR "/tests/reports/summary/obra_resumen.sql"));
  }
};

std::string L(int c) {
  return LibroExcel::ColTrans(c);
}

// A workbook as openpyxl read it: one cell of the sheet "Resumen".
struct Libro {
  json j;
  json Valor(int f, int c, const char* que = "valor") const {
    return j["celdas"]
        .value("Resumen!" + L(c) + std::to_string(f), json::object())
        .value(que, json());
  }
  double Cache(int f, int c) const {
    const json v = Valor(f, c, "cache");
    EXPECT_TRUE(v.is_number()) << L(c) << f;
    return v.is_number() ? v.get<double>() : -1e300;
  }
  std::string Formula(int f, int c) const {
    const json v = Valor(f, c, "formula");
    return v.is_string() ? v.get<std::string>() : "";
  }
};

// Every line, subtotal and total of the sheet against the tables.
void VerificaLibro(const Libro& libro, const ObraEsperada& e, bool punit_propio) {
  const int C = punit_propio ? 3 : 2;
  const auto cantidad_k = [&](int k) { return (k - 1) * C + 15; };
  const auto importe_k = [&](int k) { return (k - 1) * C + 14 + C; };
  EXPECT_EQ(libro.Valor(7, 11), "Vol - Def");
  std::vector<std::string> merges;
  for (int k = 1; k <= e.estimaciones; ++k) {
    EXPECT_EQ(libro.Valor(4, cantidad_k(k)), "Estimación No. " + std::to_string(k));
    EXPECT_EQ(libro.Valor(7, cantidad_k(k)), "Cantidad");
    EXPECT_EQ(libro.Valor(7, importe_k(k)), "Importe");
    if (punit_propio) {
      EXPECT_EQ(libro.Valor(7, cantidad_k(k) + 1), "P.Unitario");
    }
    merges.push_back(L(cantidad_k(k)) + "4:" + L(importe_k(k)) + "4");
  }
  std::sort(merges.begin(), merges.end());
  EXPECT_EQ(libro.j["merges"]["Resumen"], json(merges));

  const int H = 8, L_ = 12, N = 14;
  std::vector<int> columnas_importe = {H, L_, N};
  for (int k = 1; k <= e.estimaciones; ++k) columnas_importe.push_back(importe_k(k));
  std::map<int, double> totales;
  int fila = 9, n = 0;
  for (const auto& p : e.partidas) {
    EXPECT_EQ(libro.Valor(fila, 1), p.clave);
    EXPECT_EQ(libro.Valor(fila, 3), p.descripcion);
    ++fila;
    std::map<int, double> subtotales;
    for (const auto& l : p.lineas) {
      const int R = fila++;
      const std::string r = std::to_string(R);
      EXPECT_EQ(libro.Valor(R, 1), std::to_string(++n) + ")");
      EXPECT_EQ(libro.Valor(R, 2), l.clave);
      EXPECT_EQ(libro.Valor(R, 3), l.descripcion);
      EXPECT_EQ(libro.Valor(R, 4), l.unidad);
      if (!l.frente.empty()) {
        EXPECT_EQ(libro.Valor(R, 5), l.frente);
      }
      EXPECT_EQ(libro.Valor(R, 6), l.cantidad);
      EXPECT_EQ(libro.Valor(R, 7), l.punit);
      EXPECT_EQ(libro.Valor(R, 9), l.aditiva);
      EXPECT_EQ(libro.Valor(R, 10), l.deductiva);
      const double definitivo = l.cantidad + l.aditiva - l.deductiva;
      double cobrado = 0;
      std::map<int, double> importes = {{H, l.punit * l.cantidad}, {L_, definitivo * l.punit}};
      for (const auto& [k, cobro] : l.cobros) {
        cobrado += cobro.cantidad;
        EXPECT_EQ(libro.Valor(R, cantidad_k(k)), cobro.cantidad);
        if (punit_propio) {
          EXPECT_EQ(libro.Valor(R, cantidad_k(k) + 1), cobro.punit);
        }
        importes[importe_k(k)] = (punit_propio ? cobro.punit : l.punit) * cobro.cantidad;
      }
      for (int k = 1; k <= e.estimaciones; ++k) {
        if (l.cobros.count(k) == 0) {
          EXPECT_TRUE(libro.Valor(R, cantidad_k(k)).is_null());
        }
      }
      importes[N] = (definitivo - cobrado) * l.punit;
      EXPECT_NEAR(libro.Cache(R, 11), definitivo, 1e-9);
      EXPECT_NEAR(libro.Cache(R, 13), definitivo - cobrado, 1e-9);
      for (int c : columnas_importe) {
        if (importes.count(c) == 0) continue;  // an estimate the line lacks
        EXPECT_NEAR(libro.Cache(R, c), importes[c], 1e-9) << L(c) << R;
        subtotales[c] += importes[c];
      }
      // The patterns of the line formulas.
      EXPECT_EQ(libro.Formula(R, H), "=G" + r + "*F" + r);
      EXPECT_EQ(libro.Formula(R, 11), "=F" + r + "+I" + r + "-J" + r);
      std::string pendiente;
      for (int k = 1; k <= e.estimaciones; ++k) {
        if (k > 1) pendiente.push_back('+');
        pendiente += L(cantidad_k(k)) + r;
      }
      EXPECT_EQ(libro.Formula(R, 13),
                e.estimaciones > 0 ? "=K" + r + "-(" + pendiente + ")" : "=K" + r);
    }
    EXPECT_EQ(libro.Valor(fila, 7), "SubTotales");
    for (int c : columnas_importe) {
      EXPECT_NEAR(libro.Cache(fila, c), subtotales[c], 1e-9) << L(c) << fila;
      totales[c] += subtotales[c];
    }
    ++fila;
  }
  const int T = fila + 1;
  EXPECT_EQ(libro.Valor(T, 7), "Totales");
  for (int c : columnas_importe) EXPECT_NEAR(libro.Cache(T, c), totales[c], 1e-9) << L(c) << T;
  EXPECT_EQ(libro.Valor(10, 6, "formato"), "###,###,##0.000000");
  // The stored width carries the spreadsheet's padding over the 60 characters.
  EXPECT_NEAR(libro.j["anchos"]["Resumen"]["C"].get<double>(), 60.7, 0.1);
}

TEST_F(ObraResumen, ExportFromTheFormForBothUnitPriceSettings) {
  auto p = Calculada();
  const auto esperada = LeeEsperada(base_.Ruta(), "A7");
  for (bool punit_propio : {false, true}) {
    SCOPED_TRACE(punit_propio);
    ResumenesCtrl& ctrl = *p->ResumenesEstCtrl;
    ctrl.PUnitPorEstimacion = punit_propio;
    const std::string uno = dir_.Archivo(punit_propio ? "a3.xlsx" : "a2.xlsx");
    const std::string dos = dir_.Archivo(punit_propio ? "b3.xlsx" : "b2.xlsx");
    host_.respuestas_dialogo = {{false, uno}, {false, dos}};
    host_.dialogos.clear();
    // The user exports twice, then closes the form.
    host_.manejador_forma = [](Forma& f) {
      auto& frm = dynamic_cast<frmResumenEstimaciones&>(f);
      frm.cmdExcel_Click();
      EXPECT_TRUE(frm.Visible());
      frm.cmdExcel_Click();
      frm.cmdCerrar_Click();
      EXPECT_FALSE(frm.Visible());
    };
    std::string s;
    ctrl.Inicia(s);
    EXPECT_EQ(s, "");
    ASSERT_EQ(host_.dialogos.size(), 2u);
    EXPECT_TRUE(host_.mensajes.empty());
    for (const std::string& ruta : {uno, dos}) {
      ASSERT_TRUE(std::filesystem::exists(ruta)) << ruta;
      VerificaLibro(Libro{prueba::LeeLibro(ruta)}, esperada, punit_propio);
    }
  }
}

// The summary grid filled by the controller from a calculated work, the grid
// model itself, and the form that shows it.

std::string TextoMoneda(double v) {
  return Moneda::DesdeDouble(v).Texto();
}

// Every cell of the grid against the tables: section rows, line rows, three
// columns per estimate placed by its number, one empty row below, row 0 and
// column 0 empty.
void VerificaRejilla(const Rejilla& g, const ObraEsperada& e) {
  ASSERT_EQ(g.Cols(), 3 * e.estimaciones + 10);
  std::vector<std::vector<std::string>> esperada;
  const auto fila_vacia = [&] { return std::vector<std::string>(static_cast<size_t>(g.Cols())); };
  esperada.push_back(fila_vacia());
  for (const auto& p : e.partidas) {
    auto f = fila_vacia();
    f[1] = p.clave;
    f[2] = p.descripcion;
    esperada.push_back(f);
    for (const auto& l : p.lineas) {
      f = fila_vacia();
      f[1] = l.clave;
      f[2] = l.descripcion;
      f[3] = l.unidad;
      f[4] = TextoGeneral(l.cantidad);
      f[5] = TextoMoneda(l.punit);
      f[6] = TextoGeneral(Redondea(l.punit * l.cantidad, 2));
      for (const auto& [k, cobro] : l.cobros) {
        const size_t c = static_cast<size_t>(3 * (k - 1) + 7);
        f[c] = TextoGeneral(cobro.cantidad);
        f[c + 1] = TextoMoneda(cobro.punit);
        f[c + 2] = TextoGeneral(Redondea(cobro.punit * cobro.cantidad, 2));
      }
      esperada.push_back(f);
    }
  }
  esperada.push_back(fila_vacia());
  ASSERT_EQ(g.Rows(), static_cast<int32_t>(esperada.size()));
  for (int32_t r = 0; r < g.Rows(); ++r) {
    for (int32_t c = 0; c < g.Cols(); ++c) {
      EXPECT_EQ(g.TextMatrix(r, c), esperada[static_cast<size_t>(r)][static_cast<size_t>(c)])
          << "fila " << r << " columna " << c;
    }
  }
}

// A work without estimates: all the volume pending, a grid of ten columns.
TEST_F(ObraResumen, ExportWithoutEstimatesLeavesAllTheVolumePending) {
  auto p = Calculada("B2");
  const auto esperada = LeeEsperada(base_.Ruta(), "B2");
  ASSERT_EQ(esperada.estimaciones, 0);
  const std::string ruta = dir_.Archivo("b.xlsx");
  host_.respuestas_dialogo = {{false, ruta}};
  std::string s;
  p->ResumenesEstCtrl->AExcel(s);
  EXPECT_EQ(s, "");  // no rejected formula
  VerificaLibro(Libro{prueba::LeeLibro(ruta)}, esperada, false);
  p->ResumenesEstCtrl->Inicia(s);
  EXPECT_EQ(s, "");
  VerificaRejilla(*p->ResumenesEstCtrl->Grid(), esperada);
}

TEST_F(ObraResumen, GridHoldsSectionsLinesAndEstimatesAndTheFormIsShown) {
  auto p = Calculada();
  const auto esperada = LeeEsperada(base_.Ruta(), "A7");
  ASSERT_EQ(esperada.estimaciones, 2);
  for (bool punit_propio : {false, true}) {
    ResumenesCtrl& ctrl = *p->ResumenesEstCtrl;
    ctrl.PUnitPorEstimacion = punit_propio;  // the grid keeps three columns per estimate either way
    std::string s;
    ctrl.Inicia(s);
    EXPECT_EQ(s, "");
    ASSERT_EQ(ctrl.Grid(), &ctrl.Forma->vsRes);
    VerificaRejilla(*ctrl.Grid(), esperada);
  }
  // Rounded with Redondea: 0.125 × 1 shows 0.13; the line billed in none has its estimate columns
  // empty.
  const Rejilla& g = p->ResumenesEstCtrl->Forma->vsRes;
  EXPECT_EQ(g.TextMatrix(3, 6), "0.13");
  EXPECT_EQ(g.TextMatrix(6, 7) + g.TextMatrix(6, 10), "");

  EXPECT_EQ(host_.formas_mostradas,
            (std::vector<std::string>{"frmResumenEstimaciones", "frmResumenEstimaciones"}));
}

// `promorlaqel resumen`: the same grid as CSV (RFC 4180), JSON or text for people.
TEST_F(ObraResumen, TheCommandPrintsTheGridAsCsvJsonOrText) {
  auto p = Calculada();
  p->ResumenesEstCtrl->Inicia();
  const Rejilla& g = *p->ResumenesEstCtrl->Grid();
  const auto corre = [&](std::vector<std::string> extra) {
    return prueba::EjecutaObra(dir_, "resumen", base_.Ruta(), std::move(extra));
  };
  const auto csv = corre({"--formato", "csv"});
  EXPECT_EQ(csv.salida, 0) << csv.err;
  EXPECT_EQ(prueba::Ocurrencias(csv.out, "\r\n"), g.Rows());
  EXPECT_NE(csv.out.find("\r\n,C-2,\"Taquete, \"\"plástico\"\"\",pza,1,0.125,0.13,"),
            std::string::npos)
      << csv.out;
  const auto json = nlohmann::json::parse(corre({"--formato", "json"}).out);
  EXPECT_EQ(json["Rows"], g.Rows());
  EXPECT_EQ(json["Celdas"][3][2], g.TextMatrix(3, 2));
  const auto texto = corre({});
  EXPECT_EQ(prueba::Ocurrencias(texto.out, "\n"), 7);
  EXPECT_NE(texto.out.find("E2 Importe"), std::string::npos);
  EXPECT_EQ(corre({"--salida", dir_.Archivo("no/hay/r.xlsx")}).salida, 1);
}

}  // namespace
}  // namespace pmq
