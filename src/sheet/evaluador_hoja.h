#pragma once
// Computes every formula of a worksheet and keeps each result in its cell, so
// that the written file carries the value next to the formula. Empty cells
// count as 0, a text that reads as a number as that number and any other text
// as the value error; a formula caught in a circular reference sees 0 for the
// cell that closes the circle, and the order of evaluation follows references
// on an explicit stack, so long chains cannot exhaust the call stack.

#include "sheet/celdas_hoja.h"
#include "sheet/expresion_formula.h"

#include <functional>
#include <string>

namespace pmq {

class EvaluadorHoja {
 public:
  /// The value of a cell of another sheet, by the sheet's name as written.
  using Externa = std::function<ExpresionFormula::Resultado(const std::string& hoja, int32_t fila,
                                                            int32_t columna)>;

  /// Computes every formula of the cells anew. References to other sheets
  /// read through `externa` (without it they are the value error). Returns
  /// true when some formula read another sheet.
  static bool Evalua(CeldasHoja& celdas, const Externa& externa = {});

  /// The value of a cell as a formula sees it (call after Evalua for formulas).
  static ExpresionFormula::Resultado ValorDe(const Celda* celda, const CeldasHoja& celdas);

  /// Evaluation states kept in Celda::estado.
  static constexpr uint8_t kPendiente = 0;
  static constexpr uint8_t kEnCurso = 1;
  static constexpr uint8_t kCalculada = 2;

 private:
  static bool Resuelve(CeldasHoja& celdas, int32_t fila, int32_t columna, const Externa& externa);
};

}  // namespace pmq
