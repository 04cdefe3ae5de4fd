#pragma once
// A rectangular block of cells of one worksheet, what `cells(row, column)`,
// `Range(cell, cell)` and `selection` return. It is a light value: a sheet
// and two corners. Values, formulas and formats set on it apply to every cell
// of the block; reading answers for the first cell.

#include "common/moneda.h"
#include "sheet/formato_celda.h"
#include "sheet/hc_interior.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

namespace pmq {

class HcWorksheet;

/// A cell's value as read back: nothing, text, double, whole number or currency.
using ValorCelda = std::variant<std::monostate, std::string, double, int64_t, Moneda>;

class HcRange {
 public:
  /// No block: every member throws ErrorQel 91.
  HcRange() = default;
  /// The block between two corners (in any order) of a sheet.
  HcRange(HcWorksheet* hoja, int32_t f1, int32_t c1, int32_t f2, int32_t c2);

  /// Writes a value into every cell. A text stays text even when it looks like
  /// a number; the empty text clears the cells. A text longer than 32,767
  /// characters is cut to 32,766 and "…", with a warning message box that
  /// names the cell.
  void Value(std::string_view texto) const;
  void Value(const char* texto) const { Value(std::string_view(texto)); }
  void Value(const std::string& texto) const { Value(std::string_view(texto)); }
  void Value(double valor) const;
  void Value(int32_t valor) const { Value(static_cast<int64_t>(valor)); }
  void Value(int64_t valor) const;
  void Value(Moneda valor) const;
  /// The first cell's value; a formula gives its computed result (an error
  /// result as its text, "#VALUE!").
  ValorCelda Value() const;

  /// Sets a formula ("=" …) on every cell, moving relative references for each
  /// cell after the first, as the spreadsheet does. A text without "=" is taken
  /// as a number when it reads as one, else as text; "" clears the cells.
  /// A formula the spreadsheet would refuse throws ErrorQel 1004.
  void Formula(std::string_view formula) const;
  /// The first cell's formula ("=H17+AM17"), or its value as text.
  std::string Formula() const;

  /// Makes this block the application's selection. The sheet must be the
  /// active sheet of the active workbook (ErrorQel 1004 otherwise).
  void Select() const;

  /// Applies a named style: "Currency" (built-in currency format with two
  /// decimals), "Comma", "Percent" or "Normal" (clears every format); any
  /// case. Other names throw ErrorQel 1004.
  void Style(std::string_view estilo) const;
  /// Sets the number format code ("#,##0.0000"); "" and "General" clear it.
  void NumberFormat(std::string_view formato) const;
  /// The first cell's number format ("General" when none).
  std::string NumberFormat() const;
  /// Alignment codes (kAlineaCentro, kAlineaIzquierda, kAlineaDerecha …);
  /// unknown codes throw ErrorQel 1004.
  void HorizontalAlignment(int32_t codigo) const;
  int32_t HorizontalAlignment() const;
  void VerticalAlignment(int32_t codigo) const;
  int32_t VerticalAlignment() const;
  void ShrinkToFit(bool valor) const;
  bool ShrinkToFit() const;
  void WrapText(bool valor) const;
  bool WrapText() const;
  /// true merges the block (a one-cell block, a block already merged or one
  /// that overlaps another merge is left as it is; merging keeps only the first
  /// cell's value); false undoes every merge that shares a cell with the block.
  void MergeCells(bool valor) const;
  /// True when the first cell belongs to a merge.
  bool MergeCells() const;
  /// The block's interior (fill).
  HcInterior Interior() const;

  /// Corners of the block.
  int32_t Row() const { return f1_; }
  int32_t Column() const { return c1_; }
  int32_t LastRow() const { return f2_; }
  int32_t LastColumn() const { return c2_; }
  /// The sheet of the block (nullptr for no block).
  HcWorksheet* Worksheet() const { return hoja_; }

  /// Changes the format of every cell of the block with `cambio`.
  void CambiaFormato(const std::function<void(FormatoCelda&)>& cambio) const;
  /// The format of the first cell.
  const FormatoCelda& FormatoPrimera() const;

 private:
  HcWorksheet& Hoja() const;
  void VerificaTamano() const;

  HcWorksheet* hoja_ = nullptr;
  int32_t f1_ = 0, c1_ = 0, f2_ = 0, c2_ = 0;
};

}  // namespace pmq
