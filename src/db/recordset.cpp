#include "db/recordset.h"

#include "common/error_qel.h"

#include <strings.h>

namespace pmq {

Recordset::Recordset(std::vector<std::string> columnas, std::vector<Valor> celdas)
    : columnas_(std::move(columnas)), celdas_(std::move(celdas)) {
  filas_ = columnas_.empty() ? 0 : static_cast<int64_t>(celdas_.size() / columnas_.size());
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

const Valor& Recordset::Fields(std::string_view columna) const {
  const int i = IndiceColumna(columna);
  if (i < 0) throw ErrorQel(errores::kCampo);
  return Fields(i);
}

const Valor& Recordset::Fields(int indice) const {
  if (estado_ != kEstadoAbierto) throw ErrorQel(errores::kConexion);
  if (indice < 0 || static_cast<size_t>(indice) >= columnas_.size())
    throw ErrorQel(errores::kCampo);
  if (fila_ < 0 || fila_ >= filas_) {
    throw ErrorQel(3021, "No hay registro actual.");
  }
  return celdas_[static_cast<size_t>(fila_) * columnas_.size() + static_cast<size_t>(indice)];
}

}  // namespace pmq
