#pragma once
// The limit for the summary workbook: libxlsxwriter alone writing the cells,
// formats, merges and column widths that the sheet "Resumen" of a loaded work
// holds (estimate titles, one row per budget line with its definitive and
// still-to-estimate volumes and its billed quantity and amount per estimate,
// subtotals and totals as formulas with their values), straight from the model.

#include <cstdint>
#include <string>

namespace pmq {
class Programa;
}

namespace pmq::bench {

class LimiteResumen {
 public:
  /// What was written.
  struct Resultado {
    int64_t celdas = 0;
    int64_t combinaciones = 0;
    int32_t filas = 0;
    int32_t columnas = 0;
  };
  /// Writes the sheet of the loaded work to `ruta` (two columns per estimate,
  /// as the summary controller does by default). Throws std::runtime_error when
  /// libxlsxwriter fails.
  static Resultado Escribe(const Programa& programa, const std::string& ruta);
};

}  // namespace pmq::bench
