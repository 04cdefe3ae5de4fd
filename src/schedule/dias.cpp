#include "schedule/dias.h"

#include "common/error_qel.h"

#include <algorithm>
#include <limits>

namespace pmq {

const Dias::Marcas& Dias::Marcadores() const {
  std::call_once(hechas_, [this] {
    marcas_ = std::make_unique<Marcas>();
    marcas_->marcado = Dia{const_cast<Dias*>(this), true};
    marcas_->vacio = Dia{const_cast<Dias*>(this), false};
  });
  return *marcas_;
}

void Dias::Crece(int32_t n) {
  if (n <= 0) return;
  if (n > std::numeric_limits<int32_t>::max() - count_) throw ErrorQel(errores::kDesbordamiento);
  const auto antes = (static_cast<size_t>(count_) + 63) / 64;
  const auto palabras = (static_cast<size_t>(count_) + n + 63) / 64;
  if (palabras > 1 && palabras > antes) {
    // Exactly the words needed: a list grows by a word every 64 days.
    auto resto = std::make_unique<uint64_t[]>(palabras - 1);
    if (antes > 1) std::copy(resto_.get(), resto_.get() + (antes - 1), resto.get());
    resto_ = std::move(resto);
  }
  count_ += n;
}

void Dias::PonBits(uint32_t desde, uint32_t hasta) {
  for (uint32_t p = desde / 64; p <= hasta / 64; ++p) {
    const uint32_t bajo = p == desde / 64 ? desde % 64 : 0;
    const uint32_t alto = p == hasta / 64 ? hasta % 64 : 63;
    const uint64_t unos =
        alto - bajo == 63 ? ~uint64_t{0} : ((uint64_t{1} << (alto - bajo + 1)) - 1);
    Palabra(p) |= unos << bajo;
  }
}

void Dias::Add(Dia& oDia, std::string& sErrores) {
  Protege(sErrores, "Dias", "Add", [&] {
    oDia.Dias = this;
    AgregaDias(1, oDia.Barra ? 1 : 0, oDia.Barra ? 1 : -1);
  });
}

void Dias::AgregaDias(int32_t n, int32_t desde, int32_t hasta) {
  if (n <= 0) return;
  const int32_t base = count_;
  Crece(n);
  if (desde < 1) desde = 1;
  if (hasta > n) hasta = n;
  if (hasta < desde) return;
  PonBits(static_cast<uint32_t>(base + desde - 1), static_cast<uint32_t>(base + hasta - 1));
}

std::string Dias::Texto() const {
  std::string texto(static_cast<size_t>(count_), '0');
  for (int32_t i = 1; i <= count_; ++i) {
    if (Barra(i)) texto[static_cast<size_t>(i - 1)] = '1';
  }
  return texto;
}

}  // namespace pmq
