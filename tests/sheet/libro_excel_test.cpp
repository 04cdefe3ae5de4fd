// The workbook wrapper driven as the report controllers drive it, through the
// recording host and scripted providers of the application.

#include "sheet/libro_excel.h"
#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace pmq {
namespace {

std::string Mensaje(std::string_view operacion, int numero, std::string_view descripcion) {
  return TextoExcepcion("ProMorlaQel", "LibroExcel", operacion, numero, descripcion);
}

class LibroExcelTest : public ::testing::Test {
 protected:
  LibroExcelTest() : host_en_uso_(host_) {}
  void Responde(const std::string& ruta) { host_.respuestas_dialogo.push_back({false, ruta}); }

  prueba::DirectorioTemporal dir_;
  HostGrabador host_;
  HostEnUso host_en_uso_;
};

TEST_F(LibroExcelTest, AbreLibroAsksForThePathStartsTheApplicationAndSavesTheWorkbook) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  Responde(ruta);
  LibroExcel libro;
  libro.Visible = true;
  std::string sErrores;
  ASSERT_TRUE(libro.AbreLibro("", sErrores));
  EXPECT_EQ(sErrores, "");
  ASSERT_EQ(host_.dialogos.size(), 1u);
  EXPECT_EQ(host_.dialogos[0].titulo, "Nombre del Archivo XLS");
  EXPECT_EQ(host_.dialogos[0].filtro, "Archivos de Microsoft Excel (*.XLSX)|*.XLSX");
  EXPECT_EQ(host_.dialogos[0].patron, "*.XLSX");
  EXPECT_TRUE(host_.dialogos[0].guardar);
  EXPECT_EQ(libro.ExcelVer, 1);
  ASSERT_NE(libro.ExcelApp, nullptr);
  EXPECT_EQ(libro.ExcelApp->WindowState(), kVentanaMinimizada);
  EXPECT_TRUE(libro.ExcelApp->Visible());
  ASSERT_NE(libro.Workbook, nullptr);
  EXPECT_EQ(libro.Workbook->FullName(), ruta);
  EXPECT_FALSE(std::filesystem::exists(ruta));  // named, not written until Guarda
  EXPECT_EQ(libro.Ws, nullptr);
  EXPECT_TRUE(host_.mensajes.empty());

  // Sheet 1 of a new workbook is reused and renamed; a higher number adds one.
  HcWorksheet* hoja = libro.CreaHoja("Programa Obra", 1, sErrores);
  ASSERT_NE(hoja, nullptr);
  EXPECT_EQ(libro.Workbook->Sheets().Count(), 1);
  EXPECT_EQ(libro.Workbook->Sheets().Item(1), hoja);
  EXPECT_EQ(hoja->Name(), "Programa Obra");
  EXPECT_EQ(libro.Ws, nullptr);  // the callers set Ws
  HcWorksheet* otra = libro.CreaHoja("Resumen", 5, sErrores);
  ASSERT_NE(otra, nullptr);
  EXPECT_EQ(libro.Workbook->Sheets().Count(), 2);
  EXPECT_EQ(libro.Workbook->ActiveSheet(), otra);
  EXPECT_EQ(sErrores, "");
  // A name already used is refused.
  EXPECT_EQ(libro.CreaHoja("programa obra", 3, sErrores), nullptr);
  EXPECT_EQ(sErrores,
            Mensaje("CreaHoja", errores::kAplicacion, DescripcionError(errores::kAplicacion)));
}

TEST_F(LibroExcelTest, OnlyAnXlsxExtensionIsAccepted) {
  const std::vector<std::pair<std::string, bool>> casos = {
      {dir_.Archivo("a.xls"), false},      {dir_.Archivo("b.XLSX"), true},
      {dir_.Archivo("c.xlsx.bak"), false}, {dir_.Archivo("d"), false},
      {dir_.Archivo("e.XlSx"), true},      {"", false}};
  for (const auto& [ruta, aceptada] : casos) {
    Responde(ruta);
    LibroExcel libro;
    std::string sErrores;
    EXPECT_EQ(libro.AbreLibro("", sErrores), aceptada) << ruta;
    EXPECT_EQ(libro.Workbook != nullptr && libro.Workbook->FullName() == ruta, aceptada) << ruta;
    if (!aceptada) {
      EXPECT_NE(sErrores.find("CreaLibro()"), std::string::npos) << ruta;
    }
  }
}

class LibroAbiertoTest : public LibroExcelTest {
 protected:
  void SetUp() override {
    Responde(dir_.Archivo("libro.xlsx"));
    libro_.Visible = true;
    ASSERT_TRUE(libro_.AbreLibro(""));
    libro_.Ws = libro_.CreaHoja("Resumen", 1);
    ASSERT_NE(libro_.Ws, nullptr);
  }
  HcWorksheet& Ws() { return *libro_.Ws; }
  LibroExcel libro_;
};

TEST_F(LibroAbiertoTest, FormatoSeleccionAppliesStyleOrNumberFormatThenTheFiveSettings) {
  libro_.FormatoSeleccion(10, 7, 12, 8, "Currency", "###,###,##0.000000", kAlineaArriba,
                          kAlineaDerecha, true, false, false);
  EXPECT_EQ(Ws().cells(12, 8).NumberFormat(), "\"$\"#,##0.00_);(\"$\"#,##0.00)");
  EXPECT_EQ(Ws().cells(10, 7).HorizontalAlignment(), kAlineaDerecha);
  EXPECT_EQ(Ws().cells(11, 7).VerticalAlignment(), kAlineaArriba);
  EXPECT_TRUE(Ws().cells(11, 8).ShrinkToFit());
  EXPECT_FALSE(Ws().cells(11, 8).WrapText());
  EXPECT_FALSE(Ws().cells(11, 8).MergeCells());
  for (const char* estilo : {"", "currencia", "Normal"}) {
    libro_.FormatoSeleccion(10, 6, 12, 6, estilo, "###,###,##0.000000", kAlineaArriba,
                            kAlineaDerecha, true, false, false);
    EXPECT_EQ(Ws().cells(12, 6).NumberFormat(), "###,###,##0.000000") << estilo;
  }
  libro_.FormatoSeleccion(4, 15, 4, 16, "", "", kAlineaArriba, kAlineaCentro, false, true, true);
  EXPECT_TRUE(Ws().cells(4, 16).MergeCells());
  EXPECT_TRUE(Ws().cells(4, 15).WrapText());
  EXPECT_EQ(Ws().cells(4, 15).HorizontalAlignment(), kAlineaCentro);
}

TEST_F(LibroAbiertoTest, SetFormulaReportsRefusedFormulasUnderFormulaAndGoesOn) {
  Ws().cells(10, 6).Value(2.0);
  Ws().cells(10, 7).Value(Moneda::DesdeEntero(3));
  std::string sErrores;
  libro_.SetFormula(libro_.Ws, 10, 8, "=G10*F10", sErrores);
  libro_.SetFormula(libro_.Ws, 10, 13, "=K10-()", sErrores);
  libro_.SetFormula(libro_.Ws, 11, 13, "=K11-()", sErrores);
  libro_.SetFormula(libro_.Ws, 10, 14, "=M10*G10", sErrores);
  const std::string uno =
      Mensaje("Formula", errores::kAplicacion, "Error definido por la aplicación o el objeto");
  EXPECT_EQ(uno,
            "ProMorlaQel.LibroExcel.Formula() arrojó la excepción # 1004 Error definido por la "
            "aplicación o el "
            "objeto\n");
  EXPECT_EQ(sErrores, uno + uno);
  EXPECT_DOUBLE_EQ(std::get<double>(Ws().cells(10, 8).Value()), 6);
  EXPECT_EQ(Ws().cells(10, 14).Formula(), "=M10*G10");
  EXPECT_TRUE(Ws().cells(10, 13).Formula().empty());
  libro_.SetFormula(nullptr, 1, 1, "=(", sErrores);
  EXPECT_EQ(sErrores, uno + uno);
}

TEST_F(LibroAbiertoTest, CierraLibroWritesClosesAndEndsTheApplication) {
  Ws().cells(1, 1).Value("escrito");
  std::string sErrores;
  libro_.CierraLibro(sErrores);
  EXPECT_EQ(sErrores, "");
  ASSERT_NE(libro_.ExcelApp, nullptr);  // the reference stays
  EXPECT_TRUE(libro_.ExcelApp->Terminada());
  libro_.SetFormula(libro_.Ws, 1, 2, "=A1", sErrores);
  EXPECT_EQ(sErrores, Mensaje("Formula", errores::kServidorRemoto,
                              DescripcionError(errores::kServidorRemoto)));
  sErrores.clear();
  libro_.CierraLibro(sErrores);
  EXPECT_EQ(sErrores, Mensaje("CierraLibro", errores::kServidorRemoto,
                              DescripcionError(errores::kServidorRemoto)));
}

}  // namespace
}  // namespace pmq
