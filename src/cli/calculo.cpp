#include "calculo.h"

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
  if (errores_.empty()) return;
  std::fputs(errores_.c_str(), stderr);
  if (errores_.back() != '\n') std::fputc('\n', stderr);
}

int Calculo::SalidaDeResultado(int32_t resultado) {
  switch (resultado) {
    case 1:
      return 0;
    case 2:
      return 2;
    default:
      return 1;
  }
}

}  // namespace pmq::cli
