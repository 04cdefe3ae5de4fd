#pragma once

#include <string>

namespace pmq {

/// Descriptive data of a machine.
struct InfoMaquina {
  std::string Marca;
  std::string Ubicacion;
  std::string Capacidad;
  std::string Origen;
  std::string Modelo;
};

}  // namespace pmq
