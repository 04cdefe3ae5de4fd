#pragma once
// Decimal rounding of doubles. A double is read as the shortest decimal that
// converts back to it (2.00015 is "2.00015", not 2.000149999...), then rounded in
// decimal, so the rules below hold for the numbers people type.

#include <promorlaqel/common/api.h>
#include <cstdint>
#include <string>

namespace pmq {

/// How an exact half is rounded.
enum class ModoMitad {
  kPar,          ///< to the even digit (the library's rounding)
  kLejosDeCero,  ///< away from zero (display formats)
};

/// round(|v| × 10^d) as a string of decimal digits ("0" for zero); `negativo`
/// tells the sign of v. Works for any finite v and 0 <= d <= 20.
PMQ_API std::string RedondeaDigitos(double v, int d, ModoMitad modo, bool& negativo);

/// round(v × 10^d) as an integer, halves to even. Throws ErrorQel 6 when the
/// result does not fit in 64 bits or v is not finite.
PMQ_API int64_t RedondeaAEntero(double v, int d);

/// v rounded to d decimals, halves to even (2.5 → 2, 0.125 → 0.12 with d = 2).
PMQ_API double RedondeaPar(double v, int d);

/// The library's rounding: v + 10^-(d+3), then rounded to d decimals with halves
/// to even; in effect exact halves of positive amounts round up (0.125 → 0.13).
PMQ_API double Redondea(double v, int d);

/// A day count (or any double) converted to a whole number, halves to even.
PMQ_API int32_t EnteroPar(double v);

}  // namespace pmq
