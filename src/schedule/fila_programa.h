#pragma once

#include <string>

namespace pmq {

class FilasPrograma;

/// One totals row of a resource program ("kTotal", "kTotalMateriales" …).
/// It carries its key only; what a totals row adds up is not settled yet.
class FilaPrograma {
 public:
  pmq::FilasPrograma* FilasPrograma = nullptr;  ///< the owning set
  std::string Clave;                            ///< the key it was added under
};

}  // namespace pmq
