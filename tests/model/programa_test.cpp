#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones.h"
#include "estimates/estimaciones_presup.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

using namespace prueba;

TEST(Programa, WithoutADatabaseTheResultIsZeroAndThePointerIsRestored) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso uso(host);
  Programa p;
  p.Ruta = dir.Archivo("no-existe.mdb");
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s.rfind("ProMorlaQel.Programa.CalcularPrograma() arrojó la excepción # ", 0), 0u) << s;
  EXPECT_EQ(host.punteros, (std::vector<int>{11, 0}));
  // A closed connection given by the host: zero, and the errors text untouched.
  Conexion cerrada;
  Programa q;
  q.Conexion = &cerrada;
  s = "del host\n";
  EXPECT_EQ(q.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s, "del host\n");
}

class Programa_ : public prueba::ObraCalculada {};

TEST_F(Programa_, CatalogueRowsNullRulesAndMessagesShownAtOnce) {
  Obra();
  Sql("insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, NOM_LARGO, "
      "TIPO, TIPOCMAQ) values ('M-1','kg',10,0,0,'Cemento','Cemento gris',1,NULL),"
      "('m-1','kg',11,2,1.5,'Duplicado',NULL,1,NULL),('MO-1','jor',100,NULL,NULL,'Peón','',NULL,"
      "2)");
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(Mensajes("ProMorlaQel.Conceptos.AddByObject() arrojó la excepción # 457 "), 1);
  ASSERT_EQ(p->Conceptos->Count(), 2);
  const pmq::Concepto* m1 = p->Conceptos->Item("KM-1");
  EXPECT_EQ(m1->Des.Descripcion, "Cemento gris");
  EXPECT_EQ(m1->Des.Referencia, "Cemento");
  EXPECT_EQ(m1->Des.Fecha, Fecha::Hoy());
  const pmq::Concepto* mo = p->Conceptos->Item("kMO-1");
  EXPECT_EQ(mo->Tipo, enumTipoConcepto::Material);  // a null TIPO is a material
  EXPECT_EQ(mo->Des.Descripcion, "Peón");
  // Zero or null factors are 1.
  for (const pmq::Concepto* c : {m1, mo}) {
    EXPECT_DOUBLE_EQ(c->Des.FactorConversion, 1) << c->Des.Clave;
    EXPECT_DOUBLE_EQ(c->Des.FSR, 1) << c->Des.Clave;
  }
}

// A section and a line linked by hand, as the loaders link them.
struct Cadena {
  Cadena(double seccion, double linea, double total) {
    obra.ImporteTotal = Moneda::DesdeDouble(total);
    partida_.Des.Importe = Moneda::DesdeDouble(seccion);
    linea_.Des.Parent = &linea_;
    linea_.Des.Importe = Moneda::DesdeDouble(linea);
  }
  pmq::Obra obra;
  Partida partida_{obra.Partidas.get()};
  Presup linea_{partida_.Presups.get()};
};

TEST(Cuerpo, PercentagesOfTheSectionAndOfTheBudget) {
  const struct {
    double seccion, linea, total;
    const char *de_partida, *de_presupuesto;
  } casos[] = {{1000, 250, 1, "25.000", "25000"},
               {10, 12345.67, 1, "123,456.700", "1234567"},
               {0, 12, 1, "0.000", "1200"},
               {1, 1, 3, "100.000", "33.3333"},
               {1, 1, 0, "100.000", ""}};
  std::string s;
  for (const auto& c : casos) {
    Cadena cadena(c.seccion, c.linea, c.total);
    EXPECT_EQ(cadena.linea_.Des.PorcentajePartida(s), c.de_partida) << c.linea;
    EXPECT_EQ(cadena.linea_.Des.PorcentajePresupuesto(s), c.de_presupuesto) << c.linea;
  }
  Cuerpo suelto;
  EXPECT_EQ(suelto.PorcentajePartida(s), "#DivByZero");
  EXPECT_EQ(s, "");
  Partida seccion;
  seccion.Des.Parent = &seccion;
  EXPECT_EQ(seccion.Des.PorcentajePartida(s), "");
  EXPECT_EQ(s.rfind("ProMorlaQel.Cuerpo.PorcentajePartida() arrojó la excepción # ", 0), 0u);
}

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

using Desglose = Presups_;

TEST_F(Desglose, TheWorkKeepsTheHighestEstimateNumberBilledOnAnyLine) {
  // A unit-price concept C-100 made of 2.5 of material M-1 at 10.00.
  Concepto("M-1", kMat, 10);
  Concepto("C-100", kPU);
  Matriz("C-100", "M-1", "2.5");
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
