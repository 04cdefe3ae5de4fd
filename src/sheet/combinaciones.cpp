#include "sheet/combinaciones.h"

#include "sheet/crecimiento.h"

#include <algorithm>

namespace pmq {

std::vector<uint32_t> Combinaciones::QueTocan(const Combinacion& b) const {
  std::vector<uint32_t> ids;
  const int32_t ultima = std::min(b.f2, static_cast<int32_t>(por_fila_.size()));
  for (int32_t fila = b.f1; fila <= ultima; ++fila) {
    const std::vector<Tramo>& tramos = por_fila_[static_cast<size_t>(fila - 1)];
    // First span that ends at or after the block's first column.
    auto it = std::lower_bound(tramos.begin(), tramos.end(), b.c1,
                               [](const Tramo& t, int32_t c) { return t.c2 < c; });
    for (; it != tramos.end() && it->c1 <= b.c2; ++it) {
      if (std::find(ids.begin(), ids.end(), it->id) == ids.end()) ids.push_back(it->id);
    }
  }
  return ids;
}

bool Combinaciones::Combina(const Combinacion& b) {
  if (b.f1 == b.f2 && b.c1 == b.c2) return false;
  if (!QueTocan(b).empty()) return false;  // the same block again, or an overlap
  const auto id = static_cast<uint32_t>(lista_.size());
  HuecoParaUno(lista_);
  lista_.push_back(b);
  ++activas_;
  const auto filas = static_cast<size_t>(b.f2);
  if (por_fila_.size() < filas) {
    HuecoPara(por_fila_, filas);
    por_fila_.resize(filas);
  }
  for (int32_t fila = b.f1; fila <= b.f2; ++fila) {
    std::vector<Tramo>& tramos = por_fila_[static_cast<size_t>(fila - 1)];
    auto it = std::lower_bound(tramos.begin(), tramos.end(), b.c1,
                               [](const Tramo& t, int32_t c) { return t.c1 < c; });
    if (tramos.size() == tramos.capacity()) {
      const auto donde = it - tramos.begin();
      HuecoParaUno(tramos);
      it = tramos.begin() + donde;
    }
    tramos.insert(it, Tramo{b.c1, b.c2, id});
  }
  return true;
}

int32_t Combinaciones::Separa(const Combinacion& b) {
  const std::vector<uint32_t> ids = QueTocan(b);
  for (uint32_t id : ids) {
    Combinacion& c = lista_[id];
    for (int32_t fila = c.f1; fila <= c.f2; ++fila) {
      std::vector<Tramo>& tramos = por_fila_[static_cast<size_t>(fila - 1)];
      tramos.erase(
          std::remove_if(tramos.begin(), tramos.end(), [id](const Tramo& t) { return t.id == id; }),
          tramos.end());
    }
    c = Combinacion{};
    --activas_;
  }
  return static_cast<int32_t>(ids.size());
}

const Combinacion* Combinaciones::En(int32_t fila, int32_t columna) const {
  if (fila < 1 || fila > static_cast<int32_t>(por_fila_.size())) return nullptr;
  const std::vector<Tramo>& tramos = por_fila_[static_cast<size_t>(fila - 1)];
  auto it = std::lower_bound(tramos.begin(), tramos.end(), columna,
                             [](const Tramo& t, int32_t c) { return t.c2 < c; });
  if (it == tramos.end() || it->c1 > columna) return nullptr;
  return &lista_[it->id];
}

void Combinaciones::Libera() {
  std::vector<Combinacion>().swap(lista_);
  std::vector<std::vector<Tramo>>().swap(por_fila_);
  activas_ = 0;
}

}  // namespace pmq
