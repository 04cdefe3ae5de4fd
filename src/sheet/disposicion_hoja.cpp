#include "sheet/disposicion_hoja.h"

#include "sheet/columnas.h"
#include "sheet/hc_columns.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/medida_texto.h"

#include <algorithm>
#include <cmath>

namespace pmq {
namespace {

constexpr double kAnchoMaximo = 255;

uint64_t Clave(int32_t fila, int32_t columna) {
  return (static_cast<uint64_t>(fila) << 32) | static_cast<uint32_t>(columna);
}

// Rounded up to hundredths, capped at the largest width a column takes.
double Redondea(double ancho) {
  return std::min(kAnchoMaximo, std::ceil(ancho * 100 - 1e-9) / 100);
}

}  // namespace

DisposicionHoja DisposicionHoja::De(HcWorksheet& hoja) {
  hoja.EvaluaFormulas();
  TablaFormatos& formatos = hoja.Parent().Formatos();
  const CeldasHoja& celdas = hoja.Celdas();
  const Combinaciones& merges = hoja.Merges();
  DisposicionHoja d;

  // Widest shown value of each open column (cells of merged blocks aside).
  int32_t ultima = 0;
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila)
    ultima = std::max(ultima, celdas.UltimaColumna(fila));
  merges.ParaCada([&](const Combinacion& m) { ultima = std::max(ultima, m.c2); });
  for (int32_t c = 1; c <= kUltimaColumna; ++c) {
    if (hoja.AnchoFijado(c)) ultima = std::max(ultima, c);
  }
  std::vector<double> anchos(static_cast<size_t>(ultima), -1);
  std::vector<bool> fija(static_cast<size_t>(ultima), false);
  for (int32_t c = 1; c <= ultima; ++c) {
    fija[static_cast<size_t>(c - 1)] = hoja.AnchoFijado(c);
    anchos[static_cast<size_t>(c - 1)] = hoja.AnchoColumna(c);
  }
  std::vector<double> necesario(static_cast<size_t>(ultima), 0);
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
    for (const Celda& celda : celdas.Fila(fila)) {
      if (celda.tipo == TipoCelda::kVacia || merges.En(fila, celda.columna) != nullptr) continue;
      const FormatoCelda& f = formatos.Formato(celda.formato);
      if (f.ajustar) continue;
      const auto i = static_cast<size_t>(celda.columna - 1);
      const double ancho =
          MedidaTexto::Ancho(MedidaTexto::Mostrado(celda, celdas, f)) + MedidaTexto::kMargen;
      if (!fija[i]) {
        necesario[i] = std::max(necesario[i], ancho);
      } else if (celda.tipo != TipoCelda::kTexto && ancho > anchos[i]) {
        // A number wider than a set column would show "###": it shrinks.
        FormatoCelda g = f;
        g.encoger = true;
        d.encoger_[Clave(fila, celda.columna)] = formatos.Id(g);
      }
    }
  }
  d.anchos_.assign(static_cast<size_t>(ultima), -1);
  for (size_t i = 0; i < necesario.size(); ++i) {
    if (fija[i]) {
      d.anchos_[i] = anchos[i];
    } else if (necesario[i] > kAnchoPredeterminado) {
      anchos[i] = Redondea(necesario[i]);
      d.anchos_[i] = anchos[i];
    }
  }

  // Merged blocks: the block's width against its value's.
  merges.ParaCada([&](const Combinacion& m) {
    const Celda* celda = celdas.Busca(m.f1, m.c1);
    if (celda == nullptr || celda->tipo == TipoCelda::kVacia) return;
    const FormatoCelda& f = formatos.Formato(celda->formato);
    if (f.ajustar || celda->tipo == TipoCelda::kTexto) return;  // texts are clipped, never "###"
    const double ancho =
        MedidaTexto::Ancho(MedidaTexto::Mostrado(*celda, celdas, f)) + MedidaTexto::kMargen;
    double bloque = 0;
    int32_t abierta = 0;
    for (int32_t c = m.c1; c <= m.c2; ++c) {
      const auto i = static_cast<size_t>(c - 1);
      bloque += anchos[i] >= 0 ? anchos[i] : kAnchoPredeterminado;
      if (!fija[i]) abierta = c;
    }
    if (ancho <= bloque) return;
    if (abierta > 0) {
      const auto i = static_cast<size_t>(abierta - 1);
      anchos[i] = Redondea(anchos[i] + ancho - bloque);
      d.anchos_[i] = anchos[i];
    } else {
      FormatoCelda g = f;
      g.encoger = true;
      d.encoger_[Clave(m.f1, m.c1)] = formatos.Id(g);
    }
  });

  // Rows with wrapped text: as many lines as the most wrapped cell takes.
  d.altos_.assign(static_cast<size_t>(celdas.UltimaFila()), -1);
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
    int32_t lineas = 1;
    for (const Celda& celda : celdas.Fila(fila)) {
      if (celda.tipo == TipoCelda::kVacia || merges.En(fila, celda.columna) != nullptr) continue;
      const FormatoCelda& f = formatos.Formato(celda.formato);
      if (!f.ajustar) continue;
      const std::string texto = MedidaTexto::Mostrado(celda, celdas, f);
      lineas = std::max(lineas,
                        MedidaTexto::Lineas(texto, anchos[static_cast<size_t>(celda.columna - 1)]));
    }
    // A row is at most 409 points high.
    if (lineas > 1)
      d.altos_[static_cast<size_t>(fila - 1)] = std::min(409.0, lineas * MedidaTexto::kAltoLinea);
  }
  return d;
}

double DisposicionHoja::Ancho(int32_t columna) const {
  if (columna < 1 || columna > Columnas()) return -1;
  return anchos_[static_cast<size_t>(columna - 1)];
}

double DisposicionHoja::Alto(int32_t fila) const {
  if (fila < 1 || fila > static_cast<int32_t>(altos_.size())) return -1;
  return altos_[static_cast<size_t>(fila - 1)];
}

uint32_t DisposicionHoja::Formato(int32_t fila, int32_t columna, uint32_t propio) const {
  if (encoger_.empty()) return propio;
  const auto it = encoger_.find(Clave(fila, columna));
  return it == encoger_.end() ? propio : it->second;
}

}  // namespace pmq
