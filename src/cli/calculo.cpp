#include "calculo.h"

#include <promorlaqel/model/obra.h>
#include "opciones_comunes.h"

#include <fmt/format.h>

#include <cstdio>

namespace pmq::cli {

Calculo::Calculo(const OpcionesComunes& opciones) : programa_(std::make_unique<Programa>()) {
  opciones.Aplica(*programa_);
}

int32_t Calculo::Calcula() {
  resultado_ = static_cast<int32_t>(programa_->CalcularPrograma(errores_));
  return resultado_;
}

void Calculo::MuestraErrores() const {
  if (!errores_.empty()) {
    std::fputs(errores_.c_str(), stderr);
    if (errores_.back() != '\n') std::fputc('\n', stderr);
  }
  if (!ObraExiste()) {
    fmt::print(stderr, "promorlaqel: La obra {} no existe\n", programa_->ClaveObra);
  }
}

bool Calculo::ObraExiste() const {
  // Only a calculation that ran to its end knows; a failed one says why itself.
  return resultado_ != 1 || programa_->Obra->Encontrada;
}

int Calculo::Salida() const {
  if (resultado_ == 0 || !ObraExiste()) return 1;
  if (resultado_ == 2) return 2;
  return errores_.empty() ? 0 : 3;
}

}  // namespace pmq::cli
