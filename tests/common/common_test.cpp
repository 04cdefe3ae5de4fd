#include "common/coleccion.h"
#include "common/error_qel.h"
#include "common/fecha.h"
#include "common/formato.h"
#include "common/moneda.h"
#include "common/redondeo.h"
#include "common/texto_seguro.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

TEST(Fecha, SerialsCountFrom30December1899AndLeapYearsCount) {
  EXPECT_TRUE(Fecha().EsNula());
  EXPECT_EQ(Fecha::DesdeYmd(1899, 12, 30).Serial(), 0);
  EXPECT_EQ(Fecha::DesdeYmd(1900, 1, 1).Serial(), 2);
  EXPECT_EQ(Fecha::DesdeYmd(2013, 3, 15).Serial(), 41348);
  EXPECT_EQ(Fecha::DesdeSerial(41348).Iso(), "2013-03-15");
  EXPECT_EQ(Fecha().Iso(), "1899-12-30");
  // Differences and months across leap years.
  EXPECT_EQ(Fecha::DesdeYmd(2013, 3, 31) - Fecha::DesdeYmd(2013, 1, 1) + 1, 90);
  EXPECT_EQ(Fecha::DesdeYmd(2012, 3, 1) - Fecha::DesdeYmd(2012, 2, 1), 29);
  EXPECT_EQ(Fecha::DesdeYmd(2000, 3, 1) - Fecha::DesdeYmd(2000, 2, 1), 29);
  EXPECT_EQ(Fecha::DesdeYmd(1900, 3, 1) - Fecha::DesdeYmd(1900, 2, 1), 28);
  EXPECT_EQ(Fecha::DesdeYmd(2024, 2, 10).UltimoDeMes().Iso(), "2024-02-29");
  EXPECT_EQ(Fecha::DesdeYmd(2023, 2, 10).UltimoDeMes().Iso(), "2023-02-28");
  EXPECT_EQ(Fecha::DesdeYmd(2013, 12, 15).PrimeroDeMes().Iso(), "2013-12-01");
  EXPECT_EQ((Fecha::DesdeYmd(2013, 12, 31) + 1).Iso(), "2014-01-01");
  EXPECT_THROW(Fecha::DesdeYmd(2013, 2, 29), ErrorQel);
  EXPECT_THROW(Fecha::DesdeYmd(2100, 2, 29), ErrorQel);  // centuries leap only by 400
}

TEST(Fecha, IsoTextWithOptionalTime) {
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15").Iso(), "2013-03-15");
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15 00:00:00").Iso(), "2013-03-15");
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15T10:00").Iso(), "2013-03-15");
  for (const char* malo : {"15/03/2013", "2013-3-15", "2013-02-30", "", "2013-03-15x"}) {
    try {
      Fecha::DesdeIso(malo);
      ADD_FAILURE() << malo;
    } catch (const ErrorQel& e) {
      EXPECT_EQ(e.Numero(), 13) << malo;
    }
  }
}

struct Cosa {
  explicit Cosa(int v) : valor(v) {}
  int valor;
};

TEST(Coleccion, AccentedKeysIgnoreCaseAndManyKeysStayApart) {
  Coleccion<Cosa> c;
  c.Add(std::make_unique<Cosa>(1), "kM-1");
  c.Add(std::make_unique<Cosa>(2));
  c.Add(std::make_unique<Cosa>(3), "kÁrbol");
  EXPECT_EQ(c.Item("KÁRBOL")->valor, 3);  // case ignored beyond ASCII too
  EXPECT_EQ(c.Item("kárbol")->valor, 3);
  EXPECT_EQ(c.Item("nada"), nullptr);
  int suma = 0;
  for (Cosa* x : c) suma += x->valor;
  EXPECT_EQ(suma, 6);
  // Items without a key before the first key, and enough keys to regrow the
  // index; keys that begin alike stay apart.
  // (Keys built by appending: GCC 12 at -O3 warns falsely on "k" + a temporary.)
  const auto clave = [](char letra, int i) {
    return std::string(1, letra).append(std::to_string(i));
  };
  Coleccion<Cosa> m;
  m.Add(std::make_unique<Cosa>(0));
  for (int i = 1; i <= 300; ++i) m.Add(std::make_unique<Cosa>(i), clave('k', i));
  m.Add(std::make_unique<Cosa>(-1));
  for (int i = 1; i <= 300; ++i) ASSERT_EQ(m.Item(clave('K', i)), m.Item(int64_t{i} + 1)) << i;
  EXPECT_EQ(m.Item("k0"), nullptr);
  EXPECT_EQ(m.Item("k3000"), nullptr);
  EXPECT_EQ(m.Item(302)->valor, -1);
}

// (The loaders' tests check the usual prefix's messages.)
TEST(ErrorConvention, AnotherPrefixAndAStandardExceptionAreReportedTheSameWay) {
  std::string t;
  try {
    throw std::overflow_error("x");
  } catch (...) {
    AnotaExcepcionConPrefijo(t, "ProMorlaControl", "Explosion", "ImportaResumen");
  }
  EXPECT_EQ(t,
            "ProMorlaControl.Explosion.ImportaResumen() arrojó la excepción # 6 Desbordamiento\n");
}

TEST(FormatoNumero, PatternsOfTheReportsRoundingHalvesAwayFromZero) {
  const struct {
    double valor;
    const char *patron, *esperado;
  } casos[] = {{25, "###,##0.000", "25.000"},
               {123456.7, "###,##0.000", "123,456.700"},
               {1234567.5, "###,###,##0.000000", "1,234,567.500000"},
               {1234.5, "$ ###,###,##0.00", "$ 1,234.50"},
               {-5, "$ ###,##0.00", "-$ 5.00"},
               {1234567, "#,##0", "1,234,567"},
               {0.5, "#.00", ".50"},
               {0.0125, "###,##0.000", "0.013"},
               {-0.0125, "###,##0.000", "-0.013"},
               {999.9995, "###,##0.000", "1,000.000"},
               {-0.0001, "#,##0.00", "0.00"}};
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
      {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"}                                   // cut short
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
      {"/datos/obra:1@2.db", "/datos/obra:1@2.db"}};
  for (const auto& [entrada, esperado] : casos) EXPECT_EQ(OcultaClaves(entrada), esperado);
}

struct Caso {
  double valor;
  int decimales;
  double esperado;
};

TEST(Redondea, AmountsTakeHalvesUpPlainRoundingTakesThemToEven) {
  // Negative halves move towards zero because of the added bias.
  for (const Caso& c : {Caso{0.125, 2, 0.13}, Caso{10 * 3.3335, 2, 33.34}, Caso{2.5, 0, 3.0},
                        Caso{0.1234565, 6, 0.123457}, Caso{-0.125, 2, -0.12}}) {
    EXPECT_DOUBLE_EQ(Redondea(c.valor, c.decimales), c.esperado) << c.valor;
  }
  // 2.675 is stored as 2.67499999...; it is still the decimal half people typed.
  for (const Caso& c : {Caso{0.125, 2, 0.12}, Caso{0.135, 2, 0.14}, Caso{2.5, 0, 2.0},
                        Caso{3.5, 0, 4.0}, Caso{2.675, 2, 2.68}, Caso{1.005, 2, 1.0},
                        Caso{-1.015, 2, -1.02}, Caso{1234567.891, 2, 1234567.89}}) {
    EXPECT_DOUBLE_EQ(RedondeaPar(c.valor, c.decimales), c.esperado) << c.valor;
  }
  // Whole day counts.
  EXPECT_EQ(EnteroPar(90.0), 90);
  EXPECT_EQ(EnteroPar(2.5), 2);
  EXPECT_EQ(EnteroPar(3.5), 4);
  EXPECT_EQ(EnteroPar(-0.5), 0);
}

TEST(Moneda, ConversionFromDoubleRoundsToFourDecimalsHalfToEven) {
  EXPECT_EQ(Moneda::DesdeDouble(2.00005).Unidades(), 20000);
  EXPECT_EQ(Moneda::DesdeDouble(2.00015).Unidades(), 20002);
  EXPECT_EQ(Moneda::DesdeDouble(-2.00015).Unidades(), -20002);
  EXPECT_EQ(Moneda::DesdeDouble(0.1 + 0.2).Unidades(), 3000);
  EXPECT_THROW(Moneda::DesdeDouble(1e300), ErrorQel);
  EXPECT_THROW(Moneda::DesdeDouble(std::numeric_limits<double>::quiet_NaN()), ErrorQel);
}

TEST(Moneda, SumsAndWholeProductsAreExactAndOverflowIsError6) {
  Moneda total;
  for (int i = 0; i < 1000; ++i) total += Moneda::DesdeDouble(0.1);
  EXPECT_EQ(total, Moneda::DesdeEntero(100));
  EXPECT_EQ((Moneda::DesdeDouble(1.2345) * 3).Unidades(), 37035);
  EXPECT_EQ(Moneda::DesdeTexto(" 100.50 ").Unidades(), 1005000);
  EXPECT_THROW(Moneda::DesdeTexto("12x"), ErrorQel);
  const Moneda maxima = Moneda::DesdeUnidades(std::numeric_limits<int64_t>::max());
  EXPECT_THROW(maxima + Moneda::DesdeUnidades(1), ErrorQel);
  try {
    (void)(maxima * 2);
    ADD_FAILURE();
  } catch (const ErrorQel& e) {
    EXPECT_EQ(e.Numero(), 6);
  }
  // Text is exact decimal without trailing zeros.
  EXPECT_EQ(Moneda::DesdeDouble(300.75).Texto(), "300.75");
  EXPECT_EQ(Moneda::DesdeDouble(6200).Texto(), "6200");
  EXPECT_EQ(Moneda::DesdeUnidades(-1).Texto(), "-0.0001");
  EXPECT_EQ(Moneda::DesdeUnidades(std::numeric_limits<int64_t>::min()).Texto(),
            "-922337203685477.5808");
}

}  // namespace
}  // namespace pmq
