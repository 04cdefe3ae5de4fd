#pragma once
// Runs the promorlaqel binary of this build and captures what it printed.

#include "apoyo/base_prueba.h"

#include <sys/wait.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace pmq::prueba {

struct Ejecucion {
  int salida = -1;  ///< exit status
  std::string out;  ///< stdout
  std::string err;  ///< stderr
};

/// Runs `promorlaqel args…` with `entorno` (shell assignments) in front.
inline Ejecucion Ejecuta(const DirectorioTemporal& dir, const std::vector<std::string>& args,
                         std::string_view entorno = "") {
  std::string linea = std::string(entorno) + " " + Comillas(PMQ_BINARY_DIR "/promorlaqel");
  for (const std::string& a : args) {
    linea.push_back(' ');
    linea += Comillas(a);
  }
  const std::string out = dir.Archivo("stdout.txt");
  const std::string err = dir.Archivo("stderr.txt");
  linea += " >";
  linea += Comillas(out);
  linea += " 2>";
  linea += Comillas(err);
  linea += " </dev/null";
  const int estado = std::system(linea.c_str());
  Ejecucion e;
  e.salida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  e.out = LeeArchivo(out);
  e.err = LeeArchivo(err);
  return e;
}

/// Runs `promorlaqel comando --bd bd --obra obra extra…`.
inline Ejecucion EjecutaObra(const DirectorioTemporal& dir, const std::string& comando,
                             const std::string& bd, std::vector<std::string> extra = {},
                             const std::string& obra = "A7", std::string_view entorno = "") {
  extra.insert(extra.begin(), {comando, "--bd", bd, "--obra", obra});
  return Ejecuta(dir, extra, entorno);
}

/// The member names of a JSON object, in their order, "|"-joined.
inline std::string Claves(const nlohmann::ordered_json& objeto) {
  std::string claves;
  for (const auto& [clave, valor] : objeto.items()) claves += (claves.empty() ? "" : "|") + clave;
  return claves;
}

}  // namespace pmq::prueba
