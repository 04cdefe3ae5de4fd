#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/estimates/cuerpo_estimacion.h>
#include <promorlaqel/model/entidad.h>

#include <cstdint>

namespace pmq {

class ItemsEstimacion;
class Concepto;

/// One line of an estimate: what it billed of one budget line. `Des.Clave` is
/// the budget line's identity (work, section, front and concept codes joined),
/// `Des.Cantidad` the billed quantity, `Des.Costo` the unit price and
/// `Des.Importe` the billed amount; the rest of the record is always empty.
class PMQ_API ItemEstimacion : public Entidad {
 public:
  pmq::ItemsEstimacion* ItemsEstimacion = nullptr;  ///< the list that holds the line
  CuerpoEstimacion Des;
  pmq::Concepto* Concepto = nullptr;  ///< the catalogue concept; nullptr when not in the catalogue
  int32_t Orden = 0;                  ///< free for the host; the loader leaves it 0
};

}  // namespace pmq
