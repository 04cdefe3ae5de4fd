#pragma once
// The cells of one worksheet: rows kept in order, and in each row only the cells
// that hold a value or a format, sorted by column. Texts and formulas live in a
// pool and cells refer to them by number (a formula's last result beside its
// text), so that a cell takes 16 bytes. A blank cell that only carries a format
// (a bar's fill, most of a large program's cells) is not stored one by one: a
// row keeps such cells as runs of columns with one format.

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
  /// The stored cell at a position; nullptr when nothing is stored there or
  /// only a blank cell of a run (FormatoEn gives its format). A blank cell and
  /// no cell read the same: no value.
  const Celda* Busca(int32_t fila, int32_t columna) const;
  Celda* Busca(int32_t fila, int32_t columna);
  /// The cell at a position, stored (taken out of its run, with its format)
  /// or created empty when missing. The reference is valid until the next
  /// cell of the same row is created.
  Celda& Obtiene(int32_t fila, int32_t columna);

  /// The format of the cell at a position (0 when there is none).
  uint32_t FormatoEn(int32_t fila, int32_t columna) const;
  /// Gives the cell at a position a format, keeping its value. Where no cell
  /// is stored the position becomes a blank cell of a run.
  void PonFormato(int32_t fila, int32_t columna, uint32_t formato);

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
  /// The stored cells of a row, sorted by column (empty for a row without
  /// cells); the blank cells of its runs are not among them.
  const std::vector<Celda>& Fila(int32_t fila) const;
  std::vector<Celda>& Fila(int32_t fila);
  /// The last column of a row that holds a cell, stored or in a run; 0 when none.
  int32_t UltimaColumna(int32_t fila) const;

  /// Calls f(const Celda&) for every cell of a row in column order: the
  /// stored ones and the blank cells of the runs (made for the call).
  template <class F>
  void RecorreFila(int32_t fila, F&& f) const {
    const std::vector<Celda>& celdas = Fila(fila);
    auto c = celdas.begin();
    if (fila >= 1 && fila <= static_cast<int32_t>(tramos_.size())) {
      Celda blanca;
      for (const Tramo& t : tramos_[static_cast<size_t>(fila - 1)]) {
        for (; c != celdas.end() && c->columna < t.c1; ++c) f(*c);
        blanca.formato = t.formato;
        for (uint32_t col = t.c1; col <= t.c2; ++col) {
          blanca.columna = static_cast<uint16_t>(col);
          f(static_cast<const Celda&>(blanca));
        }
      }
    }
    for (; c != celdas.end(); ++c) f(*c);
  }

  /// Calls f(fila, celda) for every cell of a block, row by row; the blank
  /// cells of runs inside the block are stored first.
  template <class F>
  void ParaCada(int32_t f1, int32_t c1, int32_t f2, int32_t c2, F&& f) {
    if (f2 > UltimaFila()) f2 = UltimaFila();
    for (int32_t fila = f1; fila <= f2; ++fila) {
      Guarda(fila, c1, c2);
      for (Celda& celda : filas_[static_cast<size_t>(fila - 1)]) {
        if (celda.columna > c2) break;
        if (celda.columna >= c1) f(fila, celda);
      }
    }
  }

  /// Number of cells, stored or in runs.
  size_t Count() const { return cuenta_; }
  /// Grows on every change of a value or formula.
  uint64_t Version() const { return version_; }
  /// Drops every cell.
  void Libera();

 private:
  /// Blank cells of columns c1 to c2 of a row, all of one format.
  struct Tramo {
    uint16_t c1;
    uint16_t c2;
    uint32_t formato;
  };

  void SueltaTexto(Celda& celda);
  uint32_t GuardaTexto(std::string_view texto);
  /// Takes a column out of its row's run; its format, or -1 when it was in none.
  int64_t SacaDeTramo(int32_t fila, int32_t columna);
  /// Stores the blank cells of the row's runs between columns c1 and c2.
  void Guarda(int32_t fila, int32_t c1, int32_t c2);

  std::vector<std::vector<Celda>> filas_;
  std::vector<std::vector<Tramo>> tramos_;  // row - 1 → runs sorted by column (rows with runs)
  std::vector<std::string> textos_;
  std::vector<double> resultados_;  // pool number → result of the formula kept there
  std::vector<uint32_t> libres_;
  size_t cuenta_ = 0;
  uint64_t version_ = 0;
};

}  // namespace pmq
