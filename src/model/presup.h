#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <memory>

namespace pmq {

class Presups;
class Concepto;
class ExplosionPresup;
class EstimacionesPresup;
class PeriodosPorItem;

/// One budget line: a concept of the catalogue in a section at a work front.
class PMQ_API Presup : public Entidad {
 public:
  /// Creates the descriptor, the billed quantities and the period shares;
  /// `presups` is the list that holds the line (none for a line on its own).
  explicit Presup(pmq::Presups* presups = nullptr);
  ~Presup() override;
  Presup(const Presup&) = delete;
  Presup& operator=(const Presup&) = delete;

  /// The line's own breakdown summaries, its concept's scaled to its quantity;
  /// unset unless the concept was found and concepts are broken down.
  std::unique_ptr<pmq::ExplosionPresup> Explosion;
  pmq::Presups* Presups = nullptr;
  Cuerpo Des;
  pmq::Concepto* Concepto = nullptr;  ///< nullptr when the code is not in the catalogue
  std::unique_ptr<pmq::EstimacionesPresup> EstimacionesPresup;
  std::unique_ptr<pmq::PeriodosPorItem> PeriodosPorItem;
};

}  // namespace pmq
