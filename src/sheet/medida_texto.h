#pragma once
// How wide a cell's shown text is, in the unit of column widths (the width of
// a digit of the default font, Calibri 11, or its metric twin Carlito), and
// how many lines a wrapped text takes in a column. The measure is the one
// `Columns(...).autofit` sizes columns by and the one the writer sizes open
// columns and wrapped rows by.

#include "sheet/celdas_hoja.h"
#include "sheet/formato_celda.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class MedidaTexto {
 public:
  /// The cell's margins, in characters: with them eight digits take the
  /// default width of a column, 8.43.
  static constexpr double kMargen = 3.0 / 7.0;
  /// Height of one line of the default font, in points.
  static constexpr double kAltoLinea = 15.0;

  /// Width of a text in characters: its widest line.
  static double Ancho(std::string_view texto);
  /// The text a cell shows: a text as it is, a number or formula result as its
  /// number format shows it, an error as its error text; "" for an empty cell.
  /// Call after the sheet's formulas were computed.
  static std::string Mostrado(const Celda& celda, const CeldasHoja& celdas,
                              const FormatoCelda& formato);
  /// A number as a number format shows it (the general text for a format the
  /// display patterns do not cover).
  static std::string NumeroMostrado(double valor, const FormatoCelda& formato);
  /// Lines a text wraps into in a column of `ancho` characters: breaks at
  /// blanks and line breaks, a word longer than the column is cut.
  static int32_t Lineas(std::string_view texto, double ancho);
};

}  // namespace pmq
