#include "sheet/expresion_formula.h"
#include "common/error_qel.h"
#include "sheet/celdas_hoja.h"
#include "sheet/evaluador_hoja.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

using Error = ExpresionFormula::Error;

int NumeroDeError(const std::string& formula) {
  try {
    ExpresionFormula::Analiza(formula);
  } catch (const ErrorQel& e) {
    return e.Numero();
  }
  return 0;
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
  for (const char* f : {"=",          "= ",        "=A1+",           "=*A1",
                        "=A1*",       "=()",       "=K12-()",        "=(A1",
                        "=A1)",       "=A1 B1",    "=XFE1",          "=AAAA1",
                        "=A0",        "=A1048577", "=SUM()",         "=A1:B2",
                        "='Hoja1!A1", "=''!A1",    "=Hoja1!",        "='A'!A1:'B'!A2",
                        "=_17+_19",   "=A1/",      "=1..2",          "=1A",
                        "=A",         "=1E",       "=50%",           "A1+B1",
                        "",           "=SUM(1)",   "=SUM(A1,)",      "=SUM(A1:)",
                        "=SUM(A1",    "=SUMA(A1)", "=SUM(A1:B2:C3)", "=SUM(A1:XFD1048576)"}) {
    EXPECT_EQ(NumeroDeError(f), errores::kAplicacion) << f;
  }
  EXPECT_EQ(NumeroDeError("=" + std::string(8192, '1')), errores::kAplicacion);
  std::string argumentos = "=SUM(A1";
  for (int i = 2; i <= 255; ++i) argumentos += ",A" + std::to_string(i);
  EXPECT_EQ(NumeroDeError(argumentos + ")"), 0);
  EXPECT_EQ(NumeroDeError(argumentos + ",A256)"), errores::kAplicacion);
  EXPECT_EQ(NumeroDeError("=" + std::string(70, '(') + "1" + std::string(70, ')')),
            errores::kAplicacion);
  EXPECT_EQ(NumeroDeError("=" + std::string(60, '(') + "1" + std::string(60, ')')), 0);
}

TEST(ExpresionFormula, NormalizedTextAndReferences) {
  const ExpresionFormula f = ExpresionFormula::Analiza("= am17 + $b$2 * ( 1.5e2 - xfd1 )");
  EXPECT_EQ(f.Texto(), "=AM17+$B$2*(1.5E2-XFD1)");
  ASSERT_EQ(f.Referencias().size(), 3u);
  EXPECT_EQ(f.Referencias()[0].columna, 39);
  EXPECT_EQ(f.Referencias()[0].fila, 17);
  EXPECT_TRUE(f.Referencias()[1].columna_fija);
  EXPECT_TRUE(f.Referencias()[1].fila_fija);
  EXPECT_EQ(f.Referencias()[2].columna, 16384);

  // A range reads every one of its cells, row by row.
  const ExpresionFormula s = ExpresionFormula::Analiza("= sum( c2:b1 , a1 )");
  EXPECT_EQ(s.Texto(), "=SUM(C2:B1,A1)");
  ASSERT_EQ(s.Referencias().size(), 5u);
  EXPECT_EQ(s.Referencias()[0].fila, 1);
  EXPECT_EQ(s.Referencias()[0].columna, 2);
  EXPECT_EQ(s.Referencias()[3].fila, 2);
  EXPECT_EQ(s.Referencias()[3].columna, 3);
  EXPECT_EQ(s.Referencias()[4].columna, 1);
}

TEST(ExpresionFormula, ReferencesToOtherSheetsKeepTheirSheet) {
  const ExpresionFormula f = ExpresionFormula::Analiza("= 'It''s'!a1 + hoja2!$B$2 + c3+'It''s'!d4");
  EXPECT_EQ(f.Texto(), "='It''s'!A1+'hoja2'!$B$2+C3+'It''s'!D4");
  EXPECT_EQ(f.Hojas(), (std::vector<std::string>{"It's", "hoja2"}));
  ASSERT_EQ(f.Referencias().size(), 4u);
  EXPECT_EQ(f.Referencias()[0].hoja, 1u);
  EXPECT_EQ(f.Referencias()[1].hoja, 2u);
  EXPECT_EQ(f.Referencias()[2].hoja, 0u);
  EXPECT_EQ(f.Referencias()[3].hoja, 1u);
  const ExpresionFormula s = ExpresionFormula::Analiza("=SUM('P O'!H1:H2)").Desplazada(1, 0);
  EXPECT_EQ(s.Texto(), "=SUM('P O'!H2:H3)");
  EXPECT_EQ(s.Referencias()[1].hoja, 1u);
}

TEST(ExpresionFormula, CopyMovesRelativeReferencesOnly) {
  const ExpresionFormula f = ExpresionFormula::Analiza("=A1+$B1+C$1+$D$1");
  EXPECT_EQ(f.Desplazada(2, 3).Texto(), "=D3+$B3+F$1+$D$1");
  EXPECT_THROW(f.Desplazada(-1, 0), ErrorQel);
  EXPECT_THROW(ExpresionFormula::Analiza("=XFD1").Desplazada(0, 1), ErrorQel);
  const ExpresionFormula s = ExpresionFormula::Analiza("=SUM(A1:$B$3,C1)+D1").Desplazada(1, 1);
  EXPECT_EQ(s.Texto(), "=SUM(B2:$B$3,D2)+E2");
  EXPECT_EQ(s.Referencias().size(), 4u);  // B2:B3, then D2 and E2
}

TEST(ExpresionFormula, EvaluationFollowsPrecedenceAndPropagatesErrors) {
  auto valor = [](const char* texto, std::vector<ExpresionFormula::Resultado> refs = {}) {
    return ExpresionFormula::Analiza(texto).Evalua(refs);
  };
  for (const auto& [texto, esperado] : {std::pair<const char*, double>{"=2+3*4", 14},
                                        {"=(2+3)*4", 20},
                                        {"=10-4-3", 3},
                                        {"=-2*-3", 6},
                                        {"=1-(2-(3-4))", -2},
                                        {"=1+6/4*2", 4},
                                        {"=12/2/3", 2}}) {
    EXPECT_DOUBLE_EQ(valor(texto).valor, esperado) << texto;
  }
  EXPECT_DOUBLE_EQ(
      valor("=A1*B1+A1", {{2.5, Error::kNinguno}, {4, Error::kNinguno}, {2.5, Error::kNinguno}})
          .valor,
      12.5);
  EXPECT_EQ(valor("=A1+1", {{0, Error::kValor}}).error, Error::kValor);
  EXPECT_EQ(valor("=1E300*1E300").error, Error::kNumero);
  EXPECT_EQ(ExpresionFormula::TextoError(Error::kValor), "#VALUE!");
  EXPECT_EQ(valor("=A1/0", {{5, Error::kNinguno}}).error, Error::kDivision);
  EXPECT_EQ(ExpresionFormula::TextoError(Error::kDivision), "#DIV/0!");
}

// A small sheet of cells for the evaluator.
class EvaluadorHojaTest : public ::testing::Test {
 protected:
  void Numero(int32_t f, int32_t c, double v) { celdas_.PonNumero(celdas_.Obtiene(f, c), v); }
  void Formula(int32_t f, int32_t c, const std::string& t) {
    celdas_.PonFormula(celdas_.Obtiene(f, c), t);
  }
  ExpresionFormula::Resultado Resultado(int32_t f, int32_t c) {
    return EvaluadorHoja::ValorDe(celdas_.Busca(f, c), celdas_);
  }
  CeldasHoja celdas_;
};

TEST_F(EvaluadorHojaTest, EmptyCellsCountAsZeroAndFormulasSeeFormulas) {
  Numero(10, 6, 3);    // F10 quantity
  Numero(10, 7, 2.5);  // G10 unit price
  Formula(10, 8, "=G10*F10");
  Formula(11, 8, "=G11*F11");  // an empty line
  Formula(13, 8, "=H10+H11+H12");
  Formula(15, 8, "=H13*2");
  // Written after the cells it uses and before one that uses it: order does not matter.
  Formula(1, 1, "=H15-H13");
  EvaluadorHoja::Evalua(celdas_);
  EXPECT_DOUBLE_EQ(Resultado(10, 8).valor, 7.5);
  EXPECT_DOUBLE_EQ(Resultado(11, 8).valor, 0);
  EXPECT_DOUBLE_EQ(Resultado(13, 8).valor, 7.5);
  EXPECT_DOUBLE_EQ(Resultado(15, 8).valor, 15);
  EXPECT_DOUBLE_EQ(Resultado(1, 1).valor, 7.5);
}

TEST_F(EvaluadorHojaTest, ValuesOfEveryKindAndTexts) {
  celdas_.PonMoneda(celdas_.Obtiene(1, 1), Moneda::DesdeUnidades(12345));
  celdas_.PonEntero(celdas_.Obtiene(1, 2), 7);
  celdas_.PonTexto(celdas_.Obtiene(1, 3), " 12.5 ");
  celdas_.PonTexto(celdas_.Obtiene(1, 4), "1)");
  Formula(2, 1, "=A1+B1+C1");
  Formula(2, 2, "=D1+1");
  Formula(2, 3, "=B2*0");
  EvaluadorHoja::Evalua(celdas_);
  EXPECT_DOUBLE_EQ(Resultado(2, 1).valor, 1.2345 + 7 + 12.5);
  EXPECT_EQ(Resultado(2, 2).error, Error::kValor);
  EXPECT_EQ(Resultado(2, 3).error, Error::kValor);  // errors travel through formulas
}

TEST_F(EvaluadorHojaTest, SumSkipsTextsAndEmptyCellsAndPassesErrorsOn) {
  Numero(1, 1, 2);
  celdas_.PonTexto(celdas_.Obtiene(2, 1), "5");  // text: "+" reads it, SUM skips it
  Numero(4, 1, 3.5);
  Formula(5, 1, "=SUM(A1:A4)");
  Formula(5, 2, "=A1+A2+A3+A4");
  Formula(6, 1, "=SUM(A5,A1:A1)*2");
  celdas_.PonTexto(celdas_.Obtiene(1, 3), "x");
  Formula(2, 3, "=C1+1");
  Formula(3, 3, "=SUM(C1:C2)");
  EvaluadorHoja::Evalua(celdas_);
  EXPECT_DOUBLE_EQ(Resultado(5, 1).valor, 5.5);
  EXPECT_DOUBLE_EQ(Resultado(5, 2).valor, 10.5);
  EXPECT_DOUBLE_EQ(Resultado(6, 1).valor, 15);
  EXPECT_EQ(Resultado(3, 3).error, Error::kValor);
}

TEST_F(EvaluadorHojaTest, CircularReferencesEndAndRecalculationFollowsChanges) {
  Formula(1, 1, "=B1+1");
  Formula(1, 2, "=A1+1");
  Formula(2, 1, "=A2");
  EvaluadorHoja::Evalua(celdas_);
  // The circle A1 → B1 → A1 is cut where it closes: B1 sees 0 for A1.
  EXPECT_DOUBLE_EQ(Resultado(1, 2).valor, 1);
  EXPECT_DOUBLE_EQ(Resultado(1, 1).valor, 2);
  EXPECT_DOUBLE_EQ(Resultado(2, 1).valor, 0);
  Numero(1, 2, 10);
  EvaluadorHoja::Evalua(celdas_);
  EXPECT_DOUBLE_EQ(Resultado(1, 1).valor, 11);
}

TEST_F(EvaluadorHojaTest, OtherSheetsAreReadThroughTheWorkbook) {
  Numero(1, 1, 2);
  Formula(2, 1, "=A1+'Programa Obra'!H17*2");
  Formula(3, 1, "=A2");
  EXPECT_TRUE(EvaluadorHoja::Evalua(celdas_));  // no sheet to read: the value error
  EXPECT_EQ(Resultado(3, 1).error, Error::kValor);
  std::vector<std::string> leidas;
  EXPECT_TRUE(
      EvaluadorHoja::Evalua(celdas_, [&](const std::string& hoja, int32_t fila, int32_t columna) {
        leidas.push_back(hoja + "!" + std::to_string(fila) + "," + std::to_string(columna));
        return ExpresionFormula::Resultado{10, Error::kNinguno};
      }));
  EXPECT_EQ(leidas, std::vector<std::string>{"Programa Obra!17,8"});
  EXPECT_DOUBLE_EQ(Resultado(3, 1).valor, 22);
}

TEST_F(EvaluadorHojaTest, LongChainsDoNotExhaustTheStack) {
  // Each cell refers to the one below it: evaluating row 1 first must walk
  // 100,000 formulas deep.
  constexpr int32_t kFilas = 100000;
  for (int32_t f = 1; f < kFilas; ++f) Formula(f, 1, "=A" + std::to_string(f + 1) + "+1");
  Numero(kFilas, 1, 0.5);
  EvaluadorHoja::Evalua(celdas_);
  EXPECT_DOUBLE_EQ(Resultado(1, 1).valor, kFilas - 1 + 0.5);
}

}  // namespace
}  // namespace pmq
