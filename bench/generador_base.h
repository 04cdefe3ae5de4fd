#pragma once
// Writes a large project database for the benchmarks, the same one every time
// for the same size and seed: a work with its header and factors, sections of
// budget lines with date ranges inside the work, a catalogue of materials,
// labour, subcontracts, indirects, machines with their hourly costs, crews and
// basic and unit-price analyses nesting three levels (unit price → basic →
// basic → inputs), and progress estimates billing every line over a run of
// consecutive estimates.

#include "tamano_base.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct sqlite3;

namespace pmq::bench {

class GeneradorBase {
 public:
  /// Code of the generated work.
  static constexpr const char* kObra = "BENCH";

  GeneradorBase(TamanoBase tamano, uint64_t semilla);

  /// Creates `ruta` (which must not exist) with the shipped schema and fills it
  /// in one transaction. Throws std::runtime_error on any SQLite failure.
  void Escribe(const std::string& ruta);

 private:
  int32_t Entre(int32_t a, int32_t b);             ///< uniform whole number in [a, b]
  double Real(double a, double b, int decimales);  ///< uniform, rounded
  std::string Nombre(std::string_view raiz, int32_t n);

  void Catalogo(sqlite3* db);
  void Analisis(sqlite3* db);
  void Maquinas(sqlite3* db);
  void Obra(sqlite3* db);
  void Presupuesto(sqlite3* db);
  void Estimaciones(sqlite3* db);

  TamanoBase t_;
  std::mt19937_64 azar_;
  // Codes of the catalogue by role.
  std::vector<std::string> materiales_, mano_obra_, subcontratos_, indirectos_, maquinas_,
      cuadrillas_, basicos2_, basicos1_, precios_;
  struct Linea {
    std::string partida, frente, concepto;
    double cantidad;
    double punit;
  };
  std::vector<Linea> lineas_;
  int32_t inicio_ = 0;  // serial days of the work's first and last day
  int32_t final_ = 0;
};

}  // namespace pmq::bench
