#include "common/formato.h"

#include "common/error_qel.h"
#include "common/redondeo.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pmq {
namespace {

ConfiguracionRegional& RegionalMutable() {
  static ConfiguracionRegional regional;
  return regional;
}

struct Patron {
  std::string prefijo;
  std::string sufijo;
  bool agrupa = false;
  int enteros_minimos = 0;
  int decimales = 0;
};

Patron Analiza(std::string_view patron) {
  Patron p;
  size_t i = 0;
  while (i < patron.size() && patron[i] != '#' && patron[i] != '0' && patron[i] != '.' &&
         patron[i] != ',') {
    p.prefijo.push_back(patron[i++]);
  }
  bool en_decimales = false;
  for (; i < patron.size(); ++i) {
    const char c = patron[i];
    if (c == '.') {
      en_decimales = true;
    } else if (c == ',') {
      if (!en_decimales) p.agrupa = true;
    } else if (c == '0' || c == '#') {
      if (en_decimales) {
        ++p.decimales;
      } else if (c == '0') {
        ++p.enteros_minimos;
      }
    } else {
      p.sufijo.assign(patron.substr(i));
      break;
    }
  }
  return p;
}

}  // namespace

const ConfiguracionRegional& Regional() {
  return RegionalMutable();
}

void EstableceRegional(ConfiguracionRegional regional) {
  RegionalMutable() = std::move(regional);
}

std::string FormatoNumero(double valor, std::string_view patron) {
  const Patron p = Analiza(patron);
  bool negativo = false;
  std::string digitos = RedondeaDigitos(valor, p.decimales, ModoMitad::kLejosDeCero, negativo);
  if (digitos.size() < static_cast<size_t>(p.decimales) + 1) {
    digitos.insert(0, static_cast<size_t>(p.decimales) + 1 - digitos.size(), '0');
  }
  std::string entero = digitos.substr(0, digitos.size() - static_cast<size_t>(p.decimales));
  const std::string decimales = digitos.substr(entero.size());
  // Drop the leading zero the integer part does not ask for ("#.00" shows ".50").
  while (entero.size() > static_cast<size_t>(std::max(p.enteros_minimos, 0)) && entero[0] == '0') {
    entero.erase(0, 1);
  }
  if (static_cast<int>(entero.size()) < p.enteros_minimos) {
    entero.insert(0, static_cast<size_t>(p.enteros_minimos) - entero.size(), '0');
  }
  const ConfiguracionRegional& r = Regional();
  std::string agrupado;
  if (p.agrupa) {
    for (size_t k = 0; k < entero.size(); ++k) {
      if (k > 0 && (entero.size() - k) % 3 == 0) agrupado += r.separador_miles;
      agrupado.push_back(entero[k]);
    }
  } else {
    agrupado = entero;
  }
  const bool es_cero = digitos.find_first_not_of('0') == std::string::npos;
  // Built by appending only: GCC 12 at -O3 misreports assigning a literal and
  // then concatenating (a -Wrestrict false positive).
  std::string texto;
  if (negativo && !es_cero) texto.push_back('-');
  texto += p.prefijo;
  texto += agrupado;
  if (p.decimales > 0) texto += r.separador_decimal + decimales;
  texto += p.sufijo;
  return texto;
}

std::string TextoGeneral(double valor) {
  if (valor == 0.0 || !std::isfinite(valor))
    return std::isfinite(valor) ? "0" : fmt::format("{}", valor);
  const double magnitud = std::fabs(valor);
  std::string texto;
  if (magnitud >= 1e15 || magnitud < 1e-5) {
    // Exponent form with up to 15 significant digits: 1E+20, 1.5E-07.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", valor);
    std::string s = buf;
    const size_t e = s.find('E');
    std::string mantisa = s.substr(0, e);
    std::string exponente = s.substr(e + 1);
    if (mantisa.find('.') != std::string::npos) {
      while (mantisa.back() == '0') mantisa.pop_back();
      if (mantisa.back() == '.') mantisa.pop_back();
    }
    const char signo = exponente[0];
    std::string cifras = exponente.substr(1);
    while (cifras.size() > 2 && cifras[0] == '0') cifras.erase(0, 1);
    texto = mantisa;
    texto.push_back('E');
    texto.push_back(signo);
    texto += cifras;
  } else {
    // Fixed form rounded to 15 significant digits.
    const int enteros = static_cast<int>(std::floor(std::log10(magnitud))) + 1;
    const int decimales = std::clamp(15 - enteros, 0, 20);
    bool negativo = false;
    std::string digitos = RedondeaDigitos(valor, decimales, ModoMitad::kPar, negativo);
    if (digitos.size() < static_cast<size_t>(decimales) + 1) {
      digitos.insert(0, static_cast<size_t>(decimales) + 1 - digitos.size(), '0');
    }
    std::string entero = digitos.substr(0, digitos.size() - static_cast<size_t>(decimales));
    std::string fraccion = digitos.substr(entero.size());
    while (!fraccion.empty() && fraccion.back() == '0') fraccion.pop_back();
    if (negativo) texto.push_back('-');
    texto += entero;
    if (!fraccion.empty()) texto += Regional().separador_decimal + fraccion;
    return texto;
  }
  const std::string& sep = Regional().separador_decimal;
  if (sep != ".") {
    const size_t punto = texto.find('.');
    if (punto != std::string::npos) texto.replace(punto, 1, sep);
  }
  return texto;
}

std::string_view MesCorto(int mes) {
  static constexpr std::string_view kMeses[] = {"ene", "feb", "mar", "abr", "may", "jun",
                                                "jul", "ago", "sep", "oct", "nov", "dic"};
  if (mes < 1 || mes > 12) throw ErrorQel(errores::kLlamadaNoValida);
  return kMeses[mes - 1];
}

std::string FormatoFecha(Fecha fecha, std::string_view patron) {
  if (patron != "dd/mmm/yyyy") throw ErrorQel(errores::kLlamadaNoValida);
  int y, m, d;
  fecha.Ymd(y, m, d);
  return fmt::format("{:02}/{}/{:04}", d, MesCorto(m), y);
}

}  // namespace pmq
