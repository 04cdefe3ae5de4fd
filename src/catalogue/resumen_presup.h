#pragma once
// One breakdown summary of a budget line: its concept's summary lines with the
// quantities and amounts scaled by the line's quantity, produced when read.

#include <promorlaqel/catalogue/explosion.h>
#include <promorlaqel/catalogue/item_explosion.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/iterador_posicion.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <span>

namespace pmq {

class PMQ_API ResumenPresup {
 public:
  /// The lines of `unitario` scaled by `multiplicador`; `unitario` must outlive the view.
  ResumenPresup(const ColeccionRef<ItemExplosion>& unitario, double multiplicador)
      : unitario_(&unitario), multiplicador_(multiplicador) {}
  /// The same over a breakdown's compact records (Explosion::CompactaResumenes).
  ResumenPresup(std::span<const Explosion::LineaResumen> unitario, double multiplicador)
      : compactas_(unitario), multiplicador_(multiplicador) {}

  int32_t Count() const {
    return unitario_ != nullptr ? unitario_->Count() : static_cast<int32_t>(compactas_.size());
  }
  bool empty() const { return Count() == 0; }

  /// The line at a 1-based position, scaled: quantities × the multiplier
  /// rounded to 6 decimals (halves to even), the amount rounded to cents; it
  /// belongs to no explosion (Explosion is empty). Throws ErrorQel 9 for a
  /// position out of range, 91 for a missing line.
  ItemExplosion Item(int64_t posicion) const;
  /// The unscaled quantity of the concept's line at a 1-based position;
  /// nullopt when that line is missing. Throws ErrorQel 9 out of range.
  std::optional<double> CantidadUnitaria(int64_t posicion) const;

  // Iteration in order (yields scaled lines by value).
  using Iterador = IteradorPosicion<ResumenPresup>;
  Iterador begin() const { return Iterador(this, 1); }
  Iterador end() const { return Iterador(this, Count() + 1); }

 private:
  const ColeccionRef<ItemExplosion>* unitario_ = nullptr;  // the lines, or else
  std::span<const Explosion::LineaResumen> compactas_;     // the records
  double multiplicador_;
};

}  // namespace pmq
