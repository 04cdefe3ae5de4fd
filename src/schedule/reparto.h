#pragma once
// How a total of a budget line (its amount, one input's quantity or amount, a
// resource kind's amount) is laid over the periods: evenly over the line's
// days, the per-day value rounded as the line's shares round theirs (amounts
// to cents, quantities to 6 decimals, halves to even), each period getting its
// worked days times the per-day value. With `cuadrar` the last worked period
// takes the rounding difference, so the periods add up to the total.

#include "common/moneda.h"

#include <cstdint>
#include <vector>

namespace pmq {

class PeriodosPorItem;

class Reparto {
 public:
  /// The line's worked days in each of its shares, in period order.
  static std::vector<int32_t> DiasPorPeriodo(const PeriodosPorItem& partes);

  /// `total` spread over `dias` (worked days per period) of a line of `duracion` days.
  static std::vector<Moneda> Importe(Moneda total, int32_t duracion,
                                     const std::vector<int32_t>& dias, bool cuadrar);
  static std::vector<double> Cantidad(double total, int32_t duracion,
                                      const std::vector<int32_t>& dias, bool cuadrar);

  /// The amount per day: total / days to cents (halves to even); 0 without days.
  static Moneda ImporteDiario(Moneda total, int32_t duracion);
  /// The quantity per day: total / days to 6 decimals (halves to even); 0 without days.
  static double CantidadDiaria(double total, int32_t duracion);

  /// Makes the last worked share of a line take the rounding difference of
  /// its amount and quantity (the option CuadrarCentavos).
  static void CuadraPartes(PeriodosPorItem& partes, Moneda importe, double cantidad);
};

}  // namespace pmq
