#pragma once
// A chart placed on a worksheet: columns or lines, each series naming the
// cells it reads as A1 ranges with the sheet name ("='Curva S'!$B$2:$B$13").
// The xlsx writer turns it into a native chart, which every spreadsheet draws
// from the cells.

#include <cstdint>
#include <string>
#include <vector>

namespace pmq {

class Grafica {
 public:
  enum class Tipo { kColumnas, kLineas };
  struct Serie {
    std::string nombre;      ///< the legend text
    std::string categorias;  ///< the range of the category labels
    std::string valores;     ///< the range of the values
  };

  Tipo tipo = Tipo::kColumnas;
  std::string titulo;
  std::string titulo_categorias;
  std::string titulo_valores;
  int32_t fila = 1;     ///< top-left cell of the chart (1-based)
  int32_t columna = 1;  ///< top-left cell of the chart (1-based)
  std::vector<Serie> series;
};

}  // namespace pmq
