#pragma once
// Calendar dates as whole-day serials: day 0 is 1899-12-30 and means "unset".

#include <promorlaqel/common/api.h>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class PMQ_API Fecha {
 public:
  constexpr Fecha() = default;
  /// The date with this serial (0 = unset, 1 = 1899-12-31, 41348 = 2013-03-15).
  static constexpr Fecha DesdeSerial(int32_t serial) {
    Fecha f;
    f.serial_ = serial;
    return f;
  }
  /// The date of a year, month (1-12) and day (1-31). Throws ErrorQel 5 for a
  /// day that does not exist (2013-02-29).
  static Fecha DesdeYmd(int anio, int mes, int dia);
  /// "YYYY-MM-DD", optionally followed by a blank or "T" and a time that is
  /// ignored. Throws ErrorQel 13 for any other text.
  static Fecha DesdeIso(std::string_view texto);
  /// The local calendar date of today.
  static Fecha Hoy();

  constexpr int32_t Serial() const { return serial_; }
  constexpr bool EsNula() const { return serial_ == 0; }

  int Anio() const;
  int Mes() const;
  int Dia() const;
  /// Year, month and day at once.
  void Ymd(int& anio, int& mes, int& dia) const;

  /// First and last day of this date's month.
  Fecha PrimeroDeMes() const;
  Fecha UltimoDeMes() const;

  /// "YYYY-MM-DD".
  std::string Iso() const;

  /// Days in a month of a year (leap years counted).
  static int DiasDelMes(int anio, int mes);

  /// Difference in days.
  constexpr int32_t operator-(Fecha otra) const { return serial_ - otra.serial_; }
  constexpr Fecha operator+(int32_t dias) const { return DesdeSerial(serial_ + dias); }
  constexpr Fecha operator-(int32_t dias) const { return DesdeSerial(serial_ - dias); }
  constexpr auto operator<=>(const Fecha&) const = default;

 private:
  int32_t serial_ = 0;
};

}  // namespace pmq
