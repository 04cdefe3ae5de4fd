#pragma once

#include <promorlaqel/catalogue/costo_horario.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pmq {

class Programa;
class Conexion;

/// The hourly cost analyses of every machine of the database.
class PMQ_API CostosHorarios : public ColeccionCargada<CostoHorario, pmq::Programa> {
 public:
  explicit CostosHorarios(pmq::Programa* programa) : ColeccionCargada(programa, "CostosHorarios") {}

  /// The root that owns the analyses.
  pmq::Programa* Programa() const { return Propietario(); }

  /// Loads every machine ("select * from MAQUINA order by MAQUINA"); needs the
  /// catalogue already loaded. Failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);

 private:
  /// "k" + machine code.
  std::string Clave(const CostoHorario& ch) const override { return "k" + ch.Des.Clave; }
};

}  // namespace pmq
