// Workbooks written to .xlsx and read back with an independent reader.

#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"
#include "common/temporales_en_curso.h"
#include "sheet/configuracion_pagina.h"
#include "sheet/hc_application.h"
#include "sheet/lector_libro.h"
#include "sheet/libro_excel.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

namespace pmq {
namespace {

using nlohmann::json;

std::set<std::string> Archivos(const std::string& carpeta) {
  std::set<std::string> nombres;
  for (const auto& e : std::filesystem::directory_iterator(carpeta))
    nombres.insert(e.path().filename().string());
  return nombres;
}

class EscrituraTest : public ::testing::Test {
 protected:
  EscrituraTest() : en_uso_(host_) {}
  prueba::DirectorioTemporal dir_;
  HostGrabador host_;
  HostEnUso en_uso_;
};

TEST_F(EscrituraTest, TheExportReachesTheFileOnlyThroughGuarda) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  host_.respuestas_dialogo.push_back({false, ruta});
  std::string sErrores;
  {
    LibroExcel libro;
    libro.Visible = true;
    ASSERT_TRUE(libro.AbreLibro("", sErrores));
    // Named, checked, and not written.
    EXPECT_FALSE(std::filesystem::exists(ruta));

    libro.Ws = libro.CreaHoja("Programa Obra", 1, sErrores);
    HcWorksheet& ws = *libro.Ws;
    HcApplication& app = *libro.ExcelApp;
    ws.cells(1, 1).Value("CONSTRUCTORA EJEMPLO");
    ws.cells(15, 1).Value("01");
    ws.cells(15, 2).Value("1)");
    ws.cells(17, 7).Value(Moneda::DesdeUnidades(255000));
    ws.cells(18, 7).Value(int64_t{3});
    libro.FormatoSeleccion(17, 7, 18, 7, "Currency", "", kAlineaArriba, kAlineaDerecha, true, false,
                           false);
    ws.cells(17, 8).Value(Moneda::DesdeEntero(1000));
    ws.cells(17, 39).Value(Moneda::DesdeUnidades(5002500));
    ws.cells(19, 8).Value(Moneda::DesdeEntero(10));
    for (int vez = 0; vez < 2; ++vez) {
      app.Range(ws.cells(17, 8), ws.cells(17, 38)).Select();
      app.selection().MergeCells(true);
    }
    app.Range(ws.cells(17, 30), ws.cells(17, 45)).Select();  // overlaps: never reaches the file
    app.selection().MergeCells(true);
    libro.SetFormula(&ws, 17, 70, "=H17+AM17", sErrores);
    libro.SetFormula(&ws, 22, 8, "=H17+H19+H21", sErrores);
    libro.SetFormula(&ws, 25, 8, "=H22*2", sErrores);
    libro.SetFormula(&ws, 26, 8, "=K12-()", sErrores);
    libro.SetFormula(&ws, 27, 8, "=B15+1", sErrores);
    libro.SetFormula(&ws, 28, 8, "=A15+1", sErrores);
    libro.FormatoSeleccion(1, 1, 1, 20, "", "", kAlineaArriba, kAlineaCentro, false, false, true,
                           sErrores);
    ws.Columns("H:" + LibroExcel::ColTrans(70)).columnwidth(2);
    ws.Columns("A:B").entirecolumn().autofit();

    HcWorksheet* resumen = libro.CreaHoja("Resumen", 2, sErrores);
    resumen->cells(1, 703).Value("AAA");
    resumen->cells(1, 16384).Value(5.0);
    libro.SetFormula(resumen, 2, 1, "=XFD1*2", sErrores);
    EXPECT_EQ(sErrores, TextoExcepcion("ProMorlaQel", "LibroExcel", "Formula", errores::kAplicacion,
                                       DescripcionError(errores::kAplicacion)));
    EXPECT_FALSE(std::filesystem::exists(ruta));
    const ResultadoEscritura escrito = libro.Guarda();
    EXPECT_TRUE(escrito.escrito) << escrito.motivo;
  }
  EXPECT_TRUE(host_.mensajes.empty());

  const json l = prueba::LeeLibro(ruta);
  // A sheet is added before the active one, and becomes the active one.
  EXPECT_EQ(l["hojas"], json::array({"Resumen", "Programa Obra"}));
  EXPECT_EQ(l["activa"], "Resumen");
  const json& c = l["celdas"];
  auto celda = [&](const std::string& ref) -> const json& { return c.at("Programa Obra!" + ref); };
  EXPECT_EQ(celda("A1")["valor"], "CONSTRUCTORA EJEMPLO");
  EXPECT_EQ(celda("A1")["h"], "center");
  EXPECT_EQ(celda("A15")["valor"], "01");  // text stays text
  EXPECT_EQ(celda("A15")["tipo"], "s");
  EXPECT_EQ(celda("G17")["valor"], 25.5);
  EXPECT_EQ(celda("G18")["valor"], 3);
  EXPECT_EQ(celda("G18")["formato"], "\"$\"#,##0.00_);(\"$\"#,##0.00)");
  EXPECT_TRUE(celda("G18")["encoger"].get<bool>());
  EXPECT_EQ(celda("H17")["valor"], 1000);
  EXPECT_EQ(celda("AM17")["valor"], 500.25);
  // Formulas with their computed values.
  EXPECT_EQ(celda("BR17")["formula"], "=H17+AM17");
  EXPECT_EQ(celda("BR17")["cache"], 1500.25);
  EXPECT_EQ(celda("H25")["formula"], "=H22*2");
  EXPECT_EQ(celda("H25")["cache"], 2020);  // through H22, which sums an empty cell
  EXPECT_FALSE(c.contains("Programa Obra!H26"));
  EXPECT_EQ(celda("H27")["cache"], "#VALUE!");
  EXPECT_EQ(celda("H28")["cache"], 2);  // "01" reads as a number in arithmetic
  // Merges: one per block, none overlapping.
  EXPECT_EQ(l["merges"]["Programa Obra"], json::array({"A1:T1", "H17:AL17"}));
  // Column widths (the file stores the width plus the cell padding).
  const json& anchos = l["anchos"]["Programa Obra"];
  EXPECT_NEAR(anchos["BR"].get<double>(), 2.71, 0.1);
  EXPECT_FALSE(anchos.contains("BS"));
  EXPECT_GT(anchos["A"].get<double>(), 3);  // "CONSTRUCTORA EJEMPLO" is merged and does not count
  EXPECT_LT(anchos["A"].get<double>(), 5);
  // Three-letter columns up to the last one.
  EXPECT_EQ(c.at("Resumen!AAA1")["valor"], "AAA");
  EXPECT_EQ(c.at("Resumen!XFD1")["valor"], 5);
  EXPECT_EQ(c.at("Resumen!A2")["formula"], "=XFD1*2");
  EXPECT_EQ(c.at("Resumen!A2")["cache"], 10);
  // No temporary file is left behind.
  EXPECT_EQ(Archivos(dir_.Ruta()), std::set<std::string>{"programa.xlsx"});
}

// A signal that ends the program while a workbook is written removes the
// temporary and still ends the program by that signal.
TEST_F(EscrituraTest, ASignalDuringTheWriteRemovesTheTemporary) {
  for (const int senal : {SIGINT, SIGTERM}) {
    const std::string temporal = dir_.Archivo(".final.xlsx.ABC123");
    std::ofstream(temporal) << "a medias";
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
      TemporalesEnCurso::ProtegeDeSenales();
      const TemporalRegistrado registro(temporal.c_str());
      std::raise(senal);
      _exit(0);  // not reached
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == senal) << senal;
    EXPECT_FALSE(std::filesystem::exists(temporal)) << senal;
  }
  // Released places are reused; a path too long for a place is not recorded.
  for (int i = 0; i < 2 * TemporalesEnCurso::kPlazas; ++i) {
    const int plaza = TemporalesEnCurso::Registra("/tmp/x");
    ASSERT_GE(plaza, 0);
    TemporalesEnCurso::Suelta(plaza);
  }
  const std::string largo(TemporalesEnCurso::kLargoMaximo + 1, 'x');
  EXPECT_EQ(TemporalesEnCurso::Registra(largo.c_str()), -1);
}

TEST(ConfiguracionPagina, HeaderDoublesAmpersandsAndFitsTheFormatsLimit) {
  EXPECT_EQ(ConfiguracionPagina::Encabezado("A7 Patio & bodega", "Pérez & Hijos"),
            "&LA7 Patio && bodega&RPérez && Hijos");
  EXPECT_EQ(ConfiguracionPagina::Encabezado("A7", ""), "&LA7");
  // A long name is cut, never inside a character nor between the two "&" of a pair.
  for (const std::string& relleno :
       {std::string(300, 'x'), std::string(150, 'n') + "ñ" + std::string(150, 'n'),
        std::string(243, 'y') + std::string(40, '&')}) {
    const std::string e = ConfiguracionPagina::Encabezado(relleno, "Constructora");
    EXPECT_LE(e.size(), ConfiguracionPagina::kLargoMaximo);
    EXPECT_EQ(e.substr(e.size() - 17), "…&RConstructora");
    const std::string izquierda = e.substr(2, e.size() - 17 - 2);
    size_t y = 0;
    while (y < izquierda.size() && izquierda[izquierda.size() - 1 - y] == '&') ++y;
    EXPECT_EQ(y % 2, 0u) << e;
  }
}

}  // namespace
}  // namespace pmq
