#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/schedule/dias.h>

#include <cstdint>
#include <string>

namespace pmq {

class PeriodosPorItem;

/// The share of one budget line in one period of the calendar: how the line's
/// days and the period's days overlap, the part of the line's quantity and
/// amount that falls in the period, and one day marker per day of the period.
class PMQ_API PeriodoPorItem {
 public:
  pmq::PeriodosPorItem* PeriodosPorItem = nullptr;  ///< the line's shares (set before AgregaDias)
  pmq::Dias Dias;        ///< one marker per day of the period, set on the line's days
  Moneda Importe;        ///< part of the line's amount in the period
  double Cantidad = 0;   ///< part of the line's quantity in the period
  Fecha f1;              ///< first day of the line
  Fecha f2;              ///< last day of the line
  Fecha P1;              ///< first day of the period
  Fecha P2;              ///< last day of the period
  int32_t Caso = 0;      ///< overlap of line and period, 1 to 6 (5: no common day)
  int32_t d1 = 0;        ///< the line's first day in the period (P1 is day 1); 0 when none
  int32_t d2 = 0;        ///< the line's last day in the period; 0 when none
  int32_t Duracion = 0;  ///< days of the line, f1 to f2 both included

  /// Computes the share of the line in period `NoPeriodo` (1-based) of the
  /// root's calendar. A period that does not exist leaves the share untouched.
  void AgregaDias(int32_t NoPeriodo, std::string& sErrores);
};

}  // namespace pmq
