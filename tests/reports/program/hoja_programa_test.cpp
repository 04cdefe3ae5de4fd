// The sheet "Programa Obra" as written to the file: read back by openpyxl and
// recalculated by LibreOffice, compared with what the loader computed.

#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "reports/program/obra_programa.h"
#include "reports/program/programas_ctrl.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"

#include <cmath>
#include <set>
#include <vector>

namespace pmq {
namespace {

using nlohmann::json;
using prueba::Letras;
using prueba::Ref;

const std::string kHoja = "Programa Obra";

// What the sheet should hold, derived from the loaded model and the layout
// rules: sections two rows apart from their lines, lines two rows apart, a
// subtotal under the last line, the totals three rows below the last subtotal.
struct Esperado {
  struct Fila {
    int32_t fila;
    const Presup* linea;
  };
  std::vector<int32_t> inicios;                  // first column of each period
  int32_t T = 0;                                 // totals column
  std::vector<std::vector<Fila>> lineas;         // per section
  std::vector<int32_t> secciones, subtotales;    // rows
  int32_t totales = 0;
  std::set<std::string> rellenas, merges;
};

Esperado Calcula(const Programa& p) {
  Esperado e;
  int32_t fila = 15;
  for (const Partida* partida : *p.Obra->Partidas) {
    e.secciones.push_back(fila);
    fila += 2;
    e.lineas.emplace_back();
    for (const Presup* l : *partida->Presups) {
      e.lineas.back().push_back({fila, l});
      int32_t c = 8;
      e.inicios.clear();
      for (const PeriodoPorItem* periodo : *l->PeriodosPorItem) {
        const int32_t s = c;
        e.inicios.push_back(s);
        for (int32_t d = 1; d <= periodo->Dias.Count(); ++d, ++c) {
          if (periodo->Dias.Barra(d)) e.rellenas.insert(Ref(fila - 1, c));
        }
        e.merges.insert(Ref(fila, s) + ":" + Ref(fila, c - 1));
        e.merges.insert(Ref(12, s) + ":" + Ref(12, c - 1));
      }
      e.T = c;
      fila += 2;
    }
    e.subtotales.push_back(fila - 1);
    fila += 1;
  }
  e.totales = fila + 1;
  for (size_t k = 0; k < e.inicios.size(); ++k) {
    const int32_t fin = k + 1 < e.inicios.size() ? e.inicios[k + 1] - 1 : e.T - 1;
    for (int32_t y : e.subtotales) e.merges.insert(Ref(y, e.inicios[k]) + ":" + Ref(y, fin));
    e.merges.insert(Ref(e.totales, e.inicios[k]) + ":" + Ref(e.totales, fin));
  }
  for (int32_t f = 1; f <= 10; ++f) e.merges.insert("A" + std::to_string(f) + ":" + Ref(f, e.T));
  return e;
}

std::string Suma(const std::vector<int32_t>& columnas, int32_t fila) {
  std::string f = "=";
  for (int32_t c : columnas) f += (f.size() > 1 ? "+" : "") + Ref(fila, c);
  return f;
}

// Every cell of the sheet that openpyxl sees filled.
std::set<std::string> Rellenas(const json& libro) {
  std::set<std::string> r;
  for (const auto& [clave, celda] : libro["celdas"].items()) {
    if (!celda["relleno"].is_null()) {
      EXPECT_EQ(celda["relleno"], "solid") << clave;
      EXPECT_EQ(celda["color"], "FF000000") << clave;
      r.insert(clave.substr(kHoja.size() + 1));
    }
  }
  return r;
}

// Checks amounts, formulas, recalculated sums, bars and merges of a written
// program against the loaded model.
void RevisaPrograma(const Programa& p, const json& libro, const json& recalculado) {
  const Esperado e = Calcula(p);
  const json& celdas = libro["celdas"];
  const json& rec = recalculado[kHoja];
  auto celda = [&](int32_t f, int32_t c) -> const json& { return celdas[kHoja + "!" + Ref(f, c)]; };
  auto numero = [&](int32_t f, int32_t c) { return rec[Ref(f, c)].get<double>(); };

  std::vector<double> total_periodo(e.inicios.size(), 0);
  std::string patron_total = "=";
  for (size_t i = 0; i < e.lineas.size(); ++i) {
    std::vector<double> subtotal(e.inicios.size(), 0);
    std::vector<std::string> sumandos(e.inicios.size(), "=");
    for (const auto& [fila, l] : e.lineas[i]) {
      ASSERT_EQ(l->PeriodosPorItem->Count(), static_cast<int32_t>(e.inicios.size()));
      double total_linea = 0;
      for (size_t k = 0; k < e.inicios.size(); ++k) {
        const double importe = l->PeriodosPorItem->Item(static_cast<int64_t>(k) + 1)->Importe.ADouble();
        EXPECT_NEAR(celda(fila, e.inicios[k])["valor"].get<double>(), importe, 1e-9) << Ref(fila, e.inicios[k]);
        EXPECT_NEAR(numero(fila, e.inicios[k]), importe, 1e-9);
        subtotal[k] += importe;
        total_linea += importe;
        sumandos[k] += (sumandos[k].size() > 1 ? "+" : "") + Ref(fila, e.inicios[k]);
      }
      EXPECT_EQ(celda(fila, e.T)["formula"], Suma(e.inicios, fila));
      EXPECT_NEAR(numero(fila, e.T), total_linea, 1e-6);
      EXPECT_NEAR(celda(fila, e.T)["cache"].get<double>(), total_linea, 1e-6);
      EXPECT_EQ(celda(fila, 6)["formato"], "#,##0.0000");
    }
    const int32_t y = e.subtotales[i];
    EXPECT_EQ(celda(y, 7)["valor"], "SubTotales");
    double suma = 0;
    for (size_t k = 0; k < e.inicios.size(); ++k) {
      EXPECT_EQ(celda(y, e.inicios[k])["formula"], sumandos[k]);
      EXPECT_NEAR(numero(y, e.inicios[k]), subtotal[k], 1e-6) << Ref(y, e.inicios[k]);
      total_periodo[k] += subtotal[k];
      suma += subtotal[k];
    }
    EXPECT_EQ(celda(y, e.T)["formula"], Suma(e.inicios, y));
    EXPECT_NEAR(numero(y, e.T), suma, 1e-6);
    patron_total += (patron_total.size() > 1 ? "+" : "") + std::string("_") + std::to_string(y);
  }
  double gran_total = 0;
  for (size_t k = 0; k < e.inicios.size(); ++k) {
    std::string formula = patron_total;
    for (size_t at = formula.find('_'); at != std::string::npos; at = formula.find('_')) {
      formula.replace(at, 1, Letras(e.inicios[k]));
    }
    EXPECT_EQ(celda(e.totales, e.inicios[k])["formula"], formula);
    EXPECT_NEAR(numero(e.totales, e.inicios[k]), total_periodo[k], 1e-6);
    gran_total += total_periodo[k];
  }
  EXPECT_EQ(celda(e.totales, 7)["valor"], "Totales");
  EXPECT_EQ(celda(13, e.T)["valor"], "Totales");
  EXPECT_NEAR(numero(e.totales, e.T), gran_total, 1e-6);

  EXPECT_EQ(Rellenas(libro), e.rellenas);
  const auto& merges = libro["merges"][kHoja];
  EXPECT_EQ(std::set<std::string>(merges.begin(), merges.end()), e.merges);
  // Day columns are two characters wide (the file adds the cell margins),
  // but for the first two, which the final autofit of A:I sizes to their
  // contents like the text columns; the description column keeps at most 60.
  const json& anchos = libro["anchos"][kHoja];
  for (int32_t c = 10; c < e.T; ++c) EXPECT_NEAR(anchos[Letras(c)].get<double>(), 2.71, 0.01) << Letras(c);
  EXPECT_GT(anchos["H"].get<double>(), 0);
  EXPECT_GT(anchos["C"].get<double>(), 8);
  EXPECT_LE(anchos["C"].get<double>(), 60.72);
}

class HojaPrograma : public prueba::ObraPrograma {};

TEST_F(HojaPrograma, ThreeMonthsWithSectionsAndLinesSpanningMonths) {
  Obra("2013-01-10", "2013-03-20");
  Seccion("01", "Cimentación", 1023.31);
  Seccion("02", "Acabados", 1484.57);
  Linea("01", "F1", "C-1", 10, 100, 1, "2013-01-20", "2013-02-10");
  Linea("01", "F1", "C-2", 3, 7.77, 2, "2013-02-25", "2013-03-05");
  Linea("02", "F2", "C-1", 2.5, 100, 1, "2013-01-10", "2013-03-20");
  Linea("02", "F2", "C-3", 1, 1234.5678, 2, "2013-03-20", "2013-03-20");
  auto p = Calcula();
  p->Empresa = "Constructora Prueba";
  const std::string ruta = Exporta(*p);
  EXPECT_TRUE(host_.mensajes.empty());

  const json libro = prueba::LeeLibro(ruta);
  const json rec = prueba::Recalcula(ruta);
  ASSERT_FALSE(libro.is_null());
  ASSERT_FALSE(rec.is_null());
  EXPECT_EQ(libro["hojas"], json::array({kHoja}));
  RevisaPrograma(*p, libro, rec);

  // The figures of the layout, as a reader sees them.
  const json& c = libro["celdas"];
  auto valor = [&](const std::string& ref) { return c[kHoja + "!" + ref]["valor"]; };
  EXPECT_EQ(c[kHoja + "!CT17"]["formula"], "=H17+AM17+BO17");
  EXPECT_EQ(c[kHoja + "!H20"]["formula"], "=H17+H19");
  EXPECT_EQ(c[kHoja + "!AM30"]["formula"], "=AM20+AM27");
  EXPECT_EQ(valor("A1"), "Constructora Prueba");
  EXPECT_EQ(valor("A4"), "PROGRAMA DE MONTOS MENSUALES");
  EXPECT_EQ(valor("A6"), "Encabezado 1");
  EXPECT_EQ(valor("A10"), "INICIO : 10/ene/2013" + std::string(50, ' ') + "TERMINACION : 20/mar/2013");
  EXPECT_EQ(c[kHoja + "!A4"]["h"], "center");
  EXPECT_EQ(valor("H12"), "Enero'2013");
  EXPECT_EQ(valor("AM12"), "Febrero'2013");
  EXPECT_EQ(valor("BO12"), "Marzo'2013");
  EXPECT_EQ(valor("H13"), 1);
  EXPECT_EQ(valor("AL13"), 31);
  EXPECT_EQ(valor("AM13"), 1);
  EXPECT_EQ(valor("CS13"), 31);
  const std::vector<std::string> titulos = {"No.", "Clave", "Descripción", "Unidad", "Fte", "Cantidad", "% Partida"};
  for (size_t i = 0; i < titulos.size(); ++i) EXPECT_EQ(valor(Letras(static_cast<int32_t>(i) + 1) + "13"), titulos[i]);
  // Section rows; line numbers keep counting across sections.
  EXPECT_EQ(valor("A15"), "01");
  EXPECT_EQ(valor("B15"), "01");
  EXPECT_EQ(valor("C15"), "Cimentación");
  EXPECT_EQ(valor("A22"), "02");
  EXPECT_EQ(valor("A17"), "1)");
  EXPECT_EQ(valor("A19"), "2)");
  EXPECT_EQ(valor("A24"), "3)");
  EXPECT_EQ(valor("A26"), "4)");
  EXPECT_EQ(valor("B17"), "C-1");
  EXPECT_EQ(valor("C17"), "Concreto f'c=200");
  EXPECT_EQ(valor("D17"), "m3");
  EXPECT_EQ(valor("E17"), "F1");
  EXPECT_EQ(valor("F17"), 10);
  EXPECT_EQ(valor("G17"), "97.722");
  // A line idle all January still gets its January amount, and no bar there.
  EXPECT_EQ(valor("H19"), 0);
  // Text columns: the description wraps at the top left, the number column is centred.
  EXPECT_EQ(c[kHoja + "!C17"]["ajustar"], true);
  EXPECT_EQ(c[kHoja + "!C17"]["v"], "top");
  EXPECT_EQ(c[kHoja + "!A17"]["h"], "center");
  EXPECT_EQ(c[kHoja + "!B17"]["h"], "left");
  EXPECT_EQ(c[kHoja + "!D17"]["encoger"], true);
}

TEST_F(HojaPrograma, AWorkLongerThanTwentyThreeMonthsRunsPastColumnZZ) {
  Obra("2013-01-01", "2014-12-31");
  Seccion("01", "Obra negra", 73093.24);
  Linea("01", "F1", "C-1", 730, 100, 1, "2013-01-01", "2014-12-31");
  Linea("01", "F1", "C-2", 12, 7.77, 2, "2014-11-20", "2014-12-31");
  auto p = Calcula();
  ASSERT_EQ(p->Periodos->Count(), 24);
  const std::string ruta = Exporta(*p);
  const json libro = prueba::LeeLibro(ruta);
  const json rec = prueba::Recalcula(ruta);
  ASSERT_FALSE(libro.is_null());
  ASSERT_FALSE(rec.is_null());
  RevisaPrograma(*p, libro, rec);
  // 730 day columns from H: the last is ABI, the totals go in ABJ; December 2014 starts at AAE.
  const json& c = libro["celdas"];
  EXPECT_EQ(c[kHoja + "!ABJ13"]["valor"], "Totales");
  EXPECT_EQ(c[kHoja + "!AAE12"]["valor"], "Diciembre'2014");
  EXPECT_EQ(c[kHoja + "!ABI13"]["valor"], 31);
  EXPECT_EQ(c[kHoja + "!ABJ17"]["formula"].get<std::string>().substr(0, 9), "=H17+AM17");
  EXPECT_NE(c[kHoja + "!ABJ17"]["formula"].get<std::string>().find("+XV17+ZA17+AAE17"), std::string::npos);
}

TEST_F(HojaPrograma, EmptySectionsAndAWorkWithoutLinesWriteNoBrokenFormula) {
  Obra("2013-03-15", "2013-05-10");
  Seccion("01", "Preliminares", 0);
  Seccion("02", "Cimentación", 1000);
  Seccion("03", "Sin conceptos", 0);
  Linea("02", "F1", "C-1", 10, 100, 1, "2013-03-20", "2013-04-19");
  auto p = Calcula();
  const std::string ruta = Exporta(*p);
  const json libro = prueba::LeeLibro(ruta);
  const json& c = libro["celdas"];
  // 01 at 15 (subtotal 16), 02 at 18 (line 20, subtotal 21), 03 at 23 (subtotal 24), totals at 27.
  EXPECT_EQ(c[kHoja + "!G16"]["valor"], "SubTotales");
  EXPECT_EQ(c[kHoja + "!A20"]["valor"], "1)");
  EXPECT_EQ(c[kHoja + "!H21"]["formula"], "=H20");
  EXPECT_EQ(c[kHoja + "!G24"]["valor"], "SubTotales");
  EXPECT_EQ(c[kHoja + "!H27"]["formula"], "=H16+H21+H24");
  EXPECT_NEAR(c[kHoja + "!CV27"]["cache"].get<double>(),
              c[kHoja + "!H20"]["valor"].get<double>() + c[kHoja + "!AM20"]["valor"].get<double>() +
                  c[kHoja + "!BQ20"]["valor"].get<double>(),
              1e-9);
  EXPECT_FALSE(c.contains(kHoja + "!H16"));
}

TEST(ProgramasCtrlColumnas, ColumnLettersAsTheWorkbookWrapperGivesThem) {
  for (int32_t c : {1, 25, 26, 27, 52, 53, 702, 703, 738, 16384}) {
    EXPECT_EQ(ProgramasCtrl::ColTrans(c), Letras(c)) << c;
  }
  EXPECT_EQ(ProgramasCtrl::ColTrans(0), "");
  EXPECT_EQ(ProgramasCtrl::TituloPrograma(4), "PROGRAMA POR CONCEPTOS DE MONTOS MENSUALES DE MANO DE OBRA");
  EXPECT_EQ(ProgramasCtrl::TituloPrograma(5), "");
}

}  // namespace
}  // namespace pmq
