#pragma once
// The estimates summary grid as text: CSV (every cell), JSON (the cells by row)
// and the people's table. The `resumen` command prints them and the web server
// serves the first two, so both give the same bytes.

#include <ostream>

namespace pmq {
class Rejilla;
}

namespace pmq::cli {

class SalidaRejilla {
 public:
  /// Every row and column of the grid, the fixed ones included; CRLF rows.
  static void Csv(const Rejilla& g, std::ostream& out);
  /// {"Rows","Cols","Celdas"} on one line.
  static void Json(const Rejilla& g, std::ostream& out);
  /// Headings, then the written rows; texts to the left, figures to the right.
  static void Texto(const Rejilla& g, std::ostream& out);
};

}  // namespace pmq::cli
