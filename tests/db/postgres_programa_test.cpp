// The whole calculation from an SQLite file and from its copy on the server:
// the full `calcular --json` dumps must be the same, byte for byte.

#include "apoyo/base_prueba.h"
#include "cli/ejecucion.h"
#include "db/base_postgres.h"
#include "db/esquema.h"

#include <gtest/gtest.h>

#include <regex>

namespace pmq {
namespace {

// An SQLite project database and its copy in a schema of the test server.
class DosMotores : public ::testing::Test {
 protected:
  void SetUp() override {
    PMQ_REQUIERE_POSTGRES();
    base_ = std::make_unique<prueba::BaseSqlite>(dir_.Archivo("obra.db"));
  }
  void Copia() { pg_.Copia(base_->Ruta()); }

  // The dumps of a work calculated from either engine are identical.
  void ComparaCalculo(const std::string& obra, int salida = 0) {
    SCOPED_TRACE(obra);
    const auto sqlite =
        prueba::Ejecuta(dir_, {"calcular", "--bd", base_->Ruta(), "--obra", obra, "--json"});
    const auto postgres =
        prueba::Ejecuta(dir_, {"calcular", "--bd", pg_.Uri(), "--obra", obra, "--json"});
    EXPECT_EQ(sqlite.salida, salida) << sqlite.err;
    EXPECT_EQ(postgres.salida, sqlite.salida) << postgres.err;
    EXPECT_GT(sqlite.out.size(), 500u);
    EXPECT_EQ(postgres.out, sqlite.out);
    EXPECT_EQ(postgres.err, sqlite.err);
  }

  prueba::DirectorioTemporal dir_;
  std::unique_ptr<prueba::BaseSqlite> base_;
  prueba::EsquemaPostgres pg_;
};

TEST_F(DosMotores, TheSampleDatabaseIsCopiedValueForValueAndCalculatesTheSame) {
  const std::string ejemplo =
      prueba::LeeArchivo(std::string(PMQ_SOURCE_DIR) + "/examples/obra_ejemplo.sql");
  ASSERT_FALSE(ejemplo.empty());
  base_->Ejecuta(ejemplo);
  Copia();
  Conexion sqlite;
  Conexion postgres;
  sqlite.Open(base_->Ruta());
  postgres.Open(pg_.Uri());
  ASSERT_STREQ(postgres.MotorEnUso()->Nombre().data(), "PostgreSQL");
  const std::string esquema(EsquemaSql());
  const std::regex tabla(R"(CREATE TABLE (\w+))");
  size_t tablas = 0;
  size_t filas = 0;
  for (auto it = std::sregex_iterator(esquema.begin(), esquema.end(), tabla);
       it != std::sregex_iterator(); ++it) {
    ++tablas;
    // No ORDER BY: rows come in the order they were stored.
    filas += prueba::ComparaConsulta(sqlite, postgres, "select * from " + (*it)[1].str());
  }
  EXPECT_EQ(tablas, 11u);
  EXPECT_GT(filas, 100u);
  for (const std::string obra : {"A7", "CASA01"}) ComparaCalculo(obra);
  ComparaCalculo("NO-HAY", 1);  // a work that does not exist
}

}  // namespace
}  // namespace pmq
