#pragma once
// The document properties a workbook file carries (what a file browser or the
// spreadsheet's "Properties" shows). Empty texts are not written.

#include <ctime>
#include <string>

namespace pmq {

struct PropiedadesLibro {
  std::string titulo;
  std::string asunto;
  std::string autor;
  std::string empresa;
  std::time_t creado = 0;  ///< creation time; 0 = the time the file is written
};

}  // namespace pmq
