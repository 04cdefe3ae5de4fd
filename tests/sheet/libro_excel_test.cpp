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
  EXPECT_EQ(host_.dialogos[0].filtro, "Archivos de Microsoft Excel (*.XLSX)|*.XLSX");
  ASSERT_NE(libro.Workbook, nullptr);
  EXPECT_EQ(libro.Workbook->FullName(), ruta);
  EXPECT_FALSE(std::filesystem::exists(ruta));  // named, not written until Guarda
  EXPECT_EQ(libro.Ws, nullptr);
  EXPECT_TRUE(host_.mensajes.empty());

  // Sheet 1 of a new workbook is reused and renamed; a higher number adds one.
  HcWorksheet* hoja = libro.CreaHoja("Programa Obra", 1, sErrores);
  EXPECT_EQ(libro.Workbook->Sheets().Item(1), hoja);
  EXPECT_EQ(hoja->Name(), "Programa Obra");
  HcWorksheet* otra = libro.CreaHoja("Resumen", 5, sErrores);
  EXPECT_EQ(libro.Workbook->Sheets().Count(), 2);
  EXPECT_EQ(libro.Workbook->ActiveSheet(), otra);
  EXPECT_EQ(sErrores, "");
  // A name already used is refused.
  EXPECT_EQ(libro.CreaHoja("programa obra", 3, sErrores), nullptr);
  EXPECT_EQ(sErrores,
            Mensaje("CreaHoja", errores::kAplicacion, DescripcionError(errores::kAplicacion)));
}

TEST_F(LibroExcelTest, OnlyAnXlsxExtensionIsAccepted) {
  for (const auto& [nombre, aceptada] :
       std::vector<std::pair<const char*, bool>>{{"a.xls", false},
                                                 {"b.XLSX", true},
                                                 {"c.xlsx.bak", false},
                                                 {"d", false},
                                                 {"e.XlSx", true}}) {
    Responde(dir_.Archivo(nombre));
    LibroExcel libro;
    std::string sErrores;
    EXPECT_EQ(libro.AbreLibro("", sErrores), aceptada) << nombre;
    EXPECT_EQ(sErrores.find("CreaLibro()") != std::string::npos, !aceptada) << nombre;
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

TEST_F(LibroAbiertoTest, SumsTooLongForAChainOfPlusGoInAsSum) {
  // Lines on every other row from 20 (the rows between hold nothing in column
  // H), one row between them holding a value, then a second column.
  std::string cadena = "=";
  double esperado = 0;
  for (int32_t f = 20; f < 20 + 2 * 1500; f += 2) {
    Ws().cells(f, 8).Value(Moneda::DesdeEntero(f));
    cadena += 'H';
    cadena += std::to_string(f);
    cadena += '+';
    esperado += f;
  }
  Ws().cells(1001, 8).Value("nota");
  cadena += "I5+I5";
  Ws().cells(5, 9).Value(0.5);
  std::string sErrores;
  libro_.SetFormula(libro_.Ws, 3, 8, cadena, sErrores);
  EXPECT_EQ(sErrores, "");
  EXPECT_EQ(Ws().cells(3, 8).Formula(), "=SUM(H20:H1000,H1002:H3018,I5,I5)");
  EXPECT_DOUBLE_EQ(std::get<double>(Ws().cells(3, 8).Value()), esperado + 1);
  // Ordinary sizes keep their chain; a long formula that is not a plain sum is refused.
  libro_.SetFormula(libro_.Ws, 4, 8, "=H20+H22", sErrores);
  EXPECT_EQ(Ws().cells(4, 8).Formula(), "=H20+H22");
  libro_.SetFormula(libro_.Ws, 4, 9, cadena + "*2", sErrores);
  EXPECT_EQ(sErrores, Mensaje("Formula", errores::kAplicacion,
                              "Error definido por la aplicación o el objeto"));
  // More than 255 blocks: several SUMs. Blocks of four rows in column J, each
  // followed by a row that holds a value.
  std::string bloques = "=";
  for (int32_t k = 0; k < 400; ++k) {
    for (int32_t f = 5 * k + 1; f <= 5 * k + 4; ++f)
      bloques += (bloques.size() > 1 ? "+J" : "J") + std::to_string(f);
    Ws().cells(5 * k + 5, 10).Value(1.0);
  }
  libro_.SetFormula(libro_.Ws, 3000, 10, bloques, sErrores);
  const std::string escrita = Ws().cells(3000, 10).Formula();
  EXPECT_EQ(escrita.substr(0, 18), "=SUM(J1:J4,J6:J9,J");
  EXPECT_NE(escrita.find(",J1271:J1274)+SUM(J1276:J1279,"), std::string::npos) << escrita;
}

}  // namespace
}  // namespace pmq
