#pragma once

#include <promorlaqel/common/api.h>
#include <string>

namespace pmq {

class Concepto;

/// One component of a machine's hourly cost: a concept consumed per hour.
class PMQ_API ItemCostoHorario {
 public:
  std::string Nombre;
  pmq::Concepto* Concepto = nullptr;
  double Cantidad = 0;
  double FactorActivo = 0;
  double FactorEspera = 0;
  double FactorReserva = 0;
};

}  // namespace pmq
