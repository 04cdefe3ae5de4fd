#include "model/presups.h"

#include "common/error_qel.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"

namespace pmq {

pmq::Programa* Presups::Programa(std::string& sErrores) const {
  try {
    if (Partida == nullptr || Partida->Partidas == nullptr || Partida->Partidas->Obra == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    return Partida->Partidas->Obra->Programa;
  } catch (...) {
    AnotaExcepcion(sErrores, "Presups", "Programa");
    return nullptr;
  }
}

void Presups::AddByObject(std::unique_ptr<Presup> oPresup, std::string& sErrores) {
  try {
    if (!oPresup) return;
    const std::string clave = "k" + oPresup->Des.Clave;
    items_.Add(std::move(oPresup), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Presups", "AddByObject");
  }
}

}  // namespace pmq
