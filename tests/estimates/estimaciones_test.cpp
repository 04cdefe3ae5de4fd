#include "../schedule/modelo_a_mano.h"
#include "apoyo/base_prueba.h"
#include "catalogue/conceptos.h"
#include "common/host_grabador.h"
#include "db/conexion.h"
#include "estimates/estimaciones.h"
#include "estimates/items_estimacion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace pmq {
namespace {

size_t Veces(const std::string& texto, std::string_view parte) {
  size_t n = 0;
  for (size_t p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1)) ++n;
  return n;
}

// A project database with a small catalogue; the work is linked by hand.
class CargaEstimaciones : public ::testing::Test {
 protected:
  void SetUp() override {
    base_.Ejecuta(
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) values ('C-10', 'm3', 100, 'Concreto', 1);"
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) values ('C''1', 'pza', 5, 'Pieza', 1)");
  }

  // Opens the database, loads the catalogue and the estimates of `obra`.
  Estimaciones& Carga(const std::string& obra = "A7") {
    con_.Open(base_.Ruta());
    m_.Obra().Des.Clave = obra;
    m_.programa.Conceptos->Carga(&con_, s_);
    EXPECT_EQ(s_, "");
    host_.cesiones = 0;
    Estimaciones& e = *m_.Obra().Estimaciones;
    e.Obra = &m_.Obra();
    e.Carga(&con_, s_);
    return e;
  }

  void Est1(const std::string& obra, const std::string& numero, const std::string& resto = "'2013-02-01', "
                                                                                        "'2013-01-01', "
                                                                                        "'2013-01-31', 1.5, 2, 0.32") {
    base_.Ejecuta("insert into EST1 values ('" + obra + "', " + numero + ", " + resto + ")");
  }

  prueba::DirectorioTemporal dir_;
  prueba::BaseSqlite base_{dir_.Archivo("obra.db")};
  HostGrabador host_;
  HostEnUso uso_{host_};
  prueba::ModeloAMano m_;
  Conexion con_;
  std::string s_;
};

TEST_F(CargaEstimaciones, WorkWithoutEstimates) {
  Est1("B1", "1");
  const Estimaciones& e = Carga();
  EXPECT_EQ(e.Count(), 0);
  EXPECT_EQ(s_, "");
  EXPECT_TRUE(host_.mensajes.empty());
}

TEST_F(CargaEstimaciones, EstimatesInNumberOrderUnderWorkAndNumber) {
  Est1("A7", "3");
  Est1("A7", "1", "'2013-02-01 00:00:00', '2013-01-01', '2013-01-31', 1.5, 2.25, 0.36");
  Est1("A7", "2", "NULL, NULL, NULL, 0, 0, 0");
  Est1("B1", "4");
  const Estimaciones& e = Carga();
  EXPECT_EQ(s_, "");
  ASSERT_EQ(e.Count(), 3);
  EXPECT_EQ(e.Item(1)->Des.Clave, "1");
  EXPECT_EQ(e.Item(2)->Des.Clave, "2");
  EXPECT_EQ(e.Item(3)->Des.Clave, "3");
  EXPECT_EQ(e.Item("kA71"), e.Item(1));
  EXPECT_EQ(e.Item("ka73"), e.Item(3));
  EXPECT_EQ(e.Item("kA74"), nullptr);
  EXPECT_EQ(e.Item(4), nullptr);

  const Estimacion& uno = *e.Item(1);
  EXPECT_EQ(uno.Estimaciones, &e);
  EXPECT_EQ(uno.Des.Fecha, Fecha::DesdeIso("2013-02-01"));
  EXPECT_EQ(uno.Des.Inicio, Fecha::DesdeIso("2013-01-01"));
  EXPECT_EQ(uno.Des.Final, Fecha::DesdeIso("2013-01-31"));
  EXPECT_EQ(uno.Deducciones, Moneda::DesdeTexto("1.5"));
  EXPECT_EQ(uno.Amortizacion, Moneda::DesdeTexto("2.25"));
  EXPECT_EQ(uno.IVAAmortizacion, Moneda::DesdeTexto("0.36"));
  EXPECT_EQ(uno.ItemsEstimacion->Estimacion, &uno);

  // Missing dates are the day of loading.
  const Estimacion& dos = *e.Item(2);
  EXPECT_EQ(dos.Des.Fecha, Fecha::Hoy());
  EXPECT_EQ(dos.Des.Inicio, Fecha::Hoy());
  EXPECT_EQ(dos.Des.Final, Fecha::Hoy());
}

TEST_F(CargaEstimaciones, NullMoneyStopsTheLoadAndKeepsTheEarlierEstimates) {
  Est1("A7", "1");
  Est1("A7", "2");
  Est1("A7", "3", "NULL, NULL, NULL, 1, NULL, 1");
  Est1("A7", "4");
  const Estimaciones& e = Carga();
  EXPECT_EQ(e.Count(), 2);
  EXPECT_EQ(Veces(s_, "ProMorlaQel.Estimaciones.Carga() arrojó la excepción # 94 "), 1u) << s_;
  EXPECT_EQ(std::count(s_.begin(), s_.end(), '\n'), 1);
}

TEST_F(CargaEstimaciones, RepeatedNumberKeepsTheFirstAndGoesOn) {
  Est1("A7", "1");
  Est1("A7", "1", "NULL, NULL, NULL, 9, 9, 9");
  Est1("A7", "2");
  const Estimaciones& e = Carga();
  ASSERT_EQ(e.Count(), 2);
  EXPECT_EQ(e.Item(1)->Deducciones, Moneda::DesdeTexto("1.5"));
  EXPECT_EQ(e.Item(2)->Des.Clave, "2");
  EXPECT_EQ(Veces(s_, "ProMorlaQel.Estimaciones.AddByObject() arrojó la excepción # 457 "), 1u) << s_;
  EXPECT_EQ(std::count(s_.begin(), s_.end(), '\n'), 1);
}

TEST_F(CargaEstimaciones, EachEstimateHoldsItsOwnRowsInOrdenOrder) {
  Est1("A7", "1");
  Est1("A7", "2");
  base_.Ejecuta(
      "insert into EST2 values ('A7', 1, '01', NULL, 'C-10', 5, 100, 500, 2);"
      "insert into EST2 values ('A7', 1, '01', 'F1', 'C-10', 1.5, 100, 150, 1);"
      "insert into EST2 values ('A7', 1, '02', NULL, 'X-9', 2, 3, 6, 3);"
      "insert into EST2 values ('A7', 2, '01', NULL, 'C-10', 7, 100, 700, 1);"
      "insert into EST2 values ('B1', 1, '01', NULL, 'C-10', 8, 100, 800, 1)");
  const Estimaciones& e = Carga();
  EXPECT_EQ(s_, "");
  ASSERT_EQ(e.Count(), 2);
  const ItemsEstimacion& uno = *e.Item(1)->ItemsEstimacion;
  ASSERT_EQ(uno.Count(), 3);
  EXPECT_EQ(uno.Item(1)->Des.Clave, "A701F1C-10");
  EXPECT_EQ(uno.Item(2)->Des.Clave, "A701C-10");
  EXPECT_EQ(uno.Item(3)->Des.Clave, "A702X-9");
  EXPECT_EQ(uno.Item("kA701C-10"), uno.Item(2));
  EXPECT_EQ(uno.Item("kA799"), nullptr);
  const ItemEstimacion& l = *uno.Item(2);
  EXPECT_EQ(l.ItemsEstimacion, &uno);
  EXPECT_DOUBLE_EQ(l.Des.Cantidad, 5);
  EXPECT_EQ(l.Des.Costo, Moneda::DesdeEntero(100));
  EXPECT_EQ(l.Des.Importe, Moneda::DesdeEntero(500));
  EXPECT_EQ(l.Orden, 0);
  ASSERT_NE(l.Concepto, nullptr);
  EXPECT_EQ(l.Concepto, m_.programa.Conceptos->Item("kC-10"));
  EXPECT_EQ(uno.Item(3)->Concepto, nullptr);

  const ItemsEstimacion& dos = *e.Item(2)->ItemsEstimacion;
  ASSERT_EQ(dos.Count(), 1);
  EXPECT_DOUBLE_EQ(dos.Item(1)->Des.Cantidad, 7);
  std::string s;
  EXPECT_EQ(dos.Programa(s), &m_.programa);
  EXPECT_EQ(e.Programa(s), &m_.programa);
  EXPECT_EQ(s, "");
}

TEST_F(CargaEstimaciones, BadLinesStopOnlyTheirEstimate) {
  Est1("A7", "1");
  Est1("A7", "2");
  base_.Ejecuta(
      "insert into EST2 values ('A7', 1, '01', NULL, 'C-10', 5, 100, 500, 1);"
      "insert into EST2 values ('A7', 1, '01', NULL, 'C-10', 6, 100, 600, 2);"  // same line again
      "insert into EST2 values ('A7', 1, '02', NULL, 'C-10', 1, 100, 100, 3);"
      "insert into EST2 values ('A7', 1, '03', NULL, 'C-10', NULL, 100, 100, 4);"
      "insert into EST2 values ('A7', 1, '04', NULL, 'C-10', 1, 100, 100, 5);"
      "insert into EST2 values ('A7', 2, '01', NULL, 'C-10', 7, 100, 700, 1)");
  const Estimaciones& e = Carga();
  ASSERT_EQ(e.Count(), 2);
  const ItemsEstimacion& uno = *e.Item(1)->ItemsEstimacion;
  ASSERT_EQ(uno.Count(), 2);
  EXPECT_DOUBLE_EQ(uno.Item(1)->Des.Cantidad, 5);
  EXPECT_EQ(uno.Item(2)->Des.Clave, "A702C-10");
  EXPECT_EQ(e.Item(2)->ItemsEstimacion->Count(), 1);
  EXPECT_EQ(Veces(s_, "ProMorlaQel.ItemsEstimacion.AddByObject() arrojó la excepción # 457 "), 1u) << s_;
  EXPECT_EQ(Veces(s_, "ProMorlaQel.ItemsEstimacion.Carga() arrojó la excepción # 94 "), 1u) << s_;
  EXPECT_EQ(std::count(s_.begin(), s_.end(), '\n'), 2);
}

TEST_F(CargaEstimaciones, CodesWithApostrophesLoad) {
  Est1("A''7", "1");
  base_.Ejecuta("insert into EST2 values ('A''7', 1, '0''1', 'O''Neil', 'C''1', 1, 5, 5, 1)");
  const Estimaciones& e = Carga("A'7");
  EXPECT_EQ(s_, "");
  ASSERT_EQ(e.Count(), 1);
  EXPECT_NE(e.Item("kA'71"), nullptr);
  const ItemsEstimacion& l = *e.Item(1)->ItemsEstimacion;
  ASSERT_EQ(l.Count(), 1);
  EXPECT_EQ(l.Item(1)->Des.Clave, "A'70'1O'NeilC'1");
  EXPECT_EQ(l.Item(1)->Concepto, m_.programa.Conceptos->Item("kC'1"));
}

// Databases of an older structure keep the estimate number as text.
TEST_F(CargaEstimaciones, TextNumbersOrderByTheirValueAndMatchTheirLines) {
  base_.Ejecuta(
      "drop table EST1; create table EST1 (OBRA TEXT, ESTIMACION TEXT, FECHA_EST TEXT, INI_EST TEXT, "
      "FIN_EST TEXT, DEDUC_EST REAL, AMORT_EST REAL, IVA_AMORT REAL)");
  Est1("A7", "'10'");
  Est1("A7", "'07'");
  Est1("A7", "'9'");
  base_.Ejecuta(
      "insert into EST2 values ('A7', 7, '01', NULL, 'C-10', 7, 1, 7, 1);"
      "insert into EST2 values ('A7', 10, '01', NULL, 'C-10', 10, 1, 10, 1)");
  const Estimaciones& e = Carga();
  EXPECT_EQ(s_, "");
  ASSERT_EQ(e.Count(), 3);
  EXPECT_EQ(e.Item(1)->Des.Clave, "07");
  EXPECT_EQ(e.Item(2)->Des.Clave, "9");
  EXPECT_EQ(e.Item(3)->Des.Clave, "10");
  EXPECT_EQ(e.Item("kA707"), e.Item(1));
  ASSERT_EQ(e.Item(1)->ItemsEstimacion->Count(), 1);
  EXPECT_DOUBLE_EQ(e.Item(1)->ItemsEstimacion->Item(1)->Des.Cantidad, 7);
  EXPECT_EQ(e.Item(2)->ItemsEstimacion->Count(), 0);
  ASSERT_EQ(e.Item(3)->ItemsEstimacion->Count(), 1);
  EXPECT_DOUBLE_EQ(e.Item(3)->ItemsEstimacion->Item(1)->Des.Cantidad, 10);
}

TEST_F(CargaEstimaciones, YieldsAfterEveryRecordButEachTenth) {
  std::string sql;
  for (int i = 1; i <= 12; ++i) sql += "insert into EST1 (OBRA, ESTIMACION, DEDUC_EST, AMORT_EST, IVA_AMORT) values ('A7', " + std::to_string(i) + ", 0, 0, 0);";
  base_.Ejecuta(sql);
  const Estimaciones& e = Carga();
  EXPECT_EQ(e.Count(), 12);
  EXPECT_EQ(host_.cesiones, 11);
  EXPECT_EQ(host_.ultimo_progreso_que, "Estimaciones");
  EXPECT_EQ(host_.ultimo_progreso_registro, 12);
  EXPECT_EQ(host_.ultimo_progreso_total, 12);
}

TEST_F(CargaEstimaciones, WithoutItsWorkTheLoadReports) {
  con_.Open(base_.Ruta());
  Estimaciones e;
  std::string s;
  e.Carga(&con_, s);
  EXPECT_EQ(s.rfind("ProMorlaQel.Estimaciones.Carga() arrojó la excepción # 91 ", 0), 0u) << s;
  EXPECT_EQ(e.Programa(s), nullptr);
  EXPECT_NE(s.find("ProMorlaQel.Estimaciones.Programa() arrojó la excepción # 91 "), std::string::npos);
}

}  // namespace
}  // namespace pmq
