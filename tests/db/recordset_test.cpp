#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"
#include "db/base_nueva.h"
#include "db/conexion.h"
#include "db/utilerias.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace pmq {
namespace {

class RecordsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_.Ejecuta(
        "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values "
        "('A7','02','Cimentación',200),('A7','01','Preliminares',100.5),('A7','03',NULL,0.25),"
        "('B1','01','Otra',9);");
    conexion_.Open(base_.Ruta());
  }
  prueba::DirectorioTemporal dir_;
  prueba::BaseSqlite base_{dir_.Archivo("obra.db")};
  Conexion conexion_;
  HostGrabador host_;
  HostEnUso uso_{host_};
};

TEST_F(RecordsetTest, ExactCountRowsInQueryOrderAndNullAwareFields) {
  std::string s;
  auto rs =
      GetTabla(&conexion_, "select * from PARTIDAS where OBRA = ? order by PARTIDA", {"A7"}, s);
  ASSERT_TRUE(rs);
  EXPECT_EQ(rs->RecordCount(), 3);
  rs->MoveFirst();
  EXPECT_EQ(rs->Fields("PARTIDA").Texto(), "01");
  EXPECT_EQ(rs->Fields("partida").Texto(), "01");  // column names ignore case
  EXPECT_EQ(rs->Fields("IMPORTE").ComoMoneda().Texto(), "100.5");
  rs->MoveNext();
  EXPECT_EQ(rs->Fields("NOMPARTIDA").Texto(), "Cimentación");
  rs->MoveNext();
  EXPECT_TRUE(rs->Fields("NOMPARTIDA").EsNulo());
  EXPECT_EQ(rs->Fields("NOMPARTIDA").Texto(), "");
  EXPECT_THROW(rs->Fields("NOMPARTIDA").Double(), ErrorQel);
  try {
    rs->Fields("NO_EXISTE");
    ADD_FAILURE();
  } catch (const ErrorQel& e) {
    EXPECT_EQ(e.Numero(), 3265);
  }
  RsOut(rs, s);
  EXPECT_FALSE(rs);
  // A result larger than one block of cells and of texts reads back whole.
  rs = GetTabla(&conexion_,
                "with recursive n(i) as (select 1 union all select i + 1 from n where i < 40000) "
                "select i, printf('%040d', i) as t, null as z from n",
                {}, s);
  ASSERT_TRUE(rs);
  ASSERT_EQ(rs->RecordCount(), 40000);
  int64_t malas = 0;
  for (int64_t i = 1; i <= 40000; ++i, rs->MoveNext()) {
    malas += rs->Fields(0).Entero() != i || rs->Fields(1).Texto() != fmt::format("{:040}", i) ||
             !rs->Fields(2).EsNulo();
  }
  EXPECT_EQ(malas, 0);
  RsOut(rs, s);
  // The project database is opened read-only.
  EXPECT_THROW(conexion_.Ejecuta("delete from PARTIDAS"), ErrorQel);
  EXPECT_EQ(s, "");
}

TEST_F(RecordsetTest, BadSqlAppendsMessageAndShowsTheWholeTextButAClosedConnectionIsQuiet) {
  Conexion cerrada;
  std::string s = "previo\n";
  EXPECT_FALSE(GetTabla(&cerrada, "select 1", {}, s));
  EXPECT_FALSE(GetTabla(nullptr, "select 1", {}, s));
  EXPECT_EQ(s, "previo\n");
  EXPECT_TRUE(host_.mensajes.empty());
  auto rs = GetTabla(&conexion_, "select * from NO_HAY", {}, s);
  EXPECT_FALSE(rs);
  EXPECT_NE(s.find("previo\nProMorlaQel.Utilerias.GetTabla() arrojó la excepción # -2147467259 "),
            std::string::npos);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, s);
  EXPECT_EQ(host_.mensajes[0].titulo, "ProMorlaQel");
}

TEST(Conexion, MissingFileOrNotADatabaseFailsWithoutCreatingOrChangingAnything) {
  prueba::DirectorioTemporal dir;
  Conexion c;
  const std::string falta = dir.Archivo("no-existe.db");
  EXPECT_THROW(c.Open(falta), ErrorQel);
  EXPECT_EQ(c.State(), 0);
  EXPECT_FALSE(std::ifstream(falta).good());

  const std::string texto = dir.Archivo("texto.db");
  std::ofstream(texto)
      << "esto no es una base de datos, pero es bastante largo para parecer un archivo";
  const std::string antes = prueba::LeeArchivo(texto);
  EXPECT_THROW(c.Open(texto), ErrorQel);
  EXPECT_EQ(prueba::LeeArchivo(texto), antes);
}

TEST(Conexion, ALockIsWaitedForThenNamedAndAWalDatabaseLeavesNoFiles) {
  prueba::DirectorioTemporal dir;
  const std::string ruta = dir.Archivo("obra.db");
  prueba::BaseSqlite base(ruta);
  base.Ejecuta("insert into OBRAS (OBRA) values ('A7')");
  Conexion c;
  c.Open(ruta);
  {
    // Another program holds the write lock longer than the wait.
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(ruta.c_str(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    Conexion bloqueada;
    try {
      bloqueada.Open(ruta);
      bloqueada.Ejecuta("select * from OBRAS");
      ADD_FAILURE() << "no lock";
    } catch (const ErrorQel& e) {
      EXPECT_NE(e.Descripcion().find("está bloqueada por otro programa"), std::string::npos)
          << e.Descripcion();
    }
    sqlite3_exec(otro, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
  }
  c.Close();
  base.Ejecuta("pragma journal_mode = wal");
  ASSERT_FALSE(std::ifstream(ruta + "-wal").good());
  Conexion wal;
  wal.Open(ruta);
  EXPECT_EQ(wal.Ejecuta("select * from OBRAS")->RecordCount(), 1);
  wal.Close();
  EXPECT_FALSE(std::ifstream(ruta + "-wal").good());
  EXPECT_FALSE(std::ifstream(ruta + "-shm").good());
}

TEST(Conexion, ConnectionTextsNameTheirDataSource) {
  EXPECT_EQ(Conexion::RutaDeTexto("/tmp/a.db"), "/tmp/a.db");
  EXPECT_EQ(
      Conexion::RutaDeTexto("Provider=X;Data Source=/tmp/a b.db ;Persist Security Info=False"),
      "/tmp/a b.db");
  EXPECT_EQ(Conexion::RutaDeTexto("data source=\"/tmp/c.db\""), "/tmp/c.db");
  for (const char* uri : {"postgresql://h/b", "POSTGRESQL://h/b", "Postgres://h/b"})
    EXPECT_TRUE(Conexion::EsUriServidor(uri)) << uri;
  for (const char* otra : {"pg://h/b", "postgresql:yo:pw@h", "/tmp/postgresql://x"})
    EXPECT_FALSE(Conexion::EsUriServidor(otra)) << otra;
}

TEST(Valor, ConversionsOfTheLoaders) {
  EXPECT_EQ(Valor("07").Entero(), 7);
  for (const auto& [texto, valor] : std::vector<std::pair<const char*, double>>{
           {"07", 7}, {" 3a", 3}, {"", 0}, {"a3", 0}, {"-1.5x", -1.5}})
    EXPECT_DOUBLE_EQ(Val(texto), valor) << texto;
  EXPECT_EQ(Valor("2013-03-15 00:00:00").ComoFecha().Iso(), "2013-03-15");
  EXPECT_THROW(Valor(41348.0).ComoFecha(), ErrorQel);
  EXPECT_THROW(Valor("abc").Double(), ErrorQel);
  EXPECT_EQ(Valor(2.5).Texto(), "2.5");
  EXPECT_TRUE(Valor(int64_t{-1}).Booleano());
  EXPECT_FALSE(Valor(0.0).Booleano());
}

TEST(CreaBaseSqlite, AFailedScriptLeavesNothingAndIsReportedTheUsualWay) {
  prueba::DirectorioTemporal dir;
  const std::string ruta = dir.Archivo("nueva.db");
  std::string errores = "antes\n";
  EXPECT_FALSE(CreaBaseSqlite(ruta, "create table T (A); insert into NO_HAY values (1);", errores));
  EXPECT_EQ(dir.Nombres().size(), 0u);
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
  EXPECT_EQ(dir.Nombres().size(), 1u);
}

}  // namespace
}  // namespace pmq
