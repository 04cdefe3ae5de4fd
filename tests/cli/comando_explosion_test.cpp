#include "cli/ejecucion.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>

namespace pmq {
namespace {

using nlohmann::ordered_json;
using prueba::Claves;
using prueba::Ejecuta;
using prueba::Ocurrencias;

// Work A7 (March to May 2013) with two unit-price concepts: C-200 on the first
// line, C-100 on the next two; M-1 is a material no line uses directly.
class Desglose : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = std::make_unique<prueba::BaseSqlite>(dir_.Archivo("obra.db"));
    prueba::InsertaObra(*base_, "A7", "'2013-03-15'", "'2013-05-10'");
    base_->Ejecuta(
        "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values ('A7','01','Uno',100);"
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) values "
        "('M-1','kg',10,'Cemento',1),('MO-1','jor',100,'Peón',2),('C-100','m3',0,'Concreto',5),"
        "('C-200','m2',0,'Firme',5),('C-300','m',0,'Sin uso',5);"
        "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) values "
        "('C-100','M-1',2.5),('C-200','MO-1',0.2),('C-300','M-1',1);"
        "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, "
        "FECHA_INI, "
        "FECHA_FIN) values ('A7','01','','C-200',1,10,0,1,'2013-03-20','2013-04-19'),"
        "('A7','01','X','C-100',2,10,0,2,'2013-04-01','2013-04-10'),"
        "('A7','01','Y','C-100',5,10,0,3,'2013-05-01','2013-05-10');"
        "insert into EST1 (OBRA, ESTIMACION, DEDUC_EST, AMORT_EST, IVA_AMORT) values "
        "('A7',1,0,0,0);"
        "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, "
        "ORDEN) "
        "values ('A7',1,'01','X','C-100',1,10,10,1);");
  }
  prueba::DirectorioTemporal dir_;
  std::unique_ptr<prueba::BaseSqlite> base_;
};

TEST_F(Desglose, EveryConceptBrokenDownWhileLoadingInTheOrderFirstMet) {
  const auto r = Ejecuta(dir_, {"explosion", "--bd", base_->Ruta(), "--obra", "A7"});
  EXPECT_EQ(r.salida, 0) << r.err;
  EXPECT_EQ(Ocurrencias(r.out, " Explosión de "), 2) << r.out;
  const size_t c200 = r.out.find("C-200");
  const size_t c100 = r.out.find("C-100");
  ASSERT_NE(c200, std::string::npos);
  ASSERT_NE(c100, std::string::npos);
  EXPECT_LT(c200, c100);
  EXPECT_EQ(r.out.find("C-300"), std::string::npos);
}

TEST_F(Desglose, OneConceptWhetherOrNotALineUsesIt) {
  const auto r =
      Ejecuta(dir_, {"explosion", "--bd", base_->Ruta(), "--obra", "A7", "--concepto", "C-300"});
  EXPECT_EQ(r.salida, 0) << r.err;
  EXPECT_EQ(Ocurrencias(r.out, " Explosión de "), 1);
  EXPECT_NE(r.out.find("C-300"), std::string::npos);
  // Priced as a line of the work would be: waste 5 % and tax 16 % on 10.00.
  EXPECT_NE(r.out.find("12.18"), std::string::npos) << r.out;

  const auto falta =
      Ejecuta(dir_, {"explosion", "--bd", base_->Ruta(), "--obra", "A7", "--concepto", "NO-HAY"});
  EXPECT_EQ(falta.salida, 1);
  EXPECT_EQ(falta.out, "");
  EXPECT_NE(falta.err.find("NO-HAY"), std::string::npos);
}

TEST_F(Desglose, TheDiagnosticListingShowsEachConceptOnce) {
  const auto r =
      Ejecuta(dir_, {"calcular", "--bd", base_->Ruta(), "--obra", "A7"}, "PMQ_DIAGNOSTICO=1");
  EXPECT_EQ(r.salida, 0);
  EXPECT_EQ(Ocurrencias(r.err, " Explosión de "), 2) << r.err;
  const auto sin = Ejecuta(dir_, {"calcular", "--bd", base_->Ruta(), "--obra", "A7"});
  EXPECT_EQ(sin.err, "");
}

TEST_F(Desglose, JsonDumpOfCalendarSharesBreakdownsAndEstimates) {
  const auto r = Ejecuta(dir_, {"calcular", "--bd", base_->Ruta(), "--obra", "A7", "--json"});
  ASSERT_EQ(r.salida, 0) << r.err;
  const ordered_json j = ordered_json::parse(r.out);
  ASSERT_EQ(j["Periodos"].size(), 3u);
  EXPECT_EQ(j["Periodos"][1], (ordered_json{{"Inicio", "2013-04-01"},
                                            {"Final", "2013-04-30"},
                                            {"IdxIni", 32},
                                            {"IdxFin", 61},
                                            {"Duracion", 30}}));

  const ordered_json& lineas = j["Obra"]["Partidas"][0]["Presups"];
  ASSERT_EQ(lineas.size(), 3u);
  const ordered_json& segunda = lineas[1];
  ASSERT_EQ(segunda["PeriodosPorItem"].size(), 3u);
  const ordered_json& abril = segunda["PeriodosPorItem"][1];
  EXPECT_EQ(Claves(abril), (std::vector<std::string>{"f1", "f2", "P1", "P2", "Caso", "d1", "d2",
                                                     "Duracion", "Cantidad", "Importe", "Dias"}));
  EXPECT_EQ(abril["Caso"], 1);
  EXPECT_EQ(abril["Dias"], "111111111100000000000000000000");
  EXPECT_EQ(segunda["PeriodosPorItem"][0]["Dias"].get<std::string>().size(), 31u);
  ASSERT_EQ(segunda["EstimacionesPresup"].size(), 1u);
  EXPECT_EQ(segunda["EstimacionesPresup"][0], (ordered_json{{"NoEst", "1"},
                                                            {"NoEstimacion", 1},
                                                            {"Cantidad", 1.0},
                                                            {"Punit", 10.0},
                                                            {"Importe", 10.0}}));
  EXPECT_EQ(j["Obra"]["NoEstimaciones"], 1);

  const ordered_json& explosion = segunda["Explosion"];
  EXPECT_EQ(
      Claves(explosion),
      (std::vector<std::string>{"Items", "ResumenMat", "ResumenMdo", "ResumenMaq", "ResumenSub",
                                "ResumenInd", "Resumen", "VolumenObra", "DestajoUnitario",
                                "TotalMateriales", "TotalManoDeObra", "TotalMaquinaria",
                                "TotalSubcontratos", "TotalIndirectos", "TotalDestajos", "Total"}));
  // A line's own explosion holds only the scaled summaries.
  EXPECT_EQ(explosion["Items"], ordered_json::array());
  EXPECT_TRUE(explosion["ResumenMaq"].is_null());
  ASSERT_EQ(explosion["ResumenMat"].size(), 1u);
  const ordered_json& item = explosion["ResumenMat"][0];
  EXPECT_EQ(Claves(item),
            (std::vector<std::string>{"Concepto", "ConceptoOrigen", "Cantidad", "CantidadAlt",
                                      "Parcial", "EsInsumoMaquina", "Resumido"}));
  EXPECT_EQ(item["Concepto"], "M-1");
  EXPECT_EQ(item["Cantidad"], 5.0);
  EXPECT_EQ(item["Parcial"], 60.9);

  // The concept's own explosion, per unit, with its breakdown lines.
  for (const ordered_json& c : j["Conceptos"]) {
    if (c["Des"]["Clave"] == "C-100") {
      ASSERT_EQ(c["Explosion"]["Items"].size(), 1u);
      EXPECT_EQ(c["Explosion"]["Items"][0]["ConceptoOrigen"], "C-100");
      EXPECT_EQ(c["Explosion"]["ResumenMdo"], ordered_json::array());
    } else if (c["Des"]["Clave"] == "C-300") {
      EXPECT_TRUE(c["Explosion"].is_null());
    }
  }
  ASSERT_EQ(j["Obra"]["Estimaciones"].size(), 1u);
  const ordered_json& est = j["Obra"]["Estimaciones"][0];
  EXPECT_EQ(Claves(est), (std::vector<std::string>{"Des", "Deducciones", "Amortizacion",
                                                   "IVAAmortizacion", "ItemsEstimacion"}));
  ASSERT_EQ(est["ItemsEstimacion"].size(), 1u);
  EXPECT_EQ(Claves(est["ItemsEstimacion"][0]), (std::vector<std::string>{"Des", "Concepto"}));
  EXPECT_EQ(est["ItemsEstimacion"][0]["Concepto"], "C-100");
}

}  // namespace
}  // namespace pmq
