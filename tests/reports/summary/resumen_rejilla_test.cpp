// The summary grid filled by the controller from a calculated work, the grid
// model itself, and the form that shows it.

#include "obra_resumen.h"

#include "cli/ejecucion.h"

#include "common/formato.h"
#include "common/moneda.h"
#include "common/redondeo.h"
#include "reports/summary/frm_resumen_estimaciones.h"
#include "reports/summary/rejilla.h"
#include "reports/summary/resumenes_ctrl.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

using prueba::ObraResumen;

std::string TextoMoneda(double v) {
  return Moneda::DesdeDouble(v).Texto();
}

// Every cell of the grid against the tables: section rows, line rows, three
// columns per estimate placed by its number, one empty row below, row 0 and
// column 0 empty.
void VerificaRejilla(const Rejilla& g, const prueba::ObraEsperada& e) {
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

TEST_F(ObraResumen, GridHoldsSectionsLinesAndEstimatesAndTheFormIsShown) {
  auto p = Calculada();
  const auto esperada = prueba::LeeEsperada(base_.Ruta(), "A7");
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

TEST_F(ObraResumen, WorkWithoutEstimatesHasTenColumns) {
  auto p = Calculada("B2");
  const auto esperada = prueba::LeeEsperada(base_.Ruta(), "B2");
  ASSERT_EQ(esperada.estimaciones, 0);
  std::string s;
  p->ResumenesEstCtrl->Inicia(s);
  EXPECT_EQ(s, "");
  VerificaRejilla(*p->ResumenesEstCtrl->Grid(), esperada);
}

// `promorlaqel resumen`: the same grid as CSV (RFC 4180), JSON or text for people.
TEST_F(ObraResumen, TheCommandPrintsTheGridAsCsvJsonOrText) {
  auto p = Calculada();
  p->ResumenesEstCtrl->Inicia();
  const Rejilla& g = *p->ResumenesEstCtrl->Grid();
  const auto corre = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = {"resumen", "--bd", base_.Ruta(), "--obra", "A7"};
    args.insert(args.end(), extra.begin(), extra.end());
    return prueba::Ejecuta(dir_, args);
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
  EXPECT_EQ(corre({"--salida", dir_.Archivo("r.txt")}).salida, 64);
  EXPECT_EQ(corre({"--salida", dir_.Archivo("no/hay/r.xlsx")}).salida, 1);
}

}  // namespace
}  // namespace pmq
