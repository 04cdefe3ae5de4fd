#pragma once

#include <promorlaqel/catalogue/costo_horario.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pmq {

class Programa;
class Conexion;

/// The hourly cost analyses of every machine of the database.
class PMQ_API CostosHorarios {
 public:
  pmq::Programa* Programa = nullptr;

  /// Loads every machine ("select * from MAQUINA order by MAQUINA"); needs the
  /// catalogue already loaded. Failures only through sErrores.
  void Carga(Conexion* Conexion, std::string& sErrores);
  /// The analysis at a 1-based position or under "k" + machine code.
  CostoHorario* Item(int64_t posicion) const { return items_.Item(posicion); }
  CostoHorario* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of analyses.
  int32_t Count(std::string& sErrores) const;
  int32_t Count() const { return items_.Count(); }
  /// Appends an analysis under "k" + machine code.
  void AddByObject(std::unique_ptr<CostoHorario> oCostoHorario, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<CostoHorario> items_;
};

}  // namespace pmq
