#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <memory>

namespace pmq {

class Presups;
class Concepto;
class Explosion;
class EstimacionesPresup;
class PeriodosPorItem;

/// One budget line: a concept of the catalogue in a section at a work front.
class PMQ_API Presup : public Entidad {
 public:
  /// Creates the descriptor, the billed quantities and the period shares.
  Presup();
  ~Presup() override;
  Presup(const Presup&) = delete;
  Presup& operator=(const Presup&) = delete;

  /// The line's own breakdown summaries, scaled to its quantity; unset unless
  /// the concept was found and concepts are broken down.
  std::unique_ptr<pmq::Explosion> Explosion;
  pmq::Presups* Presups = nullptr;
  Cuerpo Des;
  pmq::Concepto* Concepto = nullptr;  ///< nullptr when the code is not in the catalogue
  std::unique_ptr<pmq::EstimacionesPresup> EstimacionesPresup;
  std::unique_ptr<pmq::PeriodosPorItem> PeriodosPorItem;
};

}  // namespace pmq
