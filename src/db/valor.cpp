#include "db/valor.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "common/redondeo.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace pmq {
namespace {

// A whole text that is a number (blanks around allowed).
bool NumeroDeTexto(const std::string& t, double& valor) {
  size_t i = 0;
  size_t f = t.size();
  while (i < f && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
  while (f > i && std::isspace(static_cast<unsigned char>(t[f - 1]))) --f;
  if (i == f) return false;
  const char* inicio = t.data() + i;
  if (*inicio == '+') ++inicio;
  auto [fin, ec] = std::from_chars(inicio, t.data() + f, valor);
  return ec == std::errc() && fin == t.data() + f;
}

}  // namespace

std::string Valor::Texto() const {
  if (const auto* s = std::get_if<std::string>(&v_)) return *s;
  if (const auto* e = std::get_if<int64_t>(&v_)) return std::to_string(*e);
  if (const auto* d = std::get_if<double>(&v_)) return TextoGeneral(*d);
  return {};
}

double Valor::Double() const {
  if (const auto* d = std::get_if<double>(&v_)) return *d;
  if (const auto* e = std::get_if<int64_t>(&v_)) return static_cast<double>(*e);
  if (const auto* s = std::get_if<std::string>(&v_)) {
    double valor = 0;
    if (!NumeroDeTexto(*s, valor)) throw ErrorQel(errores::kTipos);
    return valor;
  }
  throw ErrorQel(errores::kNull);
}

int64_t Valor::Entero() const {
  if (const auto* e = std::get_if<int64_t>(&v_)) return *e;
  return RedondeaAEntero(Double(), 0);
}

Moneda Valor::ComoMoneda() const {
  if (const auto* e = std::get_if<int64_t>(&v_)) return Moneda::DesdeEntero(*e);
  return Moneda::DesdeDouble(Double());
}

Fecha Valor::ComoFecha() const {
  if (EsNulo()) throw ErrorQel(errores::kNull);
  const auto* s = std::get_if<std::string>(&v_);
  if (s == nullptr) throw ErrorQel(errores::kTipos);
  return Fecha::DesdeIso(*s);
}

bool Valor::Booleano() const {
  if (const auto* e = std::get_if<int64_t>(&v_)) return *e != 0;
  return Double() != 0.0;
}

double Val(std::string_view texto) {
  std::string limpio;
  for (char c : texto) {
    if (c != ' ' && c != '\t') limpio.push_back(c);
  }
  size_t n = 0;
  if (n < limpio.size() && (limpio[n] == '-' || limpio[n] == '+')) ++n;
  while (n < limpio.size() && std::isdigit(static_cast<unsigned char>(limpio[n]))) ++n;
  if (n < limpio.size() && limpio[n] == '.') {
    ++n;
    while (n < limpio.size() && std::isdigit(static_cast<unsigned char>(limpio[n]))) ++n;
  }
  double valor = 0;
  const char* inicio = limpio.data();
  if (n > 0 && *inicio == '+') {
    ++inicio;
  }
  auto [fin, ec] = std::from_chars(inicio, limpio.data() + n, valor);
  (void)fin;
  return ec == std::errc() ? valor : 0.0;
}

}  // namespace pmq
