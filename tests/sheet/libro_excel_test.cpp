// The workbook wrapper driven as the report controllers drive it, through the
// recording host and scripted providers of the application; the formula parser
// and the sheet evaluator; workbooks written to .xlsx and read back with an
// independent reader.

#include "sheet/libro_excel.h"
#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"
#include "common/temporales_en_curso.h"
#include "sheet/celdas_hoja.h"
#include "sheet/columnas.h"
#include "sheet/configuracion_pagina.h"
#include "sheet/evaluador_hoja.h"
#include "sheet/expresion_formula.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/lector_libro.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <sstream>
#include <vector>

namespace pmq {
namespace {

using nlohmann::json;

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

// The error number `accion` throws, 0 when it throws none.
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

// The formula parser and evaluator.

using Error = ExpresionFormula::Error;

int NumeroDeError(const std::string& formula) {
  return NumeroDeError([&] { ExpresionFormula::Analiza(formula); });
}

TEST(ExpresionFormula, AcceptsWhatTheReportsWrite) {
  for (const char* f : {"=H17+AM17+BO17",
                        "=G10*F10",
                        "=F10+I10-J10",
                        "=K12-(O12+Q12)",
                        "=H10+H11+H12",
                        "=XFD1048576",
                        "=-A1",
                        "=2*-3",
                        "=1++2",
                        "=--1",
                        "=((A1))",
                        "=1.5E+3*.5",
                        "=$A$1+B$2+$C3",
                        "=SUM(A1)",
                        "=SUM(H10:H3009)",
                        "= sum ( a1 , B2:$C$3 )+1",
                        "=SUM(A1)+SUM(B1:B2)*2",
                        "=Hoja1!A1",
                        "='Programa Obra (02)'!H17+H18",
                        "=SUM('A b'!H1:H3,C1)"}) {
    EXPECT_EQ(NumeroDeError(f), 0) << f;
  }
}

TEST(ExpresionFormula, RejectsWhatASpreadsheetRejectsWith1004) {
  const char* const kSintaxis[] = {"=",       "= ",   "=A1+", "=*A1",   "=A1*",  "=()",
                                   "=K12-()", "=(A1", "=A1)", "=A1 B1", "=A1/",  "=1..2",
                                   "=1A",     "=A",   "=1E",  "=50%",   "A1+B1", ""};
  const char* const kReferencias[] = {"=XFE1",     "=AAAA1",         "=A0",
                                      "=A1048577", "=A1:B2",         "='Hoja1!A1",
                                      "=''!A1",    "=Hoja1!",        "='A'!A1:'B'!A2",
                                      "=_17+_19",  "=SUM()",         "=SUM(1)",
                                      "=SUM(A1,)", "=SUM(A1:)",      "=SUM(A1",
                                      "=SUMA(A1)", "=SUM(A1:B2:C3)", "=SUM(A1:XFD1048576)"};
  for (const char* f : kSintaxis) EXPECT_EQ(NumeroDeError(f), errores::kAplicacion) << f;
  for (const char* f : kReferencias) EXPECT_EQ(NumeroDeError(f), errores::kAplicacion) << f;
  EXPECT_EQ(NumeroDeError("=" + std::string(8192, '1')), errores::kAplicacion);
  std::string argumentos = "=SUM(A1";
  for (int i = 2; i <= 255; ++i) argumentos += ",A" + std::to_string(i);
  EXPECT_EQ(NumeroDeError(argumentos + ")"), 0);
  EXPECT_EQ(NumeroDeError(argumentos + ",A256)"), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError("=" + std::string(70, '(') + "1" + std::string(70, ')')),
            errores::kAplicacion);
  EXPECT_EQ(NumeroDeError("=" + std::string(60, '(') + "1" + std::string(60, ')')), 0);
}

TEST(ExpresionFormula, TextIsNormalizedAndACopyMovesRelativeReferencesOnly) {
  const struct {
    const char* formula;
    int32_t filas, columnas;
    const char* texto;
  } casos[] = {
      {"= am17 + $b$2 * ( 1.5e2 - xfd1 )", 0, 0, "=AM17+$B$2*(1.5E2-XFD1)"},
      {"= 'It''s'!a1 + hoja2!$B$2 + c3+'It''s'!d4", 0, 0, "='It''s'!A1+'hoja2'!$B$2+C3+'It''s'!D4"},
      {"=A1+$B1+C$1+$D$1", 2, 3, "=D3+$B3+F$1+$D$1"},
      {"=SUM(A1:$B$3,C1)+D1", 1, 1, "=SUM(B2:$B$3,D2)+E2"},
      {"=SUM('P O'!H1:H2)", 1, 0, "=SUM('P O'!H2:H3)"}};
  for (const auto& c : casos) {
    EXPECT_EQ(ExpresionFormula::Analiza(c.formula).Desplazada(c.filas, c.columnas).Texto(),
              c.texto);
  }
  EXPECT_THROW(ExpresionFormula::Analiza("=A1").Desplazada(-1, 0), ErrorQel);
  EXPECT_THROW(ExpresionFormula::Analiza("=XFD1").Desplazada(0, 1), ErrorQel);
}

TEST(ExpresionFormula, ARangeReadsEveryCellRowByRowAndOtherSheetsAreNumbered) {
  const ExpresionFormula s = ExpresionFormula::Analiza("= sum( c2:b1 , a1 )");
  std::vector<std::pair<int32_t, int32_t>> celdas;  // (row, column)
  for (const auto& r : s.Referencias()) celdas.emplace_back(r.fila, r.columna);
  EXPECT_EQ(celdas,
            (std::vector<std::pair<int32_t, int32_t>>{{1, 2}, {1, 3}, {2, 2}, {2, 3}, {1, 1}}));
  const ExpresionFormula f = ExpresionFormula::Analiza("='It''s'!A1+hoja2!$B$2+C3+'It''s'!D4");
  EXPECT_EQ(f.Hojas(), (std::vector<std::string>{"It's", "hoja2"}));
  std::vector<size_t> hojas;
  for (const auto& r : f.Referencias()) hojas.push_back(r.hoja);
  EXPECT_EQ(hojas, (std::vector<size_t>{1, 2, 0, 1}));
}

// A formula's value as text: the number, or the error as a spreadsheet shows it.
std::string Texto(const ExpresionFormula::Resultado& r) {
  if (r.error != Error::kNinguno) return std::string(ExpresionFormula::TextoError(r.error));
  std::ostringstream o;
  o << r.valor;
  return o.str();
}

using Pares = std::vector<std::pair<std::string, std::string>>;

TEST(ExpresionFormula, EvaluationFollowsPrecedenceAndPropagatesErrors) {
  // References take the values 2.5, 4 and 2.5 in order.
  const Pares casos = {{"=2+3*4", "14"},     {"=(2+3)*4", "20"},     {"=10-4-3", "3"},
                       {"=-2*-3", "6"},      {"=1-(2-(3-4))", "-2"}, {"=1+6/4*2", "4"},
                       {"=12/2/3", "2"},     {"=A1*B1+C1", "12.5"},  {"=1E300*1E300", "#NUM!"},
                       {"=A1/0", "#DIV/0!"}, {"=A1-B1+C1", "1"}};
  const std::vector<ExpresionFormula::Resultado> refs = {
      {2.5, Error::kNinguno}, {4, Error::kNinguno}, {2.5, Error::kNinguno}};
  for (const auto& [f, esperado] : casos) {
    const ExpresionFormula e = ExpresionFormula::Analiza(f);
    EXPECT_EQ(Texto(e.Evalua({refs.begin(), refs.begin() + e.Referencias().size()})), esperado)
        << f;
  }
  EXPECT_EQ(Texto(ExpresionFormula::Analiza("=A1+1").Evalua({{0, Error::kValor}})), "#VALUE!");
}

// A small sheet of cells for the evaluator, written from (reference, content)
// pairs: a content starting with "=" is a formula, with "'" a text, else a number.
class EvaluadorHojaTest : public ::testing::Test {
 protected:
  Celda& En(const std::string& ref) {
    const auto r = ExpresionFormula::Analiza("=" + ref).Referencias().at(0);
    return celdas_.Obtiene(r.fila, r.columna);
  }
  void Escribe(const Pares& contenido) {
    for (const auto& [ref, v] : contenido) {
      if (v[0] == '=')
        celdas_.PonFormula(En(ref), v);
      else if (v[0] == '\'')
        celdas_.PonTexto(En(ref), v.substr(1));
      else
        celdas_.PonNumero(En(ref), std::stod(v));
    }
  }
  /// Evaluates the sheet and compares the values of `esperado` (as Texto gives them).
  void Revisa(const Pares& esperado) {
    EvaluadorHoja::Evalua(celdas_);
    for (const auto& [ref, v] : esperado)
      EXPECT_EQ(Texto(EvaluadorHoja::ValorDe(&En(ref), celdas_)), v) << ref;
  }
  CeldasHoja celdas_;
};

TEST_F(EvaluadorHojaTest, EmptyCellsTextsAndValuesOfEveryKindInFormulasAndSums) {
  // Quantity × unit price, an empty line, formulas over formulas written in any
  // order; "+" reads a text that is a number, SUM skips it; errors travel on.
  const Pares montos = {{"A1", "=H15-H13"},  {"F10", "3"},        {"G10", "2.5"},
                        {"H10", "=G10*F10"}, {"H11", "=G11*F11"}, {"H13", "=H10+H11+H12"},
                        {"H15", "=H13*2"}};
  const Pares sumas = {{"J1", "2"},           {"J2", "'5"},           {"J4", "3.5"},
                       {"J5", "=SUM(J1:J4)"}, {"K5", "=J1+J2+J3+J4"}, {"J6", "=SUM(J5,J1:J1)*2"},
                       {"L1", "'x"},          {"L2", "=L1+1"},        {"L3", "=SUM(L1:L2)"},
                       {"M1", "' 12.5 "},     {"M2", "'1)"},          {"N2", "=M1+N1+O1"},
                       {"O2", "=M2+1"},       {"P2", "=O2*0"}};
  Escribe(montos);
  Escribe(sumas);
  celdas_.PonMoneda(En("N1"), Moneda::DesdeUnidades(12345));
  celdas_.PonEntero(En("O1"), 7);
  const Pares valores = {{"H10", "7.5"},    {"H11", "0"},      {"H13", "7.5"},
                         {"H15", "15"},     {"A1", "7.5"},     {"J5", "5.5"},
                         {"K5", "10.5"},    {"J6", "15"},      {"L3", "#VALUE!"},
                         {"N2", "20.7345"}, {"O2", "#VALUE!"}, {"P2", "#VALUE!"}};
  Revisa(valores);
}

TEST_F(EvaluadorHojaTest, CircularReferencesEndAndRecalculationFollowsChanges) {
  // The circle A1 → B1 → A1 is cut where it closes: B1 sees 0 for A1.
  Escribe(Pares{{"A1", "=B1+1"}, {"B1", "=A1+1"}, {"A2", "=A2"}});
  Revisa(Pares{{"B1", "1"}, {"A1", "2"}, {"A2", "0"}});
  Escribe(Pares{{"B1", "10"}});
  Revisa(Pares{{"A1", "11"}});
}

TEST_F(EvaluadorHojaTest, OtherSheetsAreReadThroughTheWorkbook) {
  Escribe(Pares{{"A1", "2"}, {"A2", "=A1+'Programa Obra'!H17*2"}, {"A3", "=A2"}});
  EXPECT_TRUE(EvaluadorHoja::Evalua(celdas_));  // no sheet to read: the value error
  EXPECT_EQ(EvaluadorHoja::ValorDe(&En("A3"), celdas_).error, Error::kValor);
  std::vector<std::string> leidas;
  EXPECT_TRUE(
      EvaluadorHoja::Evalua(celdas_, [&](const std::string& hoja, int32_t fila, int32_t columna) {
        leidas.push_back(hoja + "!" + std::to_string(fila) + "," + std::to_string(columna));
        return ExpresionFormula::Resultado{10, Error::kNinguno};
      }));
  EXPECT_EQ(leidas, std::vector<std::string>{"Programa Obra!17,8"});
  EXPECT_DOUBLE_EQ(EvaluadorHoja::ValorDe(&En("A3"), celdas_).valor, 22);
}

TEST_F(EvaluadorHojaTest, LongChainsDoNotExhaustTheStack) {
  // Each cell refers to the one below it: evaluating row 1 first must walk
  // 100,000 formulas deep.
  constexpr int32_t kFilas = 100000;
  for (int32_t f = 1; f < kFilas; ++f)
    celdas_.PonFormula(celdas_.Obtiene(f, 1), "=A" + std::to_string(f + 1) + "+1");
  Escribe({{"A" + std::to_string(kFilas), "0.5"}});
  Revisa({{"A1", "99999.5"}});
}

// Workbooks written to .xlsx and read back with an independent reader.

using EscrituraTest = LibroExcelTest;

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
  // Texts stay texts ("01" reads as a number in arithmetic); formulas keep their
  // computed values, H25 through H22, which sums an empty cell; the refused
  // formula of H26 leaves no cell; three-letter columns up to the last one.
  const json esperado = json::parse(R"j({
      "Programa Obra!A1": {"valor": "CONSTRUCTORA EJEMPLO", "h": "center"},
      "Programa Obra!A15": {"valor": "01", "tipo": "s"}, "Programa Obra!G17": {"valor": 25.5},
      "Programa Obra!G18": {"valor": 3, "encoger": true,
                            "formato": "\"$\"#,##0.00_);(\"$\"#,##0.00)"},
      "Programa Obra!H17": {"valor": 1000}, "Programa Obra!AM17": {"valor": 500.25},
      "Programa Obra!BR17": {"formula": "=H17+AM17", "cache": 1500.25},
      "Programa Obra!H25": {"formula": "=H22*2", "cache": 2020},
      "Programa Obra!H27": {"cache": "#VALUE!"}, "Programa Obra!H28": {"cache": 2},
      "Resumen!AAA1": {"valor": "AAA"}, "Resumen!XFD1": {"valor": 5},
      "Resumen!A2": {"formula": "=XFD1*2", "cache": 10}})j");
  const json& c = l["celdas"];
  for (const auto& [ref, campos] : esperado.items()) {
    for (const auto& [campo, valor] : campos.items()) EXPECT_EQ(c.at(ref)[campo], valor) << ref;
  }
  EXPECT_FALSE(c.contains("Programa Obra!H26"));
  // Merges: one per block, none overlapping.
  EXPECT_EQ(l["merges"]["Programa Obra"], json::array({"A1:T1", "H17:AL17"}));
  // Column widths (the file stores the width plus the cell padding).
  const json& anchos = l["anchos"]["Programa Obra"];
  EXPECT_NEAR(anchos["BR"].get<double>(), 2.71, 0.1);
  EXPECT_FALSE(anchos.contains("BS"));
  EXPECT_GT(anchos["A"].get<double>(), 3);  // "CONSTRUCTORA EJEMPLO" is merged and does not count
  EXPECT_LT(anchos["A"].get<double>(), 5);
  // No temporary file is left behind.
  EXPECT_EQ(dir_.Nombres(), std::set<std::string>{"programa.xlsx"});
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
