#pragma once
// A record of every workbook write of the process, for the host: the command
// line tells from it whether the exported workbook reached its file.

#include <string>
#include <vector>

namespace pmq {

/// One write of a workbook file.
struct EscrituraLibro {
  std::string ruta;       ///< absolute path of the file
  bool final = false;     ///< false: the save at creation (Saveas); true: the write at the end
  bool correcta = false;  ///< the file was replaced with the new contents
  std::string error;      ///< why it failed
};

class BitacoraLibros {
 public:
  /// Adds a write to the record.
  static void Registra(EscrituraLibro escritura);
  /// Every write recorded so far, in order.
  static const std::vector<EscrituraLibro>& Escrituras();
  /// Forgets the writes recorded so far.
  static void Limpia();
};

}  // namespace pmq
