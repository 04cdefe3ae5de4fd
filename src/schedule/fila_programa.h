#pragma once

#include <promorlaqel/common/moneda.h>

#include <string>
#include <vector>

namespace pmq {

class FilasPrograma;

/// One totals row of a work or section: an amount per period of the calendar
/// ("kTotal" the lines' shares, "kTotalAcumulado" their running sum, the
/// resource rows each kind's amount spread like the shares).
class FilaPrograma {
 public:
  pmq::FilasPrograma* FilasPrograma = nullptr;  ///< the owning set
  std::string Clave;                            ///< the key it was added under
  std::vector<Moneda> Importes;                 ///< one per period, in calendar order
};

}  // namespace pmq
