// Formula parser and evaluator: any text is either refused with ErrorQel 1004
// or parsed into a formula whose text parses again to the same formula, whose
// shifted copies stay on the sheet, and whose value is computed without
// undefined behaviour for any operand values.

#include "common/error_qel.h"
#include "sheet/expresion_formula.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

using pmq::ErrorQel;
using pmq::ExpresionFormula;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
  // The first four bytes steer the shift and the operand values; the rest is
  // the formula text.
  uint8_t control[4] = {0, 0, 0, 0};
  const size_t n = tamano < 4 ? tamano : 4;
  std::memcpy(control, datos, n);
  const std::string_view texto(reinterpret_cast<const char*>(datos) + n, tamano - n);

  ExpresionFormula f;
  try {
    f = ExpresionFormula::Analiza(texto);
  } catch (const ErrorQel& e) {
    if (e.Numero() != 1004) std::abort();
    return 0;
  }

  // The kept text is canonical: parsing it gives the same text back.
  const std::string canonico = f.Texto();
  const ExpresionFormula otra = ExpresionFormula::Analiza(canonico);
  if (otra.Texto() != canonico) std::abort();
  if (otra.Referencias().size() != f.Referencias().size()) std::abort();

  // Copying it elsewhere either keeps every reference on the sheet or is refused.
  try {
    const ExpresionFormula movida =
        f.Desplazada(static_cast<int8_t>(control[0]) * 4099, static_cast<int8_t>(control[1]) * 131);
    for (const auto& r : movida.Referencias()) {
      if (r.fila < 1 || r.columna < 1) std::abort();
    }
    (void)ExpresionFormula::Analiza(movida.Texto());
  } catch (const ErrorQel& e) {
    if (e.Numero() != 1004) std::abort();
  }

  // Operand values from a small table of awkward numbers and errors.
  static constexpr double kValores[] = {0, 1, -1, 0.5, 1e308, -1e308, 4.9e-324, 123456789.0123};
  std::vector<ExpresionFormula::Resultado> valores;
  for (size_t i = 0; i < f.Referencias().size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(control[2] + i * control[3]);
    ExpresionFormula::Resultado v;
    v.valor = kValores[b % 8];
    if (b >= 0xF0)
      v.error = b & 1 ? ExpresionFormula::Error::kValor : ExpresionFormula::Error::kNumero;
    valores.push_back(v);
  }
  const ExpresionFormula::Resultado r = f.Evalua(valores);
  // A result that is a number is finite; an overflow is the number error.
  if (r.error == ExpresionFormula::Error::kNinguno &&
      !(r.valor == r.valor && r.valor - r.valor == 0))
    std::abort();
  (void)ExpresionFormula::TextoError(r.error);
  return 0;
}
