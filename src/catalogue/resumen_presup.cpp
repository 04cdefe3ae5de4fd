#include "catalogue/resumen_presup.h"

#include "common/error_qel.h"
#include "common/redondeo.h"

namespace pmq {

ItemExplosion ResumenPresup::Item(int64_t posicion) const {
  if (posicion < 1 || posicion > Count()) throw ErrorQel(errores::kSubindice);
  ItemExplosion escalada;
  if (unitario_ != nullptr) {
    const ItemExplosion* unitaria = unitario_->Item(posicion);
    if (unitaria == nullptr) throw ErrorQel(errores::kObjeto);
    escalada = *unitaria;
    escalada.Explosion = nullptr;
  } else {
    const Explosion::LineaResumen& r = compactas_[static_cast<size_t>(posicion - 1)];
    escalada.Concepto = r.Concepto;
    escalada.Cantidad = r.Cantidad;
    escalada.CantidadAlt = r.CantidadAlt;
    escalada.Parcial = r.Parcial;
  }
  escalada.Cantidad = RedondeaPar(escalada.Cantidad * multiplicador_, 6);
  escalada.CantidadAlt = RedondeaPar(escalada.CantidadAlt * multiplicador_, 6);
  escalada.Parcial = Moneda::DesdeDouble(Redondea(escalada.Parcial.ADouble() * multiplicador_, 2));
  return escalada;
}

std::optional<double> ResumenPresup::CantidadUnitaria(int64_t posicion) const {
  if (posicion < 1 || posicion > Count()) throw ErrorQel(errores::kSubindice);
  if (unitario_ == nullptr) return compactas_[static_cast<size_t>(posicion - 1)].Cantidad;
  const ItemExplosion* unitaria = unitario_->Item(posicion);
  if (unitaria == nullptr) return std::nullopt;
  return unitaria->Cantidad;
}

}  // namespace pmq
