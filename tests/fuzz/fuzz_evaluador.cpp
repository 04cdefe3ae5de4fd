// A whole worksheet of formulas, numbers and texts laid out from the input,
// evaluated: references to anywhere (empty cells, texts, other formulas,
// circles, long chains) must compute without a crash, a hang or undefined
// behaviour, and evaluating twice gives the same values.

#include "sheet/celdas_hoja.h"
#include "sheet/evaluador_hoja.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

using pmq::Celda;
using pmq::CeldasHoja;
using pmq::EvaluadorHoja;
using pmq::TipoCelda;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
  // One cell per line, filled row by row over a sheet eight columns wide:
  // "=..." a formula, a line starting with '#' a number, anything else a text.
  const std::string_view entrada(reinterpret_cast<const char*>(datos), tamano);
  CeldasHoja celdas;
  constexpr int32_t kColumnas = 8;
  int32_t n = 0;
  size_t inicio = 0;
  while (inicio <= entrada.size() && n < 4096) {
    size_t fin = entrada.find('\n', inicio);
    if (fin == std::string_view::npos) fin = entrada.size();
    const std::string_view linea = entrada.substr(inicio, fin - inicio);
    const int32_t fila = n / kColumnas + 1;
    const int32_t columna = n % kColumnas + 1;
    Celda& celda = celdas.Obtiene(fila, columna);
    if (!linea.empty() && linea[0] == '=') {
      celdas.PonFormula(celda, linea);
    } else if (!linea.empty() && linea[0] == '#') {
      double valor = 0;
      std::memcpy(&valor, linea.data() + 1, std::min<size_t>(linea.size() - 1, sizeof valor));
      // The sheet refuses numbers that are not finite (HcRange::Value), so a
      // stored number is always finite.
      if (std::isfinite(valor)) celdas.PonNumero(celda, valor);
    } else if (!linea.empty()) {
      celdas.PonTexto(celda, linea);
    }
    ++n;
    inicio = fin + 1;
  }

  // Every formula's value, an error being -0.
  const auto valores = [&] {
    EvaluadorHoja::Evalua(celdas);
    std::vector<double> r;
    for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
      for (const Celda& c : celdas.Fila(fila)) {
        const auto v = EvaluadorHoja::ValorDe(&c, celdas);
        if (c.tipo == TipoCelda::kFormula)
          r.push_back(v.error == pmq::ExpresionFormula::Error::kNinguno ? v.valor : -0.0);
      }
    }
    return r;
  };
  // NaN cannot come out of a formula (overflow is the number error), so a
  // formula evaluated again gives the very same value.
  const auto primera = valores();
  if (valores() != primera) std::abort();
  return 0;
}
