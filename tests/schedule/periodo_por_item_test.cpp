#include "modelo_a_mano.h"

#include "common/redondeo.h"
#include "schedule/periodos_por_item.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pmq {
namespace {

Fecha F(const char* iso) {
  return Fecha::DesdeIso(iso);
}
Moneda M(const char* texto) {
  return Moneda::DesdeTexto(texto);
}

// A calendar of January to March 2013 and lines spread over it the way the
// line loader does: one share per period, linked before it is computed.
class Reparto : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(m_.Calendario(F("2013-01-01"), F("2013-03-31")), ""); }

  PeriodosPorItem& Reparte(const char* inicio, const char* final_, double cantidad = 100,
                           const char* importe = "1000") {
    auto ppi = std::make_unique<PeriodosPorItem>();
    ppi->Presup = &m_.Linea(std::to_string(repartos_.size()), "C-1", F(inicio), F(final_), cantidad,
                            M(importe));
    for (int32_t k = 1; k <= m_.Periodos().Count(); ++k) {
      auto s = std::make_unique<PeriodoPorItem>();
      s->PeriodosPorItem = ppi.get();
      s->AgregaDias(k, errores_);
      ppi->Add(std::move(s), errores_);
    }
    repartos_.push_back(std::move(ppi));
    return *repartos_.back();
  }

  prueba::ModeloAMano m_;
  std::string errores_;
  std::vector<std::unique_ptr<PeriodosPorItem>> repartos_;
};

TEST_F(Reparto, TheSixOverlapCases) {
  struct Caso {
    const char *inicio, *final_;
    int32_t periodo, caso, d1, d2;
    double cantidad;
    const char* importe;
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
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.inicio) + " .. " + c.final_ + " in " + std::to_string(c.periodo));
    const PeriodoPorItem& s = *Reparte(c.inicio, c.final_).Item(c.periodo);
    const Periodo& p = *m_.Periodos().Item(c.periodo);
    EXPECT_EQ(s.Caso, c.caso);
    EXPECT_EQ(s.d1, c.d1);
    EXPECT_EQ(s.d2, c.d2);
    EXPECT_DOUBLE_EQ(s.Cantidad, c.cantidad);
    EXPECT_EQ(s.Importe, M(c.importe)) << s.Importe.Texto();
    EXPECT_EQ(s.f1, F(c.inicio));
    EXPECT_EQ(s.Duracion, F(c.final_) - F(c.inicio) + 1);
    EXPECT_EQ(s.P1, p.Inicio);
    EXPECT_EQ(s.P2, p.Final);
    std::string marcas;
    for (int32_t i = 1; i <= p.Duracion; ++i)
      marcas += (c.caso != 5 && i >= c.d1 && i <= c.d2) ? '1' : '0';
    EXPECT_EQ(s.Dias.Texto(), marcas);
  }
  EXPECT_EQ(errores_, "");
}

TEST_F(Reparto, PerDayValuesRoundHalvesToEven) {
  auto& tercios = Reparte("2013-01-30", "2013-02-01", 1, "100");
  EXPECT_EQ(tercios.Item(1)->Importe, M("66.66"));
  EXPECT_EQ(tercios.Item(2)->Importe, M("33.33"));
  auto& septimos = Reparte("2013-03-01", "2013-03-07", 1, "1");
  EXPECT_DOUBLE_EQ(septimos.Item(3)->Cantidad, 7 * 0.142857);
  EXPECT_EQ(septimos.Item(3)->Importe, M("0.98"));
  // Exact halves go to the even neighbour: 0.125 → 0.12, 0.175 → 0.18,
  // 0.0000005 → 0, 0.0000015 → 0.000002.
  auto& par = Reparte("2013-03-10", "2013-03-11", 0.000001, "0.25");
  EXPECT_EQ(par.Item(3)->Importe, M("0.24"));
  EXPECT_DOUBLE_EQ(par.Item(3)->Cantidad, 0);
  auto& impar = Reparte("2013-03-10", "2013-03-11", 0.000003, "0.35");
  EXPECT_EQ(impar.Item(3)->Importe, M("0.36"));
  EXPECT_DOUBLE_EQ(impar.Item(3)->Cantidad, 0.000004);
  EXPECT_EQ(errores_, "");
}

// Over the calendar a line's markers are set exactly on its days, and its
// amounts add up to its days in the calendar times the rounded daily amount.
TEST_F(Reparto, MarkersOverAllPeriodsCoverExactlyTheLinesDays) {
  const char* lineas[][3] = {{"2013-02-28", "2013-03-01", "500"},   // 2 days
                             {"2012-12-01", "2013-04-30", "6.62"},  // 151 days, 90 in the calendar
                             {"2012-11-01", "2012-12-31", "0"},
                             {"2013-01-10", "2013-01-09", "0"}};
  for (const auto& l : lineas) {
    std::string todas, esperado;
    Moneda suma;
    for (const PeriodoPorItem* s : Reparte(l[0], l[1])) {
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

}  // namespace
}  // namespace pmq
