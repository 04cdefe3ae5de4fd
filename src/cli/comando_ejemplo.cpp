// `promorlaqel ejemplo --salida F`: writes the sample project database (works
// A7 and CASA01) to a new SQLite file; never overwrites one.

#include <promorlaqel/db/base_nueva.h>
#include "comando.h"
#include "registro_comandos.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <cstdio>

namespace pmq::cli {
namespace {

class ComandoEjemplo : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    sub.add_option("--salida", salida_,
                   "Archivo SQLite nuevo donde escribir la base de ejemplo (no debe existir)")
        ->required()
        ->type_name("ARCHIVO");
    sub.footer(
        "La base trae el esquema completo y dos obras: A7 (el firme de la bodega, un solo concepto "
        "C-100) "
        "y CASA01 (casa de dos niveles: seis partidas, cuatro estimaciones).\n\n"
        "Ejemplo: promorlaqel ejemplo --salida obra-ejemplo.db");
  }

  int Ejecuta() override {
    std::string errores;
    if (!CreaBaseSqlite(salida_, SqlBaseEjemplo(), errores)) {
      std::fputs(errores.c_str(), stderr);
      return 1;
    }
    fmt::print("Base de ejemplo escrita en {} (obras A7 y CASA01)\n", salida_);
    return 0;
  }

 private:
  std::string salida_;
};

const RegistraComando registro{60, "ejemplo",
                               "Escribe la base de datos de ejemplo (obras A7 y CASA01)",
                               [] { return std::make_unique<ComandoEjemplo>(); }};

}  // namespace
}  // namespace pmq::cli
