#pragma once
// The commands of the program. A command's file registers it with a static
// RegistraComando object, so a new command is a new file and nothing else.

#include "comando.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pmq::cli {

class RegistroComandos {
 public:
  using Fabrica = std::function<std::unique_ptr<Comando>()>;

  /// One registered command.
  struct Entrada {
    int orden = 0;            ///< position in the help listing
    std::string nombre;       ///< the subcommand's name
    std::string descripcion;  ///< one line for the help listing
    Fabrica fabrica;
  };

  /// Adds a command.
  static void Registra(Entrada entrada);
  /// Every command, in the order of `orden`.
  static std::vector<const Entrada*> Entradas();

 private:
  static std::vector<Entrada>& Lista();
};

/// Registers a command when the program starts.
struct RegistraComando {
  RegistraComando(int orden, std::string nombre, std::string descripcion,
                  RegistroComandos::Fabrica fabrica) {
    RegistroComandos::Registra(
        {orden, std::move(nombre), std::move(descripcion), std::move(fabrica)});
  }
};

}  // namespace pmq::cli
