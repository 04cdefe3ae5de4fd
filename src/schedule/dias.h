#pragma once
// The day markers of one period, one per day in day order, kept as bits: a
// work of L lines over D days holds L × D markers, so they cannot be objects of
// their own. Item(i) hands out one of the list's two shared markers (set or not
// set), whose `Dias` is the list and whose `Barra` is day i's bit. A large work
// holds one list per line and period (720,000 for 20,000 lines over 36 months),
// so a list is 40 bytes: the first 64 days inline, the rest and the two markers
// allocated only when a list is longer or a marker is asked for.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/iterador_posicion.h>
#include <promorlaqel/schedule/dia.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace pmq {

class PeriodoPorItem;

class PMQ_API Dias {
 public:
  Dias() = default;
  Dias(const Dias&) = delete;
  Dias& operator=(const Dias&) = delete;

  pmq::PeriodoPorItem* PeriodoPorItem = nullptr;  ///< the line share that owns the list

  /// Links the marker to this list and appends its `Barra` as the next day.
  void Add(Dia& oDia, std::string& sErrores);
  /// Appends `n` days whose markers are set exactly on the days `desde` to
  /// `hasta` of those n (1-based, both included; none when hasta < desde).
  void AgregaDias(int32_t n, int32_t desde, int32_t hasta);

  /// The marker of day `posicion` (1-based); nullptr when there is none.
  const Dia* Item(int64_t posicion) const {
    if (posicion < 1 || posicion > count_) return nullptr;
    const Marcas& marcas = Marcadores();
    return Barra(static_cast<int32_t>(posicion)) ? &marcas.marcado : &marcas.vacio;
  }
  /// Markers have no keys: a text never matches.
  const Dia* Item(std::string_view) const { return nullptr; }
  /// Number of markers.
  int32_t Count() const { return count_; }
  /// The bit of day `posicion` (1..Count); false outside.
  bool Barra(int32_t posicion) const {
    if (posicion < 1 || posicion > count_) return false;
    const auto i = static_cast<uint32_t>(posicion - 1);
    return ((Palabra(i / 64) >> (i % 64)) & 1U) != 0;
  }
  /// One character per day, '1' where the marker is set ("0011100").
  std::string Texto() const;

  /// Iteration over the markers in day order (yields const Dia*).
  using Iterador = IteradorPosicion<Dias>;
  Iterador begin() const { return Iterador(this, 1); }
  Iterador end() const { return Iterador(this, count_ + 1); }

 private:
  struct Marcas {
    Dia marcado;
    Dia vacio;
  };
  uint64_t Palabra(uint32_t n) const { return n == 0 ? primera_ : resto_[n - 1]; }
  uint64_t& Palabra(uint32_t n) { return n == 0 ? primera_ : resto_[n - 1]; }
  /// Grows the list by n unset days.
  void Crece(int32_t n);
  /// Sets the bits of days [desde, hasta] (0-based, both included).
  void PonBits(uint32_t desde, uint32_t hasta);
  /// The two markers, made on the first call (safe between threads that only read).
  const Marcas& Marcadores() const;

  uint64_t primera_ = 0;                    ///< days 1 to 64
  std::unique_ptr<uint64_t[]> resto_;       ///< days 65 onwards, 64 a word
  mutable std::unique_ptr<Marcas> marcas_;  ///< null until a marker is asked for
  mutable std::once_flag hechas_;           ///< made once, also between threads that only read
  int32_t count_ = 0;
};

}  // namespace pmq
