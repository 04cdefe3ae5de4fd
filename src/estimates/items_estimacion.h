#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>
#include <promorlaqel/estimates/item_estimacion.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Estimacion;
class Programa;
class Conexion;

/// The lines of one estimate (table EST2), each under "k" + its `Des.Clave`.
class PMQ_API ItemsEstimacion : public ColeccionCargada<ItemEstimacion, pmq::Estimacion> {
 public:
  explicit ItemsEstimacion(pmq::Estimacion* estimacion)
      : ColeccionCargada(estimacion, "ItemsEstimacion") {}

  /// The estimate that owns the lines.
  pmq::Estimacion* Estimacion() const { return Propietario(); }

  /// Loads, in ORDEN order, the EST2 rows of the work whose ESTIMACION is this
  /// estimate's number. Appends to what is loaded; failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);

  /// The root (Estimacion.Estimaciones.Obra.Programa); nullptr, reported, for
  /// the lines of an estimate that is in no list.
  pmq::Programa* Programa(std::string& sErrores) const;

 private:
  /// "k" + Des.Clave.
  std::string Clave(const ItemEstimacion& l) const override { return "k" + l.Des.Clave; }
};

}  // namespace pmq
