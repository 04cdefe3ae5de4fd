#pragma once
// The temporary files a workbook write has open at this moment, so that a
// signal that ends the program can remove them: a workbook is written under a
// temporary name beside its target and renamed over it only when complete, and
// a write cut short by SIGINT or SIGTERM must leave neither a half file nor the
// temporary behind. The record has a fixed number of places (no allocation, so
// a signal handler may read it); a write that finds no free place is simply not
// recorded.

#include <promorlaqel/common/api.h>

namespace pmq {

class PMQ_API TemporalesEnCurso {
 public:
  /// Places in the record: concurrent workbook writes that can be protected.
  static constexpr int kPlazas = 16;
  /// Longest path recorded (bytes, without the final NUL).
  static constexpr int kLargoMaximo = 4095;

  /// Records a temporary file; returns its place, or -1 when none is free or
  /// the path is too long.
  static int Registra(const char* ruta) noexcept;
  /// Forgets the temporary of a place (after it was renamed or removed).
  static void Suelta(int plaza) noexcept;
  /// Removes every recorded temporary. Async-signal-safe.
  static void BorraTodos() noexcept;
  /// Installs handlers for SIGINT and SIGTERM that remove the recorded
  /// temporaries and then end the program by the same signal, as if unhandled.
  static void ProtegeDeSenales() noexcept;
};

/// Records a temporary for its lifetime.
class PMQ_API TemporalRegistrado {
 public:
  explicit TemporalRegistrado(const char* ruta) noexcept
      : plaza_(TemporalesEnCurso::Registra(ruta)) {}
  ~TemporalRegistrado() { TemporalesEnCurso::Suelta(plaza_); }
  TemporalRegistrado(const TemporalRegistrado&) = delete;
  TemporalRegistrado& operator=(const TemporalRegistrado&) = delete;

 private:
  int plaza_;
};

}  // namespace pmq
