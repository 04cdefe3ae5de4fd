#include "common/fecha.h"

#include "common/error_qel.h"

#include <fmt/format.h>

#include <cctype>
#include <ctime>

namespace pmq {
namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DiasDesdeCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilDesdeDias(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

// Serial of 1970-01-01.
constexpr int64_t kSerialEpocaUnix = 25569;

bool Digitos(std::string_view t, size_t desde, size_t cuantos) {
  if (t.size() < desde + cuantos) return false;
  for (size_t i = desde; i < desde + cuantos; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(t[i]))) return false;
  }
  return true;
}

int Numero(std::string_view t, size_t desde, size_t cuantos) {
  int n = 0;
  for (size_t i = desde; i < desde + cuantos; ++i) n = n * 10 + (t[i] - '0');
  return n;
}

}  // namespace

int Fecha::DiasDelMes(int anio, int mes) {
  static constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bisiesto = (anio % 4 == 0 && anio % 100 != 0) || anio % 400 == 0;
  return (mes == 2 && bisiesto) ? 29 : kDias[mes - 1];
}

Fecha Fecha::DesdeYmd(int anio, int mes, int dia) {
  if (mes < 1 || mes > 12 || dia < 1 || dia > DiasDelMes(anio, mes) || anio < 100 || anio > 9999) {
    throw ErrorQel(errores::kLlamadaNoValida);
  }
  const int64_t dias = DiasDesdeCivil(anio, static_cast<unsigned>(mes), static_cast<unsigned>(dia));
  return DesdeSerial(static_cast<int32_t>(dias + kSerialEpocaUnix));
}

Fecha Fecha::DesdeIso(std::string_view t) {
  const bool forma = Digitos(t, 0, 4) && t.size() >= 10 && t[4] == '-' && Digitos(t, 5, 2) &&
                     t[7] == '-' && Digitos(t, 8, 2) &&
                     (t.size() == 10 || t[10] == ' ' || t[10] == 'T');
  if (!forma) throw ErrorQel(errores::kTipos);
  try {
    return DesdeYmd(Numero(t, 0, 4), Numero(t, 5, 2), Numero(t, 8, 2));
  } catch (const ErrorQel&) {
    throw ErrorQel(errores::kTipos);
  }
}

Fecha Fecha::Hoy() {
  const std::time_t ahora = std::time(nullptr);
  std::tm local{};
  localtime_r(&ahora, &local);
  return DesdeYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void Fecha::Ymd(int& anio, int& mes, int& dia) const {
  CivilDesdeDias(static_cast<int64_t>(serial_) - kSerialEpocaUnix, anio, mes, dia);
}

int Fecha::Anio() const {
  int y, m, d;
  Ymd(y, m, d);
  return y;
}

int Fecha::Mes() const {
  int y, m, d;
  Ymd(y, m, d);
  return m;
}

int Fecha::Dia() const {
  int y, m, d;
  Ymd(y, m, d);
  return d;
}

Fecha Fecha::PrimeroDeMes() const {
  int y, m, d;
  Ymd(y, m, d);
  return DesdeSerial(serial_ - (d - 1));
}

Fecha Fecha::UltimoDeMes() const {
  int y, m, d;
  Ymd(y, m, d);
  return DesdeSerial(serial_ + (DiasDelMes(y, m) - d));
}

std::string Fecha::Iso() const {
  int y, m, d;
  Ymd(y, m, d);
  if (y < 0 || y > 9999) return fmt::format("{:04}-{:02}-{:02}", y, m, d);
  // Written digit by digit: a large dump writes millions of dates.
  std::string texto = "0000-00-00";
  for (int i = 3; i >= 0; --i, y /= 10)
    texto[static_cast<size_t>(i)] = static_cast<char>('0' + y % 10);
  texto[5] = static_cast<char>('0' + m / 10);
  texto[6] = static_cast<char>('0' + m % 10);
  texto[8] = static_cast<char>('0' + d / 10);
  texto[9] = static_cast<char>('0' + d % 10);
  return texto;
}

}  // namespace pmq
