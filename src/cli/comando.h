#pragma once
// One command of the command line (`calcular`, `explosion`, …). Each lives in
// its own file and registers itself with RegistroComandos.

namespace CLI {
class App;
}

namespace pmq::cli {

class Comando {
 public:
  virtual ~Comando() = default;
  /// Declares the command's options and flags on its subcommand.
  virtual void Configura(CLI::App& subcomando) = 0;
  /// Runs the command after a successful parse and returns the exit status.
  /// Throws ErrorUso for values the parser could not check.
  virtual int Ejecuta() = 0;
};

}  // namespace pmq::cli
