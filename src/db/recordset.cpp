#include "db/recordset.h"

#include "common/error_qel.h"

#include <strings.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace pmq {
namespace {

enum Tipo : uint8_t { kNulo, kEntero, kDouble, kTexto };

}  // namespace

Recordset::Recordset(std::vector<std::string> columnas)
    : columnas_(std::move(columnas)), celdas_(std::make_shared<Celdas>()) {
  ancho_ = columnas_.size();
}

Recordset::Recordset(std::vector<std::string> columnas, std::vector<Valor> celdas)
    : Recordset(std::move(columnas)) {
  // Whole rows only, as the count of rows always was.
  const size_t completas = ancho_ == 0 ? 0 : celdas.size() / ancho_ * ancho_;
  Reserva(completas);
  for (size_t i = 0; i < completas; ++i) Agrega(celdas[i]);
}

void Recordset::Reserva(size_t celdas) {
  // Room in the first block; the blocks after it take theirs as each starts.
  Celdas& c = *celdas_;
  if (celdas == 0) return;
  if (c.tipos.empty()) {
    c.tipos.emplace_back();
    c.datos.emplace_back();
  }
  if (c.tipos.size() == 1) {
    const size_t n = std::min(c.tipos[0].size() + celdas, kBloque);
    c.tipos[0].reserve(n);
    c.datos[0].reserve(n);
  }
}

void Recordset::Ajusta() {
  Celdas& c = *celdas_;
  if (!c.tipos.empty()) c.tipos.back().shrink_to_fit();
  if (!c.datos.empty()) c.datos.back().shrink_to_fit();
  if (!c.textos.empty()) c.textos.back().shrink_to_fit();
}

void Recordset::Pon(uint8_t tipo, uint64_t dato) {
  Celdas& c = *celdas_;
  if (c.tipos.empty() || c.tipos.back().size() == kBloque) {
    // A block after the first is made whole at once; the first grows as
    // needed, so that a small result stays small.
    const size_t sitio = c.tipos.empty() ? 0 : kBloque;
    c.tipos.emplace_back().reserve(sitio);
    c.datos.emplace_back().reserve(sitio);
  }
  c.tipos.back().push_back(tipo);
  c.datos.back().push_back(dato);
  ++c.cuenta;
}

void Recordset::AgregaNulo() {
  Pon(kNulo, 0);
}

void Recordset::AgregaEntero(int64_t v) {
  Pon(kEntero, static_cast<uint64_t>(v));
}

void Recordset::AgregaDouble(double v) {
  Pon(kDouble, std::bit_cast<uint64_t>(v));
}

void Recordset::AgregaTexto(std::string_view v) {
  std::vector<std::string>& textos = celdas_->textos;
  const uint32_t largo = static_cast<uint32_t>(v.size());
  const size_t ocupa = sizeof largo + v.size();
  // A text never spans two blocks; the first block grows as needed.
  const bool cabe = !textos.empty() && textos.back().size() + ocupa <= textos.back().capacity();
  const bool crece = textos.size() == 1 && textos.back().size() + ocupa <= kBloqueTexto;
  if (textos.empty() || (!cabe && !crece)) {
    const bool primero = textos.empty();
    textos.emplace_back().reserve(primero ? 0 : std::max(kBloqueTexto, ocupa));
  }
  std::string& bloque = textos.back();
  // Where the text is: its block in the high half, its start in the low one.
  const uint64_t donde = (static_cast<uint64_t>(textos.size() - 1) << 32) | bloque.size();
  bloque.append(reinterpret_cast<const char*>(&largo), sizeof largo);
  bloque.append(v);
  Pon(kTexto, donde);
}

void Recordset::Agrega(const Valor& v) {
  if (v.EsNulo()) {
    AgregaNulo();
  } else if (v.EsEntero()) {
    AgregaEntero(v.Entero());
  } else if (v.EsDouble()) {
    AgregaDouble(v.Double());
  } else {
    AgregaTexto(*v.TextoCrudo());
  }
}

std::unique_ptr<Recordset> Recordset::Vista(std::shared_ptr<const Recordset> base,
                                            const std::vector<std::string>& columnas,
                                            std::vector<int64_t> filas) {
  auto vista = std::unique_ptr<Recordset>(new Recordset(columnas));
  for (const std::string& c : columnas) {
    const int i = base->IndiceColumna(c);
    if (i < 0) throw ErrorQel(errores::kCampo);
    vista->mapa_.push_back(base->vista_ ? base->mapa_[static_cast<size_t>(i)] : i);
  }
  if (base->vista_) {
    for (int64_t& f : filas) f = base->filas_vista_[static_cast<size_t>(f)];
  }
  vista->celdas_ = base->celdas_;
  vista->ancho_ = base->ancho_;
  vista->vista_ = true;
  vista->filas_vista_ = std::move(filas);
  return vista;
}

int Recordset::IndiceColumna(std::string_view columna) const {
  for (size_t i = 0; i < columnas_.size(); ++i) {
    const std::string& c = columnas_[i];
    if (c.size() == columna.size() && strncasecmp(c.data(), columna.data(), c.size()) == 0) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

Valor Recordset::Fields(std::string_view columna) const {
  const int i = IndiceColumna(columna);
  if (i < 0) throw ErrorQel(errores::kCampo);
  return Fields(i);
}

Valor Recordset::Fields(int indice) const {
  if (estado_ != kEstadoAbierto) throw ErrorQel(errores::kConexion);
  if (indice < 0 || static_cast<size_t>(indice) >= columnas_.size())
    throw ErrorQel(errores::kCampo);
  if (fila_ < 0 || fila_ >= Filas()) {
    throw ErrorQel(3021, "No hay registro actual.");
  }
  if (vista_) {
    return Celda(static_cast<size_t>(filas_vista_[static_cast<size_t>(fila_)]) * ancho_ +
                 static_cast<size_t>(mapa_[static_cast<size_t>(indice)]));
  }
  return Celda(static_cast<size_t>(fila_) * ancho_ + static_cast<size_t>(indice));
}

Valor Recordset::Celda(size_t posicion) const {
  const size_t bloque = posicion / kBloque;
  const size_t dentro = posicion % kBloque;
  const uint64_t dato = celdas_->datos[bloque][dentro];
  switch (celdas_->tipos[bloque][dentro]) {
    case kEntero:
      return Valor(static_cast<int64_t>(dato));
    case kDouble:
      return Valor(std::bit_cast<double>(dato));
    case kTexto: {
      uint32_t largo = 0;
      const char* inicio = celdas_->textos[dato >> 32].data() + (dato & 0xFFFFFFFFU);
      std::memcpy(&largo, inicio, sizeof largo);
      return Valor(std::string(inicio + sizeof largo, largo));
    }
    default:
      return Valor();
  }
}

}  // namespace pmq
