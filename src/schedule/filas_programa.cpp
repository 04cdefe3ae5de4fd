#include "schedule/filas_programa.h"

#include "common/error_qel.h"

#include <memory>

namespace pmq {

FilaPrograma* FilasPrograma::Add(std::string_view key, std::string& sErrores) {
  try {
    auto fila = std::make_unique<FilaPrograma>();
    fila->FilasPrograma = this;
    fila->Clave = std::string(key);
    return filas_.Add(std::move(fila), key);
  } catch (...) {
    // Reported under the item class, FilaPrograma, as the collections of rows do.
    AnotaExcepcion(sErrores, "FilaPrograma", "Add");
    return nullptr;
  }
}

}  // namespace pmq
