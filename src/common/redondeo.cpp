#include "common/redondeo.h"

#include "common/error_qel.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace pmq {
namespace {

constexpr std::array<double, 21> kPotencias = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                               1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                               1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20};

// Shortest round-trip digits of |v| and the decimal exponent of the first digit:
// |v| = 0.d1d2d3... × 10^(exp + 1).
void DigitosCortos(double v, std::string& digitos, int& exponente) {
  char buf[64];
  auto [fin, ec] =
      std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
  (void)ec;
  digitos.clear();
  const char* p = buf;
  for (; p < fin && *p != 'e'; ++p) {
    if (*p != '.') digitos.push_back(*p);
  }
  exponente = 0;
  if (p < fin) {
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), fin, exponente);
  }
}

}  // namespace

std::string RedondeaDigitos(double v, int d, ModoMitad modo, bool& negativo) {
  negativo = std::signbit(v) && v != 0.0;
  if (v == 0.0) return "0";
  std::string digitos;
  int exponente = 0;
  DigitosCortos(v, digitos, exponente);
  // Number of digits that stay: those down to the d-th decimal.
  const int quedan = exponente + 1 + d;
  if (quedan < 0) return "0";
  if (static_cast<size_t>(quedan) >= digitos.size()) {
    digitos.append(static_cast<size_t>(quedan) - digitos.size(), '0');
    return digitos.empty() ? "0" : digitos;
  }
  std::string resto = digitos.substr(static_cast<size_t>(quedan));
  std::string entero = digitos.substr(0, static_cast<size_t>(quedan));
  bool sube = false;
  if (resto[0] > '5') {
    sube = true;
  } else if (resto[0] == '5') {
    const bool mitad_exacta = resto.find_first_not_of('0', 1) == std::string::npos;
    if (!mitad_exacta || modo == ModoMitad::kLejosDeCero) {
      sube = true;
    } else {
      const int ultimo = entero.empty() ? 0 : entero.back() - '0';
      sube = (ultimo % 2) == 1;
    }
  }
  if (sube) {
    int i = static_cast<int>(entero.size()) - 1;
    for (; i >= 0; --i) {
      if (entero[static_cast<size_t>(i)] == '9') {
        entero[static_cast<size_t>(i)] = '0';
      } else {
        ++entero[static_cast<size_t>(i)];
        break;
      }
    }
    if (i < 0) entero.insert(entero.begin(), '1');
  }
  const size_t primero = entero.find_first_not_of('0');
  if (primero == std::string::npos) return "0";
  return entero.substr(primero);
}

int64_t RedondeaAEntero(double v, int d) {
  if (!std::isfinite(v)) throw ErrorQel(errores::kDesbordamiento);
  const double escalado = v * kPotencias[static_cast<size_t>(d)];
  const double magnitud = std::fabs(escalado);
  // Fast path: far enough from a half that binary noise cannot matter.
  if (magnitud < 4.0e15) {
    const double piso = std::floor(escalado);
    const double fraccion = escalado - piso;
    const double tolerancia = 1e-6 + magnitud * 1e-15;
    if (std::fabs(fraccion - 0.5) > tolerancia) {
      return static_cast<int64_t>(fraccion > 0.5 ? piso + 1.0 : piso);
    }
  }
  bool negativo = false;
  const std::string digitos = RedondeaDigitos(v, d, ModoMitad::kPar, negativo);
  if (digitos.size() > 19) throw ErrorQel(errores::kDesbordamiento);
  int64_t valor = 0;
  for (char c : digitos) {
    if (__builtin_mul_overflow(valor, 10, &valor) ||
        __builtin_add_overflow(valor, c - '0', &valor)) {
      throw ErrorQel(errores::kDesbordamiento);
    }
  }
  return negativo ? -valor : valor;
}

double RedondeaPar(double v, int d) {
  if (!std::isfinite(v)) return v;
  if (std::fabs(v) * kPotencias[static_cast<size_t>(d)] >= 9.0e18)
    return v;  // nothing left to round
  const int64_t entero = RedondeaAEntero(v, d);
  const double r = static_cast<double>(entero) / kPotencias[static_cast<size_t>(d)];
  return (r == 0.0 && std::signbit(v)) ? 0.0 : r;
}

double Redondea(double v, int d) {
  return RedondeaPar(v + 1.0 / kPotencias[static_cast<size_t>(d + 3)], d);
}

int32_t EnteroPar(double v) {
  const int64_t r = RedondeaAEntero(v, 0);
  if (r > std::numeric_limits<int32_t>::max() || r < std::numeric_limits<int32_t>::min()) {
    throw ErrorQel(errores::kDesbordamiento);
  }
  return static_cast<int32_t>(r);
}

}  // namespace pmq
