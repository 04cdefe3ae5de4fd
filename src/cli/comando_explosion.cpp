// `promorlaqel explosion [--concepto CLAVE]`: calculates, then prints the text
// listing of concept breakdowns: one concept priced with the work's factors,
// or every concept broken down while loading, in the order first met.

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/catalogue/conceptos.h>
#include <promorlaqel/catalogue/listado_explosion.h>
#include <promorlaqel/model/partida.h>
#include <promorlaqel/model/partidas.h>
#include <promorlaqel/model/presups.h>
#include "calculo.h"
#include "comando.h"
#include "opciones_comunes.h"
#include "registro_comandos.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <iostream>
#include <unordered_set>
#include <vector>

namespace pmq::cli {
namespace {

class ComandoExplosion : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    sub.add_option("--concepto", concepto_,
                   "Clave del concepto a desglosar (lo use o no alguna partida); sin ella, todos "
                   "los conceptos "
                   "desglosados al cargar la obra")
        ->type_name("CLAVE");
    sub.footer("Ejemplo: promorlaqel explosion --bd obra-ejemplo.db --obra A7 --concepto C-100");
  }

  int Ejecuta() override {
    Calculo calculo(opciones_);
    calculo.Calcula();
    calculo.MuestraErrores();
    int estado = calculo.Salida();
    if (estado == 1 || estado == 2) return estado;
    Programa& p = calculo.Raiz();
    std::vector<Concepto*> lista;
    if (!concepto_.empty()) {
      Concepto* c = p.Conceptos->Item("k" + concepto_);
      if (c == nullptr) {
        fmt::print(stderr, "promorlaqel: el concepto {} no está en el catálogo\n", concepto_);
        return 1;
      }
      if (!c->Explosion) {
        std::string errores;
        p.Obra->ExplotaConcepto(p.Conexion, c, errores);
        if (!errores.empty()) {
          std::fputs(errores.c_str(), stderr);
          if (!c->Explosion) return 1;
          estado = 3;  // broken down, with failures
        }
      }
      lista.push_back(c);
    } else {
      lista = DesglosadosAlCargar(p);
    }
    bool primero = true;
    for (Concepto* c : lista) {
      if (!primero) std::cout << '\n';
      primero = false;
      EscribeExplosion(*c, std::cout);
    }
    std::cout << std::flush;
    return estado;
  }

 private:
  // The concepts that have a breakdown, in the order the budget lines first
  // met them; concepts broken down by lines left out of the collections (a
  // duplicate key) follow in catalogue order.
  static std::vector<Concepto*> DesglosadosAlCargar(const Programa& p) {
    std::vector<Concepto*> lista;
    std::unordered_set<const Concepto*> vistos;
    const auto agrega = [&](Concepto* c) {
      if (c != nullptr && c->Explosion && vistos.insert(c).second) lista.push_back(c);
    };
    for (const Partida* partida : *p.Obra->Partidas) {
      for (const Presup* linea : *partida->Presups) agrega(linea->Concepto);
    }
    for (Concepto* c : *p.Conceptos) agrega(c);
    return lista;
  }

  OpcionesComunes opciones_;
  std::string concepto_;
};

const RegistraComando registro{40, "explosion", "Imprime el desglose de los conceptos en insumos",
                               [] { return std::make_unique<ComandoExplosion>(); }};

}  // namespace
}  // namespace pmq::cli
