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
      {"2013-03-10", "2013-03-01", enumQuincenal, -8, ""},
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

}  // namespace
}  // namespace pmq
