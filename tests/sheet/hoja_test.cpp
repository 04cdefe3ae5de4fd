// The in-memory spreadsheet application: the automation members the reports use.

#include "common/error_qel.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

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

TEST_F(HojaTest, WorkbooksAndSheetsAreAddedNamedAndActivated) {
  EXPECT_EQ(app_.workbooks().Count(), 1);
  EXPECT_EQ(libro_->Name(), "Libro1");
  EXPECT_EQ(libro_->Sheets().Count(), 1);
  EXPECT_EQ(hoja_->Name(), "Hoja1");
  EXPECT_EQ(app_.ActiveWorkbook(), libro_);
  EXPECT_EQ(libro_->ActiveSheet(), hoja_);
  // A new sheet goes before the active one and becomes active.
  HcWorksheet* nueva = libro_->Sheets().Add();
  EXPECT_EQ(nueva->Name(), "Hoja2");
  EXPECT_EQ(libro_->Sheets().Item(1), nueva);
  EXPECT_EQ(libro_->Sheets().Item(2), hoja_);
  EXPECT_EQ(libro_->ActiveSheet(), nueva);
  EXPECT_EQ(libro_->Sheets().Item("hoja1"), hoja_);
  EXPECT_EQ(NumeroDeError([&] { libro_->Sheets().Item(3); }), errores::kSubindice);
  EXPECT_EQ(NumeroDeError([&] { app_.workbooks().Item(2); }), errores::kSubindice);
  hoja_->Activate();
  EXPECT_EQ(libro_->ActiveSheet(), hoja_);
  HcWorkbook* otro = app_.workbooks().Add();
  EXPECT_EQ(otro->Name(), "Libro2");
  EXPECT_EQ(app_.ActiveWorkbook(), otro);
  hoja_->Activate();
  EXPECT_EQ(app_.ActiveWorkbook(), libro_);
}

TEST_F(HojaTest, SheetNamesFollowTheSpreadsheetRules) {
  hoja_->Name("Programa Obra");
  EXPECT_EQ(hoja_->Name(), "Programa Obra");
  hoja_->Name("Programa Obra");  // its own name again
  hoja_->Name(std::string(31, 'x'));
  hoja_->Name("Ñandú áéíóú");
  HcWorksheet* nueva = libro_->Sheets().Add();
  const std::string nombre = nueva->Name();
  for (const std::string& malo :
       {std::string(), std::string(32, 'x'), std::string("a:b"), std::string("a/b"),
        std::string("a?"), std::string("[a]"), std::string("'a"), std::string("a'"),
        std::string("ñandú ÁÉÍÓÚ")}) {
    EXPECT_EQ(NumeroDeError([&] { nueva->Name(malo); }), errores::kAplicacion) << malo;
  }
  EXPECT_EQ(nueva->Name(), nombre);
}

TEST_F(HojaTest, CellValuesKeepTheirKind) {
  hoja_->cells(1, 1).Value("01");
  hoja_->cells(1, 2).Value(2.5);
  hoja_->cells(1, 3).Value(7);
  hoja_->cells(1, 4).Value(Moneda::DesdeUnidades(12345));
  hoja_->cells(1, 5).Value("=A1+B1");  // a text, even when it looks like a formula
  EXPECT_EQ(hoja_->cells(1, 1).Value(), ValorCelda(std::string("01")));
  EXPECT_EQ(hoja_->cells(1, 2).Value(), ValorCelda(2.5));
  EXPECT_EQ(hoja_->cells(1, 3).Value(), ValorCelda(int64_t{7}));
  EXPECT_EQ(hoja_->cells(1, 4).Value(), ValorCelda(Moneda::DesdeUnidades(12345)));
  EXPECT_EQ(hoja_->cells(1, 5).Value(), ValorCelda(std::string("=A1+B1")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(hoja_->cells(9, 9).Value()));
  hoja_->cells(1, 1).Value("");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(hoja_->cells(1, 1).Value()));
  // Overwriting a text with a number and back reuses the cell.
  hoja_->cells(1, 1).Value(3.0);
  hoja_->cells(1, 1).Value("texto");
  EXPECT_EQ(std::get<std::string>(hoja_->cells(1, 1).Value()), "texto");
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1, 16385); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1048577, 1); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(1048576, 16384).Value(1.0); }), 0);
  EXPECT_EQ(NumeroDeError([&] { hoja_->cells(2, 1).Value(std::string(32768, 'a')); }),
            errores::kAplicacion);
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
  EXPECT_EQ(hoja_->cells(13, 1).Formula(), "=A12+$A$11");
  EXPECT_EQ(std::get<std::string>(hoja_->cells(12, 2).Value()), "#VALUE!");
  EXPECT_DOUBLE_EQ(std::get<double>(hoja_->cells(13, 1).Value()), 37.5);
}

TEST_F(HojaTest, RangeSpansTwoCellsOfOneSheetAndSelectionNeedsTheActiveSheet) {
  const HcRange r = app_.Range(hoja_->cells(5, 4), hoja_->cells(2, 1));
  EXPECT_EQ(r.Row(), 2);
  EXPECT_EQ(r.Column(), 1);
  EXPECT_EQ(r.LastRow(), 5);
  EXPECT_EQ(r.LastColumn(), 4);
  HcWorksheet* otra = libro_->Sheets().Add();
  EXPECT_EQ(NumeroDeError([&] { app_.Range(hoja_->cells(1, 1), otra->cells(1, 1)); }),
            errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { app_.Range(HcRange(), hoja_->cells(1, 1)); }), errores::kObjeto);
  // hoja_ is no longer the active sheet.
  EXPECT_EQ(NumeroDeError([&] { r.Select(); }), errores::kAplicacion);
  EXPECT_EQ(app_.selection().Worksheet(), otra);
  hoja_->Activate();
  r.Select();
  EXPECT_EQ(app_.selection().Row(), 2);
  EXPECT_EQ(app_.selection().LastColumn(), 4);
  otra->Activate();
  EXPECT_EQ(app_.selection().Worksheet(), otra);
  EXPECT_EQ(app_.selection().LastRow(), 1);  // the active sheet's first cell
}

TEST_F(HojaTest, SelectionFormatsApplyToTheWholeBlock) {
  Bloque(1, 1, 3, 2).Select();
  HcRange sel = app_.selection();
  sel.Style("currency");
  EXPECT_EQ(hoja_->cells(3, 2).NumberFormat(), "\"$\"#,##0.00_);(\"$\"#,##0.00)");
  sel.NumberFormat("#,##0.0000");
  EXPECT_EQ(hoja_->cells(2, 1).NumberFormat(), "#,##0.0000");
  sel.NumberFormat("");
  EXPECT_EQ(hoja_->cells(2, 1).NumberFormat(), "General");
  sel.HorizontalAlignment(kAlineaDerecha);
  sel.VerticalAlignment(kAlineaArriba);
  sel.ShrinkToFit(true);
  sel.WrapText(true);
  EXPECT_EQ(hoja_->cells(3, 1).HorizontalAlignment(), kAlineaDerecha);
  EXPECT_EQ(hoja_->cells(3, 1).VerticalAlignment(), kAlineaArriba);
  EXPECT_TRUE(hoja_->cells(1, 2).ShrinkToFit());
  EXPECT_TRUE(hoja_->cells(1, 2).WrapText());
  EXPECT_EQ(hoja_->cells(4, 1).HorizontalAlignment(), kAlineaGeneral);
  EXPECT_EQ(hoja_->cells(4, 1).VerticalAlignment(), kAlineaAbajo);
  EXPECT_EQ(NumeroDeError([&] { sel.HorizontalAlignment(-4160); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { sel.VerticalAlignment(-4131); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { sel.Style("Moneda"); }), errores::kAplicacion);
  sel.Style("Normal");
  EXPECT_EQ(hoja_->cells(3, 1).HorizontalAlignment(), kAlineaGeneral);
  EXPECT_FALSE(hoja_->cells(1, 2).WrapText());
}

TEST_F(HojaTest, InteriorColourAndPattern) {
  const HcInterior interior = Bloque(2, 2, 2, 4).Interior();
  EXPECT_EQ(interior.ColorIndex(), kColorNinguno);
  EXPECT_EQ(interior.Pattern(), kColorNinguno);
  HcInterior(interior).ColorIndex(1);
  EXPECT_EQ(hoja_->cells(2, 4).Interior().Pattern(), kPatronSolido);  // a colour alone fills solid
  HcInterior(interior).Pattern(kPatronSolido);
  EXPECT_EQ(hoja_->cells(2, 3).Interior().ColorIndex(), 1);
  EXPECT_EQ(NumeroDeError([&] { HcInterior(interior).ColorIndex(57); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { HcInterior(interior).Pattern(2); }), errores::kAplicacion);
  HcInterior(interior).ColorIndex(kColorNinguno);
  EXPECT_EQ(hoja_->cells(2, 2).Interior().Pattern(), kColorNinguno);
  EXPECT_EQ(ColorDePaleta(3), 0xFF0000);
  EXPECT_EQ(ColorDePaleta(57), -1);
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
