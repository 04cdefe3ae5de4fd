// Display formats: any number pattern and any double give a text (or ErrorQel)
// without a crash or undefined behaviour, the general text of every finite
// double reads back within its 15 significant digits, and every date serial
// is either formatted or refused.

#include "common/error_qel.h"
#include "common/fecha.h"
#include "common/formato.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
  if (tamano < sizeof(double) + sizeof(int32_t)) return 0;
  double valor = 0;
  int32_t serial = 0;
  std::memcpy(&valor, datos, sizeof valor);
  std::memcpy(&serial, datos + sizeof valor, sizeof serial);
  const std::string_view patron(reinterpret_cast<const char*>(datos) + 12, tamano - 12);

  try {
    (void)pmq::FormatoNumero(valor, patron);
  } catch (const pmq::ErrorQel&) {
  }

  const std::string general = pmq::TextoGeneral(valor);
  if (std::isfinite(valor)) {
    const double leido = std::strtod(general.c_str(), nullptr);
    const double tolerancia = std::fabs(valor) * 1e-14;
    // Magnitudes below the smallest normal double lose digits in any text form,
    // and 15 digits of the largest ones round past the largest double
    // ("1.79769313486232E+308").
    if (std::fabs(valor) > 1e-300 && std::isfinite(leido) && std::fabs(leido - valor) > tolerancia)
      std::abort();
  }

  try {
    const std::string texto = pmq::FormatoFecha(pmq::Fecha::DesdeSerial(serial), "dd/mmm/yyyy");
    if (texto.size() < 11) std::abort();
  } catch (const pmq::ErrorQel&) {
  }
  return 0;
}
