#pragma once
// A run of whole columns of a worksheet: `Columns(3)` or `Columns("A:I")`,
// with `columnwidth` and `entirecolumn.autofit`.

#include <cstdint>

namespace pmq {

class HcWorksheet;

/// Width of a column nobody has sized, in characters.
inline constexpr double kAnchoPredeterminado = 8.43;

class HcColumns {
 public:
  HcColumns(HcWorksheet* hoja, int32_t c1, int32_t c2) : hoja_(hoja), c1_(c1), c2_(c2) {}

  /// Sets the width of every column, in characters (0 to 255; other widths
  /// throw ErrorQel 1004).
  void columnwidth(double ancho) const;
  /// The first column's width.
  double columnwidth() const;
  /// The whole columns (the same columns).
  HcColumns entirecolumn() const { return *this; }
  /// Sizes every column to its widest shown value: texts, numbers as their
  /// number format shows them and formula results. Cells of merged blocks do
  /// not count, wrapped texts count up to the column's present width, and a
  /// column with nothing shown gets the default width.
  void autofit() const;

  /// First and last column of the run.
  int32_t Column() const { return c1_; }
  int32_t LastColumn() const { return c2_; }

 private:
  HcWorksheet& Hoja() const;

  HcWorksheet* hoja_;
  int32_t c1_, c2_;
};

}  // namespace pmq
