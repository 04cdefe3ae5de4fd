#include "estimates/estimacion.h"

#include "estimates/items_estimacion.h"

namespace pmq {

Estimacion::Estimacion() : ItemsEstimacion(std::make_unique<pmq::ItemsEstimacion>()) {}

Estimacion::~Estimacion() = default;

}  // namespace pmq
