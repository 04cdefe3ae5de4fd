#pragma once
// The limit for the program workbook: libxlsxwriter alone writing the cells,
// formats, merges, fills and column widths that the sheet "Programa Obra" of a
// loaded work holds (header block, day calendar, one bar row and one line row
// per budget line, subtotals and totals as formulas with their values), taken
// straight from the model with no workbook of our own in between.

#include <cstdint>
#include <string>

namespace pmq {
class Programa;
}

namespace pmq::bench {

class LimitePrograma {
 public:
  /// What was written.
  struct Resultado {
    int64_t celdas = 0;
    int64_t combinaciones = 0;
    int32_t filas = 0;
    int32_t columnas = 0;
  };
  /// Writes the sheet of the loaded work to `ruta`. Throws std::runtime_error
  /// when libxlsxwriter fails.
  static Resultado Escribe(const Programa& programa, const std::string& ruta);
};

}  // namespace pmq::bench
