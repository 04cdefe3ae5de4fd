#pragma once
// Money: a 64-bit count of ten-thousandths. Sums and products by whole numbers
// are exact; products by doubles go through double and come back with
// Moneda::DesdeDouble where the calculation says so.

#include <promorlaqel/common/api.h>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class PMQ_API Moneda {
 public:
  static constexpr int64_t kEscala = 10000;

  constexpr Moneda() = default;

  /// A value from its count of ten-thousandths (12345 is 1.2345).
  static constexpr Moneda DesdeUnidades(int64_t diezmilesimas) {
    Moneda m;
    m.unidades_ = diezmilesimas;
    return m;
  }
  /// A whole amount (12 is 12.0000).
  static Moneda DesdeEntero(int64_t entero);
  /// A double rounded to four decimals with halves to even (2.00015 → 2.0002).
  /// Throws ErrorQel 6 when it does not fit.
  static Moneda DesdeDouble(double valor);
  /// A decimal text ("-1234.5", "0.00005"); more than four decimals round halves
  /// to even. Throws ErrorQel 13 for a text that is not a number.
  static Moneda DesdeTexto(std::string_view texto);

  constexpr int64_t Unidades() const { return unidades_; }
  double ADouble() const { return static_cast<double>(unidades_) / kEscala; }
  constexpr bool EsCero() const { return unidades_ == 0; }

  /// Exact decimal text with at most four decimals and no trailing zeros
  /// ("1234.5", "-0.0001", "0").
  std::string Texto() const;

  Moneda operator+(Moneda otra) const;
  Moneda operator-(Moneda otra) const;
  Moneda operator-() const;
  Moneda& operator+=(Moneda otra) { return *this = *this + otra; }
  Moneda& operator-=(Moneda otra) { return *this = *this - otra; }
  /// Exact product by a whole number. Throws ErrorQel 6 on overflow.
  Moneda operator*(int64_t factor) const;

  constexpr auto operator<=>(const Moneda&) const = default;

 private:
  int64_t unidades_ = 0;
};

}  // namespace pmq
