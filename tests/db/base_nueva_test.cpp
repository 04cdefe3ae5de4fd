#include "apoyo/base_prueba.h"
#include "db/base_nueva.h"
#include "db/conexion.h"
#include "db/recordset.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pmq {
namespace {

size_t Archivos(const std::string& carpeta) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(carpeta)) ++n;
  return n;
}

TEST(CreaBaseSqlite, AFailedScriptLeavesNothingAndIsReportedTheUsualWay) {
  prueba::DirectorioTemporal dir;
  const std::string ruta = dir.Archivo("nueva.db");
  std::string errores = "antes\n";
  EXPECT_FALSE(CreaBaseSqlite(ruta, "create table T (A); insert into NO_HAY values (1);", errores));
  EXPECT_EQ(Archivos(dir.Ruta()), 0u);
  EXPECT_EQ(errores.rfind("antes\nProMorlaQel.BaseNueva.CreaBaseSqlite() arrojó la excepción # -2147467259 ", 0), 0u)
      << errores;
  EXPECT_NE(errores.find("NO_HAY"), std::string::npos) << errores;
  EXPECT_EQ(errores.back(), '\n');

  // An existing path, even a dangling link, is never replaced.
  std::filesystem::create_symlink(dir.Archivo("a-ninguna-parte"), ruta);
  errores.clear();
  EXPECT_FALSE(CreaBaseSqlite(ruta, "create table T (A);", errores));
  EXPECT_NE(errores.find("# 58 "), std::string::npos) << errores;
  EXPECT_TRUE(std::filesystem::is_symlink(ruta));
  EXPECT_EQ(Archivos(dir.Ruta()), 1u);
}

TEST(CreaBaseSqlite, TheWrittenSampleOpensReadOnlyWithEveryTableFilled) {
  prueba::DirectorioTemporal dir;
  const std::string ruta = dir.Archivo("ejemplo.db");
  std::string errores;
  ASSERT_TRUE(CreaBaseSqlite(ruta, SqlBaseEjemplo(), errores)) << errores;
  Conexion con;
  con.Open(ruta);
  for (const char* tabla : {"OBRAS", "FSR", "FSCD", "FACMAQ", "PARTIDAS", "PRESUPS", "CONCEPTO", "MAQUINA",
                            "MATRICES", "EST1", "EST2"}) {
    auto rs = con.Ejecuta(std::string("select count(*) as N from ") + tabla);
    EXPECT_GT(rs->Fields("N").Entero(), 0) << tabla;
  }
  // Twice into the same place: the second is refused, the first stays.
  EXPECT_FALSE(CreaBaseSqlite(ruta, SqlBaseEjemplo(), errores));
  EXPECT_EQ(Archivos(dir.Ruta()), 1u);
}

}  // namespace
}  // namespace pmq
