#include "modelo_a_mano.h"

#include <gtest/gtest.h>

#include <vector>

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
    EXPECT_EQ(p->Periodos, &cal);
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

TEST(Periodos, OnePeriodPerCalendarMonthOfTheWork) {
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
      {"2013-03-10", "2013-03-01", enumMensual, -8, ""},    // ends before it starts
      {"2013-01-01", "2013-03-31", enumQuincenal, 90, ""},  // no fortnightly calendar
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.inicio) + " .. " + c.final_);
    prueba::ModeloAMano m;
    m.programa.TipoPeriodo = c.tipo;
    EXPECT_EQ(m.Calendario(F(c.inicio), F(c.final_)), "");
    EXPECT_EQ(m.Obra().DiasObra, c.dias_obra);
    EXPECT_EQ(Calendario(m.Periodos()), c.calendario);
  }
  prueba::ModeloAMano largo;  // 15 months across a leap year
  largo.Calendario(F("2011-11-30"), F("2013-01-01"));
  EXPECT_EQ(largo.Obra().DiasObra, 399);
  ASSERT_EQ(largo.Periodos().Count(), 15);
  EXPECT_EQ(largo.Periodos().Item(4)->Duracion, 29);
  EXPECT_EQ(largo.Periodos().Item(15)->IdxFin, 458);
}

TEST(Periodos, LookupsOutsideTheCalendarAndBadMonthsFailQuietlyOrWithTheirMessage) {
  prueba::ModeloAMano m;
  m.Calendario(F("2013-01-05"), F("2013-02-05"));
  EXPECT_EQ(m.Periodos().Item(0), nullptr);
  EXPECT_EQ(m.Periodos().Item(3), nullptr);
  EXPECT_EQ(m.Periodos().Item("1"), nullptr);
  std::string s;
  EXPECT_EQ(m.Periodos().Count(s), 2);
  EXPECT_EQ(m.Periodos().DiasDelMes(2, 2000, s) + m.Periodos().DiasDelMes(2, 1900, s), 29 + 28);
  EXPECT_EQ(s, "");
  EXPECT_EQ(m.Periodos().DiasDelMes(13, 2013, s), 0);
  EXPECT_EQ(s.rfind("ProMorlaQel.Periodos.DiasDelMes() arrojó la excepción # 13 ", 0), 0u) << s;
  // A second build appends behind the first and numbers on.
  m.Calendario(F("2013-05-01"), F("2013-05-02"));
  const std::string t = Calendario(m.Periodos());
  EXPECT_EQ(t.substr(t.rfind("2013-05-01")), "2013-05-01..2013-05-31 60-90");
}

}  // namespace
}  // namespace pmq
