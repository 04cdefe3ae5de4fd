// Texts read as numbers and dates: Val, Valor's conversions and the ISO date
// parser take any text. A date that parses prints back as the same
// "YYYY-MM-DD" and reads back to the same day.

#include "common/error_qel.h"
#include "common/fecha.h"
#include "db/valor.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
  const std::string texto(reinterpret_cast<const char*>(datos), tamano);

  (void)pmq::Val(texto);

  const pmq::Valor valor(texto);
  // Each conversion either gives a value or refuses the text with ErrorQel.
  const auto intenta = [](auto&& conversion) {
    try {
      (void)conversion();
    } catch (const pmq::ErrorQel&) {
    }
  };
  intenta([&] { return valor.Double(); });
  intenta([&] { return valor.Entero(); });
  intenta([&] { return valor.ComoMoneda(); });
  intenta([&] { return valor.Booleano(); });

  pmq::Fecha fecha;
  try {
    fecha = valor.ComoFecha();
  } catch (const pmq::ErrorQel&) {
    return 0;
  }
  const std::string iso = fecha.Iso();
  if (texto.compare(0, 10, iso) != 0) std::abort();
  if (pmq::Fecha::DesdeIso(iso) != fecha) std::abort();
  int a = 0, m = 0, d = 0;
  fecha.Ymd(a, m, d);
  if (pmq::Fecha::DesdeYmd(a, m, d) != fecha) std::abort();
  return 0;
}
