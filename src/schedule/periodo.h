#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/fecha.h>

#include <cstdint>

namespace pmq {

class Periodos;

/// One period of the work's calendar: a whole calendar month, with the numbers
/// of its first and last day in the calendar's day numbering (day 1 is the
/// first day of the first period).
class PMQ_API Periodo {
 public:
  pmq::Periodos* Periodos = nullptr;  ///< the calendar that holds the period
  Fecha Inicio;                       ///< first day of the month
  Fecha Final;                        ///< last day of the month
  int32_t IdxIni = 0;                 ///< number of the first day in the calendar
  int32_t IdxFin = 0;                 ///< number of the last day in the calendar
  int32_t Duracion = 0;               ///< days of the period (28 to 31)
  int32_t Hoja = 0;                   ///< free for the host; the library leaves it 0
  int32_t Offset = 0;                 ///< free for the host; the library leaves it 0
};

}  // namespace pmq
