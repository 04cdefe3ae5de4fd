#pragma once

#include "common/enumeraciones.h"
#include "model/cuerpo.h"
#include "model/entidad.h"

#include <string>

namespace pmq {

class Conceptos;
class CostoHorario;

/// One concept of the catalogue: a basic input or a composite with its analysis.
class Concepto : public Entidad {
 public:
  Concepto() = default;
  ~Concepto() override = default;

  pmq::Conceptos* Conceptos = nullptr;
  Cuerpo Des;
  enumTipoConcepto Tipo = enumTipoConcepto::Ninguno;
  std::string CMaquina;
  int TipoCostoHorario = 0;  ///< enumTipoCostoHorario value, 0 when the database gives none
  pmq::CostoHorario* CostoHorario = nullptr;  ///< the machine's analysis, once broken down
};

}  // namespace pmq
