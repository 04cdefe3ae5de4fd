#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "catalogue/explosion_presup.h"
#include "common/redondeo.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "schedule/dias.h"
#include "schedule/filas_programa.h"
#include "schedule/items_fila.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
#include "schedule/reparto.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pmq {
namespace {

Fecha F(const char* iso) {
  return Fecha::DesdeIso(iso);
}

// The calendar as text: "first..last ini-fin" per period, checking on the way
// that each period is linked and numbered on from the one before it.
std::string Calendario(const Periodos& cal) {
  std::string t;
  int32_t siguiente = 1;
  for (const Periodo* p : cal) {
    EXPECT_EQ(p->IdxIni, siguiente);
    EXPECT_EQ(p->Final - p->Inicio + 1, p->Duracion);
    EXPECT_EQ(p->IdxFin - p->IdxIni + 1, p->Duracion);
    siguiente = p->IdxFin + 1;
    if (!t.empty()) t.push_back(' ');
    t += p->Inicio.Iso() + ".." + p->Final.Iso() + " " + std::to_string(p->IdxIni) + "-" +
         std::to_string(p->IdxFin);
  }
  return t;
}

TEST(Periodos, OnePeriodPerCalendarMonthOrFortnightOfTheWork) {
  struct Caso {
    const char *inicio, *final_;
    enumTipoPeriodo tipo;
    int32_t dias_obra;
    std::string calendario;
  };
  const std::vector<Caso> casos = {
      {"2013-01-01", "2013-01-31", enumMensual, 31, "2013-01-01..2013-01-31 1-31"},
      {"2013-12-15", "2014-02-10", enumMensual, 58,
       "2013-12-01..2013-12-31 1-31 2014-01-01..2014-01-31 32-62 2014-02-01..2014-02-28 63-90"},
      {"2013-03-15", "2013-04-10", enumMensual, 27,
       "2013-03-01..2013-03-31 1-31 2013-04-01..2013-04-30 32-61"},
      {"2012-02-03", "2012-02-20", enumMensual, 18, "2012-02-01..2012-02-29 1-29"},
      {"2013-06-30", "2013-06-30", enumMensual, 1, "2013-06-01..2013-06-30 1-30"},
      {"2013-03-10", "2013-03-01", enumMensual, -8, ""},  // ends before it starts
      // Fortnights: 1-15 and 16-end of month, the first and last cut to the work.
      {"2013-01-01", "2013-01-31", enumQuincenal, 31,
       "2013-01-01..2013-01-15 1-15 2013-01-16..2013-01-31 16-31"},
      {"2013-03-15", "2013-05-10", enumQuincenal, 57,
       "2013-03-15..2013-03-15 1-1 2013-03-16..2013-03-31 2-17 2013-04-01..2013-04-15 18-32 "
       "2013-04-16..2013-04-30 33-47 2013-05-01..2013-05-10 48-57"},
      {"2012-02-20", "2012-03-02", enumQuincenal, 12,
       "2012-02-20..2012-02-29 1-10 2012-03-01..2012-03-02 11-12"},
      {"2013-12-16", "2013-12-16", enumQuincenal, 1, "2013-12-16..2013-12-16 1-1"},
      {"2013-03-10", "2013-03-01", enumQuincenal, -8, ""}};
  // The calendar needs only the root's work dates and kind of period.
  const auto genera = [](Programa& p, enumTipoPeriodo tipo, const char* inicio,
                         const char* final_) {
    p.Periodos->Programa = &p;
    p.TipoPeriodo = tipo;
    p.Obra->Des.Inicio = F(inicio);
    p.Obra->Des.Final = F(final_);
    std::string s;
    p.Periodos->GeneraPeriodos(s);
    EXPECT_EQ(s, "");
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.inicio) + " .. " + c.final_);
    Programa p;
    genera(p, c.tipo, c.inicio, c.final_);
    EXPECT_EQ(p.Obra->DiasObra, c.dias_obra);
    EXPECT_EQ(Calendario(*p.Periodos), c.calendario);
  }
  Programa largo;  // 15 months across a leap year
  genera(largo, enumMensual, "2011-11-30", "2013-01-01");
  EXPECT_EQ(largo.Obra->DiasObra, 399);
  ASSERT_EQ(largo.Periodos->Count(), 15);
  EXPECT_EQ(largo.Periodos->Item(4)->Duracion, 29);
  EXPECT_EQ(largo.Periodos->Item(15)->IdxFin, 458);
}

Moneda M(const char* texto) {
  return Moneda::DesdeTexto(texto);
}

class RepartoTest : public prueba::ObraCalculada {};

// Each of the six ways a line meets a period, the per-day values rounded
// (exact halves to the even neighbour: 0.125 → 0.12, 0.175 → 0.18,
// 0.0000005 → 0, 0.0000015 → 0.000002), and over the whole calendar the markers
// set exactly on the line's days, its amounts adding up to those days times the
// rounded daily amount.
TEST_F(RepartoTest, SharesOfEachOverlapCaseRoundPerDayAndMarkTheLinesDays) {
  struct Caso {
    const char *inicio, *final_;
    int32_t periodo, caso, d1, d2;
    double cantidad;
    const char* importe;
    double cantidad_linea = 100, punit = 10;
  };
  const Caso casos[] = {
      {"2013-01-10", "2013-01-19", 1, 2, 10, 19, 100, "1000"},  // 10 and 100.00 a day
      {"2013-01-10", "2013-01-19", 2, 5, 0, 0, 0, "0"},
      {"2013-01-22", "2013-02-10", 1, 4, 22, 31, 50, "500"},  // 5 and 50.00 a day
      {"2013-01-22", "2013-02-10", 2, 1, 1, 10, 50, "500"},
      {"2013-02-05", "2013-02-20", 1, 5, 0, 0, 0, "0"},
      {"2013-01-01", "2013-03-31", 2, 6, 1, 28, 28 * 1.111111, "311.08"},
      {"2013-01-01", "2013-02-10", 1, 6, 1, 31, 31 * 2.439024, "756.09"},  // from the first day
      {"2013-01-01", "2013-01-15", 1, 1, 1, 15, 15 * 6.666667, "1000.05"},
      {"2013-01-20", "2013-01-31", 1, 3, 20, 31, 12 * 8.333333, "999.96"},
      {"2013-01-31", "2013-02-05", 1, 4, 31, 31, 16.666667, "166.67"},  // its first day is the last
      {"2013-01-31", "2013-02-05", 2, 1, 1, 5, 5 * 16.666667, "833.35"},
      {"2013-01-30", "2013-02-01", 1, 4, 30, 31, 2 * 0.333333, "66.66", 1, 100},
      {"2013-01-30", "2013-02-01", 2, 1, 1, 1, 0.333333, "33.33", 1, 100},
      {"2013-03-01", "2013-03-07", 3, 1, 1, 7, 7 * 0.142857, "0.98", 1, 1},
      {"2013-03-10", "2013-03-11", 3, 2, 10, 11, 0, "0.24", 0.000001, 250000},
      {"2013-03-10", "2013-03-11", 3, 2, 10, 11, 0.000004, "0.36", 0.000003, 116666.6667}};
  const char* dias[][3] = {{"2013-02-28", "2013-03-01", "500"},   // 2 days
                           {"2012-12-01", "2013-04-30", "6.62"},  // 151 days, 90 in the calendar
                           {"2012-11-01", "2012-12-31", "0"},
                           {"2013-01-10", "2013-01-09", "0"}};
  // Work A7 of January to March 2013 with one line of concept C-1 per case,
  // spread over the months by the calculation.
  Obra("A7", "'2013-01-01'", "'2013-03-31'");
  Partida("01");
  Concepto("C-1", prueba::kPU);
  int frente = 0;
  for (const auto& c : casos)
    Linea("01", std::to_string(++frente), "C-1", c.cantidad_linea, c.punit, c.inicio, c.final_);
  for (const auto& l : dias) Linea("01", std::to_string(++frente), "C-1", 100, 10, l[0], l[1]);
  const auto p = Calculada();
  std::vector<const PeriodosPorItem*> repartos;
  for (const Presup* l : *p->Obra->Partidas->Item(1)->Presups)
    repartos.push_back(l->PeriodosPorItem.get());
  for (size_t i = 0; i < std::size(casos); ++i) {
    const Caso& c = casos[i];
    SCOPED_TRACE(std::string(c.inicio) + " .. " + c.final_ + " in " + std::to_string(c.periodo));
    const PeriodoPorItem& s = *repartos[i]->Item(c.periodo);
    EXPECT_EQ(s.Caso, c.caso);
    EXPECT_EQ(s.d1, c.d1);
    EXPECT_EQ(s.d2, c.d2);
    EXPECT_DOUBLE_EQ(s.Cantidad, c.cantidad);
    EXPECT_EQ(s.Importe, M(c.importe)) << s.Importe.Texto();
    EXPECT_EQ(s.Duracion, F(c.final_) - F(c.inicio) + 1);
    EXPECT_EQ(s.P2, p->Periodos->Item(c.periodo)->Final);
  }
  for (size_t k = 0; k < std::size(dias); ++k) {
    const auto& l = dias[k];
    std::string todas, esperado;
    Moneda suma;
    for (const PeriodoPorItem* s : *repartos[std::size(casos) + k]) {
      todas += s->Dias.Texto();
      suma += s->Importe;
    }
    for (int32_t i = 0; i < 90; ++i) {
      esperado += F("2013-01-01") + i >= F(l[0]) && F("2013-01-01") + i <= F(l[1]) ? '1' : '0';
    }
    EXPECT_EQ(todas, esperado) << l[0];
    EXPECT_EQ(suma, M(l[2]) * std::count(esperado.begin(), esperado.end(), '1')) << l[0];
  }
}

// A list grown a day at a time past its inline word keeps every marker.
TEST(DiasTest, DaysAddedOneAtATimePastTheFirstWordsKeepTheirMarkers) {
  Dias lista;
  std::string esperado, errores;
  for (int32_t i = 1; i <= 150; ++i) {
    Dia d{nullptr, i % 7 == 0 || (i >= 60 && i <= 70)};
    lista.Add(d, errores);
    esperado += d.Barra ? '1' : '0';
  }
  lista.AgregaDias(10, 3, 4);
  esperado += "0011000000";
  EXPECT_EQ(lista.Texto(), esperado);
  EXPECT_EQ(errores, "");
  ASSERT_NE(lista.Item(70), nullptr);
  EXPECT_EQ(lista.Item(70)->Dias, &lista);
  EXPECT_TRUE(lista.Item(70)->Barra);
  EXPECT_FALSE(lista.Item(71)->Barra);
  EXPECT_EQ(lista.Item(161), nullptr);
}

// The row items of a budget line and the totals rows they add up to.

// Work A7 of January and February 2013 with one line of concept P-1 (4 units,
// 22 January to 10 February, 1,000.07), whose analysis has three materials,
// one labour input and one machine.
class ItemsFilaTest : public prueba::ObraCalculada {
 protected:
  void SetUp() override {
    Obra("A7", "'2013-01-01'", "'2013-02-28'");
    Partida("01");
    Concepto("P-1", prueba::kPU, 100);
    const std::pair<int, const char*> insumos[] = {{prueba::kMat, "2.5"},
                                                   {prueba::kMat, "1"},
                                                   {prueba::kMdo, "0.2"},
                                                   {prueba::kMat, "1.0 / 7"},
                                                   {prueba::kMaq, "0.05"}};
    for (size_t i = 0; i < std::size(insumos); ++i) {
      Concepto("I-" + std::to_string(i), insumos[i].first, 12.34 + static_cast<double>(i));
      Matriz("P-1", "I-" + std::to_string(i), insumos[i].second);
    }
    Linea("01", "", "P-1", 4, 250.0175, "2013-01-22", "2013-02-10");
    p_ = Calculada();
    presup_ = p_->Obra->Partidas->Item(1)->Presups->Item(1);
    items_.Presup = presup_;
  }

  std::unique_ptr<Programa> p_;
  Presup* presup_ = nullptr;
  ItemsFila items_;
};

TEST_F(ItemsFilaTest, OneItemPerSummaryEntryOfTheChosenKindOrOnlyTheDayOffsetsPerConcept) {
  presup_->Des.Inicio = Fecha::DesdeYmd(2013, 1, 1);
  presup_->Des.Final = Fecha::DesdeYmd(2013, 1, 10);
  std::string s;
  EXPECT_FALSE(items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s));
  EXPECT_EQ(s, "");
  EXPECT_EQ(items_.IdxInicio, 0);  // starts on the work's first day
  EXPECT_EQ(items_.IdxFinal, 9);
  ASSERT_EQ(items_.Count(), 3);
  // 2.5 per unit × 4 units over 10 days; the amount uses the line concept's cost.
  const ItemFila& m1 = *items_.Item(1);
  EXPECT_EQ(m1.NoDias, 10);
  EXPECT_DOUBLE_EQ(m1.CantidadTotal, 10);
  EXPECT_EQ(m1.ImporteTotal, Moneda::DesdeDouble(1000));
  EXPECT_DOUBLE_EQ(m1.CantidadPorDia, 1);
  EXPECT_EQ(m1.ImportePorDia, Moneda::DesdeDouble(100));
  const ItemFila& m3 = *items_.Item(3);  // 4/7 of a unit
  EXPECT_DOUBLE_EQ(m3.CantidadTotal, 0.571429);
  EXPECT_DOUBLE_EQ(m3.CantidadPorDia, 0.057143);
  EXPECT_EQ(m3.ImporteTotal, Moneda::DesdeDouble(57.14));
  EXPECT_EQ(m3.ImportePorDia, Moneda::DesdeDouble(5.71));

  // Quantity and amount variants walk the same summary; each call starts afresh.
  items_.CalculaDias(enumTipoPrograma::MaterialesCantidades, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 3);
  items_.CalculaDias(enumTipoPrograma::ManoDeObraCantidades, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 1);
  items_.CalculaDias(enumTipoPrograma::MaquinariaImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 1);
  EXPECT_DOUBLE_EQ(items_.Item(1)->CantidadTotal, 0.2);
  items_.CalculaDias(enumTipoPrograma::TotalImportes, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 0);

  // Per concept only the day offsets are set, from the line's own dates.
  presup_->Des.Inicio = Fecha::DesdeYmd(2013, 2, 1);
  presup_->Des.Final = Fecha::DesdeYmd(2013, 2, 28);
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 3);
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaConcepto, s);
  EXPECT_EQ(items_.IdxInicio, 31);
  EXPECT_EQ(items_.IdxFinal, 58);
  EXPECT_EQ(items_.Count(), 0);

  // A line that ends the day before it starts has no days: nothing to spread.
  presup_->Des.Final = Fecha::DesdeYmd(2013, 1, 31);
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 3);
  EXPECT_EQ(items_.Item(1)->NoDias, 0);
  EXPECT_TRUE(items_.Item(1)->ImporteTotal.EsCero() && items_.Item(1)->ImportePorDia.EsCero());
  EXPECT_EQ(s, "");
}

TEST_F(ItemsFilaTest, ItemsAndTotalsRowsSpreadOverTheLinesDaysAndAddUp) {
  std::string s;
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 3);
  const std::string dias = std::string(21, '0') + std::string(20, '1') + std::string(18, '0');
  for (const ItemFila* item : items_) {
    SCOPED_TRACE(item->Concepto->Des.Clave);
    ASSERT_EQ(item->Importes.size(), 2u);
    EXPECT_EQ(item->Importes[0] + item->Importes[1], item->Importe);
    EXPECT_NEAR(item->Cantidades[0] + item->Cantidades[1], item->Cantidad, 1e-9);
    EXPECT_EQ(item->DiasPorFila->Texto(), dias);
  }
  // 4/7 × 4 = 0.571429 at 0.028571 a day: January 10 days, February the rest.
  EXPECT_DOUBLE_EQ(items_.Item(3)->Cantidades[0], 0.28571);
  EXPECT_NEAR(items_.Item(3)->Cantidades[1], 0.285719, 1e-12);

  // Totals rows: kTotal the shares, the resource rows each kind spread the
  // same way, kTotalAcumulado the running sum.
  pmq::Partida seccion;
  FilasPrograma& f = *seccion.FPro;
  for (const bool cuadrar : {false, true}) {
    f.Inicia(2);
    f.Suma(*presup_, cuadrar);
    f.Acumula();
    const auto& total = f.Item("kTotal")->Importes;
    EXPECT_EQ(total[0], presup_->PeriodosPorItem->Item(1)->Importe);
    EXPECT_EQ(total[1], presup_->PeriodosPorItem->Item(2)->Importe);
    EXPECT_EQ(f.Item("kTotalAcumulado")->Importes[1], total[0] + total[1]);
    Moneda materiales;
    const auto resumen = presup_->Explosion->ResumenMat();
    for (const ItemExplosion& e : *resumen) materiales += e.Parcial;
    const auto& mat = f.Item("kTotalMateriales")->Importes;
    EXPECT_EQ(mat[0], Reparto::ImporteDiario(materiales, 20) * 10);
    ASSERT_FALSE(materiales.EsCero());
    if (cuadrar) {
      EXPECT_EQ(mat[0] + mat[1], materiales);
    }
    EXPECT_TRUE(f.Item("kTotalSubcontratos")->Importes[1].EsCero());
  }

  // Squaring the shares: 1,000.07 at 50.00 a day gives 1,000.00 over the two
  // months; February takes the 0.07.
  Reparto::CuadraPartes(*presup_->PeriodosPorItem, presup_->Des.Importe, presup_->Des.Cantidad);
  EXPECT_EQ(presup_->PeriodosPorItem->Item(1)->Importe, Moneda::DesdeDouble(500));
  EXPECT_EQ(presup_->PeriodosPorItem->Item(2)->Importe, Moneda::DesdeDouble(500.07));
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace pmq
