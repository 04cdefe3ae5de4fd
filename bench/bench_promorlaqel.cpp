// pmq_bench: measures, on one generated database, how close the calculation
// and the two workbook exports come to what the machine allows.
//   pmq_bench --bd build/bench/grande.db --tamano grande [--repeticiones 3]
// Prints one "<size>.<figure>=<value>" line per figure on stdout.

#include "generador_base.h"
#include "limite_carga.h"
#include "limite_programa.h"
#include "limite_resumen.h"

#include "cli/host_consola.h"
#include "common/servicios_host.h"
#include "model/obra.h"
#include "model/programa.h"
#include "reports/program/programas_ctrl.h"
#include "reports/summary/resumenes_ctrl.h"

#include <fmt/format.h>
#include <sys/resource.h>
#include <time.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Reloj = std::chrono::steady_clock;

double CpuProceso() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Wall time on the steady clock; the process's CPU time of the same call goes
// to `cpu` when given (the machine may be shared, and then the two differ).
double Segundos(const std::function<void()>& f, std::vector<double>* cpu = nullptr) {
  const double c0 = CpuProceso();
  const auto t0 = Reloj::now();
  f();
  const double pared = std::chrono::duration<double>(Reloj::now() - t0).count();
  if (cpu != nullptr) cpu->push_back(CpuProceso() - c0);
  return pared;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Tiempos(const std::vector<double>& v) {
  std::string t;
  for (double x : v) t += fmt::format("{}{:.3f}", t.empty() ? "" : " ", x);
  return t;
}

double PicoMb() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return static_cast<double>(uso.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Mide la carga, el cálculo y las exportaciones sobre una base generada."};
  std::string bd, tamano = "a-medida", obra = pmq::bench::GeneradorBase::kObra,
                  carpeta = "build/bench";
  int repeticiones = 3;
  app.add_option("--bd", bd, "base generada por pmq_genera_base")->required();
  app.add_option("--tamano", tamano, "nombre del tamaño para las líneas de resultado");
  app.add_option("--obra", obra, "clave de la obra");
  app.add_option("--repeticiones", repeticiones,
                 "repeticiones de cada medición (la mediana se informa)")
      ->check(CLI::Range(1, 50));
  app.add_option("--carpeta", carpeta, "carpeta para los libros escritos");
  app.footer("Ejemplo: pmq_bench --bd build/bench/grande-s1.db --tamano grande --repeticiones 3");
  CLI11_PARSE(app, argc, argv);

  pmq::HostConsola consola(false);
  pmq::HostEnUso uso(consola);
  std::filesystem::create_directories(carpeta);
  auto linea = [&](std::string_view figura, const std::string& valor) {
    std::printf("%s.%.*s=%s\n", tamano.c_str(), static_cast<int>(figura.size()), figura.data(),
                valor.c_str());
    std::fflush(stdout);
  };
  auto nota = [&](const std::string& texto) {
    std::fprintf(stderr, "[%s] %s\n", tamano.c_str(), texto.c_str());
  };

  try {
    // (1) Reading every row the calculation reads, and nothing else.
    std::vector<double> t_lectura;
    pmq::bench::LimiteCarga::Resultado leidas;
    for (int i = 0; i < repeticiones; ++i) {
      t_lectura.push_back(Segundos([&] { leidas = pmq::bench::LimiteCarga::Lee(bd, obra); }));
    }
    nota(fmt::format("lectura: {} filas; {}", leidas.filas, Tiempos(t_lectura)));

    // (2) CalcularPrograma with the breakdown on; the last model stays for the exports.
    std::vector<double> t_calculo, cpu_calculo;
    std::unique_ptr<pmq::Programa> programa;
    for (int i = 0; i < repeticiones; ++i) {
      programa.reset();
      programa = std::make_unique<pmq::Programa>();
      programa->Ruta = bd;
      programa->ClaveObra = obra;
      programa->DesglosarConceptos = true;
      std::string errores;
      int32_t resultado = 0;
      t_calculo.push_back(
          Segundos([&] { resultado = static_cast<int32_t>(programa->CalcularPrograma(errores)); },
                   &cpu_calculo));
      if (resultado != 1 || !errores.empty()) {
        nota(fmt::format("CalcularPrograma devolvió {}: {}", resultado, errores.substr(0, 500)));
        return 1;
      }
    }
    nota(fmt::format("cálculo: {} (CPU {})", Tiempos(t_calculo), Tiempos(cpu_calculo)));

    // (3) libxlsxwriter alone writing the program sheet; (4) the export.
    std::vector<double> t_lim_prog;
    pmq::bench::LimitePrograma::Resultado hoja_prog;
    const std::string ruta_lim_prog = carpeta + "/" + tamano + "-limite-programa.xlsx";
    for (int i = 0; i < repeticiones; ++i) {
      std::filesystem::remove(ruta_lim_prog);
      t_lim_prog.push_back(Segundos(
          [&] { hoja_prog = pmq::bench::LimitePrograma::Escribe(*programa, ruta_lim_prog); }));
    }
    nota(fmt::format("límite programa: {} celdas, {} combinaciones, {} filas x {} columnas; {}",
                     hoja_prog.celdas, hoja_prog.combinaciones, hoja_prog.filas, hoja_prog.columnas,
                     Tiempos(t_lim_prog)));

    // The program export, driven as the `programa` command does: the file
    // dialog answers the path and the form asks for the financial program.
    std::vector<double> t_prog;
    const std::string ruta_prog = carpeta + "/" + tamano + "-programa.xlsx";
    pmq::ProgramasCtrl& ctrl_prog = *programa->ProgramasObraCtrl;
    ctrl_prog.Programa = programa.get();
    consola.EstableceRutaDialogo(ruta_prog);
    for (int i = 0; i < repeticiones; ++i) {
      std::filesystem::remove(ruta_prog);
      std::string errores;
      bool escrito = false;
      t_prog.push_back(
          Segundos([&] { escrito = ctrl_prog.AExcel(pmq::etpAvanceFinanciero, true, errores); }));
      if (!escrito || !std::filesystem::exists(ruta_prog)) {
        nota("la exportación del programa falló: " + errores.substr(0, 500));
        return 1;
      }
    }
    nota(fmt::format("programa: {}", Tiempos(t_prog)));

    std::vector<double> t_lim_res;
    pmq::bench::LimiteResumen::Resultado hoja_res;
    const std::string ruta_lim_res = carpeta + "/" + tamano + "-limite-resumen.xlsx";
    for (int i = 0; i < repeticiones; ++i) {
      std::filesystem::remove(ruta_lim_res);
      t_lim_res.push_back(Segundos(
          [&] { hoja_res = pmq::bench::LimiteResumen::Escribe(*programa, ruta_lim_res); }));
    }
    nota(fmt::format("límite resumen: {} celdas, {} combinaciones, {} filas x {} columnas; {}",
                     hoja_res.celdas, hoja_res.combinaciones, hoja_res.filas, hoja_res.columnas,
                     Tiempos(t_lim_res)));

    // The summary export, as the `resumen` command does with --salida (two
    // columns per estimate, the controller's default).
    std::vector<double> t_res;
    const std::string ruta_res = carpeta + "/" + tamano + "-resumen.xlsx";
    pmq::ResumenesCtrl& ctrl_res = *programa->ResumenesEstCtrl;
    ctrl_res.Programa = programa.get();
    consola.EstableceRutaDialogo(ruta_res);
    for (int i = 0; i < repeticiones; ++i) {
      std::filesystem::remove(ruta_res);
      std::string errores;
      t_res.push_back(Segundos([&] { ctrl_res.AExcel(errores); }));
      if (!std::filesystem::exists(ruta_res)) {
        nota("la exportación del resumen falló: " + errores.substr(0, 500));
        return 1;
      }
    }
    nota(fmt::format("resumen: {}", Tiempos(t_res)));

    const double lectura = Mediana(t_lectura), calculo = Mediana(t_calculo);
    linea("lectura_s", fmt::format("{:.3f}", lectura));
    linea("carga_s", fmt::format("{:.3f}", calculo));
    linea("carga_ratio", fmt::format("{:.2f}", calculo / lectura));
    linea("carga_cpu_s", fmt::format("{:.3f}", Mediana(cpu_calculo)));
    linea("programa_limite_s", fmt::format("{:.3f}", Mediana(t_lim_prog)));
    linea("programa_s", fmt::format("{:.3f}", Mediana(t_prog)));
    linea("programa_ratio", fmt::format("{:.2f}", Mediana(t_prog) / Mediana(t_lim_prog)));
    linea("resumen_limite_s", fmt::format("{:.3f}", Mediana(t_lim_res)));
    linea("resumen_s", fmt::format("{:.3f}", Mediana(t_res)));
    linea("resumen_ratio", fmt::format("{:.2f}", Mediana(t_res) / Mediana(t_lim_res)));
    programa.reset();
    linea("pico_mb", fmt::format("{:.0f}", PicoMb()));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pmq_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
