#pragma once
// The cells of one worksheet: rows kept in order, and in each row only the cells
// that hold a value or a format, sorted by column. Texts and formulas live in a
// pool and cells refer to them by number (a formula's last result beside its
// text), so that a cell takes 16 bytes: a large program holds millions, most
// of them blank cells that only carry a fill.

#include "common/moneda.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

enum class TipoCelda : uint8_t { kVacia, kTexto, kNumero, kEntero, kMoneda, kFormula };

/// One stored cell.
struct Celda {
  union {
    double numero = 0;  ///< kNumero
    int64_t entero;     ///< kEntero; ten-thousandths of a kMoneda
    uint32_t texto;     ///< pool number of a kTexto or kFormula
  };
  uint32_t formato = 0;  ///< number in the workbook's format table (0 = default)
  uint16_t columna = 0;  ///< 1-based, at most 16,384
  TipoCelda tipo = TipoCelda::kVacia;
  uint8_t estado : 4 = 0;  ///< evaluation state of a kFormula (see EvaluadorHoja)
  uint8_t error : 4 = 0;   ///< error of a kFormula's result (ExpresionFormula::Error)
};
static_assert(sizeof(Celda) == 16, "a large sheet holds millions of cells");

class CeldasHoja {
 public:
  /// The cell at a position, or nullptr when nothing is stored there.
  const Celda* Busca(int32_t fila, int32_t columna) const;
  Celda* Busca(int32_t fila, int32_t columna);
  /// The cell at a position, created empty when missing. The reference is valid
  /// until the next cell of the same row is created.
  Celda& Obtiene(int32_t fila, int32_t columna);

  /// Value setters; each replaces whatever the cell held and keeps its format.
  void PonTexto(Celda& celda, std::string_view texto);
  void PonFormula(Celda& celda, std::string_view formula);
  void PonNumero(Celda& celda, double valor);
  void PonEntero(Celda& celda, int64_t valor);
  void PonMoneda(Celda& celda, Moneda valor);
  /// Clears the value; the format stays.
  void Vacia(Celda& celda);

  /// The text of a kTexto cell or the formula of a kFormula cell.
  const std::string& Texto(const Celda& celda) const;
  /// The last computed result of a kFormula cell (0 for any other cell).
  double Resultado(const Celda& celda) const;
  /// Keeps the result of a kFormula cell (ignored for any other cell).
  void PonResultado(Celda& celda, double valor);

  /// Number of rows that may hold cells (the last row used).
  int32_t UltimaFila() const { return static_cast<int32_t>(filas_.size()); }
  /// The stored cells of a row, sorted by column (empty for a row without cells).
  const std::vector<Celda>& Fila(int32_t fila) const;
  std::vector<Celda>& Fila(int32_t fila);

  /// Calls f(fila, celda) for every stored cell of a block, row by row.
  template <class F>
  void ParaCada(int32_t f1, int32_t c1, int32_t f2, int32_t c2, F&& f) {
    if (f2 > UltimaFila()) f2 = UltimaFila();
    for (int32_t fila = f1; fila <= f2; ++fila) {
      for (Celda& celda : filas_[static_cast<size_t>(fila - 1)]) {
        if (celda.columna > c2) break;
        if (celda.columna >= c1) f(fila, celda);
      }
    }
  }

  /// Number of stored cells.
  size_t Count() const { return cuenta_; }
  /// Grows on every change of a value or formula.
  uint64_t Version() const { return version_; }
  /// Drops every cell.
  void Libera();

 private:
  void SueltaTexto(Celda& celda);
  uint32_t GuardaTexto(std::string_view texto);

  std::vector<std::vector<Celda>> filas_;
  std::vector<std::string> textos_;
  std::vector<double> resultados_;  // pool number → result of the formula kept there
  std::vector<uint32_t> libres_;
  size_t cuenta_ = 0;
  uint64_t version_ = 0;
};

}  // namespace pmq
