// Analyses that reach themselves again, the analysis rows kept in memory, and
// the breakdown of the whole catalogue.

#include "catalogo_prueba.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

using namespace prueba;

class Analisis : public CatalogoConBase {};

TEST_F(Analisis, ACircularAnalysisIsCutWhereItRepeatsAndReportedWithItsPath) {
  Concepto("X-1", kPU);
  Conceptos({"X-2", "X-3"}, kBas);
  Conceptos({"M-1", "M-2", "M-3"}, kMat, 1);
  Matrices({{"X-1", "M-1", "1"},
            {"X-1", "X-2", "2"},
            {"X-1", "M-3", "1"},
            {"X-2", "M-2", "1"},
            {"X-2", "X-1", "1"},
            {"X-2", "M-2", "5"},
            {"X-3", "X-3", "1"}});  // X-3 lists itself
  Carga();
  std::string s;
  std::unique_ptr<Explosion> e = Explota("X-1", s);
  // Lines before and after the repetition are kept, at every level.
  ASSERT_EQ(Claves(e->Items), "M-1|M-2|M-2|M-3");
  EXPECT_DOUBLE_EQ(e->Items.Item(3)->Cantidad, 10);
  EXPECT_EQ(s,
            "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 28 Referencia circular: X-1 > "
            "X-2 > X-1\n");

  s.clear();
  EXPECT_EQ(Explota("X-3", s)->Items.Count(), 0);
  EXPECT_EQ(
      s,
      "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 28 Referencia circular: X-3 > X-3\n");
}

TEST_F(Analisis, AMachineWhoseCrewUsesTheMachineAgainIsCut) {
  Concepto("MQ", kMaq, 1, 1, 1, "EQ", 1);
  Concepto("CUA", kCua);
  Concepto("DIE", kMat, 1);
  Matrices({{"CUA", "DIE", "1"}, {"CUA", "MQ", "1"}});
  base_.Ejecuta(
      "insert into MAQUINA (MAQUINA, VAL_A1, CANT_GAS, CANT_DIE, C_OTRAS, CANT_ACEI, CANT_LLAN, "
      "CANT_PZAS, "
      "CUADRILLA, CANT_OPER) values ('EQ', 1, 0, 0, 0, 0, 0, 0, 'CUA', 2)");
  p_.DesglosarMaquinaria = true;
  Carga();
  std::string s;
  std::unique_ptr<Explosion> e = Explota("MQ", s);
  ASSERT_EQ(Claves(e->Items), "DIE");
  EXPECT_DOUBLE_EQ(e->Items.Item(1)->Cantidad, 2);
  EXPECT_EQ(s,
            "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 28 Referencia circular: MQ > "
            "CUA > MQ\n");
}

// Same breakdowns with one query per composite and with the whole table read once.
TEST_F(Analisis, ALargeCatalogueReadsTheTableOnceAndKeepsEachAnalysisInItsOrder) {
  std::string relleno = "insert into CONCEPTO (CONCEPTO, COSTO, TIPO) values ";
  for (int i = 0; i < Matrices::kUmbralPrecarga; ++i) {
    relleno += i ? ",('R-" : "('R-";
    relleno += std::to_string(i);
    relleno += "', 1, 1)";
  }
  Conceptos({"P-1", "P-2"}, kPU);
  Concepto("B-1", kBas);
  Conceptos({"M-1", "M-2", "M-3"}, kMat, 1);
  Matrices({{"P-1", "M-3", "1"},
            {"P-2", "B-1", "2"},
            {"B-1", "M-2", "1"},
            {"P-1", "B-1", "1"},
            {"B-1", "M-1", "1"},
            {"P-1", "M-1", "1"}});
  Carga();
  std::string s;
  ASSERT_LT(p_.Conceptos->Count(), Matrices::kUmbralPrecarga);
  const std::string pequeno =
      Claves(Explota("P-1", s)->Items) + "/" + Claves(Explota("P-2", s)->Items);
  EXPECT_EQ(pequeno, "M-3|M-2|M-1|M-1/M-2|M-1");
  // One query per composite, each read once.
  EXPECT_FALSE(p_.Conceptos->Analisis().Precargada());
  EXPECT_EQ(p_.Conceptos->Analisis().Consultas(), 3);

  base_.Ejecuta(relleno);
  Programa grande;
  grande.Ruta = base_.Ruta();
  grande.ClaveObra = "A1";
  ASSERT_EQ(grande.CalcularPrograma(s), ResultadoCarga::Correcta);
  ASSERT_GE(grande.Conceptos->Count(), Matrices::kUmbralPrecarga);
  auto explota = [&](const char* clave) {
    std::unique_ptr<Explosion> e;
    pmq::Concepto* c = grande.Conceptos->Item("k" + std::string(clave));
    c->ExplotaMe(grande.Conexion, c, 1, false, e, s);
    return Claves(e->Items);
  };
  EXPECT_EQ(explota("P-1") + "/" + explota("P-2"), pequeno);
  EXPECT_TRUE(grande.Conceptos->Analisis().Precargada());
  EXPECT_EQ(grande.Conceptos->Analisis().Consultas(), 1);
  EXPECT_EQ(s, "");
}

TEST_F(Analisis, TheWholeCatalogueBreaksDownUnitPriceAndIntegratedConceptsOnly) {
  Concepto("P-1", kPU);
  Concepto("II-1", kII);
  Concepto("B-1", kBas);
  Concepto("M-1", kMat, 10);
  Matrices({{"P-1", "B-1", "2"}, {"B-1", "M-1", "0.5"}, {"II-1", "M-1", "3"}});
  for (int i = 0; i < 12; ++i) Concepto("Z-" + std::to_string(i), kMat, 1);
  Carga();
  C("P-1")->Explosion = std::make_unique<Explosion>();
  const Explosion* anterior = C("P-1")->Explosion.get();
  const int64_t cesiones = host_.cesiones;
  std::string s;
  p_.Conceptos->ExplotaConceptos(p_.Conexion, s);
  EXPECT_EQ(s, "");
  ASSERT_TRUE(C("P-1")->Explosion);
  EXPECT_NE(C("P-1")->Explosion.get(), anterior);  // replaced
  EXPECT_EQ(Claves(C("P-1")->Explosion->Items), "M-1");
  EXPECT_DOUBLE_EQ(C("P-1")->Explosion->Items.Item(1)->Cantidad, 1.0);
  EXPECT_EQ(Claves(C("II-1")->Explosion->Items), "M-1");
  EXPECT_FALSE(C("B-1")->Explosion);
  EXPECT_FALSE(C("M-1")->Explosion);
  // Not priced here.
  EXPECT_TRUE(C("P-1")->Explosion->Items.Item(1)->Parcial.EsCero());
  EXPECT_FALSE(C("P-1")->Explosion->Resumen.has_value());
  // 16 concepts: the host is given a turn after every one but the 10th.
  EXPECT_EQ(host_.cesiones - cesiones, 15);
}

}  // namespace
}  // namespace pmq
