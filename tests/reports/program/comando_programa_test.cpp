// `promorlaqel programa`: exit statuses, messages and the workbook written.

#include "cli/ejecucion.h"
#include "reports/program/obra_programa.h"

namespace pmq {
namespace {

class ComandoPrograma : public prueba::ObraPrograma {
 protected:
  void SetUp() override {
    Obra("2013-03-15", "2013-05-10", "('01','Preliminares',1000)",
         "('01','F1','C-1',10,100,1,'2013-03-20','2013-04-19')");
  }
  prueba::Ejecucion Corre(std::vector<std::string> extra) {
    std::vector<std::string> args = {"programa", "--bd", base_.Ruta(), "--obra", "A7"};
    args.insert(args.end(), extra.begin(), extra.end());
    return prueba::Ejecuta(dir_, args);
  }
};

TEST_F(ComandoPrograma, ExitsZeroOnlyWhenTheProgramWasWritten) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  auto e = Corre({"--salida", ruta, "--cantidades"});
  EXPECT_EQ(e.salida, 0) << e.err;
  EXPECT_EQ(e.err + e.out, "");
  const auto c = prueba::LeeLibro(ruta)["celdas"];
  EXPECT_EQ(c["Programa Obra!CV17"]["formula"], "=H17+AM17+BQ17");
  EXPECT_GT(c["Programa Obra!CV17"]["cache"].get<double>(),
            c["Programa Obra!H17"]["valor"].get<double>());

  // A write that fails (the disk full: files limited to a few kilobytes,
  // whether at the trial write or at the final one) leaves the good workbook
  // as it was and no temporary.
  const std::string bueno = prueba::LeeArchivo(ruta);
  e = prueba::Ejecuta(dir_, {"programa", "--bd", base_.Ruta(), "--obra", "A7", "--salida", ruta},
                      "trap '' XFSZ; ulimit -f 7;");
  EXPECT_EQ(e.salida, 1);
  EXPECT_NE(e.err.find("No se pudo guardar el libro '" + ruta + "'"), std::string::npos) << e.err;
  EXPECT_EQ(e.err.find("[ERROR]"), std::string::npos) << e.err;  // libxlsxwriter's lines are ours
  EXPECT_EQ(prueba::LeeArchivo(ruta), bueno);
  for (const auto& f : std::filesystem::directory_iterator(dir_.Ruta()))
    EXPECT_NE(f.path().filename().string().rfind(".programa.xlsx.", 0), 0u) << f.path();
  e = prueba::Ejecuta(dir_, {"programa", "--bd", dir_.Archivo("no.db"), "--obra", "A7", "--salida",
                             dir_.Archivo("x.xlsx")});
  EXPECT_EQ(e.salida, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("x.xlsx")));
}

}  // namespace
}  // namespace pmq
