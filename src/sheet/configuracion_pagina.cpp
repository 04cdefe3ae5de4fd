#include "sheet/configuracion_pagina.h"

namespace pmq {
namespace {

std::string Escapa(std::string_view texto) {
  std::string r;
  r.reserve(texto.size());
  for (char ch : texto) {
    r += ch;
    if (ch == '&') r += '&';
  }
  return r;
}

// The longest start of a UTF-8 text that takes at most `bytes` bytes and does
// not end inside a character or after a lone "&" of a doubled pair.
std::string Recorta(const std::string& texto, size_t bytes) {
  if (texto.size() <= bytes) return texto;
  size_t fin = bytes;
  while (fin > 0 && (static_cast<unsigned char>(texto[fin]) & 0xC0) == 0x80) --fin;
  size_t y = 0;
  for (size_t i = fin; i > 0 && texto[i - 1] == '&'; --i) ++y;
  if (y % 2 == 1) --fin;
  return texto.substr(0, fin);
}

}  // namespace

std::string ConfiguracionPagina::Encabezado(std::string_view izquierda, std::string_view derecha) {
  const std::string der = Recorta(Escapa(derecha), kLargoMaximo / 2);
  const std::string fijo = "&L&R" + der;
  std::string izq = Escapa(izquierda);
  const size_t cabe = kLargoMaximo - fijo.size();
  if (izq.size() > cabe) izq = Recorta(izq, cabe - 3) + "…";
  return der.empty() ? "&L" + izq : "&L" + izq + "&R" + der;
}

}  // namespace pmq
