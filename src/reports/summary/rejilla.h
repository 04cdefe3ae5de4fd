#pragma once
// The summary grid as a model: a row count, a column count and the text of each
// cell, the three things the summary controller asks of a grid control. Row 0
// and column 0 are the fixed header row and column; the controller leaves them
// empty. A host renders it (the command line prints it as text, CSV or JSON).

#include <promorlaqel/common/api.h>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pmq {

class PMQ_API Rejilla {
 public:
  /// Grid cell property setting that addresses the cell's text.
  static constexpr int32_t kCeldaTexto = 0;

  /// Number of rows, fixed row included.
  int32_t Rows() const { return static_cast<int32_t>(filas_.size()); }
  /// Sets the number of rows; rows cut off lose their texts, new rows are empty.
  /// A negative count throws ErrorQel 380 (invalid property value).
  void Rows(int32_t filas);
  /// Number of columns, fixed column included.
  int32_t Cols() const { return columnas_; }
  /// Sets the number of columns; texts of the columns cut off are dropped.
  /// A negative count throws ErrorQel 380.
  void Cols(int32_t columnas);

  /// Writes a cell property; only kCeldaTexto is offered (others throw
  /// ErrorQel 380). A row or column outside the grid throws ErrorQel 381.
  void Cell(int32_t setting, int32_t fila, int32_t columna, std::string texto);
  /// The text of a cell ("" when never written). Outside the grid: ErrorQel 381.
  const std::string& TextMatrix(int32_t fila, int32_t columna) const;

 private:
  using Fila = std::vector<std::pair<int32_t, std::string>>;  // by column, sorted
  void Verifica(int32_t fila, int32_t columna) const;

  std::vector<Fila> filas_;
  int32_t columnas_ = 0;
};

}  // namespace pmq
