#include "estimates/estimaciones_presup.h"
#include "../schedule/modelo_a_mano.h"
#include "apoyo/base_prueba.h"
#include "catalogue/concepto.h"
#include "common/host_grabador.h"
#include "db/conexion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pmq {
namespace {

// Loads what the estimates billed of one line, linked by hand to its work and
// section the way the line loader links it.
class CargaPorLinea : public ::testing::Test {
 protected:
  const EstimacionesPresup& Carga(const std::string& frente, Concepto* concepto) {
    if (con_.State() == kEstadoCerrado) con_.Open(base_->Ruta());
    Presup& l = m_.Linea(frente, concepto != nullptr ? concepto->Des.Clave : "?");
    l.Concepto = concepto;
    listas_.push_back(std::make_unique<EstimacionesPresup>(&l));
    EXPECT_EQ(listas_.back()->Carga(&con_, s_), 0);
    return *listas_.back();
  }
  static std::string NoEsts(const EstimacionesPresup& e) {
    std::string r;
    for (const EstimacionPresup* i : e) r += i->NoEst + "=" + std::to_string(i->NoEstimacion) + ";";
    return r;
  }

  prueba::DirectorioTemporal dir_;
  std::unique_ptr<prueba::BaseSqlite> base_ =
      std::make_unique<prueba::BaseSqlite>(dir_.Archivo("obra.db"));
  HostGrabador host_;
  HostEnUso uso_{host_};
  prueba::ModeloAMano m_;
  Concepto c10_ = [] {
    Concepto c;
    c.Des.Clave = "C-10";
    return c;
  }();
  Conexion con_;
  std::string s_;
  std::vector<std::unique_ptr<EstimacionesPresup>> listas_;
};

TEST_F(CargaPorLinea, OneItemPerEstimateOfThatLineInNumberOrder) {
  base_->Ejecuta(
      "insert into EST2 values ('A7', 4, '01', '', 'C-10', 4, 10, 40, 1), ('A7', 1, '01', '', "
      "'C-10', 1.5, 10.25, 15.375, 2),"
      " ('A7', 2, '01', '', 'C-10', NULL, NULL, NULL, 3), ('A7', 2, '01', '', 'C-10', 3, 1, 3, 4),"
      // other works, sections, concepts and fronts
      " ('B1', 3, '01', '', 'C-10', 9, 9, 9, 1), ('A7', 3, '02', '', 'C-10', 9, 9, 9, 1),"
      " ('A7', 3, '01', '', 'C-11', 9, 9, 9, 1), ('A7', 3, '01', 'F1', 'C-10', 9, 9, 9, 1),"
      " ('A7', 5, '01', NULL, 'C-10', 9, 9, 9, 1)");
  const EstimacionesPresup& e = Carga("", &c10_);
  EXPECT_EQ(NoEsts(e), "1=1;2=2;4=4;");
  EXPECT_DOUBLE_EQ(e.Item(1)->Cantidad, 1.5);
  EXPECT_EQ(e.Item(1)->Punit, Moneda::DesdeTexto("10.25"));
  EXPECT_EQ(e.Item(1)->Importe, Moneda::DesdeTexto("15.375"));
  // The first row of estimate 2 (all nulls) stays; the second is rejected.
  EXPECT_EQ(e.Item("k2"), e.Item(2));
  EXPECT_DOUBLE_EQ(e.Item(2)->Cantidad, 0);
  EXPECT_EQ(e.Item(2)->Importe, Moneda());
  EXPECT_EQ(s_, "ProMorlaQel.EstimacionesPresup.AddByObject() arrojó la excepción # 457 " +
                    std::string(DescripcionError(457)) + "\n");
  EXPECT_EQ(NoEsts(Carga("F1", &c10_)), "3=3;");
}

// The shipped schema keeps a text '07' as the number 7; databases of an older
// structure keep it as text: NoEst and the key are the text, NoEstimacion and
// the order its leading number (halves to even).
TEST_F(CargaPorLinea, EstimateNumbersStoredAsText) {
  base_->Ejecuta("insert into EST2 values ('A7', '07', '01', '', 'C-10', 1, 1, 1, 1)");
  EXPECT_EQ(NoEsts(Carga("", &c10_)), "7=7;");

  base_->Ejecuta(
      "drop table EST2; create table EST2 (OBRA TEXT, ESTIMACION TEXT, PARTIDA TEXT, FRENTE TEXT, "
      "CONCEPTO TEXT, CANT_EST REAL, PUNIT REAL, IMPORTE REAL, ORDEN INTEGER);"
      "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO) values ('A''7', '10', '01', "
      "'O''N', 'C-10'),"
      " ('A''7', '07', '01', 'O''N', 'C-10'), ('A''7', ' 3', '01', 'O''N', 'C-10'), ('A''7', 'a3', "
      "'01', 'O''N', 'C-10'),"
      " ('A''7', '2.5', '01', 'O''N', 'C-10'), ('A''7', '3.5', '01', 'O''N', 'C-10'), ('A''7', "
      "'11x', '01', 'O''N', 'C-10')");
  m_.Obra().Des.Clave = "A'7";
  const EstimacionesPresup& e = Carga("O'N", &c10_);
  EXPECT_EQ(s_, "");
  EXPECT_EQ(NoEsts(e), "a3=0;2.5=2; 3=3;3.5=4;07=7;10=10;11x=11;");
  EXPECT_EQ(e.Item("k07"), e.Item(5));
  EXPECT_EQ(e.Item("k7"), nullptr);
}

}  // namespace
}  // namespace pmq
