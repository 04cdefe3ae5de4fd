#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>
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
class PMQ_API Estimaciones : public ColeccionCargada<Estimacion, pmq::Obra> {
 public:
  explicit Estimaciones(pmq::Obra* obra) : ColeccionCargada(obra, "Estimaciones") {}

  /// The work that owns the estimates.
  pmq::Obra* Obra() const { return Propietario(); }

  /// Loads the work's estimates in ascending estimate number, each with its
  /// lines. Appends to what is loaded; failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);

  /// The root (Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;

  /// The work's EST2 rows by estimate, read once while the estimates load
  /// (ItemsEstimacion::Carga) and freed when Carga ends.
  FilasEst2& Est2PorEstimacion() { return est2_por_estimacion_; }

 private:
  /// "k" + work code + estimate number.
  std::string Clave(const Estimacion& e) const override;

  FilasEst2 est2_por_estimacion_;
};

}  // namespace pmq
