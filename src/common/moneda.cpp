#include "common/moneda.h"

#include "common/error_qel.h"
#include "common/redondeo.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace pmq {

Moneda Moneda::DesdeEntero(int64_t entero) {
  int64_t r = 0;
  if (__builtin_mul_overflow(entero, kEscala, &r)) throw ErrorQel(errores::kDesbordamiento);
  return DesdeUnidades(r);
}

Moneda Moneda::DesdeDouble(double valor) {
  return DesdeUnidades(RedondeaAEntero(valor, 4));
}

Moneda Moneda::DesdeTexto(std::string_view texto) {
  size_t i = 0;
  while (i < texto.size() && std::isspace(static_cast<unsigned char>(texto[i]))) ++i;
  size_t f = texto.size();
  while (f > i && std::isspace(static_cast<unsigned char>(texto[f - 1]))) --f;
  std::string_view t = texto.substr(i, f - i);
  double valor = 0;
  auto [fin, ec] = std::from_chars(t.data(), t.data() + t.size(), valor);
  if (t.empty() || ec != std::errc() || fin != t.data() + t.size()) {
    throw ErrorQel(errores::kTipos);
  }
  return DesdeDouble(valor);
}

std::string Moneda::Texto() const {
  const bool negativo = unidades_ < 0;
  // Work on the unsigned magnitude so that INT64_MIN is printed right.
  const uint64_t magnitud =
      negativo ? 0 - static_cast<uint64_t>(unidades_) : static_cast<uint64_t>(unidades_);
  std::string texto = std::to_string(magnitud / kEscala);
  uint64_t fraccion = magnitud % kEscala;
  if (fraccion != 0) {
    std::string decimales = std::to_string(fraccion);
    decimales.insert(0, 4 - decimales.size(), '0');
    while (decimales.back() == '0') decimales.pop_back();
    texto += "." + decimales;
  }
  return negativo ? "-" + texto : texto;
}

Moneda Moneda::operator+(Moneda otra) const {
  int64_t r = 0;
  if (__builtin_add_overflow(unidades_, otra.unidades_, &r))
    throw ErrorQel(errores::kDesbordamiento);
  return DesdeUnidades(r);
}

Moneda Moneda::operator-(Moneda otra) const {
  int64_t r = 0;
  if (__builtin_sub_overflow(unidades_, otra.unidades_, &r))
    throw ErrorQel(errores::kDesbordamiento);
  return DesdeUnidades(r);
}

Moneda Moneda::operator-() const {
  return Moneda() - *this;
}

Moneda Moneda::operator*(int64_t factor) const {
  int64_t r = 0;
  if (__builtin_mul_overflow(unidades_, factor, &r)) throw ErrorQel(errores::kDesbordamiento);
  return DesdeUnidades(r);
}

}  // namespace pmq
