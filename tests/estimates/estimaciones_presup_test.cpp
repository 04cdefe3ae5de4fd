#include "../schedule/modelo_a_mano.h"
#include "apoyo/base_prueba.h"
#include "catalogue/concepto.h"
#include "common/host_grabador.h"
#include "db/conexion.h"
#include "estimates/estimaciones_presup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pmq {
namespace {

// Loads what the estimates billed of one line, linked by hand to work and
// section the way the line loader links it.
class CargaPorLinea : public ::testing::Test {
 protected:
  CargaPorLinea() { concepto_.Des.Clave = "C-10"; }

  EstimacionesPresup& Carga(const std::string& frente, Concepto* concepto, const std::string& obra = "A7") {
    if (!con_.State()) con_.Open(base_->Ruta());
    if (m_ == nullptr) m_ = std::make_unique<prueba::ModeloAMano>(obra);
    Presup& l = m_->Linea(frente, concepto ? concepto->Des.Clave : "??", Fecha(), Fecha());
    l.Concepto = concepto;
    listas_.push_back(std::make_unique<EstimacionesPresup>());
    EstimacionesPresup& e = *listas_.back();
    e.Presup = &l;
    EXPECT_EQ(e.Carga(&con_, s_), 0);
    return e;
  }

  std::vector<std::string> NoEsts(const EstimacionesPresup& e) {
    std::vector<std::string> r;
    for (const EstimacionPresup* i : e) r.push_back(i->NoEst);
    return r;
  }

  prueba::DirectorioTemporal dir_;
  std::unique_ptr<prueba::BaseSqlite> base_ = std::make_unique<prueba::BaseSqlite>(dir_.Archivo("obra.db"));
  HostGrabador host_;
  HostEnUso uso_{host_};
  std::unique_ptr<prueba::ModeloAMano> m_;
  Concepto concepto_;
  Conexion con_;
  std::string s_;
  std::vector<std::unique_ptr<EstimacionesPresup>> listas_;
};

TEST_F(CargaPorLinea, OneItemPerEstimateInNumberOrder) {
  base_->Ejecuta(
      "insert into EST2 values ('A7', 4, '01', '', 'C-10', 4, 10, 40, 1);"
      "insert into EST2 values ('A7', 1, '01', '', 'C-10', 1.5, 10.25, 15.375, 2);"
      "insert into EST2 values ('A7', 2, '01', '', 'C-10', 2, 10, 20, 3);"
      // Other works, sections, concepts and fronts.
      "insert into EST2 values ('B1', 3, '01', '', 'C-10', 9, 9, 9, 1);"
      "insert into EST2 values ('A7', 3, '02', '', 'C-10', 9, 9, 9, 1);"
      "insert into EST2 values ('A7', 3, '01', '', 'C-11', 9, 9, 9, 1);"
      "insert into EST2 values ('A7', 3, '01', 'F1', 'C-10', 9, 9, 9, 1);"
      "insert into EST2 values ('A7', 3, '01', NULL, 'C-10', 9, 9, 9, 1)");
  const EstimacionesPresup& e = Carga("", &concepto_);
  EXPECT_EQ(s_, "");
  EXPECT_EQ(NoEsts(e), (std::vector<std::string>{"1", "2", "4"}));
  EXPECT_EQ(e.Item(e.Count())->NoEstimacion, 4);
  EXPECT_EQ(e.Item("k2"), e.Item(2));
  EXPECT_EQ(e.Item("k3"), nullptr);
  const EstimacionPresup& uno = *e.Item(1);
  EXPECT_EQ(uno.EstimacionesPresup, &e);
  EXPECT_EQ(uno.NoEstimacion, 1);
  EXPECT_DOUBLE_EQ(uno.Cantidad, 1.5);
  EXPECT_EQ(uno.Punit, Moneda::DesdeTexto("10.25"));
  EXPECT_EQ(uno.Importe, Moneda::DesdeTexto("15.375"));

  // The front is matched as it is: "F1" finds its own row only.
  EXPECT_EQ(NoEsts(Carga("F1", &concepto_)), std::vector<std::string>{"3"});
  EXPECT_EQ(s_, "");
}

TEST_F(CargaPorLinea, NullAmountsAreZeroAndRepeatedNumbersAreRejected) {
  base_->Ejecuta(
      "insert into EST2 values ('A7', 1, '01', '', 'C-10', NULL, NULL, NULL, 1);"
      "insert into EST2 values ('A7', 2, '01', '', 'C-10', 2, 10, 20, 2);"
      "insert into EST2 values ('A7', 2, '01', '', 'C-10', 3, 10, 30, 3);"
      "insert into EST2 values ('A7', 3, '01', '', 'C-10', 3, 10, 30, 4)");
  const EstimacionesPresup& e = Carga("", &concepto_);
  EXPECT_EQ(NoEsts(e), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_DOUBLE_EQ(e.Item(1)->Cantidad, 0);
  EXPECT_EQ(e.Item(1)->Punit, Moneda());
  EXPECT_EQ(e.Item(1)->Importe, Moneda());
  EXPECT_DOUBLE_EQ(e.Item("k2")->Cantidad, 2);  // the first row of estimate 2 stays
  EXPECT_EQ(s_.rfind("ProMorlaQel.EstimacionesPresup.AddByObject() arrojó la excepción # 457 ", 0), 0u) << s_;
  EXPECT_EQ(std::count(s_.begin(), s_.end(), '\n'), 1);
}

TEST_F(CargaPorLinea, LineWithoutConceptRunsNoQuery) {
  // A database without EST2: any query would fail and show a message.
  base_ = std::make_unique<prueba::BaseSqlite>(dir_.Archivo("vacia.db"), false);
  const EstimacionesPresup& e = Carga("", nullptr);
  EXPECT_EQ(e.Count(), 0);
  EXPECT_EQ(s_, "");
  EXPECT_TRUE(host_.mensajes.empty());
}

TEST_F(CargaPorLinea, MissingColumnStopsTheLoad) {
  base_->Ejecuta(
      "drop table EST2; create table EST2 (OBRA TEXT, ESTIMACION INTEGER, PARTIDA TEXT, FRENTE TEXT, "
      "CONCEPTO TEXT, PUNIT REAL, IMPORTE REAL, ORDEN INTEGER);"
      "insert into EST2 values ('A7', 1, '01', '', 'C-10', 1, 1, 1)");
  const EstimacionesPresup& e = Carga("", &concepto_);
  EXPECT_EQ(e.Count(), 0);
  EXPECT_EQ(s_.rfind("ProMorlaQel.EstimacionesPresup.Carga() arrojó la excepción # 3265 ", 0), 0u) << s_;
}

TEST_F(CargaPorLinea, UnlinkedListReports) {
  EstimacionesPresup sin_linea;
  EXPECT_EQ(sin_linea.Carga(&con_, s_), 0);
  Presup suelta;
  suelta.Concepto = &concepto_;
  EstimacionesPresup sin_partida;
  sin_partida.Presup = &suelta;
  sin_partida.Carga(&con_, s_);
  EXPECT_EQ(s_,
            "ProMorlaQel.EstimacionesPresup.Carga() arrojó la excepción # 91 " +
                std::string(DescripcionError(91)) + "\n" +
                "ProMorlaQel.EstimacionesPresup.Carga() arrojó la excepción # 91 " +
                std::string(DescripcionError(91)) + "\n");
}

TEST_F(CargaPorLinea, CodesWithApostrophesLoad) {
  concepto_.Des.Clave = "C'1";
  m_ = std::make_unique<prueba::ModeloAMano>("A'7", "0'1");
  base_->Ejecuta("insert into EST2 values ('A''7', 5, '0''1', 'O''Neil', 'C''1', 1, 5, 5, 1)");
  const EstimacionesPresup& e = Carga("O'Neil", &concepto_);
  EXPECT_EQ(s_, "");
  EXPECT_EQ(NoEsts(e), std::vector<std::string>{"5"});
}

TEST_F(CargaPorLinea, YieldsAfterEveryRecordButEachTenth) {
  std::string sql;
  for (int i = 1; i <= 21; ++i) sql += "insert into EST2 values ('A7', " + std::to_string(i) + ", '01', '', 'C-10', 1, 1, 1, 1);";
  base_->Ejecuta(sql);
  EXPECT_EQ(Carga("", &concepto_).Count(), 21);
  EXPECT_EQ(host_.cesiones, 19);
  EXPECT_EQ(host_.ultimo_progreso_registro, 21);
  EXPECT_EQ(host_.ultimo_progreso_total, 21);
}

// The shipped schema stores ESTIMACION as a number: a text '07' is kept as 7.
TEST_F(CargaPorLinea, TextNumberInTheShippedSchemaIsStoredAsANumber) {
  base_->Ejecuta("insert into EST2 values ('A7', '07', '01', '', 'C-10', 1, 1, 1, 1)");
  const EstimacionesPresup& e = Carga("", &concepto_);
  ASSERT_EQ(e.Count(), 1);
  EXPECT_EQ(e.Item(1)->NoEst, "7");
  EXPECT_EQ(e.Item(1)->NoEstimacion, 7);
}

// Databases of an older structure keep ESTIMACION as text: the text is the
// item's NoEst and key, its leading number its NoEstimacion and its order.
TEST_F(CargaPorLinea, TextNumbersOfAnOlderStructure) {
  base_->Ejecuta(
      "drop table EST2; create table EST2 (OBRA TEXT, ESTIMACION TEXT, PARTIDA TEXT, FRENTE TEXT, "
      "CONCEPTO TEXT, CANT_EST REAL, PUNIT REAL, IMPORTE REAL, ORDEN INTEGER)");
  std::string sql;
  for (const char* n : {"10", "07", "9", " 3", "a3", "2.5", "3.5", "", "11x"}) {
    sql += std::string("insert into EST2 values ('A7', '") + n + "', '01', '', 'C-10', 1, 1, 1, 1);";
  }
  base_->Ejecuta(sql);
  const EstimacionesPresup& e = Carga("", &concepto_);
  EXPECT_EQ(s_, "");
  EXPECT_EQ(NoEsts(e), (std::vector<std::string>{"", "a3", "2.5", " 3", "3.5", "07", "9", "10", "11x"}));
  std::vector<int32_t> numeros;
  for (const EstimacionPresup* i : e) numeros.push_back(i->NoEstimacion);
  EXPECT_EQ(numeros, (std::vector<int32_t>{0, 0, 2, 3, 4, 7, 9, 10, 11}));
  EXPECT_EQ(e.Item("k07"), e.Item(6));
  EXPECT_EQ(e.Item("k7"), nullptr);
  EXPECT_EQ(e.Item(e.Count())->NoEstimacion, 11);
}

}  // namespace
}  // namespace pmq
