#include "tamano_base.h"

#include <fmt/format.h>

namespace pmq::bench {

std::optional<TamanoBase> TamanoBase::Nombrado(std::string_view nombre) {
  TamanoBase t;
  t.nombre = std::string(nombre);
  if (nombre == "mini") {
    t.lineas = 60;
    t.meses = 3;
    t.conceptos = 400;
    t.filas_analisis = 1'600;
    t.maquinas = 20;
    t.estimaciones = 3;
    t.filas_est2 = 90;
    t.lineas_por_partida = 20;
  } else if (nombre == "mediana") {
    t.lineas = 2'000;
    t.meses = 12;
    t.conceptos = 5'000;
    t.filas_analisis = 20'000;
    t.maquinas = 200;
    t.estimaciones = 12;
    t.filas_est2 = 8'000;
  } else if (nombre == "grande") {
    t.lineas = 20'000;
    t.meses = 36;
    t.conceptos = 50'000;
    t.filas_analisis = 400'000;
    t.maquinas = 2'000;
    t.estimaciones = 36;
    t.filas_est2 = 240'000;
  } else {
    return std::nullopt;
  }
  return t;
}

std::string TamanoBase::Firma() const {
  return fmt::format("l{}-m{}-c{}-a{}-q{}-e{}-r{}-p{}", lineas, meses, conceptos, filas_analisis,
                     maquinas, estimaciones, filas_est2, lineas_por_partida);
}

}  // namespace pmq::bench
