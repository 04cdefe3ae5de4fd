#include "sheet/expresion_formula.h"
#include "common/error_qel.h"
#include "sheet/celdas_hoja.h"
#include "sheet/evaluador_hoja.h"

#include <gtest/gtest.h>

#include <sstream>

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
  ASSERT_EQ(s.Referencias().size(), 5u);
  EXPECT_EQ(s.Referencias()[0].fila, 1);
  EXPECT_EQ(s.Referencias()[0].columna, 2);
  EXPECT_EQ(s.Referencias()[3].fila, 2);
  EXPECT_EQ(s.Referencias()[3].columna, 3);
  EXPECT_EQ(s.Referencias()[4].columna, 1);
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

}  // namespace
}  // namespace pmq
