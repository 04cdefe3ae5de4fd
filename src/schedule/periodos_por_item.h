#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/iterador_posicion.h>
#include <promorlaqel/schedule/periodo_por_item.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Presup;

/// The shares of one budget line, one per period: position n is period n of
/// the calendar. Shares have no keys.
///
/// A large work holds a share per line and period (720,000 for 20,000 lines
/// over 36 months), so the shares the loader makes sit in one block per line
/// instead of one allocation each; shares a host adds come after them.
class PMQ_API PeriodosPorItem {
 public:
  pmq::Presup* Presup = nullptr;  ///< the budget line (set by the line loader)

  /// Links the share to this collection and appends it.
  void Add(std::unique_ptr<PeriodoPorItem> oPeriodoPorItem, std::string& sErrores);
  /// Replaces the shares with one per period 1..periodos of the root's
  /// calendar, each linked to this collection and computed by AgregaDias.
  void Reparte(int32_t periodos, std::string& sErrores);
  /// The share at a 1-based position; nullptr when there is none.
  PeriodoPorItem* Item(int64_t posicion) const {
    if (posicion < 1 || posicion > Count()) return nullptr;
    if (posicion <= en_bloque_) return &bloque_[static_cast<size_t>(posicion - 1)];
    return agregadas_[static_cast<size_t>(posicion - 1 - en_bloque_)].get();
  }
  /// Shares have no keys: a text never matches.
  PeriodoPorItem* Item(std::string_view) const { return nullptr; }
  /// Number of shares.
  int32_t Count() const { return en_bloque_ + static_cast<int32_t>(agregadas_.size()); }

  /// Iteration over the shares in order (yields PeriodoPorItem*).
  using Iterador = IteradorPosicion<PeriodosPorItem>;
  Iterador begin() const { return Iterador(this, 1); }
  Iterador end() const { return Iterador(this, Count() + 1); }

 private:
  std::unique_ptr<PeriodoPorItem[]> bloque_;                ///< the loader's shares
  std::vector<std::unique_ptr<PeriodoPorItem>> agregadas_;  ///< the host's, after them
  int32_t en_bloque_ = 0;
};

}  // namespace pmq
