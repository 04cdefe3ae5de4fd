#include "model/presup.h"

#include "catalogue/explosion_presup.h"
#include "estimates/estimaciones_presup.h"
#include "schedule/periodos_por_item.h"

namespace pmq {

Presup::Presup(pmq::Presups* presups)
    : Presups(presups),
      EstimacionesPresup(std::make_unique<pmq::EstimacionesPresup>(this)),
      PeriodosPorItem(std::make_unique<pmq::PeriodosPorItem>()) {}

Presup::~Presup() = default;

}  // namespace pmq
