#pragma once

#include "common/coleccion.h"
#include "model/presup.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class Partida;
class Programa;

/// The budget lines of one section, in their stored order.
class Presups {
 public:
  pmq::Partida* Partida = nullptr;

  /// The line at a 1-based position or under its key; nullptr when none.
  Presup* Item(int64_t posicion) const { return items_.Item(posicion); }
  Presup* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of lines.
  int32_t Count() const { return items_.Count(); }
  /// The root (Partida.Partidas.Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;
  /// Appends a line under "k" + Des.Clave.
  void AddByObject(std::unique_ptr<Presup> oPresup, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<Presup> items_;
};

}  // namespace pmq
