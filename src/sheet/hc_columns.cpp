#include "sheet/hc_columns.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "sheet/evaluador_hoja.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/medida_texto.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace pmq {

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
      double ancho =
          MedidaTexto::Ancho(MedidaTexto::Mostrado(celda, celdas, f)) + MedidaTexto::kMargen;
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
