#include "catalogue/costo_horario.h"

#include <memory>

namespace pmq {

CostoHorario::CostoHorario() {
  for (std::string_view nombre : kComponentes) {
    ItemsCostoHorario.Add(std::make_unique<ItemCostoHorario>(), nombre);
  }
}

}  // namespace pmq
