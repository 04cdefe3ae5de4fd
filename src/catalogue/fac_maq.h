#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/enumeraciones.h>

namespace pmq {

/// One machine factor triple of the work: factors for active, standby and
/// reserve hours.
class PMQ_API FacMaq {
 public:
  double FAct = 1;
  double FEsp = 1;
  double FRes = 1;

  /// FAct for Activo (1), FEsp for Espera (2), FRes for Reserva (3), 0 otherwise.
  double Factor(int TipoCostoHorario) const {
    switch (TipoCostoHorario) {
      case static_cast<int>(enumTipoCostoHorario::Activo):
        return FAct;
      case static_cast<int>(enumTipoCostoHorario::Espera):
        return FEsp;
      case static_cast<int>(enumTipoCostoHorario::Reserva):
        return FRes;
      default:
        return 0;
    }
  }
};

}  // namespace pmq
