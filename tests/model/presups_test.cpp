#include "model/presups.h"
#include "catalogue/concepto.h"
#include "catalogue/explosion.h"
#include "catalogue/explosion_presup.h"
#include "catalogue/item_explosion.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones.h"
#include "estimates/estimaciones_presup.h"
#include "model/base_obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"

namespace pmq {
namespace {

using prueba::BaseObra;
using prueba::Ocurrencias;

class Presups_ : public BaseObra {
 protected:
  void SetUp() override {
    BaseObra::SetUp();
    base_->Ejecuta(
        "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PI_F, PT_F, IMPORTE) values "
        "('A7','01','Preliminares','2013-03-15','2013-04-30',1000);"
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, NOM_LARGO, TIPO) values "
        "('C-1','m2',10,'Firme','Firme de concreto',1),('C-2','pza',3,'Pieza',NULL,1);");
  }

  /// Inserts lines of section 01 of work A7: each tuple is
  /// (FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN) as SQL literals.
  void Lineas(std::string_view valores) {
    base_->Ejecuta(
        "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, "
        "FECHA_INI, FECHA_FIN) select 'A7', '01', f, c, q, pu, imp, o, '2013-03-20', '2013-04-19' "
        "from (" +
        std::string(valores) + ")");
  }

  const Presups& LineasCargadas(const Programa& p) const {
    return *p.Obra->Partidas->Item(1)->Presups;
  }
};

TEST_F(Presups_, AmountsAreRecomputedWithCentRoundingThatTakesHalvesUp) {
  Lineas(
      "select 'F1' f, 'C-1' c, 1.0 q, 0.125 pu, 99 imp, 3 o union all "
      "select 'F2', 'C-1', 3.3335, 10, 0, 1 union all "
      "select 'F3', 'C-2', 2.5, 0.5, 0, 2");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(Calcula(*p), "");
  const Presups& ls = LineasCargadas(*p);
  ASSERT_EQ(ls.Count(), 3);
  // Stored order is ORDEN.
  EXPECT_EQ(ls.Item(1)->Des.Frente, "F2");
  EXPECT_EQ(ls.Item(1)->Des.Importe.Texto(), "33.34");
  EXPECT_EQ(ls.Item(2)->Des.Importe.Texto(), "1.25");
  EXPECT_EQ(ls.Item(3)->Des.Importe.Texto(), "0.13");
  EXPECT_EQ(ls.Item(3)->Des.Costo.Texto(), "0.125");
  // Identity, activity and what the concept lends the line.
  const Presup& l = *ls.Item(1);
  EXPECT_EQ(l.Des.Clave, "A701F2C-1");
  EXPECT_EQ(ls.Item("ka701f2c-1"), &l);
  EXPECT_EQ(l.Des.Actividad, "C-1F2");
  EXPECT_EQ(l.Des.Descripcion, "Firme de concreto");
  EXPECT_EQ(l.Des.Unidad, "m2");
  EXPECT_EQ(l.Concepto, p->Conceptos->Item("kC-1"));
  EXPECT_EQ(l.Des.Parent, &l);
  EXPECT_EQ(l.Presups, &ls);
  EXPECT_EQ(l.Des.Inicio.Iso(), "2013-03-20");
  EXPECT_EQ(l.Des.Final.Iso(), "2013-04-19");
  EXPECT_EQ(ls.Programa(s), p.get());
  // The host processed its events after every line, told which section loads.
  EXPECT_EQ(Ocurrencias(::testing::PrintToString(host_.progresos), "Partida 01 "), 3);
  EXPECT_NE(std::find(host_.progresos.begin(), host_.progresos.end(), "Partida 01 3/3"),
            host_.progresos.end());
}

TEST_F(Presups_, AConceptMissingFromTheCatalogueKeepsTheStoredAmount) {
  Lineas("select '' f, 'NO-EXISTE' c, 4.0 q, 2.5 pu, 10.555 imp, 1 o");
  base_->Ejecuta(
      "update PRESUPS set CANT_PRES = NULL, ADITIVA = 2, DEDUCTIVA = NULL, FECHA_INI = NULL");
  auto p = Raiz();
  EXPECT_EQ(Calcula(*p), "");
  ASSERT_EQ(LineasCargadas(*p).Count(), 1);
  const Presup& l = *LineasCargadas(*p).Item(1);
  EXPECT_EQ(l.Concepto, nullptr);
  EXPECT_EQ(l.Des.Importe.Texto(), "10.555");
  EXPECT_EQ(l.Des.Descripcion, "");
  EXPECT_EQ(l.Des.Unidad, "");
  EXPECT_DOUBLE_EQ(l.Des.Cantidad, 0);
  EXPECT_DOUBLE_EQ(l.Des.Aditiva, 2);
  EXPECT_DOUBLE_EQ(l.Des.Deductiva, 0);
  EXPECT_EQ(l.Des.Inicio, Fecha::Hoy());
}

// A duplicate line is reported and the load goes on; a null unit price stops
// the section and shows the errors so far with the row number.
TEST_F(Presups_, ADuplicateLineIsSkippedButANullUnitPriceStopsTheSection) {
  Lineas(
      "select 'A' f, 'C-1' c, 1.0 q, 1 pu, 1 imp, 1 o union all "
      "select 'a', 'c-1', 2.0, 1, 1, 2 union all select 'B', 'C-2', 3.0, 1, 1, 3 union all "
      "select 'C', 'C-1', 1.0, NULL, 1, 4 union all select 'D', 'C-1', 1.0, 1, 1, 5");
  auto p = Raiz();
  const std::string s = Calcula(*p);
  EXPECT_EQ(s.rfind("ProMorlaQel.Presups.AddByObject() arrojó la excepción # 457 ", 0), 0u) << s;
  const std::string nulo =
      "ProMorlaQel.Presups.Carga() arrojó la excepción # 94 Uso no válido de Null\n";
  EXPECT_EQ(s.substr(s.find('\n') + 1), nulo);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, s + " 4 ");
  EXPECT_EQ(host_.mensajes[0].titulo, "ProMorlaQel");
  EXPECT_EQ(host_.mensajes[0].estilo, 0);
  ASSERT_EQ(LineasCargadas(*p).Count(), 2);
  EXPECT_DOUBLE_EQ(LineasCargadas(*p).Item(1)->Des.Cantidad, 1);
  EXPECT_EQ(LineasCargadas(*p).Item(2)->Des.Frente, "B");
}

TEST_F(Presups_, CodesWithApostrophesLoadLikeAnyOther) {
  prueba::InsertaObra(*base_, "O''B", "'2013-03-15'", "'2013-04-10'");
  base_->Ejecuta(
      "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values "
      "('O''B','0''1','Comillas',5);"
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, TIPO) values ('C''1','m',2,1);"
      "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN) "
      "values "
      "('O''B','0''1','F''1','C''1',3,2,0,1);");
  auto p = Raiz("O'B");
  EXPECT_EQ(Calcula(*p), "");
  ASSERT_EQ(p->Obra->Partidas->Count(), 1);
  const Partida& seccion = *p->Obra->Partidas->Item("kO'B0'1");
  ASSERT_EQ(seccion.Presups->Count(), 1);
  const Presup& l = *seccion.Presups->Item(1);
  EXPECT_EQ(l.Des.Clave, "O'B0'1F'1C'1");
  EXPECT_EQ(l.Concepto, p->Conceptos->Item("kC'1"));
  EXPECT_EQ(l.Des.Importe.Texto(), "6");
}

// A unit-price concept C-100 made of 2.5 kg of material M-1 at 10.00.
class Desglose : public Presups_ {
 protected:
  void SetUp() override {
    Presups_::SetUp();
    base_->Ejecuta(
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) values "
        "('M-1','kg',10,'Cemento',1),('C-100','m3',0,'Concreto',5);"
        "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) values ('C-100','M-1',2.5);");
  }
};

TEST_F(Desglose, AConceptIsBrokenDownOnceAndEachLineScalesItsSummaries) {
  Lineas(
      "select 'A' f, 'C-100' c, 2.0 q, 30 pu, 0 imp, 1 o union all select 'B', 'C-100', 5.0, 30, "
      "0, 2");
  auto p = Raiz();
  EXPECT_EQ(Calcula(*p), "");
  const Concepto& c = *p->Conceptos->Item("kC-100");
  ASSERT_TRUE(c.Explosion);
  ASSERT_TRUE(c.Explosion->ResumenMat.has_value());
  ASSERT_EQ(c.Explosion->ResumenMat->Count(), 1);
  const ItemExplosion& unidad = *c.Explosion->ResumenMat->Item(1);
  EXPECT_DOUBLE_EQ(unidad.Cantidad, 2.5);
  // Waste 5 % and tax 16 % on materials: R2(10 x 2.5 x 1.05) = 26.25, R2(1.16 x 26.25) = 30.45.
  EXPECT_EQ(unidad.Parcial.Texto(), "30.45");
  const Presups& ls = LineasCargadas(*p);
  ASSERT_EQ(ls.Count(), 2);
  const char* parciales[] = {"60.9", "152.25"};
  const double cantidades[] = {5, 12.5};
  for (int i = 1; i <= 2; ++i) {
    const Presup& l = *ls.Item(i);
    ASSERT_TRUE(l.Explosion) << i;
    EXPECT_EQ(l.Explosion->Multiplicador(), l.Des.Cantidad);
    ASSERT_TRUE(l.Explosion->ResumenMat().has_value());
    const ItemExplosion escalada = l.Explosion->ResumenMat()->Item(1);
    EXPECT_EQ(escalada.Concepto, p->Conceptos->Item("kM-1"));
    EXPECT_DOUBLE_EQ(escalada.Cantidad, cantidades[i - 1]);
    EXPECT_EQ(escalada.Parcial.Texto(), parciales[i - 1]);
    EXPECT_EQ(l.Explosion->Resumen()->Count(), 1);
    // Summaries of kinds the concept does not use are empty, so a line has none.
    EXPECT_FALSE(l.Explosion->ResumenMaq().has_value());
  }
}

TEST_F(Desglose, OptionsChooseTheFactorsOfTheBreakdown) {
  Lineas("select 'A' f, 'C-100' c, 1.0 q, 30 pu, 0 imp, 1 o");
  auto p = Raiz();
  p->IncluirIvaMateriales = false;
  p->IncluirDesperdicio = false;
  Calcula(*p);
  // No waste and no tax: R2(10 x 2.5) = 25.
  EXPECT_EQ(p->Conceptos->Item("kC-100")->Explosion->TotalMateriales.Texto(), "25");
}

TEST_F(Desglose, WithoutBreakdownNoConceptOrLineHasAnExplosionButAmountsAreRecomputed) {
  Lineas("select 'A' f, 'C-100' c, 3.3335 q, 10 pu, 0 imp, 1 o");
  auto p = Raiz();
  p->DesglosarConceptos = false;
  Calcula(*p);
  EXPECT_FALSE(p->Conceptos->Item("kC-100")->Explosion);
  const Presup& l = *LineasCargadas(*p).Item(1);
  EXPECT_FALSE(l.Explosion);
  EXPECT_EQ(l.Des.Importe.Texto(), "33.34");
}

TEST_F(Desglose, EveryLineGetsOneSharePerPeriodEvenWithoutItsConcept) {
  Lineas(
      "select 'A' f, 'C-100' c, 31.0 q, 10 pu, 0 imp, 1 o union all select 'B', 'NO-HAY', 1.0, 1, "
      "5, 2");
  auto p = Raiz();
  Calcula(*p);
  ASSERT_EQ(p->Periodos->Count(), 3);  // March, April and May 2013
  for (const Presup* l : LineasCargadas(*p)) {
    ASSERT_EQ(l->PeriodosPorItem->Count(), 3);
    EXPECT_EQ(l->PeriodosPorItem->Presup, l);
    // 2013-03-20 to 2013-04-19: 12 days in March, 19 in April, none in May.
    EXPECT_EQ(l->PeriodosPorItem->Item(1)->d2 - l->PeriodosPorItem->Item(1)->d1 + 1, 12);
    EXPECT_EQ(l->PeriodosPorItem->Item(2)->d2 - l->PeriodosPorItem->Item(2)->d1 + 1, 19);
    EXPECT_EQ(l->PeriodosPorItem->Item(3)->Caso, 5);
  }
  // 310.00 over 31 days: 10.00 a day.
  EXPECT_EQ(LineasCargadas(*p).Item(1)->PeriodosPorItem->Item(1)->Importe.Texto(), "120");
  EXPECT_EQ(LineasCargadas(*p).Item(2)->EstimacionesPresup->Count(), 0);
}

TEST_F(Desglose, TheWorkKeepsTheHighestEstimateNumberBilledOnAnyLine) {
  Lineas(
      "select 'A' f, 'C-100' c, 1.0 q, 10 pu, 0 imp, 1 o union all "
      "select 'B', 'C-100', 1.0, 10, 0, 2 union all select 'C', 'M-1', 1.0, 10, 0, 3");
  base_->Ejecuta(
      "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, "
      "ORDEN) values "
      "('A7',3,'01','A','C-100',1,10,10,1),('A7',1,'01','A','C-100',1,10,10,2),"
      "('A7',7,'01','B','C-100',1,10,10,3),('A7',2,'01','B','C-100',1,10,10,4),"
      "('A7',5,'01','C','M-1',1,10,10,5);"
      "insert into EST1 (OBRA, ESTIMACION, DEDUC_EST, AMORT_EST, IVA_AMORT) values "
      "('A7',1,0,0,0),('A7',2,0,0,0),('A7',3,0,0,0),('A7',5,0,0,0),('A7',7,0,0,0);");
  auto p = Raiz();
  EXPECT_EQ(Calcula(*p), "");
  EXPECT_EQ(p->Obra->NoEstimaciones, 7);
  const Presups& ls = LineasCargadas(*p);
  ASSERT_EQ(ls.Item(1)->EstimacionesPresup->Count(), 2);
  EXPECT_EQ(ls.Item(1)->EstimacionesPresup->Item(2)->NoEstimacion, 3);
  EXPECT_EQ(ls.Item(1)->EstimacionesPresup->Presup(), ls.Item(1));
  EXPECT_EQ(ls.Item(3)->EstimacionesPresup->Count(), 1);
  EXPECT_EQ(p->Obra->Estimaciones->Count(), 5);
  EXPECT_EQ(p->Obra->Estimaciones->Obra(), p->Obra.get());
}

}  // namespace
}  // namespace pmq
