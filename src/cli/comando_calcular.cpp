// `promorlaqel calcular [--json]`: runs the calculation and prints a short
// summary, or the whole computed model as JSON.

#include <promorlaqel/common/formato.h>
#include <promorlaqel/estimates/estimaciones.h>
#include <promorlaqel/model/partida.h>
#include <promorlaqel/model/partidas.h>
#include <promorlaqel/model/presups.h>
#include "calculo.h"
#include "comando.h"
#include "opciones_comunes.h"
#include "registro_comandos.h"
#include "volcado_json.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <iostream>

namespace pmq::cli {
namespace {

std::string FechaOGuion(Fecha f) {
  return f.EsNula() ? "-" : FormatoFecha(f, "dd/mmm/yyyy");
}

class ComandoCalcular : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    sub.add_flag("--json", json_, "Imprime todo el modelo calculado como JSON");
    sub.footer(
        "Sin --json imprime la obra, sus fechas, partidas, conceptos, importe total y "
        "estimaciones. "
        "Sale con 0 si la obra se calculó, 2 si la base es de una estructura anterior, 1 si no se "
        "pudo.\n\n"
        "Ejemplo: promorlaqel calcular --bd obra-ejemplo.db --obra A7 --opcion "
        "DesglosarMaquinaria=si");
  }

  int Ejecuta() override {
    Calculo calculo(opciones_);
    calculo.Calcula();
    if (json_) {
      VolcadoJson(calculo.Raiz(), calculo.Resultado(), calculo.Errores(),
                  calculo.Consola().Mensajes())
          .Escribe(std::cout);
    } else {
      Resumen(calculo);
    }
    calculo.MuestraErrores();
    return Calculo::SalidaDeResultado(calculo.Resultado());
  }

 private:
  static void Resumen(const Calculo& calculo) {
    if (calculo.Resultado() == 0) {
      std::cout << "Resultado: 0 (la obra no se calculó)\n" << std::flush;
      return;
    }
    const Programa& p = calculo.Raiz();
    const Obra& o = *p.Obra;
    int64_t lineas = 0;
    for (const Partida* partida : *o.Partidas) lineas += partida->Presups->Count();
    std::string texto;
    texto += fmt::format("Obra: {} {}\n", o.Des.Clave, o.Des.Descripcion);
    texto += fmt::format("Inicio: {}  Terminación: {}  Días: {}\n", FechaOGuion(o.Des.Inicio),
                         FechaOGuion(o.Des.Final), o.DiasObra);
    texto += fmt::format("Periodos: {}\n", p.Periodos->Count());
    texto +=
        fmt::format("Partidas: {}  Conceptos de presupuesto: {}\n", o.Partidas->Count(), lineas);
    texto += fmt::format("Importe total: {}\n",
                         FormatoNumero(o.ImporteTotal.ADouble(), "$ ###,###,##0.00"));
    texto += fmt::format("Estimaciones: {}  Número de estimaciones en el presupuesto: {}\n",
                         ContarEstimaciones(o), o.NoEstimaciones);
    texto += fmt::format("Mensajes: {}  Resultado: {}\n", calculo.Consola().Mensajes().size(),
                         calculo.Resultado());
    std::cout << texto << std::flush;
  }

  static int32_t ContarEstimaciones(const Obra& o) {
    return o.Estimaciones ? o.Estimaciones->Count() : 0;
  }

  OpcionesComunes opciones_;
  bool json_ = false;
};

const RegistraComando registro{10, "calcular",
                               "Calcula la obra e imprime un resumen (o el modelo con --json)",
                               [] { return std::make_unique<ComandoCalcular>(); }};

}  // namespace
}  // namespace pmq::cli
