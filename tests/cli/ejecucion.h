#pragma once
// Runs the promorlaqel binary of this build and captures what it printed.

#include "apoyo/base_prueba.h"

#include <sys/wait.h>

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

namespace pmq::prueba {

struct Ejecucion {
  int salida = -1;  ///< exit status
  std::string out;  ///< stdout
  std::string err;  ///< stderr
};

inline std::string Comillas(std::string_view arg) {
  std::string r = "'";
  for (char c : arg) {
    if (c == '\'') {
      r += "'\\''";
    } else {
      r += c;
    }
  }
  return r + "'";
}

/// Runs `promorlaqel args…` with `entorno` (shell assignments) in front.
inline Ejecucion Ejecuta(const DirectorioTemporal& dir, std::initializer_list<std::string_view> args,
                         std::string_view entorno = "") {
  std::string linea = std::string(entorno) + " " + Comillas(PMQ_BINARY_DIR "/promorlaqel");
  for (std::string_view a : args) linea += " " + Comillas(a);
  const std::string out = dir.Archivo("stdout.txt");
  const std::string err = dir.Archivo("stderr.txt");
  linea += " >" + Comillas(out) + " 2>" + Comillas(err) + " </dev/null";
  const int estado = std::system(linea.c_str());
  Ejecucion e;
  e.salida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  e.out = LeeArchivo(out);
  e.err = LeeArchivo(err);
  return e;
}

}  // namespace pmq::prueba
