#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>
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
class PMQ_API EstimacionesPresup : public ColeccionCargada<EstimacionPresup, pmq::Presup> {
 public:
  explicit EstimacionesPresup(pmq::Presup* presup)
      : ColeccionCargada(presup, "EstimacionesPresup") {}

  /// The budget line that owns the items.
  pmq::Presup* Presup() const { return Propietario(); }

  /// Loads the EST2 rows of the line's work, section, concept and front. Loads
  /// nothing for a line whose concept is not in the catalogue. Always returns 0;
  /// failures only through sErrores.
  int32_t Carga(Conexion* Conexion, std::string& sErrores);

 private:
  /// "k" + NoEst.
  std::string Clave(const EstimacionPresup& e) const override { return "k" + e.NoEst; }
};

}  // namespace pmq
