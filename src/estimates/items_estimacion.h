#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
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
class PMQ_API ItemsEstimacion {
 public:
  pmq::Estimacion* Estimacion = nullptr;  ///< the estimate (set before Carga)

  /// Loads, in ORDEN order, the EST2 rows of the work whose ESTIMACION is this
  /// estimate's number. Appends to what is loaded; failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);

  /// The line at a 1-based position or under its key; nullptr when none.
  ItemEstimacion* Item(int64_t posicion) const { return items_.Item(posicion); }
  ItemEstimacion* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of lines.
  int32_t Count() const { return items_.Count(); }
  int32_t Count(std::string& sErrores) const;
  /// The root (Estimacion.Estimaciones.Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  /// Appends a line under "k" + its Des.Clave; a key already present is reported.
  void AddByObject(std::unique_ptr<ItemEstimacion> oItem, std::string& sErrores);

  Coleccion<ItemEstimacion> items_;
};

}  // namespace pmq
