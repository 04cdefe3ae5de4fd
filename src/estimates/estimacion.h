#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <memory>

namespace pmq {

class Estimaciones;
class ItemsEstimacion;

/// One progress estimate: its number (`Des.Clave`), date (`Des.Fecha`), the
/// days it covers (`Des.Inicio`, `Des.Final`), its deductions and its lines.
class PMQ_API Estimacion : public Entidad {
 public:
  /// Creates the descriptor and the empty list of lines; `estimaciones` is the
  /// list that holds the estimate (none for an estimate on its own).
  explicit Estimacion(pmq::Estimaciones* estimaciones = nullptr);
  ~Estimacion() override;

  pmq::Estimaciones* Estimaciones = nullptr;  ///< the list that holds the estimate
  Cuerpo Des;
  Moneda Deducciones;
  Moneda Amortizacion;     ///< amortisation of the advance payment
  Moneda IVAAmortizacion;  ///< value-added tax on that amortisation
  std::unique_ptr<pmq::ItemsEstimacion> ItemsEstimacion;
};

}  // namespace pmq
