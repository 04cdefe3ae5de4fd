#pragma once
// A long sum of single cells written as SUM over blocks. A section of a few
// thousand lines adds its amounts in a chain such as "=H10+H11+…+H3009", which
// passes the 8,192 characters a formula may hold; the same sum written as
// "=SUM(H10:H3009)" fits and gives the same value. Formulas that fit are never
// touched, so ordinary sheets keep their chains of "+".

#include "sheet/celdas_hoja.h"

#include <optional>
#include <string>
#include <string_view>

namespace pmq {

class SumaCompacta {
 public:
  /// The longest formula text a sheet accepts.
  static constexpr size_t kLongitudMaxima = 8192;

  /// For a formula longer than kLongitudMaxima that is "=" followed by plain
  /// references joined by "+": the same sum as SUM over blocks of one column.
  /// Two cells of a column join one block when the cells between them hold
  /// nothing in `celdas` (the bar rows between the program's line rows); a
  /// cell added twice stays twice. More than 255 blocks go into several SUMs
  /// joined by "+". Nothing for any other formula, or one that fits.
  static std::optional<std::string> Compacta(std::string_view formula, const CeldasHoja& celdas);
};

}  // namespace pmq
