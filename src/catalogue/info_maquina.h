#pragma once

#include <promorlaqel/common/api.h>
#include <string>

namespace pmq {

/// Descriptive data of a machine.
struct PMQ_API InfoMaquina {
  std::string Marca;
  std::string Ubicacion;
  std::string Capacidad;
  std::string Origen;
  std::string Modelo;
};

}  // namespace pmq
