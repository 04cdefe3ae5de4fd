#pragma once

#include "model/cuerpo.h"
#include "model/entidad.h"

namespace pmq {

class Presups;
class Concepto;

/// One budget line: a concept of the catalogue in a section at a work front.
class Presup : public Entidad {
 public:
  Presup() = default;
  ~Presup() override = default;

  pmq::Presups* Presups = nullptr;
  Cuerpo Des;
  pmq::Concepto* Concepto = nullptr;
};

}  // namespace pmq
