// promorlaqel: the command line host of the library.

#include <promorlaqel/common/temporales_en_curso.h>
#include "error_uso.h"
#include "registro_comandos.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

// The help texts of the parser in Spanish. Subcommands created afterwards
// inherit the help flag, the option group and the formatter.
void EnEspanol(CLI::App& app) {
  app.option_defaults()->group("Opciones");
  app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
  auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("OPTIONS", "OPCIONES");
  formato->label("SUBCOMMAND", "COMANDO");
  formato->label("SUBCOMMANDS", "COMANDOS");
  formato->label("REQUIRED", "(obligatoria)");
  formato->label("Positionals", "Argumentos");
  formato->label("Needs", "Requiere");
  formato->label("Excludes", "Excluye");
  formato->label("TEXT", "TEXTO");
}

// The parser's reason for a usage error, in Spanish for the usual cases.
std::string MotivoEnEspanol(const CLI::ParseError& e) {
  static const std::pair<std::regex, const char*> kTraducciones[] = {
      {std::regex("^A subcommand is required$"), "falta el comando (vea promorlaqel --help)"},
      {std::regex("^(.+) is required$"), "falta la opción obligatoria $1"},
      {std::regex("^The following arguments? (was|were) not expected: (.*)$"),
       "argumentos no esperados: $2"},
      {std::regex("^(\\S+): (\\d+) required \\S+ missing$"), "a $1 le falta su valor"},
      {std::regex("^(\\S+) excludes (\\S+)$"), "$1 no se puede usar con $2"},
  };
  const std::string motivo = e.what();
  for (const auto& [patron, texto] : kTraducciones) {
    if (std::regex_match(motivo, patron)) return std::regex_replace(motivo, patron, texto);
  }
  return motivo;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pmq::cli;
  // Ctrl-C or a kill while a workbook is written removes its temporary; the
  // file it would have replaced stays as it was.
  pmq::TemporalesEnCurso::ProtegeDeSenales();
  CLI::App app{
      "ProMorlaQel: carga una obra de su base de datos, desglosa sus precios unitarios en insumos, "
      "la reparte por meses y escribe el programa de obra y el resumen de estimaciones.",
      "promorlaqel"};
  EnEspanol(app);
  app.set_version_flag("--version", "promorlaqel " PMQ_VERSION, "Muestra la versión y termina");
  app.require_subcommand(1, 1);

  std::vector<std::pair<CLI::App*, std::unique_ptr<Comando>>> comandos;
  for (const RegistroComandos::Entrada* e : RegistroComandos::Entradas()) {
    CLI::App* sub = app.add_subcommand(e->nombre, e->descripcion);
    sub->group("Comandos");
    sub->get_help_ptr()->group("Opciones");
    auto comando = e->fabrica();
    comando->Configura(*sub);
    comandos.emplace_back(sub, std::move(comando));
  }

  // Set after the subcommands, which would inherit it.
  app.footer(
      "Cada comando tiene su ayuda: promorlaqel COMANDO --help\n\n"
      "Ejemplo: promorlaqel ejemplo --salida obra.db && promorlaqel calcular --bd obra.db --obra "
      "A7");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    fmt::print(stderr, "promorlaqel: {}\n", MotivoEnEspanol(e));
    return kSalidaUso;
  }

  for (auto& [sub, comando] : comandos) {
    if (!sub->parsed()) continue;
    try {
      return comando->Ejecuta();
    } catch (const ErrorUso& e) {
      fmt::print(stderr, "promorlaqel: {}\n", e.what());
      return kSalidaUso;
    } catch (const std::exception& e) {
      fmt::print(stderr, "promorlaqel: {}\n", e.what());
      return 1;
    }
  }
  return kSalidaUso;
}
