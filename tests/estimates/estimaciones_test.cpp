#include "estimates/estimaciones.h"
#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones_presup.h"
#include "estimates/items_estimacion.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

// Work `obra` with a small catalogue and `sql` on top, calculated.
class CargaEstimaciones : public prueba::ObraCalculada {
 protected:
  const Estimaciones& Carga(const std::string& sql, const std::string& obra = "A7") {
    std::string literal;
    for (char c : obra) literal += c == '\'' ? "''" : std::string(1, c);
    Obra(literal);
    Sql("insert into CONCEPTO (CONCEPTO, COSTO, TIPO) values ('C-10', 100, 1), ('C''1', 5, 1);" +
        sql);
    p_ = Calculada(obra);
    return *p_->Obra->Estimaciones;
  }
  std::unique_ptr<Programa> p_;
};

TEST_F(CargaEstimaciones, EstimatesInNumberOrderEachWithItsOwnLines) {
  const Estimaciones& e = Carga(
      "insert into EST1 values ('A''7', 3, NULL, NULL, NULL, 0, 0, 0), ('B1', 4, NULL, NULL, NULL, "
      "0, 0, 0),"
      " ('A''7', 1, '2013-02-01 00:00:00', '2013-01-01', '2013-01-31', 1.5, 2.25, 0.36);"
      "insert into EST2 values ('A''7', 1, '01', NULL, 'C-10', 5, 100, 500, 2), ('A''7', 1, "
      "'0''1', 'F''1', 'C''1', 1, 1, 1, 1),"
      " ('A''7', 1, '02', NULL, 'X-9', 2, 3, 6, 3), ('A''7', 3, '01', NULL, 'C-10', 7, 1, 7, 1),"
      " ('B1', 1, '01', NULL, 'C-10', 8, 1, 8, 1)",
      "A'7");
  EXPECT_EQ(errores_, "");
  ASSERT_EQ(e.Count(), 2);
  EXPECT_EQ(e.Item("ka'71"), e.Item(1));
  EXPECT_EQ(e.Item("kA'73"), e.Item(2));
  const Estimacion& uno = *e.Item(1);
  EXPECT_EQ(uno.Des.Clave, "1");
  EXPECT_EQ(uno.Des.Fecha, Fecha::DesdeIso("2013-02-01"));
  EXPECT_EQ(uno.Amortizacion, Moneda::DesdeTexto("2.25"));
  EXPECT_EQ(e.Item(2)->Des.Fecha, Fecha::Hoy());  // missing dates are the day of loading

  const ItemsEstimacion& lineas = *uno.ItemsEstimacion;
  ASSERT_EQ(lineas.Count(), 3);
  EXPECT_EQ(lineas.Item(1)->Des.Clave, "A'70'1F'1C'1");
  EXPECT_EQ(lineas.Item(1)->Concepto, p_->Conceptos->Item("kC'1"));
  EXPECT_EQ(lineas.Item("kA'701C-10"), lineas.Item(2));
  const ItemEstimacion& l = *lineas.Item(2);
  EXPECT_DOUBLE_EQ(l.Des.Cantidad, 5);
  EXPECT_EQ(l.Des.Importe, Moneda::DesdeEntero(500));
  EXPECT_EQ(l.Concepto, p_->Conceptos->Item("kC-10"));
  EXPECT_EQ(lineas.Item(3)->Concepto, nullptr);  // X-9 is not in the catalogue
  ASSERT_EQ(e.Item(2)->ItemsEstimacion->Count(), 1);
  EXPECT_DOUBLE_EQ(e.Item(2)->ItemsEstimacion->Item(1)->Des.Cantidad, 7);
  EXPECT_EQ(host_.cesiones, 2 + 2 + 3 + 1);  // a yield per concept, estimate and line
}

TEST_F(CargaEstimaciones, FailuresStopTheirOwnLoopOnly) {
  const Estimaciones& e = Carga(
      "insert into EST1 values ('A7', 1, NULL, NULL, NULL, 1.5, 0, 0), ('A7', 1, NULL, NULL, NULL, "
      "9, 9, 9),"
      " ('A7', 2, NULL, NULL, NULL, 0, 0, 0), ('A7', 3, NULL, NULL, NULL, 0, NULL, 0), ('A7', 4, "
      "NULL, NULL, NULL, 0, 0, 0);"
      "insert into EST2 values ('A7', 2, '01', NULL, 'C-10', 5, 1, 5, 1), ('A7', 2, '01', NULL, "
      "'C-10', 6, 1, 6, 2),"
      " ('A7', 2, '02', NULL, 'C-10', 1, 1, 1, 3), ('A7', 2, '03', NULL, 'C-10', NULL, 1, 1, 4),"
      " ('A7', 2, '04', NULL, 'C-10', 1, 1, 1, 5)");
  // The repeated estimate 1 is left out; estimate 3's null amortisation stops the load.
  ASSERT_EQ(e.Count(), 2);
  EXPECT_EQ(e.Item(1)->Deducciones, Moneda::DesdeTexto("1.5"));
  // Estimate 2: a repeated line is left out, a null quantity stops its lines.
  const ItemsEstimacion& dos = *e.Item(2)->ItemsEstimacion;
  ASSERT_EQ(dos.Count(), 2);
  EXPECT_DOUBLE_EQ(dos.Item(1)->Des.Cantidad, 5);
  for (const char* que : {"Estimaciones.AddByObject() arrojó la excepción # 457 ",
                          "ItemsEstimacion.AddByObject() arrojó la excepción # 457 ",
                          "ItemsEstimacion.Carga() arrojó la excepción # 94 ",
                          "Estimaciones.Carga() arrojó la excepción # 94 "}) {
    EXPECT_EQ(prueba::Ocurrencias(errores_, std::string("ProMorlaQel.") + que), 1) << errores_;
  }
  EXPECT_EQ(prueba::Ocurrencias(errores_, "\n"), 4);
}

// An older structure keeps the estimate number as text: "07" is not a plain
// number, so its lines come from a query, which finds the stored 7.
TEST_F(CargaEstimaciones, AnEstimateNumberWithALeadingZeroFindsItsLines) {
  const Estimaciones& e = Carga(
      "drop table EST1; create table EST1 (OBRA TEXT, ESTIMACION TEXT, FECHA_EST TEXT, INI_EST "
      "TEXT, FIN_EST TEXT, DEDUC_EST REAL, AMORT_EST REAL, IVA_AMORT REAL);"
      "insert into EST1 values ('A7', '07', NULL, NULL, NULL, 0, 0, 0);"
      "insert into EST2 values ('A7', 7, '01', '', 'C-10', 2, 100, 200, 1)");
  EXPECT_EQ(errores_, "");
  ASSERT_EQ(e.Count(), 1);
  EXPECT_EQ(e.Item(1)->Des.Clave, "07");
  EXPECT_EQ(e.Item(1)->ItemsEstimacion->Count(), 1);
}

// What the estimates billed of each line of work A7's section 01: C-10 on
// fronts "" and "O'N".
class CargaPorLinea : public prueba::ObraCalculada {
 protected:
  void SetUp() override {
    Obra();
    Partida("01");
    Concepto("C-10", prueba::kMat, 1);
    Linea("01", "", "C-10", 1, 1);
    Linea("01", "O''N", "C-10", 1, 1);
  }
  static const EstimacionesPresup& De(const Programa& p, int linea) {
    return *p.Obra->Partidas->Item(1)->Presups->Item(linea)->EstimacionesPresup;
  }
  static std::string NoEsts(const EstimacionesPresup& e) {
    std::string r;
    for (const EstimacionPresup* i : e) r += i->NoEst + "=" + std::to_string(i->NoEstimacion) + ";";
    return r;
  }
};

// The shipped schema keeps a text '07' as the number 7.
TEST_F(CargaPorLinea, OneItemPerEstimateOfThatLineInNumberOrder) {
  Sql("insert into EST2 values ('A7', 4, '01', '', 'C-10', 4, 10, 40, 1), ('A7', 1, '01', '', "
      "'C-10', 1.5, 10.25, 15.375, 2),"
      " ('A7', 2, '01', '', 'C-10', NULL, NULL, NULL, 3), ('A7', 2, '01', '', 'C-10', 3, 1, 3, 4),"
      " ('A7', '07', '01', '', 'C-10', 1, 1, 1, 5),"
      // other works, sections, concepts and fronts
      " ('B1', 3, '01', '', 'C-10', 9, 9, 9, 1), ('A7', 3, '02', '', 'C-10', 9, 9, 9, 1),"
      " ('A7', 3, '01', '', 'C-11', 9, 9, 9, 1), ('A7', 3, '01', 'O''N', 'C-10', 9, 9, 9, 1),"
      " ('A7', 5, '01', NULL, 'C-10', 9, 9, 9, 1)");
  auto p = Calculada();
  const EstimacionesPresup& e = De(*p, 1);
  EXPECT_EQ(NoEsts(e), "1=1;2=2;4=4;7=7;");
  EXPECT_DOUBLE_EQ(e.Item(1)->Cantidad, 1.5);
  EXPECT_EQ(e.Item(1)->Punit, Moneda::DesdeTexto("10.25"));
  EXPECT_EQ(e.Item(1)->Importe, Moneda::DesdeTexto("15.375"));
  // The first row of estimate 2 (all nulls) stays; the second is rejected.
  EXPECT_EQ(e.Item("k2"), e.Item(2));
  EXPECT_DOUBLE_EQ(e.Item(2)->Cantidad, 0);
  EXPECT_EQ(e.Item(2)->Importe, Moneda());
  EXPECT_EQ(errores_, "ProMorlaQel.EstimacionesPresup.AddByObject() arrojó la excepción # 457 " +
                          std::string(DescripcionError(457)) + "\n");
  EXPECT_EQ(NoEsts(De(*p, 2)), "3=3;");
}

// Databases of an older structure keep the estimate number as text: NoEst and
// the key are the text, NoEstimacion and the order its leading number (halves
// to even).
TEST_F(CargaPorLinea, EstimateNumbersStoredAsText) {
  Sql("drop table EST2; create table EST2 (OBRA TEXT, ESTIMACION TEXT, PARTIDA TEXT, FRENTE TEXT, "
      "CONCEPTO TEXT, CANT_EST REAL, PUNIT REAL, IMPORTE REAL, ORDEN INTEGER);"
      "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO) values ('A7', '10', '01', "
      "'O''N', 'C-10'), ('A7', '07', '01', 'O''N', 'C-10'), ('A7', ' 3', '01', 'O''N', 'C-10'),"
      " ('A7', 'a3', '01', 'O''N', 'C-10'), ('A7', '2.5', '01', 'O''N', 'C-10'),"
      " ('A7', '3.5', '01', 'O''N', 'C-10'), ('A7', '11x', '01', 'O''N', 'C-10')");
  auto p = Calculada();
  const EstimacionesPresup& e = De(*p, 2);
  EXPECT_EQ(errores_, "");
  EXPECT_EQ(NoEsts(e), "a3=0;2.5=2; 3=3;3.5=4;07=7;10=10;11x=11;");
  EXPECT_EQ(e.Item("k07"), e.Item(5));
  EXPECT_EQ(e.Item("k7"), nullptr);
}

}  // namespace
}  // namespace pmq
