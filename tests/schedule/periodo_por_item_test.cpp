#include "modelo_a_mano.h"

#include "common/redondeo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pmq {
namespace {

Fecha F(const char* iso) { return Fecha::DesdeIso(iso); }
Moneda M(const char* texto) { return Moneda::DesdeTexto(texto); }

constexpr std::string_view kPrefijo = "ProMorlaQel.PeriodoPorItem.AgregaDias() arrojó la excepción # ";

// A calendar of January to March 2013 and lines spread over it the way the
// line loader does: one share per period, linked before it is computed.
class Reparto : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(m_.Calendario(F("2013-01-01"), F("2013-03-31")), ""); }

  PeriodosPorItem& Reparte(const char* inicio, const char* final_, double cantidad = 100,
                           const char* importe = "1000") {
    Presup& l = m_.Linea("F" + std::to_string(++lineas_), "C-1", F(inicio), F(final_), cantidad, M(importe));
    auto ppi = std::make_unique<PeriodosPorItem>();
    ppi->Presup = &l;
    for (int32_t k = 1; k <= m_.Periodos().Count(); ++k) {
      auto s = std::make_unique<PeriodoPorItem>();
      s->PeriodosPorItem = ppi.get();
      s->AgregaDias(k, errores_);
      ppi->Add(std::move(s), errores_);
    }
    repartos_.push_back(std::move(ppi));
    return *repartos_.back();
  }

  static std::string Marcas(int32_t n, int32_t d1, int32_t d2) {
    std::string t;
    for (int32_t i = 1; i <= n; ++i) t += (i >= d1 && i <= d2) ? '1' : '0';
    return t;
  }

  void Revisa(const PeriodoPorItem& s, int32_t caso, int32_t d1, int32_t d2, double cantidad,
              const char* importe) {
    EXPECT_EQ(s.Caso, caso);
    EXPECT_EQ(s.d1, d1);
    EXPECT_EQ(s.d2, d2);
    EXPECT_DOUBLE_EQ(s.Cantidad, cantidad);
    EXPECT_EQ(s.Importe, M(importe)) << s.Importe.Texto();
    ASSERT_NE(s.PeriodosPorItem, nullptr);
    const Periodo* p = nullptr;
    for (int32_t k = 1; k <= s.PeriodosPorItem->Count(); ++k) {
      if (s.PeriodosPorItem->Item(k) == &s) p = m_.Periodos().Item(k);
    }
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(s.P1, p->Inicio);
    EXPECT_EQ(s.P2, p->Final);
    EXPECT_EQ(s.Dias.PeriodoPorItem, &s);
    EXPECT_EQ(s.Dias.Texto(), caso == 5 ? Marcas(p->Duracion, 1, 0) : Marcas(p->Duracion, d1, d2));
  }

  prueba::ModeloAMano m_;
  std::string errores_;
  int lineas_ = 0;
  std::vector<std::unique_ptr<PeriodosPorItem>> repartos_;
};

TEST_F(Reparto, TheSixOverlapCases) {
  auto& dentro = Reparte("2013-01-10", "2013-01-19");  // 10 days: 10 and 100.00 a day
  EXPECT_EQ(dentro.Item(1)->Duracion, 10);
  EXPECT_EQ(dentro.Item(1)->f1, F("2013-01-10"));
  EXPECT_EQ(dentro.Item(1)->f2, F("2013-01-19"));
  Revisa(*dentro.Item(1), 2, 10, 19, 100, "1000");
  Revisa(*dentro.Item(2), 5, 0, 0, 0, "0");

  auto& cruza = Reparte("2013-01-22", "2013-02-10");  // 20 days: 5 and 50.00 a day
  Revisa(*cruza.Item(1), 4, 22, 31, 50, "500");
  Revisa(*cruza.Item(2), 1, 1, 10, 50, "500");
  Revisa(*cruza.Item(3), 5, 0, 0, 0, "0");

  auto& despues = Reparte("2013-02-05", "2013-02-20");
  Revisa(*despues.Item(1), 5, 0, 0, 0, "0");
  EXPECT_EQ(despues.Item(1)->Dias.Count(), 31);

  auto& todo = Reparte("2013-01-01", "2013-03-31");
  Revisa(*todo.Item(2), 6, 1, 28, 28 * 1.111111, "311.08");
  EXPECT_EQ(todo.Item(2)->Dias.Texto(), std::string(28, '1'));

  Revisa(*Reparte("2013-01-01", "2013-01-15").Item(1), 1, 1, 15, 15 * 6.666667, "1000.05");
  Revisa(*Reparte("2013-01-20", "2013-01-31").Item(1), 3, 20, 31, 12 * 8.333333, "999.96");

  // Starting on the period's last day: that one day only.
  auto& ultimo = Reparte("2013-01-31", "2013-02-05", 6, "60");
  Revisa(*ultimo.Item(1), 4, 31, 31, 1, "10");
  Revisa(*ultimo.Item(2), 1, 1, 5, 5, "50");
  EXPECT_EQ(errores_, "");
}

TEST_F(Reparto, PerDayValuesAreRoundedHalvesToEvenAndAmountsAddInCurrency) {
  auto& tercios = Reparte("2013-01-30", "2013-02-01", 1, "100");
  EXPECT_EQ(tercios.Item(1)->Importe, M("66.66"));
  EXPECT_EQ(tercios.Item(2)->Importe, M("33.33"));
  EXPECT_EQ(tercios.Item(1)->Importe + tercios.Item(2)->Importe, M("99.99"));

  auto& septimos = Reparte("2013-03-01", "2013-03-07", 1, "1");
  EXPECT_DOUBLE_EQ(septimos.Item(3)->Cantidad, 7 * 0.142857);
  EXPECT_EQ(septimos.Item(3)->Importe, M("0.98"));  // 0.142857... a day rounds to 0.14

  // 0.125 a day: an exact half goes to the even cent (0.12), unlike the line
  // amount's rounding, which would give 0.13.
  auto& mitad = Reparte("2013-03-10", "2013-03-11", 0.000001, "0.25");
  EXPECT_EQ(mitad.Item(3)->Importe, M("0.24"));
  EXPECT_DOUBLE_EQ(mitad.Item(3)->Cantidad, 0);  // 0.0000005 a day: the half goes to 0
  auto& mitad_impar = Reparte("2013-03-10", "2013-03-11", 0.000003, "0.35");
  EXPECT_EQ(mitad_impar.Item(3)->Importe, M("0.36"));  // 0.175 → 0.18
  EXPECT_DOUBLE_EQ(mitad_impar.Item(3)->Cantidad, 0.000004);  // 0.0000015 → 0.000002
  EXPECT_EQ(errores_, "");
}

// Over the whole calendar the markers of a line are set exactly on its days.
TEST_F(Reparto, MarkersOverAllPeriodsCoverExactlyTheLinesDays) {
  const char* lineas[][2] = {{"2013-01-01", "2013-01-01"}, {"2013-01-31", "2013-02-01"},
                             {"2013-02-28", "2013-03-01"}, {"2012-12-01", "2013-04-30"},
                             {"2013-03-31", "2013-03-31"}, {"2012-11-01", "2012-12-31"}};
  const Fecha dia1 = F("2013-01-01");
  for (const auto& l : lineas) {
    SCOPED_TRACE(std::string(l[0]) + " .. " + l[1]);
    const auto& ppi = Reparte(l[0], l[1]);
    ASSERT_EQ(ppi.Count(), 3);
    std::string todas;
    Moneda suma;
    for (const PeriodoPorItem* s : ppi) {
      todas += s->Dias.Texto();
      suma += s->Importe;
    }
    std::string esperado;
    int32_t dias_en_calendario = 0;
    for (int32_t i = 0; i < 90; ++i) {
      const bool dentro = dia1 + i >= F(l[0]) && dia1 + i <= F(l[1]);
      esperado += dentro ? '1' : '0';
      dias_en_calendario += dentro ? 1 : 0;
    }
    EXPECT_EQ(todas, esperado);
    const Presup& p = *ppi.Presup;
    const int32_t duracion = p.Des.Final - p.Des.Inicio + 1;
    const Moneda diario = Moneda::DesdeDouble(RedondeaPar(1000.0 / duracion, 2));
    EXPECT_EQ(suma, diario * dias_en_calendario);
  }
}

TEST_F(Reparto, LineEndingBeforeItStartsContributesNoDay) {
  // One day before its start: no days, per-day values 0.
  auto& cero = Reparte("2013-01-10", "2013-01-09");
  EXPECT_EQ(cero.Item(1)->Duracion, 0);
  EXPECT_EQ(cero.Item(1)->Importe, Moneda());
  EXPECT_DOUBLE_EQ(cero.Item(1)->Cantidad, 0);
  for (const PeriodoPorItem* s : cero) EXPECT_EQ(s->Dias.Texto().find('1'), std::string::npos);

  auto& negativa = Reparte("2013-01-20", "2013-01-10");
  EXPECT_EQ(negativa.Item(1)->Duracion, -9);
  EXPECT_EQ(negativa.Item(1)->Dias.Texto().find('1'), std::string::npos);
  EXPECT_EQ(errores_, "");
}

TEST_F(Reparto, PeriodBeyondTheCalendarLeavesTheShareUntouched) {
  Presup& l = m_.Linea("X", "C-1", F("2013-01-01"), F("2013-01-31"), 1, M("1"));
  PeriodosPorItem ppi;
  ppi.Presup = &l;
  PeriodoPorItem s;
  s.PeriodosPorItem = &ppi;
  std::string e;
  s.AgregaDias(4, e);
  s.AgregaDias(0, e);
  EXPECT_EQ(e, "");
  EXPECT_EQ(s.Caso, 0);
  EXPECT_TRUE(s.f1.EsNula() && s.P1.EsNula());
  EXPECT_EQ(s.Dias.Count(), 0);
  EXPECT_EQ(s.Dias.PeriodoPorItem, nullptr);
}

TEST_F(Reparto, UnlinkedShareReportsAndIsStillAppended) {
  PeriodosPorItem ppi;  // no line
  auto s = std::make_unique<PeriodoPorItem>();
  std::string e = "antes\n";
  s->AgregaDias(1, e);  // no collection link
  EXPECT_EQ(e.rfind("antes\n", 0), 0u);
  EXPECT_EQ(e.find(kPrefijo), 6u) << e;
  s->PeriodosPorItem = &ppi;
  s->AgregaDias(1, e);  // collection without its line
  EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 3);
  ppi.Add(std::move(s), e);
  ASSERT_EQ(ppi.Count(), 1);
  EXPECT_EQ(ppi.Item(1)->PeriodosPorItem, &ppi);
  EXPECT_EQ(ppi.Item(2), nullptr);
  EXPECT_EQ(ppi.Item(0), nullptr);
  ppi.Add(nullptr, e);
  EXPECT_NE(e.find("ProMorlaQel.PeriodosPorItem.Add() arrojó la excepción # 91 "), std::string::npos) << e;
  EXPECT_EQ(ppi.Count(), 1);
}

}  // namespace
}  // namespace pmq
