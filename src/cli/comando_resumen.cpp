// `promorlaqel resumen [--salida F.xlsx] [--punit-por-estimacion]
// [--formato texto|csv|json]`: calculates, runs the estimates summary
// controller, prints its grid and, with --salida, exports it to a workbook.

#include <promorlaqel/common/texto_seguro.h>
#include <promorlaqel/reports/summary/rejilla.h>
#include <promorlaqel/reports/summary/resumenes_ctrl.h>
#include "calculo.h"
#include "comando.h"
#include "error_uso.h"
#include "opciones_comunes.h"
#include "registro_comandos.h"
#include "salida_rejilla.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace pmq::cli {
namespace {

class ComandoResumen : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    salida_opcion_ = sub.add_option("--salida", salida_, "Libro .xlsx al que se exporta el resumen")
                         ->type_name("F.xlsx");
    sub.add_flag("--punit-por-estimacion", punit_por_estimacion_,
                 "En el libro, cada estimación lleva su propia columna de precio unitario");
    sub.add_option("--formato", formato_,
                   "Cómo se imprime la rejilla: texto (por omisión), csv o json")
        ->check(CLI::IsMember({"texto", "csv", "json"}))
        ->type_name("texto|csv|json");
    sub.footer(
        "Imprime el resumen de estimaciones de la obra (partidas, conceptos y, por estimación, "
        "cantidad, "
        "precio unitario e importe) y, con --salida, lo exporta a la hoja \"Resumen\" de un "
        "libro.\n\n"
        "Ejemplo: promorlaqel resumen --bd obra.db --obra A7 --salida resumen.xlsx --formato csv");
  }

  int Ejecuta() override {
    Calculo calculo(opciones_);
    if (salida_opcion_->count() > 0) opciones_.CompruebaSalida(salida_);
    // The report reads each line's summaries, never the breakdown lines, and
    // what each line billed, never the estimates' own lines.
    calculo.Raiz().ConservarDesglose = false;
    calculo.Raiz().ConservarLineasEstimacion = false;
    calculo.Calcula();
    const int estado = calculo.Salida();
    if (estado == 1 || estado == 2) {
      calculo.MuestraErrores();
      return estado;
    }
    Programa& raiz = calculo.Raiz();
    ResumenesCtrl& ctrl = *raiz.ResumenesEstCtrl;
    ctrl.Programa = &raiz;
    ctrl.PUnitPorEstimacion = punit_por_estimacion_;
    std::string errores_resumen;
    ctrl.ColocaResumen(errores_resumen);
    std::string errores_exportacion;
    ResultadoEscritura exportado = ResultadoEscritura::NoEscrito("");
    if (!salida_.empty()) exportado = ctrl.Escribe(salida_, errores_exportacion);

    const Rejilla& g = *ctrl.Grid();
    if (formato_ == "csv") {
      SalidaRejilla::Csv(g, std::cout);
    } else if (formato_ == "json") {
      SalidaRejilla::Json(g, std::cout);
    } else {
      SalidaRejilla::Texto(g, std::cout);
    }
    std::cout << std::flush;

    calculo.MuestraErrores();
    if (!errores_resumen.empty()) std::fputs(errores_resumen.c_str(), stderr);
    if (!errores_exportacion.empty()) std::fputs(errores_exportacion.c_str(), stderr);

    bool bien = errores_resumen.empty();
    if (!salida_.empty()) bien = bien && exportado && errores_exportacion.empty();
    return bien ? estado : 1;
  }

 private:
  OpcionesComunes opciones_;
  std::string salida_;
  CLI::Option* salida_opcion_ = nullptr;
  bool punit_por_estimacion_ = false;
  std::string formato_ = "texto";
};

const RegistraComando registro{
    40, "resumen", "Imprime el resumen de estimaciones y lo exporta a un libro (--salida)",
    [] { return std::make_unique<ComandoResumen>(); }};

}  // namespace
}  // namespace pmq::cli
