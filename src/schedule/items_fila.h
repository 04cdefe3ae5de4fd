#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/schedule/item_fila.h>

#include <cstdint>
#include <string>

namespace pmq {

class Presup;

/// The row items of one budget line for a resource program: one per input of
/// the chosen kind in the summaries of the line's concept.
class PMQ_API ItemsFila {
 public:
  pmq::Presup* Presup = nullptr;  ///< the budget line; set by the caller before CalculaDias
  int32_t IdxInicio = 0;          ///< days from the work's first day to the line's first day
  int32_t IdxFinal = 0;           ///< days from the work's first day to the line's last day

  /// Rebuilds the items: sets IdxInicio and IdxFinal and, for ParaInsumo, makes
  /// one item per entry of the materials, labour or machinery summary of the
  /// line's concept (by TipoPrograma; other kinds give none). Always false.
  bool CalculaDias(enumTipoPrograma TipoPrograma, enumTipoCalculoDias TipoCalculo,
                   std::string& sErrores);
  /// The item at a 1-based position; nullptr when none.
  ItemFila* Item(int64_t posicion) const { return items_.Item(posicion); }
  /// Number of items.
  int32_t Count() const { return items_.Count(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  /// Sets IdxInicio and IdxFinal from the work's and the line's dates.
  void GetIdxs(std::string& sErrores);

  Coleccion<ItemFila> items_;
};

}  // namespace pmq
