#include "sheet/celdas_hoja.h"

#include "sheet/crecimiento.h"

#include <algorithm>

namespace pmq {
namespace {

const std::vector<Celda>& FilaVacia() {
  static const std::vector<Celda> vacia;
  return vacia;
}

bool ColumnaMenor(const Celda& c, int32_t columna) {
  return c.columna < columna;
}

}  // namespace

const Celda* CeldasHoja::Busca(int32_t fila, int32_t columna) const {
  if (fila < 1 || fila > UltimaFila()) return nullptr;
  const std::vector<Celda>& f = filas_[static_cast<size_t>(fila - 1)];
  auto it = std::lower_bound(f.begin(), f.end(), columna, ColumnaMenor);
  return it != f.end() && it->columna == columna ? &*it : nullptr;
}

Celda* CeldasHoja::Busca(int32_t fila, int32_t columna) {
  return const_cast<Celda*>(static_cast<const CeldasHoja*>(this)->Busca(fila, columna));
}

Celda& CeldasHoja::Obtiene(int32_t fila, int32_t columna) {
  if (fila > UltimaFila()) filas_.resize(static_cast<size_t>(fila));
  std::vector<Celda>& f = filas_[static_cast<size_t>(fila - 1)];
  // Reports write rows left to right: appending is the common case.
  if (f.empty() || f.back().columna < columna) {
    HuecoParaUno(f);
    f.emplace_back().columna = static_cast<uint16_t>(columna);
    ++cuenta_;
    return f.back();
  }
  auto it = std::lower_bound(f.begin(), f.end(), columna, ColumnaMenor);
  if (it != f.end() && it->columna == columna) return *it;
  const auto posicion = it - f.begin();
  HuecoParaUno(f);
  it = f.emplace(f.begin() + posicion);
  it->columna = static_cast<uint16_t>(columna);
  ++cuenta_;
  return *it;
}

uint32_t CeldasHoja::GuardaTexto(std::string_view texto) {
  if (!libres_.empty()) {
    const uint32_t n = libres_.back();
    libres_.pop_back();
    textos_[n].assign(texto);
    return n;
  }
  textos_.emplace_back(texto);
  return static_cast<uint32_t>(textos_.size() - 1);
}

void CeldasHoja::SueltaTexto(Celda& celda) {
  if (celda.tipo == TipoCelda::kTexto || celda.tipo == TipoCelda::kFormula) {
    textos_[celda.texto].clear();
    textos_[celda.texto].shrink_to_fit();
    libres_.push_back(celda.texto);
  }
  celda.texto = 0;
  celda.tipo = TipoCelda::kVacia;
  celda.estado = 0;
  celda.error = 0;
  celda.numero = 0;
  ++version_;
}

void CeldasHoja::PonTexto(Celda& celda, std::string_view texto) {
  if (celda.tipo == TipoCelda::kTexto || celda.tipo == TipoCelda::kFormula) {
    textos_[celda.texto].assign(texto);
    celda.tipo = TipoCelda::kTexto;
    celda.estado = 0;
    celda.error = 0;
    ++version_;
    return;
  }
  SueltaTexto(celda);
  celda.texto = GuardaTexto(texto);
  celda.tipo = TipoCelda::kTexto;
}

void CeldasHoja::PonFormula(Celda& celda, std::string_view formula) {
  PonTexto(celda, formula);
  celda.tipo = TipoCelda::kFormula;
  if (resultados_.size() < textos_.size()) resultados_.resize(textos_.size());
  resultados_[celda.texto] = 0;
}

double CeldasHoja::Resultado(const Celda& celda) const {
  if (celda.tipo != TipoCelda::kFormula || celda.texto >= resultados_.size()) return 0;
  return resultados_[celda.texto];
}

void CeldasHoja::PonResultado(Celda& celda, double valor) {
  if (celda.tipo == TipoCelda::kFormula && celda.texto < resultados_.size())
    resultados_[celda.texto] = valor;
}

void CeldasHoja::PonNumero(Celda& celda, double valor) {
  SueltaTexto(celda);
  celda.tipo = TipoCelda::kNumero;
  celda.numero = valor;
}

void CeldasHoja::PonEntero(Celda& celda, int64_t valor) {
  SueltaTexto(celda);
  celda.tipo = TipoCelda::kEntero;
  celda.entero = valor;
}

void CeldasHoja::PonMoneda(Celda& celda, Moneda valor) {
  SueltaTexto(celda);
  celda.tipo = TipoCelda::kMoneda;
  celda.entero = valor.Unidades();
}

void CeldasHoja::Vacia(Celda& celda) {
  SueltaTexto(celda);
}

const std::string& CeldasHoja::Texto(const Celda& celda) const {
  static const std::string vacio;
  if (celda.tipo != TipoCelda::kTexto && celda.tipo != TipoCelda::kFormula) return vacio;
  return textos_[celda.texto];
}

const std::vector<Celda>& CeldasHoja::Fila(int32_t fila) const {
  if (fila < 1 || fila > UltimaFila()) return FilaVacia();
  return filas_[static_cast<size_t>(fila - 1)];
}

std::vector<Celda>& CeldasHoja::Fila(int32_t fila) {
  if (fila > UltimaFila()) filas_.resize(static_cast<size_t>(fila));
  return filas_[static_cast<size_t>(fila - 1)];
}

void CeldasHoja::Libera() {
  std::vector<std::vector<Celda>>().swap(filas_);
  std::vector<std::string>().swap(textos_);
  std::vector<double>().swap(resultados_);
  std::vector<uint32_t>().swap(libres_);
  cuenta_ = 0;
  ++version_;
}

}  // namespace pmq
