#pragma once
// Reads a written workbook back with openpyxl (tests/sheet/lee_libro.py), an
// independent reader, and returns what it saw as JSON.

#include "apoyo/base_prueba.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace pmq::prueba {

/// Runs the script `guion` of tests/ on `argumentos` (shell words) and parses
/// the JSON it leaves in `salida`, then removes that file. Debian's interpreter carries
/// python3-openpyxl even when another python3 comes first in PATH.
inline nlohmann::json Python(const std::string& guion, const std::string& argumentos,
                             const std::string& salida) {
  const std::string orden =
      (std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3 " : "python3 ") +
      Comillas(PMQ_SOURCE_DIR "/tests/" + guion) + " " + argumentos;
  if (std::system(orden.c_str()) != 0) ADD_FAILURE() << "falló " << orden;
  nlohmann::json leido = nlohmann::json::parse(LeeArchivo(salida), nullptr, false);
  std::filesystem::remove(salida);  // the test's folder holds only what the library wrote
  return leido;
}

inline nlohmann::json LeeLibro(const std::string& ruta) {
  return Python("sheet/lee_libro.py", Comillas(ruta) + " >" + Comillas(ruta + ".leido"),
                ruta + ".leido");
}

}  // namespace pmq::prueba
