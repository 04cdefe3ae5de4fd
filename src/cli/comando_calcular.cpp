// `promorlaqel calcular [--json [--legible] [--detalle obra|lineas|completo]]`:
// runs the calculation and prints a short summary, or the computed model as JSON.

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

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    sub.add_flag("--legible", legible_,
                 "Con --json, sangra el documento aunque la salida no sea una terminal");
    sub.add_option("--detalle", detalle_,
                   "Con --json: obra (sin líneas ni catálogo), lineas (sin desgloses) o completo")
        ->check(CLI::IsMember({"obra", "lineas", "completo"}));
    sub.footer(
        "Sin --json imprime la obra, sus fechas, partidas, conceptos, importe total y "
        "estimaciones. Con --json el documento va compacto, salvo en una terminal o con "
        "--legible. "
        "Sale con 0 si la obra se calculó, 3 si se calculó pero la carga informó fallas, 2 si la "
        "base es de una estructura anterior, 1 si no se pudo o la obra no existe.\n\n"
        "Ejemplo: promorlaqel calcular --bd obra-ejemplo.db --obra A7 --opcion "
        "DesglosarMaquinaria=si");
  }

  int Ejecuta() override {
    Calculo calculo(opciones_);
    calculo.Calcula();
    if (json_) {
      // Indentation is for people: a terminal or --legible gets it, a file or a
      // pipe gets the compact document (indentation was 43 % of a large one).
      const bool sangrado = legible_ || isatty(STDOUT_FILENO) == 1;
      VolcadoJson volcado(calculo.Raiz(), calculo.Resultado(), calculo.Errores(),
                          calculo.Consola().Mensajes(), Detalle());
      // The row items of a resource program only when one was asked for.
      volcado.ConItemsFila(opciones_.Dada("TipoPrograma"));
#ifdef F_SETPIPE_SZ
      // A large document into a pipe: a wider pipe wakes the reader less often.
      // Refused (an unprivileged limit, not a pipe) is harmless.
      struct stat destino {};
      if (fstat(STDOUT_FILENO, &destino) == 0 && S_ISFIFO(destino.st_mode)) {
        fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1 << 20);
      }
#endif
      volcado.Escribe(std::cout, sangrado ? 2 : -1);
    } else {
      Resumen(calculo);
    }
    calculo.MuestraErrores();
    return calculo.Salida();
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

  DetalleJson Detalle() const {
    if (detalle_ == "obra") return DetalleJson::Obra;
    if (detalle_ == "lineas") return DetalleJson::Lineas;
    return DetalleJson::Completo;
  }

  OpcionesComunes opciones_;
  bool json_ = false;
  bool legible_ = false;
  std::string detalle_ = "completo";
};

const RegistraComando registro{10, "calcular",
                               "Calcula la obra e imprime un resumen (o el modelo con --json)",
                               [] { return std::make_unique<ComandoCalcular>(); }};

}  // namespace
}  // namespace pmq::cli
