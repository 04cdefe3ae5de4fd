#include "common/redondeo.h"

#include "common/error_qel.h"
#include "common/moneda.h"

#include <gtest/gtest.h>

#include <limits>

namespace pmq {
namespace {

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
