// promorlaqel: the command line host of the library.

#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"ProMorlaQel: programa de obra y resumen de estimaciones", "promorlaqel"};
  app.set_version_flag("--version", "promorlaqel 0.1.0");
  app.require_subcommand(0, 1);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return 0;
}
