#include "schedule/periodos_por_item.h"

#include "common/error_qel.h"

namespace pmq {

void PeriodosPorItem::Add(std::unique_ptr<PeriodoPorItem> oPeriodoPorItem, std::string& sErrores) {
  Protege(sErrores, "PeriodosPorItem", "Add", [&] {
    if (!oPeriodoPorItem) throw ErrorQel(errores::kObjeto);
    oPeriodoPorItem->PeriodosPorItem = this;
    items_.Add(std::move(oPeriodoPorItem));
  });
}

}  // namespace pmq
