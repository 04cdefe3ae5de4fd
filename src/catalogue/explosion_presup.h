#pragma once
// A budget line's breakdown summaries: its concept's summaries scaled by the
// line's quantity. The line keeps only the concept and the quantity; each
// scaled line is produced when read, so a large work's memory grows with its
// distinct concepts, not with its lines.

#include <promorlaqel/catalogue/explosion.h>
#include <promorlaqel/catalogue/resumen_presup.h>
#include <promorlaqel/common/api.h>

#include <optional>

namespace pmq {

class Concepto;

class PMQ_API ExplosionPresup {
 public:
  /// The summaries of `concepto`'s breakdown (as they are when read) scaled
  /// by `Multiplicador`; the concept must outlive this.
  ExplosionPresup(const pmq::Concepto& concepto, double Multiplicador)
      : concepto_(&concepto), multiplicador_(Multiplicador) {}

  const pmq::Concepto& Concepto() const { return *concepto_; }
  double Multiplicador() const { return multiplicador_; }

  /// A summary scaled to the line; nullopt when the concept has no breakdown,
  /// or its summary was never built or is empty.
  std::optional<ResumenPresup> ResumenDe(TipoResumen tipo) const;
  std::optional<ResumenPresup> ResumenMat() const { return ResumenDe(TipoResumen::Mat); }
  std::optional<ResumenPresup> ResumenMdo() const { return ResumenDe(TipoResumen::Mdo); }
  std::optional<ResumenPresup> ResumenMaq() const { return ResumenDe(TipoResumen::Maq); }
  std::optional<ResumenPresup> ResumenSub() const { return ResumenDe(TipoResumen::Sub); }
  std::optional<ResumenPresup> ResumenInd() const { return ResumenDe(TipoResumen::Ind); }
  /// Every summary line of the kinds in turn.
  std::optional<ResumenPresup> Resumen() const { return ResumenDe(TipoResumen::Todo); }

 private:
  const pmq::Concepto* concepto_;
  double multiplicador_;
};

}  // namespace pmq
