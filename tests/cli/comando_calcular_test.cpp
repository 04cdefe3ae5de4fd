#include "apoyo/obra_calculada.h"
#include "cli/ejecucion.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <vector>

namespace pmq {
namespace {

using nlohmann::ordered_json;
using prueba::Claves;
using prueba::Ejecuta;

class Calcular : public prueba::ObraCalculada {
 protected:
  void SetUp() override {
    Obra();
    Sql("update OBRAS set DESC_OBRA = 'Nombre largo de A7' where OBRA = 'A7';"
        "insert into MAQUINA (MAQUINA, VAL_A1, CANT_GAS, CANT_DIE, C_OTRAS, CANT_ACEI, CANT_LLAN, "
        "CANT_PZAS, CANT_OPER, DIESEL, MARCA) values ('RETRO', 1000, 0, 0.5, 0, 0, 0, 0, 0, 'M-1', "
        "'Marca')");
    Partida("01", 100.50, "Uno");
    Partida("02", 200, "Dos");
    Partida("03", 0.25, "Tres");
    Concepto("M-1", prueba::kMat, 10);
    Concepto("C-100", prueba::kPU, 100);
    Linea("01", "", "C-100", 3.3335, 10);
    Linea("01", "F2", "NO-HAY", 1, 1, "2013-03-20", "2013-03-20");
    Sql("update PRESUPS set IMPORTE = 7.5 where FRENTE = 'F2'");
  }

  prueba::Ejecucion Corre(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"calcular", "--bd", base_.Ruta(), "--obra", "A7"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Ejecuta(dir_, args);
  }
};

TEST_F(Calcular, SummaryAndExitCodesFollowTheCalculationResult) {
  const auto bien = Corre();
  EXPECT_EQ(bien.salida, 0) << bien.err;
  EXPECT_NE(bien.out.find("Nombre largo de A7"), std::string::npos) << bien.out;
  EXPECT_NE(bien.out.find("$ 300.75"), std::string::npos) << bien.out;
  EXPECT_NE(bien.out.find("15/mar/2013"), std::string::npos) << bien.out;
  EXPECT_EQ(bien.err, "");
}

TEST_F(Calcular, JsonDumpHasTheFieldsInTheirOrder) {
  const auto r = Corre({"--json"});
  ASSERT_EQ(r.salida, 0) << r.err;
  const ordered_json j = ordered_json::parse(r.out);
  EXPECT_EQ(Claves(j),
            "Resultado|sErrores|Mensajes|TipoPrograma|Periodos|Conceptos|CostosHorarios|Obra");
  const std::string cuerpo =
      "Clave|Referencia|Descripcion|Unidad|Costo|Cantidad|Importe|Inicio|Final|UnidadAlt|"
      "FactorConversion|FSR|Actividad|Fecha|Frente|Enca1|Enca2|Enca3|DescripcionLarga|Aditiva|"
      "Deductiva";
  const ordered_json& obra = j["Obra"];
  EXPECT_EQ(Claves(obra),
            "Des|IVA|IVAMat|FacDe|FacMI|FacHM|DiasObra|NoEstimaciones|ImporteTotal|"
            "FactoresMaquinaria|FPro|Partidas|Estimaciones");
  EXPECT_EQ(Claves(obra["Des"]), cuerpo);
  EXPECT_EQ(Claves(obra["FactoresMaquinaria"]), "Dep|Inv|Seg|Man|Ope|Com|Lub|Lla|Otr");
  EXPECT_EQ(obra["FactoresMaquinaria"]["Com"],
            (ordered_json{{"FAct", 1.0}, {"FEsp", 0.8}, {"FRes", 0.5}}));
  EXPECT_EQ(obra["Des"]["Inicio"], "2013-03-15");
  EXPECT_EQ(obra["Des"]["Descripcion"], "Nombre largo de A7");
  EXPECT_EQ(obra["DiasObra"], 57);
  EXPECT_DOUBLE_EQ(obra["FacDe"].get<double>(), 0.05);

  ASSERT_EQ(obra["Partidas"].size(), 3u);
  EXPECT_EQ(obra["Partidas"][0]["Des"]["Clave"], "01");
  EXPECT_EQ(Claves(obra["Partidas"][0]), "Des|FPro|Presups");
  // Totals rows: one amount per period; the work's adds up its sections'.
  const ordered_json& fpro = obra["FPro"];
  EXPECT_EQ(Claves(fpro),
            "kTotal|kTotalAcumulado|kTotalMateriales|kTotalManoDeObra|kTotalMaquinaria|"
            "kTotalSubcontratos");
  for (const auto& [clave, fila] : fpro.items()) {
    ASSERT_EQ(fila.size(), j["Periodos"].size()) << clave;
    for (size_t k = 0; k < fila.size(); ++k) {
      double suma = 0;
      for (const auto& partida : obra["Partidas"]) suma += partida["FPro"][clave][k].get<double>();
      EXPECT_NEAR(fila[k].get<double>(), suma, 1e-9) << clave << k;
    }
  }
  const ordered_json& lineas = obra["Partidas"][0]["Presups"];
  ASSERT_EQ(lineas.size(), 2u);
  EXPECT_EQ(Claves(lineas[0]),
            "Des|Concepto|PorcentajePartida|PorcentajePresupuesto|Explosion|PeriodosPorItem|"
            "EstimacionesPresup");
  EXPECT_EQ(Claves(lineas[0]["Des"]), cuerpo);
  EXPECT_EQ(lineas[0]["Concepto"], "C-100");
  EXPECT_TRUE(lineas[1]["Concepto"].is_null());
  EXPECT_EQ(lineas[1]["Explosion"], nullptr);
  EXPECT_TRUE(lineas[0]["PorcentajePartida"].is_string());

  ASSERT_EQ(j["Conceptos"].size(), 2u);
  EXPECT_EQ(Claves(j["Conceptos"][0]), "Des|Tipo|CMaquina|TipoCostoHorario|Explosion");
  EXPECT_EQ(j["Conceptos"][0]["Des"]["Clave"], "M-1");  // ordered by TIPO, then code
  const ordered_json& ch = j["CostosHorarios"].at(0);
  EXPECT_EQ(Claves(ch["Info"]), "Marca|Ubicacion|Capacidad|Origen|Modelo");
  EXPECT_EQ(Claves(ch["ItemsCostoHorario"].at(1)), "Nombre|Concepto|Cantidad");
  EXPECT_EQ(ch["ItemsCostoHorario"][1]["Concepto"], "M-1");
}

TEST_F(Calcular, MoneyIsWrittenInExactDecimal) {
  Sql("update PARTIDAS set IMPORTE = 0.1 where PARTIDA = '01';"
      "update PARTIDAS set IMPORTE = 0.2 where PARTIDA = '02';"
      "update PARTIDAS set IMPORTE = 987654321.9876 where PARTIDA = '03';"
      "update PRESUPS set ADITIVA = 2.5, DEDUCTIVA = 0.25 where FRENTE = 'F2'");
  const auto r = Corre({"--json", "--legible"});
  ASSERT_EQ(r.salida, 0) << r.err;
  // Summed in fixed point: no binary fraction creeps in.
  EXPECT_NE(r.out.find("\"ImporteTotal\": 987654322.2876,"), std::string::npos);
  EXPECT_NE(r.out.find("\"Importe\": 33.34,"), std::string::npos);  // 10 × 3.3335 rounded
  EXPECT_NE(r.out.find("\"Importe\": 7.5,"), std::string::npos);    // stored: concept unknown
  EXPECT_NE(r.out.find("\"Costo\": 10.0,"), std::string::npos);
  EXPECT_NE(r.out.find("\"Aditiva\": 2.5,"), std::string::npos);
  EXPECT_NE(r.out.find("\"Deductiva\": 0.25\n"), std::string::npos);
  EXPECT_TRUE(ordered_json::accept(r.out));
}

TEST_F(Calcular, OffATerminalTheDocumentIsCompactAndDetailLevelsLeaveMembersOut) {
  const auto legible = Corre({"--json", "--legible"});
  const auto compacto = Corre({"--json"});
  ASSERT_EQ(compacto.salida, 0) << compacto.err;
  EXPECT_EQ(compacto.out.find('\n'), compacto.out.size() - 1);  // one line, then the break
  EXPECT_EQ(compacto.out.find(": "), std::string::npos);
  const ordered_json completo = ordered_json::parse(legible.out);
  EXPECT_EQ(ordered_json::parse(compacto.out), completo);
  EXPECT_EQ(ordered_json::parse(Corre({"--json", "--detalle", "completo"}).out), completo);

  // Each level is the whole document with members left out, nothing else.
  ordered_json lineas = completo, obra = completo;
  for (auto& c : lineas["Conceptos"]) c.erase("Explosion");
  for (auto& p : lineas["Obra"]["Partidas"]) {
    for (auto& l : p["Presups"]) l.erase("Explosion");
  }
  obra.erase("Conceptos");
  obra.erase("CostosHorarios");
  for (auto& p : obra["Obra"]["Partidas"]) p.erase("Presups");
  for (auto& e : obra["Obra"]["Estimaciones"]) e.erase("ItemsEstimacion");
  ASSERT_FALSE(completo["Obra"]["Partidas"][0]["Presups"].empty());
  EXPECT_EQ(ordered_json::parse(Corre({"--json", "--detalle", "lineas"}).out), lineas);
  EXPECT_EQ(ordered_json::parse(Corre({"--json", "--detalle", "obra"}).out), obra);
  EXPECT_EQ(Corre({"--json", "--detalle", "todo"}).salida, 64);
}

TEST_F(Calcular, OptionsReachTheRootAndMessagesAreCollected) {
  Obra("B8", "NULL");
  const auto r = Ejecuta(dir_, {"calcular", "--bd", base_.Ruta(), "--obra", "B8", "--opcion",
                                "NombreLargoObra=no", "--json"});
  EXPECT_EQ(r.salida, 3) << r.err;  // calculated, the load reported a failure
  const ordered_json j = ordered_json::parse(r.out);
  ASSERT_EQ(j["Mensajes"].size(), 1u);
  EXPECT_EQ(j["Mensajes"][0], (ordered_json{{"Titulo", "ProMorlaQel"},
                                            {"Texto", "No se tiene fecha de inicio de obra"},
                                            {"Estilo", 0}}));
  EXPECT_EQ(j["TipoPrograma"], -1);
  EXPECT_TRUE(j["Obra"]["Des"]["Inicio"].is_null());
  const std::string error = j["sErrores"];
  EXPECT_EQ(error.rfind("ProMorlaQel.Obra.Carga() arrojó la excepción # 94 ", 0), 0u);
  // stderr: the message box first, then what the calculation left in sErrores.
  EXPECT_EQ(r.err, "[ProMorlaQel] No se tiene fecha de inicio de obra\n" + error);

  const auto corto = Corre({"--opcion", "nombrelargoobra=0", "--json"});
  EXPECT_EQ(ordered_json::parse(corto.out)["Obra"]["Des"]["Descripcion"], "Obra de prueba");
}

}  // namespace
}  // namespace pmq
