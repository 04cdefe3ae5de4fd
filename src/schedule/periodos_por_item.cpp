#include "schedule/periodos_por_item.h"

#include "common/error_qel.h"

namespace pmq {

void PeriodosPorItem::Add(std::unique_ptr<PeriodoPorItem> oPeriodoPorItem, std::string& sErrores) {
  Protege(sErrores, "PeriodosPorItem", "Add", [&] {
    if (!oPeriodoPorItem) throw ErrorQel(errores::kObjeto);
    if (Count() == INT32_MAX) throw ErrorQel(errores::kDesbordamiento);
    oPeriodoPorItem->PeriodosPorItem = this;
    agregadas_.push_back(std::move(oPeriodoPorItem));
  });
}

void PeriodosPorItem::Reparte(int32_t periodos, std::string& sErrores) {
  Protege(sErrores, "PeriodosPorItem", "Reparte", [&] {
    agregadas_.clear();
    en_bloque_ = 0;
    bloque_.reset();
    if (periodos <= 0) return;
    bloque_ = std::make_unique<PeriodoPorItem[]>(static_cast<size_t>(periodos));
    en_bloque_ = periodos;
    for (int32_t k = 1; k <= periodos; ++k) {
      PeriodoPorItem& parte = bloque_[static_cast<size_t>(k - 1)];
      parte.PeriodosPorItem = this;
      parte.AgregaDias(k, sErrores);
    }
  });
}

}  // namespace pmq
