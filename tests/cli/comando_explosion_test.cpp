#include "apoyo/obra_calculada.h"
#include "cli/ejecucion.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace pmq {
namespace {

using nlohmann::ordered_json;
using prueba::Claves;
using prueba::Ejecuta;
using prueba::Ocurrencias;

// Work A7 (March to May 2013) with two unit-price concepts: C-200 on the first
// line, C-100 on the next two; M-1 is a material no line uses directly.
class Desglose : public prueba::ObraCalculada {
 protected:
  void SetUp() override {
    Obra();
    Partida("01", 100);
    Concepto("M-1", prueba::kMat, 10);
    Concepto("MO-1", prueba::kMdo, 100);
    for (const char* c : {"C-100", "C-200", "C-300"}) Concepto(c, prueba::kPU);
    Matriz("C-100", "M-1", "2.5");
    Matriz("C-200", "MO-1", "0.2");
    Matriz("C-300", "M-1", "1");
    Linea("01", "", "C-200", 1, 10);
    Linea("01", "X", "C-100", 2, 10, "2013-04-01", "2013-04-10");
    Linea("01", "Y", "C-100", 5, 10, "2013-05-01", "2013-05-10");
    Cobro(1, "01", "X", "C-100", 1, 10);
    Raiz();  // writes the rows
  }
};

TEST_F(Desglose, EveryConceptBrokenDownWhileLoadingInTheOrderFirstMet) {
  const auto r = Ejecuta(dir_, {"explosion", "--bd", base_.Ruta(), "--obra", "A7"});
  EXPECT_EQ(r.salida, 0) << r.err;
  EXPECT_EQ(Ocurrencias(r.out, " Explosión de "), 2) << r.out;
  const size_t c200 = r.out.find("C-200");
  const size_t c100 = r.out.find("C-100");
  ASSERT_NE(c200, std::string::npos);
  ASSERT_NE(c100, std::string::npos);
  EXPECT_LT(c200, c100);
  EXPECT_EQ(r.out.find("C-300"), std::string::npos);
  // The same listing goes to stderr while calculating, only when asked for.
  const auto diagnostico =
      Ejecuta(dir_, {"calcular", "--bd", base_.Ruta(), "--obra", "A7"}, "PMQ_DIAGNOSTICO=1");
  EXPECT_EQ(Ocurrencias(diagnostico.err, " Explosión de "), 2) << diagnostico.err;
  EXPECT_EQ(Ejecuta(dir_, {"calcular", "--bd", base_.Ruta(), "--obra", "A7"}).err, "");
}

TEST_F(Desglose, OneConceptWhetherOrNotALineUsesIt) {
  const auto r =
      Ejecuta(dir_, {"explosion", "--bd", base_.Ruta(), "--obra", "A7", "--concepto", "C-300"});
  EXPECT_EQ(r.salida, 0) << r.err;
  EXPECT_EQ(Ocurrencias(r.out, " Explosión de "), 1);
  EXPECT_NE(r.out.find("C-300"), std::string::npos);
  // Priced as a line of the work would be: waste 5 % and tax 16 % on 10.00.
  EXPECT_NE(r.out.find("12.18"), std::string::npos) << r.out;

  const auto falta =
      Ejecuta(dir_, {"explosion", "--bd", base_.Ruta(), "--obra", "A7", "--concepto", "NO-HAY"});
  EXPECT_EQ(falta.salida, 1);
  EXPECT_EQ(falta.out, "");
  EXPECT_NE(falta.err.find("NO-HAY"), std::string::npos);
}

TEST_F(Desglose, JsonDumpOfCalendarSharesBreakdownsAndEstimates) {
  const auto r = Ejecuta(dir_, {"calcular", "--bd", base_.Ruta(), "--obra", "A7", "--json"});
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
  EXPECT_EQ(Claves(abril), "f1|f2|P1|P2|Caso|d1|d2|Duracion|Cantidad|Importe|Dias");
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
  EXPECT_EQ(Claves(explosion),
            "Items|ResumenMat|ResumenMdo|ResumenMaq|ResumenSub|ResumenInd|Resumen|VolumenObra|"
            "DestajoUnitario|TotalMateriales|TotalManoDeObra|TotalMaquinaria|TotalSubcontratos|"
            "TotalIndirectos|TotalDestajos|Total");
  // A line's own explosion holds only the scaled summaries.
  EXPECT_EQ(explosion["Items"], ordered_json::array());
  EXPECT_TRUE(explosion["ResumenMaq"].is_null());
  ASSERT_EQ(explosion["ResumenMat"].size(), 1u);
  const ordered_json& item = explosion["ResumenMat"][0];
  EXPECT_EQ(Claves(item),
            "Concepto|ConceptoOrigen|Cantidad|CantidadAlt|Parcial|EsInsumoMaquina|Resumido");
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
  EXPECT_EQ(Claves(est), "Des|Deducciones|Amortizacion|IVAAmortizacion|ItemsEstimacion");
  ASSERT_EQ(est["ItemsEstimacion"].size(), 1u);
  EXPECT_EQ(Claves(est["ItemsEstimacion"][0]), "Des|Concepto");
  EXPECT_EQ(est["ItemsEstimacion"][0]["Concepto"], "C-100");
}

}  // namespace
}  // namespace pmq
