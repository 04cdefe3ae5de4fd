// `promorlaqel programa --salida F.xlsx [--tipo N] [--cantidades]`: calculates,
// then runs the monthly program controller. The options form is answered from
// the flags (on a terminal without --tipo it is shown as a prompt on stderr)
// and the file dialog with F.

#include "cli/calculo.h"
#include "cli/comando.h"
#include "cli/opciones_comunes.h"
#include "cli/registro_comandos.h"
#include "model/programa.h"
#include "reports/program/frm_programas_obra.h"
#include "reports/program/programas_ctrl.h"

#include <fmt/format.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

namespace pmq::cli {
namespace {

class ComandoPrograma : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    sub.add_option("--salida", salida_, "Libro a escribir (extensión .xlsx)")
        ->required()
        ->type_name("F.xlsx");
    tipo_opcion_ =
        sub.add_option("--tipo", tipo_,
                       "Tipo de programa: 0 avance físico, 1 avance financiero (predeterminado), "
                       "2 materiales, 3 maquinaria, 4 mano de obra por conceptos")
            ->check(CLI::Range(0, 4))
            ->type_name("N");
    sub.add_flag("--cantidades", cantidades_, "Elige \"Cantidades\" en lugar de \"Importes\"");
    sub.footer(
        "Sin --tipo, en una terminal se pregunta el tipo de programa (Enter acepta el avance "
        "financiero).\n"
        "Ejemplo: promorlaqel programa --bd obra.db --obra A7 --salida programa.xlsx");
  }

  int Ejecuta() override {
    Calculo calculo(opciones_);
    opciones_.CompruebaSalida(salida_);
    calculo.Calcula();
    const int estado = calculo.Salida();
    if (estado == 1 || estado == 2) {
      calculo.MuestraErrores();
      return estado;
    }
    Programa& p = calculo.Raiz();
    HostConsola& consola = calculo.Consola();
    consola.EstableceRutaDialogo(salida_);
    const bool preguntar = tipo_opcion_->count() == 0 && isatty(STDIN_FILENO) != 0;

    bool escrito = false;
    std::string errores_exportacion;
    consola.EstableceManejadorForma([&](Forma& f) {
      auto* forma = dynamic_cast<frmProgramasObra*>(&f);
      if (forma == nullptr) return;
      if (preguntar && !Pregunta(*forma)) {
        forma->cmdCerrar_Click();
        return;
      }
      if (!preguntar) forma->comTipoPrograma.Selecciona(tipo_);
      if (cantidades_) forma->opCantidades_Click();
      forma->cmdAExcel_Click();
      escrito = forma->ResultadoAExcel;
      errores_exportacion = forma->ErroresAExcel;
    });

    ProgramasCtrl& ctrl = *p.ProgramasObraCtrl;
    ctrl.Programa = &p;
    std::string errores_inicio;
    ctrl.Inicia(errores_inicio);
    calculo.Errores() += errores_exportacion + errores_inicio;
    calculo.MuestraErrores();
    return escrito ? estado : 1;
  }

 private:
  // The form as a prompt on stderr: the five kinds, the selected one marked;
  // Enter accepts it, a number chooses another, "q" or the end of input closes
  // the form. False when the form was closed.
  static bool Pregunta(frmProgramasObra& forma) {
    const auto& tipos = forma.comTipoPrograma.Items;
    std::string opciones;
    for (size_t i = 0; i < tipos.size(); ++i) {
      opciones += fmt::format(
          "{} {}) {}\n", static_cast<int32_t>(i) == forma.comTipoPrograma.ListIndex ? '*' : ' ', i,
          tipos[i]);
    }
    fmt::print(stderr, "{}\n{}", forma.Caption(), opciones);
    while (true) {
      fmt::print(stderr, "Tipo de programa [{}] (Enter acepta, q cierra): ",
                 forma.comTipoPrograma.ListIndex);
      std::fflush(stderr);
      std::string linea;
      if (!std::getline(std::cin, linea)) {
        fmt::print(stderr, "\n");
        return false;
      }
      while (!linea.empty() && (linea.back() == ' ' || linea.back() == '\r')) linea.pop_back();
      if (linea.empty()) return true;
      if (linea == "q" || linea == "Q") return false;
      if (linea.size() == 1 && linea[0] >= '0' &&
          linea[0] < static_cast<char>('0' + tipos.size())) {
        forma.comTipoPrograma.Selecciona(linea[0] - '0');
        return true;
      }
      fmt::print(stderr, "Escriba un número de 0 a {}.\n", tipos.size() - 1);
    }
  }

  OpcionesComunes opciones_;
  std::string salida_;
  int tipo_ = 1;
  CLI::Option* tipo_opcion_ = nullptr;
  bool cantidades_ = false;
};

const RegistraComando registro{30, "programa",
                               "Escribe el programa mensual de obra en un libro .xlsx",
                               [] { return std::make_unique<ComandoPrograma>(); }};

}  // namespace
}  // namespace pmq::cli
