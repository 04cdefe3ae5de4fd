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

TEST_F(HojaTest, EqualFormatsShareOneEntryOfTheTable) {
  const size_t antes = libro_->Formatos().Count();
  for (int32_t f = 1; f <= 1000; ++f) {
    Bloque(f, 3, f, 3).Select();
    app_.selection().Interior().ColorIndex(1);
    app_.selection().Interior().Pattern(kPatronSolido);
  }
  EXPECT_EQ(libro_->Formatos().Count(), antes + 2);  // colour alone, then colour with pattern
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

TEST_F(HojaTest, ColumnsByNumberOrLetters) {
  hoja_->Columns("h:ZZ").columnwidth(2);
  EXPECT_DOUBLE_EQ(hoja_->Columns(8).columnwidth(), 2);
  EXPECT_DOUBLE_EQ(hoja_->Columns(702).columnwidth(), 2);
  EXPECT_DOUBLE_EQ(hoja_->Columns(703).columnwidth(), kAnchoPredeterminado);
  hoja_->Columns(3).columnwidth(60);
  EXPECT_DOUBLE_EQ(hoja_->Columns("C").columnwidth(), 60);
  EXPECT_EQ(hoja_->Columns("I:A").Column(), 1);
  EXPECT_EQ(hoja_->Columns("I:A").entirecolumn().LastColumn(), 9);
  for (const char* malo : {"", "A:", ":B", "A1", "AAAA", "XFE", "A-I"}) {
    EXPECT_EQ(NumeroDeError([&] { hoja_->Columns(malo); }), errores::kAplicacion) << malo;
  }
  EXPECT_EQ(NumeroDeError([&] { hoja_->Columns(0); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->Columns(1).columnwidth(256); }), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError([&] { hoja_->Columns(1).columnwidth(-1); }), errores::kAplicacion);
}

TEST_F(HojaTest, AutofitMeasuresWhatTheCellsShow) {
  // Eight digits take the default width.
  hoja_->cells(1, 8).Value(12345678.0);
  hoja_->Columns(8).autofit();
  EXPECT_NEAR(hoja_->Columns(8).columnwidth(), kAnchoPredeterminado, 0.01);
  // A: short and long texts; B: a number shown with four decimals; C: a
  // wrapped text wider than its column; D: only a merged cell; E: nothing;
  // F: narrow and wide letters of the same count; G: a formula's result.
  hoja_->cells(1, 1).Value("1)");
  hoja_->cells(2, 1).Value("Descripción");
  hoja_->cells(1, 2).Value(1234.5);
  hoja_->cells(1, 2).NumberFormat("#,##0.0000");
  hoja_->Columns(3).columnwidth(20);
  hoja_->cells(1, 3).Value(std::string(200, 'a'));
  hoja_->cells(1, 3).WrapText(true);
  hoja_->cells(1, 4).Value(std::string(100, 'M'));
  Bloque(1, 4, 1, 6).MergeCells(true);
  hoja_->cells(2, 6).Value("iiiiiiii");
  hoja_->cells(3, 6).Value("MMMMMMMM");
  hoja_->cells(1, 7).Value(123456789.0);
  hoja_->cells(2, 7).Formula("=G1*1000");
  hoja_->Columns("A:G").entirecolumn().autofit();
  const double a = hoja_->Columns(1).columnwidth();
  EXPECT_GT(a, 9);  // "Descripción" is eleven characters
  EXPECT_LT(a, 13);
  const double b = hoja_->Columns(2).columnwidth();
  EXPECT_GT(b, 9);  // "1,234.5000": ten characters, two of them narrow
  EXPECT_LT(b, 11);
  EXPECT_DOUBLE_EQ(hoja_->Columns(3).columnwidth(), 20);
  EXPECT_DOUBLE_EQ(hoja_->Columns(4).columnwidth(), kAnchoPredeterminado);
  EXPECT_DOUBLE_EQ(hoja_->Columns(5).columnwidth(), kAnchoPredeterminado);
  const double f = hoja_->Columns(6).columnwidth();
  EXPECT_GT(f, 12);                                // the wide letters decide
  EXPECT_GT(hoja_->Columns(7).columnwidth(), 12);  // "123456789000" from the formula
  // Only the narrow letters: a much narrower column.
  hoja_->cells(3, 6).Value("");
  hoja_->Columns(6).autofit();
  EXPECT_LT(hoja_->Columns(6).columnwidth(), f / 2);
}

TEST_F(HojaTest, AfterQuitEveryMemberFailsWith462) {
  HcRange celda = hoja_->cells(1, 1);
  app_.Quit();
  EXPECT_TRUE(app_.Terminada());
  for (const std::function<void()>& miembro : std::vector<std::function<void()>>{
           [&] { app_.workbooks(); }, [&] { app_.Visible(true); }, [&] { app_.Quit(); },
           [&] { hoja_->cells(1, 1); }, [&] { celda.Value(1.0); }, [&] { libro_->Sheets(); }}) {
    EXPECT_EQ(NumeroDeError(miembro), errores::kServidorRemoto);
  }
}

TEST_F(HojaTest, ClosedWorkbooksRefuseFurtherUse) {
  HcWorkbook* otro = app_.workbooks().Add();
  HcWorksheet* hoja_otro = otro->Sheets().Item(1);
  otro->Close();
  EXPECT_EQ(app_.workbooks().Count(), 1);
  EXPECT_EQ(app_.ActiveWorkbook(), libro_);
  EXPECT_EQ(NumeroDeError([&] { hoja_otro->cells(1, 1); }), errores::kServidorRemoto);
  app_.workbooks().Close();
  EXPECT_EQ(app_.workbooks().Count(), 0);
  EXPECT_EQ(app_.ActiveWorkbook(), nullptr);
  EXPECT_EQ(NumeroDeError([&] { app_.selection(); }), errores::kObjeto);
  EXPECT_EQ(NumeroDeError([&] { hoja_->Name("x"); }), errores::kServidorRemoto);
}

}  // namespace
}  // namespace pmq
