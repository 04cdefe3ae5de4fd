#include "model/partidas.h"
#include "apoyo/obra_calculada.h"
#include "estimates/estimaciones.h"
#include "model/partida.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

using prueba::Ocurrencias;

class Partidas_ : public prueba::ObraCalculada {
 protected:
  void SetUp() override { Obra(); }
};

TEST_F(Partidas_, SectionsLoadInCodeOrderAndTheTotalIsTheSumOfStoredAmounts) {
  Sql("insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, PI_F, PT_F, IMPORTE) values "
      "('A7','03','Tres',NULL,'2013-04-01','2013-04-30',0.25),"
      "('A7','01','Uno','Uno largo','2013-03-15',NULL,100.50),"
      "('A7','02','Dos','',NULL,'2013-05-10',200),('B8','01','Otra obra',NULL,NULL,NULL,999)");
  // The sections' own amounts stay as stored whatever their lines add up to.
  Concepto("C-1", prueba::kMat, 1);
  Linea("01", "", "C-1", 5, 7);
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  const pmq::Obra& o = *p->Obra;
  ASSERT_EQ(o.Partidas->Count(), 3);
  EXPECT_EQ(o.ImporteTotal.Texto(), "300.75");
  const pmq::Partida* uno = o.Partidas->Item(1);
  EXPECT_EQ(o.Partidas->Item("kA701"), uno);
  EXPECT_EQ(o.Partidas->Item("KA703"), o.Partidas->Item(3));
  EXPECT_EQ(uno->Des.Importe.Texto(), "100.5");
  // Long name only when filled; a null date is today.
  EXPECT_EQ(uno->Des.Descripcion, "Uno largo");
  EXPECT_EQ(o.Partidas->Item(2)->Des.Descripcion, "Dos");
  EXPECT_EQ(uno->Des.Final, Fecha::Hoy());
  EXPECT_EQ(o.Partidas->Item(2)->Des.Inicio, Fecha::Hoy());
  EXPECT_EQ(o.Partidas->Item(2)->Des.Final.Iso(), "2013-05-10");
  EXPECT_EQ(uno->Presups->Item(1)->Des.Importe.Texto(), "35");
  auto corto = Raiz();
  corto->NombreLargoPartida = false;
  EXPECT_EQ(Calcula(std::move(corto))->Obra->Partidas->Item(1)->Des.Descripcion, "Uno");
}

TEST_F(Partidas_, ANullAmountStopsTheLoadAndKeepsTheSectionsAlreadyRead) {
  Sql("insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values "
      "('A7','01','Uno',1),('A7','02','Dos',NULL),('A7','03','Tres',3)");
  auto p = Calculada();
  EXPECT_EQ(errores_,
            "ProMorlaQel.Partidas.Carga() arrojó la excepción # 94 Uso no válido de Null\n");
  EXPECT_EQ(p->Obra->Partidas->Count(), 1);
  EXPECT_EQ(p->Obra->ImporteTotal.Texto(), "1");
}

TEST_F(Partidas_, ASectionWhoseKeyIsTakenIsLeftOutButItsLinesStillLoad) {
  // Keys ignore case: section "a" collides with section "A".
  Sql("insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values "
      "('A7','A','Mayúscula',1),('A7','a','Minúscula',2),('A7','b','Otra',4);"
      "insert into PRESUPS (OBRA, PARTIDA, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN) values "
      "('A7','a','C-1',1,NULL,1,1)");
  auto p = Calculada();
  const Partidas& ps = *p->Obra->Partidas;
  ASSERT_EQ(ps.Count(), 2);
  EXPECT_EQ(ps.Item(2)->Des.Clave, "b");
  EXPECT_EQ(Ocurrencias(errores_, "ProMorlaQel.Partidas.AddByObject() arrojó la excepción # 457 "),
            1);
  // The rejected section's line was read: its null unit price failed the line load.
  EXPECT_EQ(Ocurrencias(errores_, "ProMorlaQel.Presups.Carga() arrojó la excepción # 94 "), 1);
  EXPECT_EQ(p->Obra->ImporteTotal.Texto(), "7");
}

// An outdated line table: one warning, result 2, the sections before stay,
// their lines and the estimates are not loaded.
TEST_F(Partidas_, AnOutdatedDatabaseWarnsOnceAndStopsInTheSectionThatMeetsIt) {
  Sql("alter table PRESUPS drop column ADITIVA;"
      "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values "
      "('A7','01','Sin líneas',1),('A7','02','Con línea',2),('A7','03','Nunca leída',3);"
      "insert into PRESUPS (OBRA, PARTIDA, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN) values "
      "('A7','02','C-1',1,1,1,1),('A7','03','C-1',1,1,1,1);"
      "insert into EST1 (OBRA, ESTIMACION, DEDUC_EST, AMORT_EST, IVA_AMORT) values "
      "('A7',1,0,0,0)");
  auto p = Calculada("A7", ResultadoCarga::Desactualizada);
  EXPECT_EQ(errores_, "");
  ASSERT_EQ(p->Obra->Partidas->Count(), 2);
  EXPECT_EQ(p->Obra->Partidas->Item(2)->Presups->Count(), 0);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].titulo, "ControlQel");
  EXPECT_EQ(host_.mensajes[0].estilo, 48);
  EXPECT_EQ(Mensajes("Parece ser que la versión de la base de datos no es la que se esperaba. "
                     "Verifique que la base de datos sea actualizada con la última versión del "
                     "MorlaQel."),
            1);
  EXPECT_EQ(p->Obra->ImporteTotal.Texto(), "3");
  EXPECT_EQ(p->Obra->Estimaciones->Count(), 0);
}

}  // namespace
}  // namespace pmq
