#include "db/recordset.h"

#include "common/error_qel.h"

#include <strings.h>

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
  celdas_->tipos.reserve(celdas_->tipos.size() + celdas);
  celdas_->datos.reserve(celdas_->datos.size() + celdas);
}

void Recordset::Ajusta() {
  celdas_->tipos.shrink_to_fit();
  celdas_->datos.shrink_to_fit();
  celdas_->textos.shrink_to_fit();
}

void Recordset::AgregaNulo() {
  celdas_->tipos.push_back(kNulo);
  celdas_->datos.push_back(0);
}

void Recordset::AgregaEntero(int64_t v) {
  celdas_->tipos.push_back(kEntero);
  celdas_->datos.push_back(static_cast<uint64_t>(v));
}

void Recordset::AgregaDouble(double v) {
  celdas_->tipos.push_back(kDouble);
  celdas_->datos.push_back(std::bit_cast<uint64_t>(v));
}

void Recordset::AgregaTexto(std::string_view v) {
  std::string& textos = celdas_->textos;
  const uint32_t largo = static_cast<uint32_t>(v.size());
  const size_t inicio = textos.size();
  textos.append(reinterpret_cast<const char*>(&largo), sizeof largo);
  textos.append(v);
  celdas_->tipos.push_back(kTexto);
  celdas_->datos.push_back(inicio);
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
  const uint64_t dato = celdas_->datos[posicion];
  switch (celdas_->tipos[posicion]) {
    case kEntero:
      return Valor(static_cast<int64_t>(dato));
    case kDouble:
      return Valor(std::bit_cast<double>(dato));
    case kTexto: {
      uint32_t largo = 0;
      const char* inicio = celdas_->textos.data() + dato;
      std::memcpy(&largo, inicio, sizeof largo);
      return Valor(std::string(inicio + sizeof largo, largo));
    }
    default:
      return Valor();
  }
}

}  // namespace pmq
