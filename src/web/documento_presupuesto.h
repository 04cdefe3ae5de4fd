#pragma once
// What the pages of a work need, without breakdowns or day markers: the
// header, the options in force, the program kinds, the periods with their
// totals, and the budget by section with each line's shares per period. A
// 20,000-line work gives a few megabytes where the full dump gives gigabytes.

#include <promorlaqel/common/moneda.h>
#include "host_consola.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pmq {
class Programa;
}

namespace pmq::web {

class DocumentoPresupuesto {
 public:
  /// Writes the document of a calculated root; returns its number of lines.
  static int64_t Escribe(const Programa& programa, int32_t resultado, const std::string& sErrores,
                         const std::vector<MensajeMostrado>& mensajes, std::ostream& salida);

  /// The amount of every period: the sum of the lines' shares in it, in
  /// calendar order.
  static std::vector<Moneda> TotalesPorPeriodo(const Programa& programa);

  /// The kinds of program of the options form, in its order.
  static std::vector<std::string> TiposPrograma();
};

}  // namespace pmq::web
