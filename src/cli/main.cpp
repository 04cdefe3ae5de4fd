// promorlaqel: the command line host of the library.

#include "cli/error_uso.h"
#include "cli/registro_comandos.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
  using namespace pmq::cli;
  CLI::App app{"ProMorlaQel: programa de obra y resumen de estimaciones", "promorlaqel"};
  app.set_version_flag("--version", "promorlaqel 0.1.0");
  app.require_subcommand(1, 1);

  std::vector<std::pair<CLI::App*, std::unique_ptr<Comando>>> comandos;
  for (const RegistroComandos::Entrada* e : RegistroComandos::Entradas()) {
    CLI::App* sub = app.add_subcommand(e->nombre, e->descripcion);
    auto comando = e->fabrica();
    comando->Configura(*sub);
    comandos.emplace_back(sub, std::move(comando));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    fmt::print(stderr, "promorlaqel: {}\n", e.what());
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
