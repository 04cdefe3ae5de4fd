#include "model/partida.h"

#include "model/presups.h"
#include "schedule/filas_programa.h"

namespace pmq {

Partida::Partida(pmq::Partidas* partidas) : Partidas(partidas) {
  Presups = std::make_unique<pmq::Presups>(this);
  FPro = std::make_unique<pmq::FilasPrograma>();
  std::string sin_errores;
  for (const char* fila : {"kTotalMateriales", "kTotalManoDeObra", "kTotalMaquinaria",
                           "kTotalSubcontratos", "kTotal", "kTotalAcumulado"}) {
    FPro->Add(fila, sin_errores);
  }
}

Partida::~Partida() = default;

}  // namespace pmq
