#include "sheet/medida_texto.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "sheet/evaluador_hoja.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pmq {
namespace {

// Advance widths of the default font (11 point), in 1/2048 of an em, for the
// printable ASCII characters from the blank to "~". A digit is 1038: a column
// width counts digits, so a text's width in characters is its sum over 1038.
constexpr std::array<int16_t, 95> kAvances = {463,  544,  714,  1018, 1038, 1470, 1397, 452,  621,
                                              621,  1018, 1018, 511,  627,  517,  791,  // ' '…'/'
                                              1038, 1038, 1038, 1038, 1038, 1038, 1038, 1038, 1038,
                                              1038, 548,  548,  1018, 1018, 1018, 941,  // '0'…'?'
                                              1823, 1185, 1114, 1092, 1260, 1000, 941,  1292, 1276,
                                              516,  653,  1064, 861,  1751, 1322, 1356,  // '@'…'O'
                                              1058, 1378, 1112, 941,  998,  1314, 1162, 1822, 1063,
                                              998,  959,  628,  791,  628,  1018, 1018,  // 'P'…'_'
                                              511,  981,  1076, 866,  1076, 1019, 625,  964,  1076,
                                              470,  490,  931,  470,  1636, 1076, 1080,  // '`'…'o'
                                              1076, 1076, 714,  801,  686,  1076, 925,  1464, 887,
                                              927,  809,  714,  943,  714,  1018};  // 'p'…'~'
constexpr double kAvanceDigito = 1038;

// Advance of one character starting at byte i (UTF-8), in font units; sets
// `largo` to its byte count.
double Avance(std::string_view t, size_t i, size_t& largo) {
  const auto u = static_cast<unsigned char>(t[i]);
  largo = 1;
  if (u < 0x80) return u >= 0x20 && u < 0x7F ? kAvances[u - 0x20] : 0;
  while (i + largo < t.size() && (static_cast<unsigned char>(t[i + largo]) & 0xC0) == 0x80) ++largo;
  return kAvanceDigito;  // a letter beyond ASCII (á, ñ …): about a digit
}

}  // namespace

double MedidaTexto::Ancho(std::string_view texto) {
  double mayor = 0;
  double linea = 0;
  for (size_t i = 0; i < texto.size();) {
    if (texto[i] == '\n') {
      mayor = std::max(mayor, linea);
      linea = 0;
      ++i;
      continue;
    }
    size_t largo = 1;
    linea += Avance(texto, i, largo);
    i += largo;
  }
  return std::max(mayor, linea) / kAvanceDigito;
}

std::string MedidaTexto::NumeroMostrado(double valor, const FormatoCelda& f) {
  try {
    const std::string codigo = f.NumberFormat();
    if (f.integrado == kFormatoIntegradoMoneda ||
        codigo == FormatoCelda{"", kFormatoIntegradoMoneda}.NumberFormat()) {
      const std::string cifra = FormatoNumero(std::fabs(valor), "#,##0.00");
      return valor < 0 ? "($" + cifra + ")" : "$" + cifra + " ";
    }
    switch (f.integrado) {
      case kFormatoIntegradoMillares:
        return FormatoNumero(valor, "#,##0.00");
      case kFormatoIntegradoPorcentaje:
        return FormatoNumero(valor * 100, "#,##0") + "%";
      default:
        break;
    }
    if (!f.numero.empty() && f.numero != "General") return FormatoNumero(valor, f.numero);
  } catch (const ErrorQel&) {
    // A format the display patterns do not cover: measure the general text.
  }
  return TextoGeneral(valor);
}

std::string MedidaTexto::Mostrado(const Celda& celda, const CeldasHoja& celdas,
                                  const FormatoCelda& formato) {
  if (celda.tipo == TipoCelda::kVacia) return {};
  if (celda.tipo == TipoCelda::kTexto) return celdas.Texto(celda);
  const ExpresionFormula::Resultado valor = EvaluadorHoja::ValorDe(&celda, celdas);
  if (valor.error != ExpresionFormula::Error::kNinguno)
    return std::string(ExpresionFormula::TextoError(valor.error));
  return NumeroMostrado(valor.valor, formato);
}

int32_t MedidaTexto::Lineas(std::string_view texto, double ancho) {
  const double util = std::max(1.0, ancho - kMargen) * kAvanceDigito;
  const double blanco = kAvances[0];
  int32_t lineas = 1;
  double linea = 0;  // width of the current line, in font units
  size_t i = 0;
  while (i < texto.size()) {
    if (texto[i] == '\n') {
      ++lineas;
      linea = 0;
      ++i;
      continue;
    }
    if (texto[i] == ' ') {
      linea += blanco;
      ++i;
      continue;
    }
    // A word: up to the next blank or line break.
    double palabra = 0;
    size_t j = i;
    while (j < texto.size() && texto[j] != ' ' && texto[j] != '\n') {
      size_t largo = 1;
      palabra += Avance(texto, j, largo);
      j += largo;
    }
    if (linea > 0 && linea + palabra > util) {
      ++lineas;
      linea = 0;
    }
    // A word wider than the column is cut where it reaches the edge.
    while (palabra > util) {
      ++lineas;
      palabra -= util;
    }
    linea += palabra;
    i = j;
  }
  return lineas;
}

}  // namespace pmq
