#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/moneda.h>

#include <cstdint>
#include <string>

namespace pmq {

class EstimacionesPresup;

/// What one estimate billed of one budget line.
class PMQ_API EstimacionPresup {
 public:
  pmq::EstimacionesPresup* EstimacionesPresup = nullptr;  ///< the list that holds it
  std::string NoEst;         ///< the estimate number as stored (column ESTIMACION)
  int32_t NoEstimacion = 0;  ///< the number at the start of NoEst, rounded to a whole number
  double Cantidad = 0;       ///< quantity billed
  Moneda Punit;              ///< unit price billed
  Moneda Importe;            ///< amount billed
};

}  // namespace pmq
