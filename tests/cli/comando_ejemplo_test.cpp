#include "cli/ejecucion.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace pmq {
namespace {

using nlohmann::json;
using prueba::Ejecuta;

std::set<std::string> Contenido(const std::string& carpeta) {
  std::set<std::string> nombres;
  for (const auto& e : std::filesystem::directory_iterator(carpeta))
    nombres.insert(e.path().filename().string());
  return nombres;
}

class Ejemplo : public ::testing::Test {
 protected:
  std::string Carpeta() const { return dir_.Archivo("salida"); }
  void SetUp() override { std::filesystem::create_directory(Carpeta()); }

  prueba::DirectorioTemporal dir_;
};

TEST_F(Ejemplo, RefusesAnExistingFileAndLeavesItAndTheFolderAsTheyWere) {
  const std::string destino = Carpeta() + "/obra.db";
  std::ofstream(destino) << "no tocar";
  const prueba::Ejecucion e = Ejecuta(dir_, {"ejemplo", "--salida", destino});
  EXPECT_EQ(e.salida, 1);
  EXPECT_NE(e.err.find("ya existe"), std::string::npos) << e.err;
  EXPECT_EQ(prueba::LeeArchivo(destino), "no tocar");
  EXPECT_EQ(Contenido(Carpeta()), std::set<std::string>{"obra.db"});

  // A missing folder fails without creating it; no flag is a usage error.
  EXPECT_EQ(Ejecuta(dir_, {"ejemplo", "--salida", Carpeta() + "/no-hay/obra.db"}).salida, 1);
  EXPECT_FALSE(std::filesystem::exists(Carpeta() + "/no-hay"));
  EXPECT_EQ(Ejecuta(dir_, {"ejemplo"}).salida, 64);
}

TEST_F(Ejemplo, WritesOnlyTheDatabaseAndItCalculatesLikeTheShippedScript) {
  const std::string destino = Carpeta() + "/obra.db";
  const prueba::Ejecucion e = Ejecuta(dir_, {"ejemplo", "--salida", destino});
  ASSERT_EQ(e.salida, 0) << e.err;
  EXPECT_NE(e.out.find(destino), std::string::npos);
  EXPECT_EQ(Contenido(Carpeta()), std::set<std::string>{"obra.db"})
      << "temporary files left behind";

  // The same database built from the repository's files: the embedded copy
  // must not have drifted from them.
  prueba::BaseSqlite referencia(dir_.Archivo("referencia.db"));
  referencia.Ejecuta(prueba::LeeArchivo(PMQ_SOURCE_DIR "/examples/obra_ejemplo.sql"));
  for (const char* obra : {"A7", "CASA01"}) {
    const prueba::Ejecucion escrita =
        Ejecuta(dir_, {"calcular", "--bd", destino, "--obra", obra, "--json"});
    const prueba::Ejecucion esperada =
        Ejecuta(dir_, {"calcular", "--bd", referencia.Ruta(), "--obra", obra, "--json"});
    ASSERT_EQ(escrita.salida, 0) << obra << ": " << escrita.err;
    EXPECT_EQ(escrita.out, esperada.out) << obra;
  }
}

TEST(AyudaEnEspanol, EveryCommandExplainsItselfAndEndsWithAnExample) {
  prueba::DirectorioTemporal dir;
  for (const char* comando :
       {"calcular", "explosion", "ejemplo", "programa", "resumen", "servir"}) {
    const prueba::Ejecucion e = Ejecuta(dir, {comando, "--help"});
    EXPECT_EQ(e.salida, 0) << comando;
    EXPECT_NE(e.out.find("Uso:"), std::string::npos) << e.out;
    EXPECT_NE(e.out.find("Muestra esta ayuda"), std::string::npos) << e.out;
    EXPECT_NE(e.out.find(std::string("Ejemplo: promorlaqel ") + comando), std::string::npos)
        << e.out;
    EXPECT_EQ(e.out.find("Options"), std::string::npos) << e.out;
    EXPECT_EQ(e.out.find("Print this"), std::string::npos) << e.out;
  }
  const prueba::Ejecucion version = Ejecuta(dir, {"--version"});
  EXPECT_EQ(version.salida, 0);
  EXPECT_TRUE(std::regex_search(version.out, std::regex(R"(^promorlaqel \d+\.\d+\.\d+\n$)")))
      << version.out;
}

}  // namespace
}  // namespace pmq
