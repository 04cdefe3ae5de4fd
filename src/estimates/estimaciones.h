#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/estimates/estimacion.h>
#include <promorlaqel/estimates/filas_est2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Obra;
class Programa;
class Conexion;

/// The progress estimates of the work (table EST1), each under "k" + work code
/// + estimate number.
class PMQ_API Estimaciones {
 public:
  pmq::Obra* Obra = nullptr;  ///< the work (set before Carga)

  /// Loads the work's estimates in ascending estimate number, each with its
  /// lines. Appends to what is loaded; failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);

  /// The estimate at a 1-based position or under its key; nullptr when none.
  Estimacion* Item(int64_t posicion) const { return items_.Item(posicion); }
  Estimacion* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of estimates.
  int32_t Count() const { return items_.Count(); }
  int32_t Count(std::string& sErrores) const;
  /// The root (Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  /// The work's EST2 rows by estimate, read once while the estimates load
  /// (ItemsEstimacion::Carga) and freed when Carga ends.
  FilasEst2& Est2PorEstimacion() { return est2_por_estimacion_; }

 private:
  /// Appends under the estimate's key. A key already present is reported and
  /// the estimate is left with the caller (`oEstimacion` keeps it).
  void AddByObject(std::unique_ptr<Estimacion>&& oEstimacion, std::string& sErrores);

  Coleccion<Estimacion> items_;
  FilasEst2 est2_por_estimacion_;
};

}  // namespace pmq
