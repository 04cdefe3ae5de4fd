#pragma once
// Reads a written workbook back with openpyxl (tests/sheet/lee_libro.py), an
// independent reader, and returns what it saw as JSON.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <string>

namespace pmq::prueba {

inline nlohmann::json LeeLibro(const std::string& ruta) {
  // Debian's interpreter carries python3-openpyxl even when another python3 comes first in PATH.
  const std::string python =
      std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const std::string orden =
      python + " '" PMQ_SOURCE_DIR "/tests/sheet/lee_libro.py' '" + ruta + "'";
  FILE* tubo = popen(orden.c_str(), "r");
  if (tubo == nullptr) {
    ADD_FAILURE() << "no se pudo ejecutar " << orden;
    return {};
  }
  std::string texto;
  char bloque[4096];
  size_t leidos = 0;
  while ((leidos = fread(bloque, 1, sizeof bloque, tubo)) > 0) texto.append(bloque, leidos);
  const int estado = pclose(tubo);
  if (estado != 0) {
    ADD_FAILURE() << "el lector terminó con " << estado << " para " << ruta;
    return {};
  }
  return nlohmann::json::parse(texto);
}

}  // namespace pmq::prueba
