#include "model/partidas.h"

#include "common/error_qel.h"
#include "model/obra.h"

namespace pmq {

int32_t Partidas::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "Count");
    return 0;
  }
}

pmq::Programa* Partidas::Programa(std::string& sErrores) const {
  try {
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    return Obra->Programa;
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "Programa");
    return nullptr;
  }
}

void Partidas::AddByObject(std::unique_ptr<Partida> oPartida, std::string& sErrores) {
  try {
    if (!oPartida) return;
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    const std::string clave = "k" + Obra->Des.Clave + oPartida->Des.Clave;
    items_.Add(std::move(oPartida), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "AddByObject");
  }
}

}  // namespace pmq
