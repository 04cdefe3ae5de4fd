// `promorlaqel resumen [--salida F.xlsx] [--punit-por-estimacion]
// [--formato texto|csv|json]`: calculates, runs the estimates summary
// controller, prints its grid and, with --salida, exports it to a workbook.

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

bool TerminaEnXlsx(const std::string& ruta) {
  std::string ext = std::filesystem::path(ruta).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return std::tolower(ch); });
  return ext == ".xlsx";
}

class ComandoResumen : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    sub.add_option("--salida", salida_, "Libro .xlsx al que se exporta el resumen")
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
    if (!salida_.empty() && !TerminaEnXlsx(salida_)) {
      throw ErrorUso("--salida debe ser un archivo con extensión .xlsx: " + salida_);
    }
    Calculo calculo(opciones_);
    calculo.Calcula();
    if (calculo.Resultado() == 0) {
      calculo.MuestraErrores();
      return 1;
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

    bool bien = calculo.Resultado() == 1 && errores_resumen.empty();
    if (!salida_.empty()) bien = bien && exportado && errores_exportacion.empty();
    return bien ? 0 : 1;
  }

 private:
  OpcionesComunes opciones_;
  std::string salida_;
  bool punit_por_estimacion_ = false;
  std::string formato_ = "texto";
};

const RegistraComando registro{
    40, "resumen", "Imprime el resumen de estimaciones y lo exporta a un libro (--salida)",
    [] { return std::make_unique<ComandoResumen>(); }};

}  // namespace
}  // namespace pmq::cli
