#include "schedule/items_fila.h"

#include "catalogue/concepto.h"
#include "catalogue/explosion.h"
#include "catalogue/explosion_presup.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

#include <memory>
#include <optional>

namespace pmq {
namespace {

// The summary of the kind a resource program walks (none for the totals).
std::optional<TipoResumen> ResumenDe(enumTipoPrograma tipo) {
  switch (tipo) {
    case enumTipoPrograma::MaterialesCantidades:
    case enumTipoPrograma::MaterialesImportes:
      return TipoResumen::Mat;
    case enumTipoPrograma::ManoDeObraCantidades:
    case enumTipoPrograma::ManoDeObraImportes:
      return TipoResumen::Mdo;
    case enumTipoPrograma::MaquinariaCantidades:
    case enumTipoPrograma::MaquinariaImportes:
      return TipoResumen::Maq;
    default:
      return std::nullopt;
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
    const std::optional<TipoResumen> tipo = ResumenDe(TipoPrograma);
    if (!tipo) return false;
    const double volumen = Presup->Des.Cantidad;
    // The line's own summary: the concept's unit entries scaled to the line's
    // quantity (the line's view when it has one, else scaled here the same way).
    const ExplosionPresup propia =
        Presup->Explosion ? *Presup->Explosion : ExplosionPresup(concepto, volumen);
    const std::optional<ResumenPresup> resumen = propia.ResumenDe(*tipo);
    if (!resumen) return false;
    for (int64_t posicion = 1; posicion <= resumen->Count(); ++posicion) {
      const std::optional<double> unitaria = resumen->CantidadUnitaria(posicion);
      if (!unitaria) continue;
      auto item = std::make_unique<ItemFila>();
      item->ItemsFila = this;
      item->InicializaDias(sErrores);
      item->AgregaElemento(*unitaria, volumen, concepto.Des.Costo, IdxInicio, IdxFinal, sErrores);
      const ItemExplosion de_linea = resumen->Item(posicion);
      item->ColocaDiasItem(&de_linea, sErrores);
      items_.Add(std::move(item));
    }
  } catch (...) {
    // Under the item class, as in GetIdxs.
    AnotaExcepcion(sErrores, "ItemFila", "CalculaDias");
  }
  return false;
}

}  // namespace pmq
