#include "model/partida.h"

#include "model/presups.h"
#include "schedule/filas_programa.h"

namespace pmq {

Partida::Partida() {
  Presups = std::make_unique<pmq::Presups>();
  FPro = std::make_unique<pmq::FilasPrograma>();
}

Partida::~Partida() = default;

}  // namespace pmq
