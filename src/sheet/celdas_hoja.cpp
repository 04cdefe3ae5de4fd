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

// The first of a row's runs (sorted by column) that ends at or after a column.
template <class Tramos>
auto TramoDesde(Tramos& t, int32_t columna) {
  return std::lower_bound(t.begin(), t.end(), columna,
                          [](const auto& x, int32_t c) { return x.c2 < c; });
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
  auto it = f.end();
  if (!f.empty() && f.back().columna >= columna) {
    it = std::lower_bound(f.begin(), f.end(), columna, ColumnaMenor);
    if (it != f.end() && it->columna == columna) return *it;
  }
  // A blank cell of a run is stored with its format; it was counted already.
  const int64_t de_tramo = SacaDeTramo(fila, columna);
  const auto posicion = it - f.begin();
  HuecoParaUno(f);
  it = f.emplace(f.begin() + posicion);
  it->columna = static_cast<uint16_t>(columna);
  if (de_tramo >= 0) {
    it->formato = static_cast<uint32_t>(de_tramo);
  } else {
    ++cuenta_;
  }
  return *it;
}

uint32_t CeldasHoja::FormatoEn(int32_t fila, int32_t columna) const {
  if (const Celda* celda = Busca(fila, columna)) return celda->formato;
  if (fila < 1 || fila > static_cast<int32_t>(tramos_.size())) return 0;
  const std::vector<Tramo>& t = tramos_[static_cast<size_t>(fila - 1)];
  auto it = TramoDesde(t, columna);
  return it != t.end() && it->c1 <= columna ? it->formato : 0;
}

void CeldasHoja::PonFormato(int32_t fila, int32_t columna, uint32_t formato) {
  if (Celda* celda = Busca(fila, columna)) {
    celda->formato = formato;
    return;
  }
  if (fila > UltimaFila()) filas_.resize(static_cast<size_t>(fila));
  if (fila > static_cast<int32_t>(tramos_.size())) {
    HuecoPara(tramos_, static_cast<size_t>(fila));
    tramos_.resize(static_cast<size_t>(fila));
  }
  if (SacaDeTramo(fila, columna) < 0) ++cuenta_;
  // The column joins the run of the same format beside it, or starts one.
  std::vector<Tramo>& t = tramos_[static_cast<size_t>(fila - 1)];
  const auto c = static_cast<uint16_t>(columna);
  auto it = TramoDesde(t, columna);
  const bool izquierda =
      it != t.begin() && (it - 1)->c2 + 1 == columna && (it - 1)->formato == formato;
  const bool derecha = it != t.end() && it->c1 == columna + 1 && it->formato == formato;
  if (izquierda && derecha) {
    (it - 1)->c2 = it->c2;
    t.erase(it);
  } else if (izquierda) {
    (it - 1)->c2 = c;
  } else if (derecha) {
    it->c1 = c;
  } else {
    const auto posicion = it - t.begin();
    HuecoParaUno(t);
    t.insert(t.begin() + posicion, Tramo{c, c, formato});
  }
}

int64_t CeldasHoja::SacaDeTramo(int32_t fila, int32_t columna) {
  if (fila < 1 || fila > static_cast<int32_t>(tramos_.size())) return -1;
  std::vector<Tramo>& t = tramos_[static_cast<size_t>(fila - 1)];
  auto it = TramoDesde(t, columna);
  if (it == t.end() || it->c1 > columna) return -1;
  const uint32_t formato = it->formato;
  const auto c = static_cast<uint16_t>(columna);
  if (it->c1 == it->c2) {
    t.erase(it);
  } else if (it->c1 == c) {
    ++it->c1;
  } else if (it->c2 == c) {
    --it->c2;
  } else {
    // The run splits in two around the column.
    const Tramo derecha{static_cast<uint16_t>(c + 1), it->c2, formato};
    it->c2 = static_cast<uint16_t>(c - 1);
    const auto posicion = it - t.begin() + 1;
    HuecoParaUno(t);
    t.insert(t.begin() + posicion, derecha);
  }
  return formato;
}

void CeldasHoja::Guarda(int32_t fila, int32_t c1, int32_t c2) {
  if (fila < 1 || fila > static_cast<int32_t>(tramos_.size())) return;
  const std::vector<Tramo>& t = tramos_[static_cast<size_t>(fila - 1)];
  if (t.empty()) return;
  std::vector<int32_t> columnas;
  for (const Tramo& x : t) {
    for (int32_t c = std::max<int32_t>(x.c1, c1); c <= std::min<int32_t>(x.c2, c2); ++c)
      columnas.push_back(c);
  }
  for (int32_t c : columnas) Obtiene(fila, c);
}

int32_t CeldasHoja::UltimaColumna(int32_t fila) const {
  int32_t ultima = Fila(fila).empty() ? 0 : Fila(fila).back().columna;
  if (fila >= 1 && fila <= static_cast<int32_t>(tramos_.size()) &&
      !tramos_[static_cast<size_t>(fila - 1)].empty()) {
    ultima = std::max<int32_t>(ultima, tramos_[static_cast<size_t>(fila - 1)].back().c2);
  }
  return ultima;
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
  std::vector<std::vector<Tramo>>().swap(tramos_);
  std::vector<std::string>().swap(textos_);
  std::vector<double>().swap(resultados_);
  std::vector<uint32_t>().swap(libres_);
  cuenta_ = 0;
  ++version_;
}

}  // namespace pmq
