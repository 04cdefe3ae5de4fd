#include "common/formato.h"

#include "common/error_qel.h"
#include "common/fecha.h"

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

}  // namespace
}  // namespace pmq
