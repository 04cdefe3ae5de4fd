#include "common/formato.h"

#include "common/error_qel.h"
#include "common/fecha.h"

#include "common/texto_seguro.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

TEST(FormatoNumero, PatternsOfTheReportsRoundingHalvesAwayFromZero) {
  const struct {
    double valor;
    const char *patron, *esperado;
  } casos[] = {
      {25, "###,##0.000", "25.000"},
      {123456.7, "###,##0.000", "123,456.700"},
      {1234567.5, "###,###,##0.000000", "1,234,567.500000"},
      {1234.5, "$ ###,###,##0.00", "$ 1,234.50"},
      {-5, "$ ###,##0.00", "-$ 5.00"},
      {1234567, "#,##0", "1,234,567"},
      {0.5, "#.00", ".50"},
      {0.0125, "###,##0.000", "0.013"},
      {-0.0125, "###,##0.000", "-0.013"},
      {999.9995, "###,##0.000", "1,000.000"},
      {-0.0001, "#,##0.00", "0.00"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(FormatoNumero(c.valor, c.patron), c.esperado) << c.valor << " " << c.patron;
}

TEST(FormatoNumero, SeparatorsComeFromTheLocale) {
  EstableceRegional({".", ","});
  EXPECT_EQ(FormatoNumero(123456.7, "###,##0.000"), "123.456,700");
  EXPECT_EQ(TextoGeneral(33.3333), "33,3333");
  EstableceRegional({});
  EXPECT_EQ(FormatoNumero(123456.7, "###,##0.000"), "123,456.700");
}

TEST(TextoGeneral, NoGroupingNoTrailingZerosFifteenDigits) {
  const std::pair<double, const char*> casos[] = {
      {33.3333, "33.3333"}, {3100, "3100"},     {100.0 / 3.0, "33.3333333333333"},
      {0.1 + 0.2, "0.3"},   {-2.5, "-2.5"},     {0, "0"},
      {1e20, "1E+20"},      {1.5e-7, "1.5E-07"}};
  for (const auto& [valor, esperado] : casos) EXPECT_EQ(TextoGeneral(valor), esperado) << valor;
}

TEST(FormatoFecha, SpanishMonthAbbreviations) {
  EXPECT_EQ(FormatoFecha(Fecha::DesdeYmd(2013, 3, 5), "dd/mmm/yyyy"), "05/mar/2013");
  EXPECT_EQ(FormatoFecha(Fecha::DesdeYmd(2014, 1, 31), "dd/mmm/yyyy"), "31/ene/2014");
  EXPECT_EQ(FormatoFecha(Fecha::DesdeYmd(2014, 12, 1), "dd/mmm/yyyy"), "01/dic/2014");
  EXPECT_THROW(FormatoFecha(Fecha::DesdeYmd(2014, 12, 1), "yyyy"), ErrorQel);
}

TEST(TextoSeguro, InvalidUtf8AndNulBecomeTheReplacementCharacter) {
  const std::pair<std::string, std::string> casos[] = {
      {"Firme", "Firme"},
      {"se\xC3\xB1or \xE2\x82\xAC \xF0\x9F\x8F\x97", "se\xC3\xB1or \xE2\x82\xAC \xF0\x9F\x8F\x97"},
      {std::string("a\0b", 3),
       "a\xEF\xBF\xBD"
       "b"},
      {"abc\xff", "abc\xEF\xBF\xBD"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                  // overlong "/"
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},                  // surrogate
      {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // > U+10FFFF
      {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"},                                  // cut short
  };
  for (const auto& [entrada, esperado] : casos) {
    EXPECT_EQ(Utf8Valido(entrada), esperado) << entrada;
    EXPECT_EQ(EsUtf8Valido(entrada), entrada == esperado) << entrada;
  }
}

TEST(TextoSeguro, PasswordsAreMaskedAndNothingElse) {
  const std::pair<const char*, const char*> casos[] = {
      {"postgresql://yo:clave@h:5432/b", "postgresql://yo:***@h:5432/b"},
      {"'POSTGRES://yo:cl:ave@h/b' falló", "'POSTGRES://yo:***@h/b' falló"},
      {"postgresql:yo:clave@h", "postgresql:yo:***@h"},
      {"pg://yo:clave@h/b?sslmode=require&password=otra",
       "pg://yo:***@h/b?sslmode=require&password=***"},
      {"host=h Password=clave user=yo", "host=h Password=*** user=yo"},
      {"postgresql://h:5432/b", "postgresql://h:5432/b"},
      {"Error en la consulta: near \"x\": syntax error",
       "Error en la consulta: near \"x\": syntax error"},
      {"/datos/obra:1@2.db", "/datos/obra:1@2.db"},
  };
  for (const auto& [entrada, esperado] : casos) EXPECT_EQ(OcultaClaves(entrada), esperado);
}

}  // namespace
}  // namespace pmq
