#include "sheet/hc_columns.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "sheet/evaluador_hoja.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

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
// The cell's margins, in characters: with them eight digits take the default
// width of a column, 8.43, as in the spreadsheet.
constexpr double kMargen = 3.0 / 7.0;

double AnchoTexto(std::string_view texto) {
  double mayor = 0;
  double linea = 0;
  for (char ch : texto) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '\n') {
      mayor = std::max(mayor, linea);
      linea = 0;
    } else if (u >= 0x20 && u < 0x7F) {
      linea += kAvances[u - 0x20];
    } else if ((u & 0xC0) != 0x80 && u >= 0x80) {
      linea += kAvanceDigito;  // a letter beyond ASCII (á, ñ …): about a digit
    }
  }
  return std::max(mayor, linea) / kAvanceDigito;
}

std::string NumeroMostrado(double valor, const FormatoCelda& f) {
  try {
    switch (f.integrado) {
      case kFormatoIntegradoMoneda: {
        const std::string cifra = FormatoNumero(std::fabs(valor), "#,##0.00");
        return valor < 0 ? "($" + cifra + ")" : "$" + cifra + " ";
      }
      case kFormatoIntegradoMillares:
        return FormatoNumero(valor, "#,##0.00");
      case kFormatoIntegradoPorcentaje:
        return FormatoNumero(valor * 100, "#,##0") + "%";
      default:
        break;
    }
    if (!f.numero.empty()) return FormatoNumero(valor, f.numero);
  } catch (const ErrorQel&) {
    // A format the display patterns do not cover: measure the general text.
  }
  return TextoGeneral(valor);
}

}  // namespace

HcWorksheet& HcColumns::Hoja() const {
  if (hoja_ == nullptr) throw ErrorQel(errores::kObjeto);
  hoja_->Verifica();
  return *hoja_;
}

void HcColumns::columnwidth(double ancho) const {
  HcWorksheet& h = Hoja();
  if (!(ancho >= 0 && ancho <= 255)) throw ErrorQel(errores::kAplicacion);
  h.PonAnchoColumna(c1_, c2_, ancho);
}

double HcColumns::columnwidth() const {
  return Hoja().AnchoColumna(c1_);
}

void HcColumns::autofit() const {
  HcWorksheet& h = Hoja();
  h.EvaluaFormulas();
  const TablaFormatos& formatos = h.Parent().Formatos();
  const CeldasHoja& celdas = h.Celdas();
  std::vector<double> anchos(static_cast<size_t>(c2_ - c1_ + 1), -1);
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
    const std::vector<Celda>& cs = celdas.Fila(fila);
    auto it = std::lower_bound(cs.begin(), cs.end(), c1_,
                               [](const Celda& c, int32_t col) { return c.columna < col; });
    for (; it != cs.end() && it->columna <= c2_; ++it) {
      const Celda& celda = *it;
      if (celda.tipo == TipoCelda::kVacia || h.Merges().En(fila, celda.columna) != nullptr)
        continue;
      const FormatoCelda& f = formatos.Formato(celda.formato);
      std::string texto;
      const ExpresionFormula::Resultado valor = EvaluadorHoja::ValorDe(&celda, celdas);
      if (celda.tipo == TipoCelda::kTexto) {
        texto = celdas.Texto(celda);
      } else if (valor.error != ExpresionFormula::Error::kNinguno) {
        texto = ExpresionFormula::TextoError(valor.error);
      } else {
        texto = NumeroMostrado(valor.valor, f);
      }
      double ancho = AnchoTexto(texto) + kMargen;
      if (f.ajustar) ancho = std::min(ancho, h.AnchoColumna(celda.columna));
      double& mayor = anchos[static_cast<size_t>(celda.columna - c1_)];
      mayor = std::max(mayor, ancho);
    }
  }
  for (int32_t c = c1_; c <= c2_; ++c) {
    const double ancho = anchos[static_cast<size_t>(c - c1_)];
    // Rounded up to hundredths, capped at the largest width a column takes.
    h.PonAnchoColumna(
        c, c, ancho < 0 ? kAnchoPredeterminado : std::min(255.0, std::ceil(ancho * 100) / 100));
  }
}

}  // namespace pmq
