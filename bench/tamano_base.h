#pragma once
// How large a generated project database is: every count the generator obeys.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pmq::bench {

struct TamanoBase {
  std::string nombre;          ///< "mini", "mediana", "grande" or "a-medida"
  int32_t lineas = 0;          ///< budget lines (PRESUPS rows)
  int32_t meses = 0;           ///< calendar months the work spans
  int32_t conceptos = 0;       ///< catalogue concepts (CONCEPTO rows)
  int32_t filas_analisis = 0;  ///< analysis rows (MATRICES)
  int32_t maquinas = 0;        ///< machines (MAQUINA rows, one machine concept each)
  int32_t estimaciones = 0;    ///< progress estimates (EST1 rows)
  int32_t filas_est2 = 0;      ///< billed quantities (EST2 rows)
  int32_t lineas_por_partida = 100;

  /// The named sizes: "mini" (a few dozen lines, for the smoke test), "mediana"
  /// (2,000 lines over 12 months) and "grande" (20,000 lines over 36 months).
  /// Nothing for any other name.
  static std::optional<TamanoBase> Nombrado(std::string_view nombre);

  /// A short text that names every count, for file names and logs.
  std::string Firma() const;
};

}  // namespace pmq::bench
