#pragma once
// The widths, heights and shrinking a worksheet is written with, so that no
// shown value is cut to "###" and no wrapped text hides under the next row:
// - a column whose width was set keeps it; any other column gets the width of
//   its widest shown value (texts, and numbers as their format shows them),
//   never less than the default width;
// - a merged block too narrow for its value widens its last open column; when
//   all its columns are set, the value shrinks to fit instead, as does a
//   number too wide for a set column;
// - a row with wrapped text gets the height of its most wrapped cell.
// The writer computes it from the sheet just before writing the sheet.

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace pmq {

class HcWorksheet;

class DisposicionHoja {
 public:
  /// The layout of a sheet (its formulas are computed first). May add
  /// shrink-to-fit variants of cell formats to the workbook's format table.
  static DisposicionHoja De(HcWorksheet& hoja);

  /// Number of columns with a width to write (from column 1).
  int32_t Columnas() const { return static_cast<int32_t>(anchos_.size()); }
  /// The width to write for a column; negative to leave the default.
  double Ancho(int32_t columna) const;
  /// The height to write for a row, in points; negative to leave the default.
  double Alto(int32_t fila) const;
  /// The format number to write a cell with (its own, or a shrinking variant).
  uint32_t Formato(int32_t fila, int32_t columna, uint32_t propio) const;

 private:
  std::vector<double> anchos_;
  std::vector<double> altos_;
  std::unordered_map<uint64_t, uint32_t> encoger_;  // (row, column) → format
};

}  // namespace pmq
