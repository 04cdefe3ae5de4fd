// `promorlaqel programa --salida F.xlsx [--tipo N] [--cantidades]`: calculates,
// then writes the monthly program with ProgramasCtrl::Escribe. The kind comes
// from --tipo; on a terminal without --tipo the options form's list of kinds is
// asked for as a prompt on stderr.

#include <promorlaqel/model/programa.h>
#include <promorlaqel/reports/program/programas_ctrl.h>
#include "calculo.h"
#include "comando.h"
#include "opciones_comunes.h"
#include "registro_comandos.h"

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
    Programa& p = calculo.Raiz();
    int32_t tipo = tipo_;
    if (tipo_opcion_->count() == 0 && isatty(STDIN_FILENO) != 0 && !Pregunta(tipo)) {
      calculo.MuestraErrores();
      return 1;
    }
    ProgramasCtrl& ctrl = *p.ProgramasObraCtrl;
    ctrl.Programa = &p;
    std::string errores_exportacion;
    const ResultadoEscritura escrito = ctrl.Escribe(
        salida_, static_cast<enumTipoProgramaMensual>(tipo), !cantidades_, errores_exportacion);
    calculo.Errores() += errores_exportacion;
    calculo.MuestraErrores();
    return escrito ? estado : 1;
  }

 private:
  // The options form's list of kinds as a prompt on stderr, the financial
  // program marked; Enter accepts the marked one, a number chooses another,
  // "q" or the end of input gives up. False when the user gave up.
  static bool Pregunta(int32_t& tipo) {
    tipo = etpAvanceFinanciero;
    int32_t tipos = 0;
    std::string opciones;
    for (; !ProgramasCtrl::NombreTipoPrograma(tipos).empty(); ++tipos) {
      opciones += fmt::format("{} {}) {}\n", tipos == tipo ? '*' : ' ', tipos,
                              ProgramasCtrl::NombreTipoPrograma(tipos));
    }
    fmt::print(stderr, "{}\n{}", ProgramasCtrl::kCaptionOpciones, opciones);
    while (true) {
      fmt::print(stderr, "Tipo de programa [{}] (Enter acepta, q cierra): ", tipo);
      std::fflush(stderr);
      std::string linea;
      if (!std::getline(std::cin, linea)) {
        fmt::print(stderr, "\n");
        return false;
      }
      while (!linea.empty() && (linea.back() == ' ' || linea.back() == '\r')) linea.pop_back();
      if (linea.empty()) return true;
      if (linea == "q" || linea == "Q") return false;
      if (linea.size() == 1 && linea[0] >= '0' && linea[0] < static_cast<char>('0' + tipos)) {
        tipo = linea[0] - '0';
        return true;
      }
      fmt::print(stderr, "Escriba un número de 0 a {}.\n", tipos - 1);
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
