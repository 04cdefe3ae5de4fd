#pragma once

#include "common/coleccion.h"
#include "model/partida.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class Obra;
class Programa;

/// The budget sections of the work, in code order.
class Partidas {
 public:
  pmq::Obra* Obra = nullptr;

  /// The section at a 1-based position or under its key; nullptr when none.
  Partida* Item(int64_t posicion) const { return items_.Item(posicion); }
  Partida* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of sections.
  int32_t Count(std::string& sErrores) const;
  int32_t Count() const { return items_.Count(); }
  /// The root (Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;
  /// Appends a section under "k" + work code + section code.
  void AddByObject(std::unique_ptr<Partida> oPartida, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<Partida> items_;
};

}  // namespace pmq
