// The in-memory spreadsheet application: the automation members the reports use.

#include "common/error_qel.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include "common/host_grabador.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pmq {
namespace {

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
  Bloque(12, 8, 12, 38).MergeCells(true);  // again: still one merge
  EXPECT_EQ(hoja_->Merges().Count(), 1u);
  EXPECT_TRUE(hoja_->cells(12, 20).MergeCells());
  EXPECT_EQ(std::get<std::string>(hoja_->cells(12, 8).Value()), "Marzo'2013");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(hoja_->cells(12, 9).Value()));
  // Overlapping blocks are not merged, from either side.
  Bloque(12, 30, 12, 40).MergeCells(true);
  Bloque(11, 1, 13, 8).MergeCells(true);
  Bloque(12, 1, 12, 50).MergeCells(true);
  EXPECT_EQ(hoja_->Merges().Count(), 1u);
  EXPECT_FALSE(hoja_->cells(12, 39).MergeCells());
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

}  // namespace
}  // namespace pmq
