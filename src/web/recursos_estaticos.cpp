#include "recursos_estaticos.h"

#include <algorithm>

namespace pmq::web {

std::optional<RecursosEstaticos::Archivo> RecursosEstaticos::Busca(std::string_view nombre) {
  const bool simple = !nombre.empty() && nombre.front() != '.' &&
                      std::all_of(nombre.begin(), nombre.end(),
                                  [](char c) {
                                    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                           (c >= '0' && c <= '9') || c == '.' || c == '-' ||
                                           c == '_';
                                  }) &&
                      nombre.find("..") == std::string_view::npos;
  if (!simple) return std::nullopt;
  for (const Archivo& a : Embebidos()) {
    if (a.nombre == nombre) return a;
  }
  return std::nullopt;
}

std::string_view RecursosEstaticos::TipoContenido(std::string_view nombre) {
  if (nombre.ends_with(".html")) return "text/html; charset=utf-8";
  if (nombre.ends_with(".css")) return "text/css; charset=utf-8";
  if (nombre.ends_with(".js")) return "text/javascript; charset=utf-8";
  if (nombre.ends_with(".svg")) return "image/svg+xml";
  if (nombre.ends_with(".png")) return "image/png";
  return "application/octet-stream";
}

}  // namespace pmq::web
