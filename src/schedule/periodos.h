#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/schedule/periodo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Programa;

/// The calendar of the work cut into calendar months. Periods have no keys:
/// position n is period number n.
class PMQ_API Periodos {
 public:
  pmq::Programa* Programa = nullptr;

  /// Appends one period per calendar month from the month of the work's start
  /// through the month of its end, and sets Obra.DiasObra. Builds nothing without
  /// a root link, for a work of no days, or for a period type other than monthly.
  void GeneraPeriodos(std::string& sErrores);

  /// The period at a 1-based position; nullptr when there is none.
  Periodo* Item(int64_t posicion) const { return items_.Item(posicion); }
  /// Periods have no keys: a text never matches.
  Periodo* Item(std::string_view) const { return nullptr; }
  /// Number of periods.
  int32_t Count() const { return items_.Count(); }
  int32_t Count(std::string& sErrores);
  /// Days of a calendar month (1-12) of a year: from its first day to the first
  /// day of the next month. 0 and a message for a month out of range.
  int32_t DiasDelMes(int mes, int anio, std::string& sErrores) const;

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<Periodo> items_;
};

}  // namespace pmq
