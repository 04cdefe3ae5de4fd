#include "db/base_nueva.h"
#include "apoyo/base_prueba.h"

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
  EXPECT_EQ(
      errores.rfind(
          "antes\nProMorlaQel.BaseNueva.CreaBaseSqlite() arrojó la excepción # -2147467259 ", 0),
      0u)
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

}  // namespace
}  // namespace pmq
