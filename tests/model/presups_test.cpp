#include "model/presups.h"
#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones.h"
#include "estimates/estimaciones_presup.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"

namespace pmq {
namespace {

using namespace prueba;

class Presups_ : public ObraCalculada {
 protected:
  void SetUp() override {
    Obra();
    Partida("01", 1000);
    Concepto("C-1", kMat, 10);
    Concepto("C-2", kMat, 3);
  }
  static const Presups& Lineas(const Programa& p) { return *p.Obra->Partidas->Item(1)->Presups; }
};

TEST_F(Presups_, AmountsAreRecomputedWithCentRoundingThatTakesHalvesUp) {
  Linea("01", "F1", "C-1", 1.0, 0.125);
  Linea("01", "F2", "C-1", 3.3335, 10);
  Linea("01", "F3", "C-2", 2.5, 0.5);
  Sql("update PRESUPS set ORDEN = 0 where FRENTE = 'F3'");
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  const Presups& ls = Lineas(*p);
  ASSERT_EQ(ls.Count(), 3);
  const char* importes[] = {"1.25", "0.13", "33.34"};  // in ORDEN order
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(ls.Item(i)->Des.Importe.Texto(), importes[i - 1]);
  const Presup& l = *ls.Item(2);
  EXPECT_EQ(l.Des.Clave, "A701F1C-1");
  EXPECT_EQ(ls.Item("ka701f1c-1"), &l);
  EXPECT_EQ(l.Des.Actividad, "C-1F1");
  EXPECT_EQ(l.Des.Descripcion, "Nombre de C-1");
  EXPECT_EQ(l.Concepto, p->Conceptos->Item("kC-1"));
  EXPECT_EQ(l.Des.Final.Iso(), "2013-04-19");
  EXPECT_NE(std::find(host_.progresos.begin(), host_.progresos.end(), "Partida 01 3/3"),
            host_.progresos.end());
}

TEST_F(Presups_, AConceptMissingFromTheCatalogueKeepsTheStoredAmountAndNullsAreZero) {
  Linea("01", "", "NO-EXISTE", 4, 2.5);
  Sql("update PRESUPS set IMPORTE = 10.555, CANT_PRES = NULL, ADITIVA = 2, DEDUCTIVA = NULL, "
      "FECHA_INI = NULL");
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  const Presup& l = *Lineas(*p).Item(1);
  EXPECT_EQ(l.Concepto, nullptr);
  EXPECT_EQ(l.Des.Importe.Texto(), "10.555");
  EXPECT_EQ(l.Des.Descripcion, "");
  EXPECT_EQ(std::vector<double>({l.Des.Cantidad, l.Des.Aditiva, l.Des.Deductiva}),
            std::vector<double>({0, 2, 0}));
  EXPECT_EQ(l.Des.Inicio, Fecha::Hoy());
}

// A duplicate line is reported and the load goes on; a null unit price stops
// the section and shows the errors so far with the row number.
TEST_F(Presups_, ADuplicateLineIsSkippedButANullUnitPriceStopsTheSection) {
  Linea("01", "A", "C-1", 1, 1);
  Linea("01", "a", "c-1", 2, 1);
  Linea("01", "B", "C-2", 3, 1);
  Linea("01", "C", "C-1", 1, 1);
  Linea("01", "D", "C-1", 1, 1);
  Sql("update PRESUPS set PUNIT = NULL where FRENTE = 'C'");
  auto p = Calculada();
  EXPECT_EQ(errores_,
            "ProMorlaQel.Presups.AddByObject() arrojó la excepción # 457 Esta clave ya está "
            "asociada con un elemento de esta colección\n"
            "ProMorlaQel.Presups.Carga() arrojó la excepción # 94 Uso no válido de Null\n");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, errores_ + " 4 ");
  ASSERT_EQ(Lineas(*p).Count(), 2);
  EXPECT_EQ(Lineas(*p).Item(2)->Des.Frente, "B");
}

// A unit-price concept C-100 made of 2.5 of material M-1 at 10.00.
class Desglose : public Presups_ {
 protected:
  void SetUp() override {
    Presups_::SetUp();
    Concepto("M-1", kMat, 10);
    Concepto("C-100", kPU);
    Matriz("C-100", "M-1", "2.5");
  }
};

TEST_F(Desglose, TheWorkKeepsTheHighestEstimateNumberBilledOnAnyLine) {
  Linea("01", "A", "C-100", 1, 10);
  Linea("01", "B", "C-100", 1, 10);
  Linea("01", "C", "M-1", 1, 10);
  for (auto [numero, frente] : {std::pair{3, "A"}, {1, "A"}, {7, "B"}, {2, "B"}}) {
    Cobro(numero, "01", frente, "C-100", 1, 10);
  }
  Cobro(5, "01", "C", "M-1", 1, 10);
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  EXPECT_EQ(p->Obra->NoEstimaciones, 7);
  const Presups& ls = Lineas(*p);
  ASSERT_EQ(ls.Item(1)->EstimacionesPresup->Count(), 2);
  EXPECT_EQ(ls.Item(1)->EstimacionesPresup->Item(2)->NoEstimacion, 3);
  EXPECT_EQ(ls.Item(3)->EstimacionesPresup->Count(), 1);
  EXPECT_EQ(p->Obra->Estimaciones->Count(), 5);
}

}  // namespace
}  // namespace pmq
