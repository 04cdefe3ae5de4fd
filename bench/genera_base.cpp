// pmq_genera_base: writes a benchmark project database.
//   pmq_genera_base --tamano grande --semilla 7 --salida build/bench/grande.db [--lineas N ...]

#include "generador_base.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  using pmq::bench::TamanoBase;
  CLI::App app{"Genera una base de datos de proyecto grande y determinista para las mediciones."};
  std::string nombre = "mediana";
  std::string salida;
  uint64_t semilla = 1;
  TamanoBase a_medida;
  app.add_option("--tamano", nombre, "mini, mediana o grande")
      ->check(CLI::IsMember({"mini", "mediana", "grande"}));
  app.add_option("--semilla", semilla, "semilla del generador");
  app.add_option("--salida", salida, "archivo SQLite a crear (no debe existir)")->required();
  app.add_option("--lineas", a_medida.lineas, "líneas de presupuesto");
  app.add_option("--meses", a_medida.meses, "meses de la obra");
  app.add_option("--conceptos", a_medida.conceptos, "conceptos del catálogo");
  app.add_option("--filas-analisis", a_medida.filas_analisis, "filas de MATRICES");
  app.add_option("--maquinas", a_medida.maquinas, "máquinas");
  app.add_option("--estimaciones", a_medida.estimaciones, "estimaciones");
  app.add_option("--filas-est2", a_medida.filas_est2, "filas de EST2");
  app.add_option("--lineas-por-partida", a_medida.lineas_por_partida, "líneas por partida");
  app.footer("Ejemplo: pmq_genera_base --tamano grande --semilla 1 --salida build/bench/grande.db");
  CLI11_PARSE(app, argc, argv);

  TamanoBase t = *TamanoBase::Nombrado(nombre);
  auto pisa = [](int32_t& destino, int32_t valor) {
    if (valor > 0) destino = valor;
  };
  pisa(t.lineas, a_medida.lineas);
  pisa(t.meses, a_medida.meses);
  pisa(t.conceptos, a_medida.conceptos);
  pisa(t.filas_analisis, a_medida.filas_analisis);
  pisa(t.maquinas, a_medida.maquinas);
  pisa(t.estimaciones, a_medida.estimaciones);
  pisa(t.filas_est2, a_medida.filas_est2);
  if (a_medida.lineas_por_partida != 100) pisa(t.lineas_por_partida, a_medida.lineas_por_partida);
  try {
    pmq::bench::GeneradorBase(t, semilla).Escribe(salida);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pmq_genera_base: %s\n", e.what());
    return 1;
  }
  std::printf("%s\n", salida.c_str());
  return 0;
}
