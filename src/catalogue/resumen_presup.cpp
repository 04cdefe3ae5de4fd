#include "catalogue/resumen_presup.h"

#include "common/error_qel.h"
#include "common/redondeo.h"

namespace pmq {

ItemExplosion ResumenPresup::Item(int64_t posicion) const {
  if (posicion < 1 || posicion > Count()) throw ErrorQel(errores::kSubindice);
  const ItemExplosion* unitaria = unitario_->Item(posicion);
  if (unitaria == nullptr) throw ErrorQel(errores::kObjeto);
  ItemExplosion escalada = *unitaria;
  escalada.Explosion = nullptr;
  escalada.Cantidad = RedondeaPar(unitaria->Cantidad * multiplicador_, 6);
  escalada.CantidadAlt = RedondeaPar(unitaria->CantidadAlt * multiplicador_, 6);
  escalada.Parcial = Moneda::DesdeDouble(Redondea(unitaria->Parcial.ADouble() * multiplicador_, 2));
  return escalada;
}

}  // namespace pmq
