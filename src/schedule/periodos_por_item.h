#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/schedule/periodo_por_item.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Presup;

/// The shares of one budget line, one per period: position n is period n of
/// the calendar. Shares have no keys.
class PMQ_API PeriodosPorItem {
 public:
  pmq::Presup* Presup = nullptr;  ///< the budget line (set by the line loader)

  /// Links the share to this collection and appends it.
  void Add(std::unique_ptr<PeriodoPorItem> oPeriodoPorItem, std::string& sErrores);
  /// The share at a 1-based position; nullptr when there is none.
  PeriodoPorItem* Item(int64_t posicion) const { return items_.Item(posicion); }
  /// Shares have no keys: a text never matches.
  PeriodoPorItem* Item(std::string_view) const { return nullptr; }
  /// Number of shares.
  int32_t Count() const { return items_.Count(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<PeriodoPorItem> items_;
};

}  // namespace pmq
