#include "sheet/suma_compacta.h"

#include "sheet/columnas.h"

#include <charconv>
#include <vector>

namespace pmq {
namespace {

constexpr size_t kArgumentosPorSuma = 255;

struct Bloque {
  int32_t columna;
  int32_t desde;
  int32_t hasta;
};

// "H17" → column and row; false for anything else ("$H17", "H", "17", "H17X").
bool LeeCelda(std::string_view t, int32_t& columna, int32_t& fila) {
  size_t letras = 0;
  while (letras < t.size() &&
         ((t[letras] >= 'A' && t[letras] <= 'Z') || (t[letras] >= 'a' && t[letras] <= 'z')))
    ++letras;
  if (letras == 0 || letras == t.size()) return false;
  columna = NumeroColumna(t.substr(0, letras));
  const auto [fin, error] = std::from_chars(t.data() + letras, t.data() + t.size(), fila);
  return columna != 0 && error == std::errc() && fin == t.data() + t.size() && fila >= 1 &&
         fila <= kUltimaFila;
}

bool SinValor(const CeldasHoja& celdas, int32_t fila, int32_t columna) {
  const Celda* c = celdas.Busca(fila, columna);
  return c == nullptr || c->tipo == TipoCelda::kVacia;
}

}  // namespace

std::optional<std::string> SumaCompacta::Compacta(std::string_view formula,
                                                  const CeldasHoja& celdas) {
  if (formula.size() <= kLongitudMaxima || formula.empty() || formula[0] != '=') return {};
  std::vector<Bloque> bloques;
  size_t p = 1;
  while (p <= formula.size()) {
    size_t fin = formula.find('+', p);
    if (fin == std::string_view::npos) fin = formula.size();
    int32_t columna = 0;
    int32_t fila = 0;
    if (!LeeCelda(formula.substr(p, fin - p), columna, fila)) return {};
    bool unida = false;
    if (!bloques.empty()) {
      Bloque& b = bloques.back();
      if (b.columna == columna && fila > b.hasta) {
        unida = true;
        for (int32_t f = b.hasta + 1; f < fila && unida; ++f) unida = SinValor(celdas, f, columna);
        if (unida) b.hasta = fila;
      }
    }
    if (!unida) bloques.push_back({columna, fila, fila});
    p = fin + 1;
  }
  std::string texto = "=";
  for (size_t i = 0; i < bloques.size(); ++i) {
    if (i % kArgumentosPorSuma == 0)
      texto += i == 0 ? "SUM(" : ")+SUM(";
    else
      texto += ',';
    const Bloque& b = bloques[i];
    const std::string letras = LetrasColumna(b.columna);
    texto += letras + std::to_string(b.desde);
    if (b.hasta > b.desde) texto += ":" + letras + std::to_string(b.hasta);
  }
  texto += ')';
  return texto;
}

}  // namespace pmq
