#include "catalogue/concepto.h"
#include "model/base_obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

using prueba::BaseObra;
using prueba::Ocurrencias;

constexpr std::string_view kAviso =
    "Parece ser que la versión de la base de datos no es la que se esperaba. Verifique que la base de "
    "datos sea actualizada con la última versión del MorlaQel.";

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
        "FECHA_INI, FECHA_FIN) select 'A7', '01', f, c, q, pu, imp, o, '2013-03-20', '2013-04-19' from (" +
        std::string(valores) + ")");
  }

  const Presups& LineasCargadas(const Programa& p) const { return *p.Obra->Partidas->Item(1)->Presups; }
};

TEST_F(Presups_, AmountsAreRecomputedWithCentRoundingThatTakesHalvesUp) {
  Lineas(
      "select 'F1' f, 'C-1' c, 1.0 q, 0.125 pu, 99 imp, 3 o union all "
      "select 'F2', 'C-1', 3.3335, 10, 0, 1 union all "
      "select 'F3', 'C-2', 2.5, 0.5, 0, 2");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
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
  EXPECT_NE(std::find(host_.progresos.begin(), host_.progresos.end(), "Partida 01 3/3"), host_.progresos.end());
}

TEST_F(Presups_, AConceptMissingFromTheCatalogueKeepsTheStoredAmount) {
  Lineas("select '' f, 'NO-EXISTE' c, 4.0 q, 2.5 pu, 10.555 imp, 1 o");
  base_->Ejecuta("update PRESUPS set CANT_PRES = NULL, ADITIVA = 2, DEDUCTIVA = NULL, FECHA_INI = NULL");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
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

TEST_F(Presups_, AMissingColumnWarnsOnceReturnsTwoAndLeavesErrorsUntouched) {
  base_->Ejecuta("alter table PRESUPS drop column ADITIVA");
  Lineas("select '' f, 'C-1' c, 1.0 q, 1 pu, 1 imp, 1 o union all select 'B', 'C-1', 1.0, 1, 1, 2");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 2);
  EXPECT_EQ(s, "");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].titulo, "ControlQel");
  EXPECT_EQ(host_.mensajes[0].texto, kAviso);
  EXPECT_EQ(host_.mensajes[0].estilo, 48);
  EXPECT_EQ(LineasCargadas(*p).Count(), 0);
}

TEST_F(Presups_, ANullUnitPriceStopsTheSectionShowsTheErrorsAndTheRowNumber) {
  Lineas(
      "select 'A' f, 'C-1' c, 1.0 q, 1 pu, 1 imp, 1 o union all "
      "select 'B', 'C-1', 1.0, NULL, 1, 2 union all "
      "select 'C', 'C-1', 1.0, 1, 1, 3");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 1);
  const std::string esperado = "ProMorlaQel.Presups.Carga() arrojó la excepción # 94 Uso no válido de Null\n";
  EXPECT_EQ(s, esperado);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, esperado + " 2 ");
  EXPECT_EQ(host_.mensajes[0].titulo, "ProMorlaQel");
  EXPECT_EQ(host_.mensajes[0].estilo, 0);
  ASSERT_EQ(LineasCargadas(*p).Count(), 1);
  EXPECT_EQ(LineasCargadas(*p).Item(1)->Des.Frente, "A");
}

TEST_F(Presups_, ADuplicateLineIsReportedAndTheLoadGoesOn) {
  Lineas(
      "select 'A' f, 'C-1' c, 1.0 q, 1 pu, 1 imp, 1 o union all "
      "select 'a', 'c-1', 2.0, 1, 1, 2 union all "
      "select 'B', 'C-2', 3.0, 1, 1, 3");
  auto p = Raiz();
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 1);
  EXPECT_EQ(s.rfind("ProMorlaQel.Presups.AddByObject() arrojó la excepción # 457 ", 0), 0u) << s;
  EXPECT_EQ(Ocurrencias(s, "\n"), 1);
  ASSERT_EQ(LineasCargadas(*p).Count(), 2);
  EXPECT_DOUBLE_EQ(LineasCargadas(*p).Item(1)->Des.Cantidad, 1);
  EXPECT_EQ(LineasCargadas(*p).Item(2)->Des.Frente, "B");
}

TEST_F(Presups_, CodesWithApostrophesLoadLikeAnyOther) {
  base_->Ejecuta(
      "insert into OBRAS (OBRA, NOMBREOBRA, INICIO, FINAL, VIVIENDA, IVAAPLIC) values "
      "('O''B','Comillas','2013-03-15','2013-04-10',0,16);"
      "insert into FSR values ('O''B', 3, 2); insert into FSCD values ('O''B', 5);"
      "insert into FACMAQ values ('O''B', 1,1,1,1,1,1,1,1,1, 1,1,1,1,1,1,1,1,1);"
      "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values ('O''B','0''1','Comillas',5);"
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, TIPO) values ('C''1','m',2,1);"
      "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN) values "
      "('O''B','0''1','F''1','C''1',3,2,0,1);");
  auto p = Raiz("O'B");
  std::string s;
  EXPECT_EQ(p->CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
  ASSERT_EQ(p->Obra->Partidas->Count(), 1);
  const Partida& seccion = *p->Obra->Partidas->Item("kO'B0'1");
  ASSERT_EQ(seccion.Presups->Count(), 1);
  const Presup& l = *seccion.Presups->Item(1);
  EXPECT_EQ(l.Des.Clave, "O'B0'1F'1C'1");
  EXPECT_EQ(l.Concepto, p->Conceptos->Item("kC'1"));
  EXPECT_EQ(l.Des.Importe.Texto(), "6");
}

}  // namespace
}  // namespace pmq
