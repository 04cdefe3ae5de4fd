// The workbook wrapper driven as the report controllers drive it, through the
// recording host and scripted providers of the application.

#include "sheet/libro_excel.h"
#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"
#include "sheet/columnas.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
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
  EXPECT_TRUE(host_.mensajes.empty());
  // A sheet name already used, in any case, is refused.
  ASSERT_NE(libro.CreaHoja("Programa Obra", 1, sErrores), nullptr);
  EXPECT_EQ(libro.CreaHoja("programa obra", 3, sErrores), nullptr);
  EXPECT_EQ(sErrores,
            Mensaje("CreaHoja", errores::kAplicacion, DescripcionError(errores::kAplicacion)));
}

TEST_F(LibroExcelTest, OnlyAnXlsxExtensionIsAccepted) {
  const std::pair<const char*, bool> casos[] = {
      {"a.xls", false}, {"b.XLSX", true}, {"c.xlsx.bak", false}, {"d", false}, {"e.XlSx", true}};
  for (const auto& [nombre, aceptada] : casos) {
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

TEST(ColTrans, TheTwoLetterRuleAgreesWithGeneralLettersAndRoundTrips) {
  // ColTrans follows the quotient/remainder rule up to ZZ; LetrasColumna is an
  // independent bijective base-26 conversion. Both must agree everywhere, and
  // NumeroColumna must undo them over the whole range of columns. (The letters
  // themselves are pinned by the workbooks read back elsewhere: AM17, BR17, XFD1.)
  std::string anterior;
  for (int64_t n = 1; n <= kUltimaColumna; ++n) {
    std::string sErrores;
    const std::string letras = LibroExcel::ColTrans(n, sErrores);
    ASSERT_EQ(letras, LetrasColumna(n)) << n;
    ASSERT_EQ(NumeroColumna(letras), n) << letras;
    ASSERT_TRUE(sErrores.empty());
    // Columns sort by length, then alphabetically.
    ASSERT_TRUE(letras.size() > anterior.size() ||
                (letras.size() == anterior.size() && letras > anterior))
        << n;
    anterior = letras;
  }
}

TEST(ColTrans, OutsideTheSheetIsEmptyAndNeverReports) {
  std::string sErrores = "previo\n";
  EXPECT_EQ(LibroExcel::ColTrans(0, sErrores), "");
  EXPECT_EQ(LibroExcel::ColTrans(-3, sErrores), "");
  EXPECT_EQ(LibroExcel::ColTrans(16385, sErrores), "");
  EXPECT_EQ(sErrores, "previo\n");
}

// The in-memory spreadsheet application: the automation members the reports use.

int NumeroDeError(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const ErrorQel& e) {
    return e.Numero();
  }
  return 0;
}

class HojaTest : public ::testing::Test {
 protected:
  HojaTest() {
    libro_ = app_.workbooks().Add();
    hoja_ = libro_->Sheets().Item(1);
  }
  HcRange Bloque(int32_t f1, int32_t c1, int32_t f2, int32_t c2) {
    return app_.Range(hoja_->cells(f1, c1), hoja_->cells(f2, c2));
  }
  HcApplication app_;
  HcWorkbook* libro_ = nullptr;
  HcWorksheet* hoja_ = nullptr;
};

TEST_F(HojaTest, CellsEndAtTheLastColumnAndRowAndAnEmptyTextClears) {
  hoja_->cells(1, 1).Value("01");
  hoja_->cells(1, 1).Value("");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(hoja_->cells(1, 1).Value()));
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1, 16385); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1048577, 1); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1048576, 16384).Value(1.0); }), 0);
}

TEST_F(HojaTest, ATextLongerThanACellIsCutWithAnEllipsisAndAWarning) {
  HostGrabador host;
  HostEnUso uso(host);
  hoja_->Name("Hoja");
  hoja_->cells(2, 3).Value(std::string(32767, 'a'));
  EXPECT_TRUE(host.mensajes.empty());
  // 40,000 characters of two bytes each: cut by characters, not bytes.
  std::string largo;
  for (int i = 0; i < 40000; ++i) largo += "\xC3\xB1";
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(4, 3).Value(largo); }), 0);
  const std::string guardado = std::get<std::string>(hoja_->cells(4, 3).Value());
  EXPECT_EQ(guardado, largo.substr(0, 32766 * 2) + "\u2026");
  ASSERT_EQ(host.mensajes.size(), 1u);
  EXPECT_NE(host.mensajes[0].texto.find("Hoja!C4"), std::string::npos) << host.mensajes[0].texto;
  EXPECT_NE(host.mensajes[0].texto.find("40000 caracteres"), std::string::npos);
}

TEST_F(HojaTest, FormulasAreKeptNormalizedAndComputedOnRead) {
  hoja_->cells(10, 6).Value(4.0);
  hoja_->cells(10, 7).Value(Moneda::DesdeEntero(25));
  Bloque(10, 8, 10, 8).Formula("=g10 * f10");
  EXPECT_EQ(hoja_->cells(10, 8).Formula(), "=G10*F10");
  EXPECT_DOUBLE_EQ(std::get<double>(hoja_->cells(10, 8).Value()), 100);
  hoja_->cells(10, 6).Value(5.0);
  EXPECT_DOUBLE_EQ(std::get<double>(hoja_->cells(10, 8).Value()), 125);
  // A refused formula leaves the cell as it was.
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(10, 8).Formula("=K10-()"); }), errores::kAplicacion);
  EXPECT_EQ(hoja_->cells(10, 8).Formula(), "=G10*F10");
  // Without "=" a formula is a plain value.
  hoja_->cells(11, 1).Formula("12.5");
  hoja_->cells(11, 2).Formula("SubTotales");
  EXPECT_EQ(std::get<double>(hoja_->cells(11, 1).Value()), 12.5);
  EXPECT_EQ(std::get<std::string>(hoja_->cells(11, 2).Value()), "SubTotales");
  // On a block, relative references move for every cell.
  Bloque(12, 1, 13, 2).Formula("=A11+$A$11");
  EXPECT_EQ(hoja_->cells(12, 2).Formula(), "=B11+$A$11");
  EXPECT_DOUBLE_EQ(std::get<double>(hoja_->cells(13, 1).Value()), 37.5);
}

TEST_F(HojaTest, MergesNeverOverlapAndKeepOnlyTheFirstValue) {
  hoja_->cells(12, 8).Value("Marzo'2013");
  hoja_->cells(12, 9).Value("resto");
  Bloque(12, 8, 12, 38).MergeCells(true);
  EXPECT_TRUE(hoja_->cells(12, 20).MergeCells());
  EXPECT_EQ(std::get<std::string>(hoja_->cells(12, 8).Value()), "Marzo'2013");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(hoja_->cells(12, 9).Value()));
  // Overlapping blocks are not merged, from either side.
  Bloque(11, 1, 13, 8).MergeCells(true);
  Bloque(12, 1, 12, 50).MergeCells(true);
  EXPECT_EQ(hoja_->Merges().Count(), 1u);
  // Adjacent blocks are fine; a single cell is no merge.
  Bloque(12, 39, 12, 67).MergeCells(true);
  Bloque(13, 8, 14, 38).MergeCells(true);
  Bloque(20, 1, 20, 1).MergeCells(true);
  EXPECT_EQ(hoja_->Merges().Count(), 3u);
  EXPECT_FALSE(hoja_->cells(20, 1).MergeCells());
  // Unmerging a column undoes every merge that crosses it.
  Bloque(1, 8, 100, 8).MergeCells(false);
  EXPECT_EQ(hoja_->Merges().Count(), 1u);
  EXPECT_TRUE(hoja_->cells(12, 50).MergeCells());
  Bloque(12, 1, 12, 8).MergeCells(true);
  EXPECT_EQ(hoja_->Merges().Count(), 2u);
}

TEST_F(HojaTest, BlankFilledCellsReadBackOneByOneWhateverIsSetOverThem) {
  // Runs of one fill, another fill over part of one, a value and a merge inside.
  Bloque(3, 2, 3, 20).Interior().ColorIndex(1);
  Bloque(3, 8, 3, 10).Interior().ColorIndex(3);
  Bloque(3, 9, 3, 9).Interior().ColorIndex(1);
  Bloque(3, 10, 3, 11).Interior().ColorIndex(kColorNinguno);
  Bloque(3, 10, 3, 10).Interior().ColorIndex(1);
  Bloque(3, 8, 3, 8).Interior().ColorIndex(1);
  Bloque(3, 13, 3, 13).Interior().ColorIndex(3);
  Bloque(3, 12, 3, 12).Interior().ColorIndex(3);
  hoja_->cells(3, 15).Value(7.0);
  Bloque(3, 17, 3, 18).MergeCells(true);
  std::vector<int32_t> esperado(22, 1);
  esperado[1] = esperado[11] = esperado[21] = kColorNinguno;
  esperado[12] = esperado[13] = 3;
  std::vector<int32_t> columnas;
  hoja_->Celdas().RecorreFila(3, [&](const Celda& c) { columnas.push_back(c.columna); });
  for (int32_t c = 1; c <= 21; ++c)
    EXPECT_EQ(hoja_->cells(3, c).Interior().ColorIndex(), esperado[static_cast<size_t>(c)]) << c;
  // Every cell of B to T once, in order, also the one unfilled again.
  std::vector<int32_t> b_a_t(19);
  std::iota(b_a_t.begin(), b_a_t.end(), 2);
  EXPECT_EQ(columnas, b_a_t);
  EXPECT_EQ(hoja_->Celdas().Count(), 19u);
  EXPECT_EQ(std::get<double>(hoja_->cells(3, 15).Value()), 7.0);
}

}  // namespace
}  // namespace pmq
