#include "reports/summary/rejilla.h"

#include "common/error_qel.h"

#include <algorithm>

namespace pmq {
namespace {

constexpr int kValorNoValido = 380;
constexpr int kIndiceNoValido = 381;

const std::string& Vacio() {
  static const std::string vacio;
  return vacio;
}

}  // namespace

void Rejilla::Rows(int32_t filas) {
  if (filas < 0) throw ErrorQel(kValorNoValido, "Valor de propiedad no válido");
  filas_.resize(static_cast<size_t>(filas));
}

void Rejilla::Cols(int32_t columnas) {
  if (columnas < 0) throw ErrorQel(kValorNoValido, "Valor de propiedad no válido");
  if (columnas < columnas_) {
    for (Fila& fila : filas_) {
      auto corte = std::lower_bound(fila.begin(), fila.end(), columnas,
                                    [](const auto& celda, int32_t c) { return celda.first < c; });
      fila.erase(corte, fila.end());
    }
  }
  columnas_ = columnas;
}

void Rejilla::Verifica(int32_t fila, int32_t columna) const {
  if (fila < 0 || fila >= Rows() || columna < 0 || columna >= columnas_) {
    throw ErrorQel(kIndiceNoValido, "Índice de la matriz de propiedades no válido");
  }
}

void Rejilla::Cell(int32_t setting, int32_t fila, int32_t columna, std::string texto) {
  if (setting != kCeldaTexto) throw ErrorQel(kValorNoValido, "Valor de propiedad no válido");
  Verifica(fila, columna);
  Fila& celdas = filas_[static_cast<size_t>(fila)];
  // Cells are written mostly left to right: appending is the common case.
  if (celdas.empty() || celdas.back().first < columna) {
    celdas.emplace_back(columna, std::move(texto));
    return;
  }
  auto it = std::lower_bound(celdas.begin(), celdas.end(), columna,
                             [](const auto& celda, int32_t c) { return celda.first < c; });
  if (it != celdas.end() && it->first == columna) {
    it->second = std::move(texto);
  } else {
    celdas.emplace(it, columna, std::move(texto));
  }
}

const std::string& Rejilla::TextMatrix(int32_t fila, int32_t columna) const {
  Verifica(fila, columna);
  const Fila& celdas = filas_[static_cast<size_t>(fila)];
  auto it = std::lower_bound(celdas.begin(), celdas.end(), columna,
                             [](const auto& celda, int32_t c) { return celda.first < c; });
  return it != celdas.end() && it->first == columna ? it->second : Vacio();
}

}  // namespace pmq
