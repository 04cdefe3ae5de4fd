#include "estimates/estimacion.h"

#include "estimates/items_estimacion.h"

namespace pmq {

Estimacion::Estimacion(pmq::Estimaciones* estimaciones)
    : Estimaciones(estimaciones), ItemsEstimacion(std::make_unique<pmq::ItemsEstimacion>(this)) {}

Estimacion::~Estimacion() = default;

}  // namespace pmq
