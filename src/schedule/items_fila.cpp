#include "schedule/items_fila.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

#include <memory>

namespace pmq {
namespace {

// The summary of the kind a resource program walks (none for the totals).
const ResumenExplosion* ResumenDe(const Explosion& e, enumTipoPrograma tipo) {
  switch (tipo) {
    case enumTipoPrograma::MaterialesCantidades:
    case enumTipoPrograma::MaterialesImportes:
      return &e.ResumenMat;
    case enumTipoPrograma::ManoDeObraCantidades:
    case enumTipoPrograma::ManoDeObraImportes:
      return &e.ResumenMdo;
    case enumTipoPrograma::MaquinariaCantidades:
    case enumTipoPrograma::MaquinariaImportes:
      return &e.ResumenMaq;
    default:
      return nullptr;
  }
}

}  // namespace

void ItemsFila::GetIdxs(std::string& sErrores) {
  try {
    // A list always has its owner; only a line or section on its own has none.
    if (Presup == nullptr || Presup->Presups == nullptr ||
        Presup->Presups->Partida()->Partidas == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    const Fecha inicio_obra = Presup->Presups->Partida()->Partidas->Obra()->Des.Inicio;
    IdxInicio = Presup->Des.Inicio - inicio_obra;
    IdxFinal = Presup->Des.Final - inicio_obra;
  } catch (...) {
    // Errors of the collection are reported under the item class, ItemFila:
    // that is the name the error texts have always carried.
    AnotaExcepcion(sErrores, "ItemFila", "GetIdxs");
  }
}

bool ItemsFila::CalculaDias(enumTipoPrograma TipoPrograma, enumTipoCalculoDias TipoCalculo,
                            std::string& sErrores) {
  try {
    items_ = Coleccion<ItemFila>();
    GetIdxs(sErrores);
    if (TipoCalculo != ParaInsumo) return false;
    if (Presup == nullptr || Presup->Concepto == nullptr || !Presup->Concepto->Explosion) {
      throw ErrorQel(errores::kObjeto);
    }
    const pmq::Concepto& concepto = *Presup->Concepto;
    const ResumenExplosion* resumen = ResumenDe(*concepto.Explosion, TipoPrograma);
    if (resumen == nullptr || !resumen->has_value()) return false;
    for (const ItemExplosion* entrada : **resumen) {
      if (entrada == nullptr) continue;
      auto item = std::make_unique<ItemFila>();
      item->ItemsFila = this;
      item->InicializaDias(sErrores);
      item->AgregaElemento(entrada->Cantidad, Presup->Des.Cantidad, concepto.Des.Costo, IdxInicio,
                           IdxFinal, sErrores);
      items_.Add(std::move(item));
    }
  } catch (...) {
    // Under the item class, as in GetIdxs.
    AnotaExcepcion(sErrores, "ItemFila", "CalculaDias");
  }
  return false;
}

}  // namespace pmq
