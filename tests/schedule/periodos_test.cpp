#include "modelo_a_mano.h"

#include "common/fecha.h"

#include <gtest/gtest.h>

#include <vector>

namespace pmq {
namespace {

Fecha F(const char* iso) { return Fecha::DesdeIso(iso); }

struct PeriodoEsperado {
  const char* inicio;
  int32_t duracion;
  int32_t idx_ini;
  int32_t idx_fin;
};

struct CasoCalendario {
  const char* inicio;
  const char* final_;
  int32_t dias_obra;
  std::vector<PeriodoEsperado> periodos;
};

// Every period is a whole month, numbered on from the one before it.
void RevisaInvariantes(const Periodos& cal) {
  const Periodo* anterior = nullptr;
  for (const Periodo* p : cal) {
    EXPECT_EQ(p->Periodos, &cal);
    EXPECT_EQ(p->Inicio, p->Inicio.PrimeroDeMes());
    EXPECT_EQ(p->Final, p->Inicio.UltimoDeMes());
    EXPECT_EQ(p->Final - p->Inicio + 1, p->Duracion);
    EXPECT_EQ(p->IdxFin - p->IdxIni + 1, p->Duracion);
    EXPECT_EQ(p->Hoja, 0);
    EXPECT_EQ(p->Offset, 0);
    if (anterior != nullptr) {
      EXPECT_EQ(p->IdxIni, anterior->IdxFin + 1);
      EXPECT_EQ(p->Inicio, anterior->Final + 1);
    } else {
      EXPECT_EQ(p->IdxIni, 1);
    }
    anterior = p;
  }
}

TEST(Periodos, OnePeriodPerCalendarMonthFromStartMonthToEndMonth) {
  const std::vector<CasoCalendario> casos = {
      {"2013-01-01", "2013-01-31", 31, {{"2013-01-01", 31, 1, 31}}},
      {"2013-12-15", "2014-02-10", 58,
       {{"2013-12-01", 31, 1, 31}, {"2014-01-01", 31, 32, 62}, {"2014-02-01", 28, 63, 90}}},
      // Shorter than March, still two months.
      {"2013-03-15", "2013-04-10", 27, {{"2013-03-01", 31, 1, 31}, {"2013-04-01", 30, 32, 61}}},
      {"2012-02-03", "2012-02-20", 18, {{"2012-02-01", 29, 1, 29}}},
      {"2013-02-03", "2013-02-20", 18, {{"2013-02-01", 28, 1, 28}}},
      {"2013-06-30", "2013-06-30", 1, {{"2013-06-01", 30, 1, 30}}},
      {"2011-11-30", "2013-01-01", 399, {}},  // 15 months; checked by count below
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.inicio) + " .. " + c.final_);
    prueba::ModeloAMano m;
    EXPECT_EQ(m.Calendario(F(c.inicio), F(c.final_)), "");
    EXPECT_EQ(m.Obra().DiasObra, c.dias_obra);
    RevisaInvariantes(m.Periodos());
    if (c.periodos.empty()) {
      EXPECT_EQ(m.Periodos().Count(), 15);
      EXPECT_EQ(m.Periodos().Item(15)->Final, F("2013-01-31"));
      continue;
    }
    ASSERT_EQ(m.Periodos().Count(), static_cast<int32_t>(c.periodos.size()));
    for (size_t k = 0; k < c.periodos.size(); ++k) {
      const Periodo* p = m.Periodos().Item(static_cast<int64_t>(k + 1));
      ASSERT_NE(p, nullptr);
      EXPECT_EQ(p->Inicio.Iso(), c.periodos[k].inicio);
      EXPECT_EQ(p->Duracion, c.periodos[k].duracion);
      EXPECT_EQ(p->IdxIni, c.periodos[k].idx_ini);
      EXPECT_EQ(p->IdxFin, c.periodos[k].idx_fin);
    }
  }
}

TEST(Periodos, NoCalendarForAWorkOfNoDaysOrAFortnightlyPeriodType) {
  prueba::ModeloAMano al_reves;
  EXPECT_EQ(al_reves.Calendario(F("2013-03-10"), F("2013-03-01")), "");
  EXPECT_EQ(al_reves.Obra().DiasObra, -8);
  EXPECT_EQ(al_reves.Periodos().Count(), 0);

  // A work without an end date (unset) is not a calendar either.
  prueba::ModeloAMano sin_final;
  EXPECT_EQ(sin_final.Calendario(F("2013-03-10"), Fecha()), "");
  EXPECT_LE(sin_final.Obra().DiasObra, 0);
  EXPECT_EQ(sin_final.Periodos().Count(), 0);

  prueba::ModeloAMano quincenal;
  quincenal.programa.TipoPeriodo = enumQuincenal;
  EXPECT_EQ(quincenal.Calendario(F("2013-01-01"), F("2013-03-31")), "");
  EXPECT_EQ(quincenal.Obra().DiasObra, 90);
  std::string s;
  EXPECT_EQ(quincenal.Periodos().Count(s), 0);
  EXPECT_EQ(s, "");
}

TEST(Periodos, WithoutRootLinkNothingHappens) {
  prueba::ModeloAMano m;
  m.Obra().Des.Inicio = F("2013-01-01");
  m.Obra().Des.Final = F("2013-01-31");
  m.Obra().DiasObra = 7;
  m.Periodos().Programa = nullptr;
  std::string s;
  m.Periodos().GeneraPeriodos(s);
  EXPECT_EQ(s, "");
  EXPECT_EQ(m.Obra().DiasObra, 7);
  EXPECT_EQ(m.Periodos().Count(), 0);
}

TEST(Periodos, ItemOutsideTheCalendarOrByTextIsEmptyAndSilent) {
  prueba::ModeloAMano m;
  m.Calendario(F("2013-01-05"), F("2013-02-05"));
  ASSERT_EQ(m.Periodos().Count(), 2);
  EXPECT_EQ(m.Periodos().Item(0), nullptr);
  EXPECT_EQ(m.Periodos().Item(3), nullptr);
  EXPECT_EQ(m.Periodos().Item(-1), nullptr);
  EXPECT_EQ(m.Periodos().Item("1"), nullptr);
  EXPECT_NE(m.Periodos().Item(2), nullptr);
}

TEST(Periodos, ASecondBuildAppendsAndKeepsNumbering) {
  prueba::ModeloAMano m;
  m.Calendario(F("2013-01-05"), F("2013-02-05"));
  m.Calendario(F("2013-05-01"), F("2013-05-02"));
  ASSERT_EQ(m.Periodos().Count(), 3);
  EXPECT_EQ(m.Obra().DiasObra, 2);
  const Periodo* mayo = m.Periodos().Item(3);
  EXPECT_EQ(mayo->Inicio, F("2013-05-01"));
  EXPECT_EQ(mayo->IdxIni, 60);
  EXPECT_EQ(mayo->IdxFin, 90);
}

TEST(Periodos, DaysOfAMonthFollowTheCalendar) {
  Periodos cal;
  std::string s;
  EXPECT_EQ(cal.DiasDelMes(2, 2012, s), 29);
  EXPECT_EQ(cal.DiasDelMes(2, 2013, s), 28);
  EXPECT_EQ(cal.DiasDelMes(2, 2000, s), 29);
  EXPECT_EQ(cal.DiasDelMes(2, 1900, s), 28);
  EXPECT_EQ(cal.DiasDelMes(12, 2013, s), 31);
  EXPECT_EQ(cal.DiasDelMes(4, 2013, s), 30);
  EXPECT_EQ(s, "");
  EXPECT_EQ(cal.DiasDelMes(13, 2013, s), 0);
  EXPECT_EQ(s.rfind("ProMorlaQel.Periodos.DiasDelMes() arrojó la excepción # 13 ", 0), 0u) << s;
  EXPECT_EQ(s.back(), '\n');
}

}  // namespace
}  // namespace pmq
