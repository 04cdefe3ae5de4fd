#pragma once

#include "catalogue/concepto.h"
#include "common/coleccion.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Programa;
class Conexion;

/// The whole concept catalogue of the project database.
class Conceptos {
 public:
  pmq::Programa* Programa = nullptr;

  /// Loads every concept ("select * from CONCEPTO order by TIPO, CONCEPTO").
  /// Failures are reported only through sErrores (and a message box).
  void Carga(Conexion* Conexion, std::string& sErrores);
  /// The concept at a 1-based position or under "k" + code; nullptr when none.
  Concepto* Item(int64_t posicion) const { return items_.Item(posicion); }
  Concepto* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of concepts.
  int32_t Count(std::string& sErrores) const;
  int32_t Count() const { return items_.Count(); }
  /// Appends a concept under "k" + code.
  void AddByObject(std::unique_ptr<Concepto> oConcepto, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<Concepto> items_;
};

}  // namespace pmq
