// `promorlaqel programa`: exit statuses, messages and the workbook written.

#include "cli/ejecucion.h"
#include "reports/program/obra_programa.h"

#include <filesystem>

namespace pmq {
namespace {

using prueba::Ejecuta;

class ComandoPrograma : public prueba::ObraPrograma {
 protected:
  void SetUp() override {
    ObraPrograma::SetUp();
    Obra("2013-03-15", "2013-05-10");
    Seccion("01", "Preliminares", 1000);
    Linea("01", "F1", "C-1", 10, 100, 1, "2013-03-20", "2013-04-19");
  }

  prueba::Ejecucion Corre(std::vector<std::string> extra) {
    std::vector<std::string> args = {"programa", "--bd", base_->Ruta(), "--obra", "A7"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Ejecuta(dir_, args);
  }
};

TEST_F(ComandoPrograma, WritesTheFinancialProgramAndExitsZero) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  const auto e = Corre({"--salida", ruta});
  EXPECT_EQ(e.salida, 0) << e.err;
  EXPECT_EQ(e.err, "");
  EXPECT_EQ(e.out, "");
  const auto libro = prueba::LeeLibro(ruta);
  EXPECT_EQ(libro["celdas"]["Programa Obra!CV17"]["formula"], "=H17+AM17+BQ17");
  const auto& c = libro["celdas"];
  EXPECT_NEAR(c["Programa Obra!CV17"]["cache"].get<double>(),
              c["Programa Obra!H17"]["valor"].get<double>() + c["Programa Obra!AM17"]["valor"].get<double>(), 1e-9);
  EXPECT_GT(c["Programa Obra!H17"]["valor"].get<double>(), 0);
  // --cantidades chooses the other option; the sheet shows amounts all the same.
  const std::string otra = dir_.Archivo("cantidades.xlsx");
  EXPECT_EQ(Corre({"--salida", otra, "--tipo", "1", "--cantidades"}).salida, 0);
  EXPECT_EQ(prueba::LeeLibro(otra)["celdas"]["Programa Obra!CV17"]["formula"], "=H17+AM17+BQ17");
}

TEST_F(ComandoPrograma, ExportsThatDoNotWriteTheProgramExitOne) {
  const auto no_implementado = Corre({"--salida", dir_.Archivo("fisico.xlsx"), "--tipo", "0"});
  EXPECT_EQ(no_implementado.salida, 1);
  EXPECT_EQ(no_implementado.err, "[MorlaQel] No implementado aún!!!\n");

  const auto xls = Corre({"--salida", dir_.Archivo("programa.xls")});
  EXPECT_EQ(xls.salida, 1);
  EXPECT_NE(xls.err.find("[MorlaQel] El Libro de Microsoft Excel no se pudo abrir\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("programa.xls")));

  const auto sin_carpeta = Corre({"--salida", dir_.Archivo("no/hay/programa.xlsx")});
  EXPECT_EQ(sin_carpeta.salida, 1);
  EXPECT_NE(sin_carpeta.err.find("no se pudo abrir"), std::string::npos);

  const auto sin_base = Ejecuta(dir_, {"programa", "--bd", dir_.Archivo("no-existe.db"), "--obra", "A7", "--salida",
                                       dir_.Archivo("x.xlsx")});
  EXPECT_EQ(sin_base.salida, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("x.xlsx")));
}

TEST_F(ComandoPrograma, UsageErrorsAndSpanishHelp) {
  EXPECT_EQ(Corre({"--salida", dir_.Archivo("a.xlsx"), "--tipo", "5"}).salida, 64);
  EXPECT_EQ(Corre({}).salida, 64);
  const auto ayuda = Ejecuta(dir_, {"programa", "--help"});
  EXPECT_EQ(ayuda.salida, 0);
  EXPECT_NE(ayuda.out.find("--cantidades"), std::string::npos);
  EXPECT_NE(ayuda.out.find("Ejemplo: promorlaqel programa"), std::string::npos);
}

}  // namespace
}  // namespace pmq
