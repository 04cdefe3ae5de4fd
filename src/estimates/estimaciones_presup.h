#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/estimates/estimacion_presup.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Presup;
class Conexion;

/// What every estimate billed of one budget line (table EST2), in ascending
/// estimate number, each under "k" + its NoEst: the last item is the line's
/// highest estimate.
class PMQ_API EstimacionesPresup {
 public:
  pmq::Presup* Presup = nullptr;  ///< the budget line (set by the line loader)

  /// Loads the EST2 rows of the line's work, section, concept and front. Loads
  /// nothing for a line whose concept is not in the catalogue. Always returns 0;
  /// failures only through sErrores.
  int32_t Carga(Conexion* Conexion, std::string& sErrores);

  /// The item at a 1-based position or under "k" + estimate number; nullptr when none.
  EstimacionPresup* Item(int64_t posicion) const { return items_.Item(posicion); }
  EstimacionPresup* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of items.
  int32_t Count() const { return items_.Count(); }
  int32_t Count(std::string& sErrores) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  /// Appends under "k" + NoEst; a number already present is reported.
  void AddByObject(std::unique_ptr<EstimacionPresup> oItem, std::string& sErrores);

  Coleccion<EstimacionPresup> items_;
};

}  // namespace pmq
