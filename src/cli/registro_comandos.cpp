#include "registro_comandos.h"

#include <algorithm>

namespace pmq::cli {

std::vector<RegistroComandos::Entrada>& RegistroComandos::Lista() {
  static std::vector<Entrada> lista;
  return lista;
}

void RegistroComandos::Registra(Entrada entrada) {
  Lista().push_back(std::move(entrada));
}

std::vector<const RegistroComandos::Entrada*> RegistroComandos::Entradas() {
  std::vector<const Entrada*> entradas;
  for (const Entrada& e : Lista()) entradas.push_back(&e);
  std::stable_sort(entradas.begin(), entradas.end(),
                   [](const Entrada* a, const Entrada* b) { return a->orden < b->orden; });
  return entradas;
}

}  // namespace pmq::cli
