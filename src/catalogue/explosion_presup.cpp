#include "catalogue/explosion_presup.h"

#include "catalogue/concepto.h"
#include "catalogue/explosion.h"

namespace pmq {

std::optional<ResumenPresup> ExplosionPresup::ResumenDe(TipoResumen tipo) const {
  const pmq::Explosion* e = concepto_->Explosion.get();
  if (e == nullptr) return std::nullopt;
  if (e->ResumenesCompactos()) {
    const std::span<const Explosion::LineaResumen> compactas = e->ResumenCompacto(tipo);
    if (compactas.empty()) return std::nullopt;
    return ResumenPresup(compactas, multiplicador_);
  }
  const ResumenExplosion* r = nullptr;
  switch (tipo) {
    case TipoResumen::Mat:
      r = &e->ResumenMat;
      break;
    case TipoResumen::Mdo:
      r = &e->ResumenMdo;
      break;
    case TipoResumen::Maq:
      r = &e->ResumenMaq;
      break;
    case TipoResumen::Sub:
      r = &e->ResumenSub;
      break;
    case TipoResumen::Ind:
      r = &e->ResumenInd;
      break;
    case TipoResumen::Todo:
      r = &e->Resumen;
      break;
  }
  // An empty summary gives a line nothing to scale: it has none, as a missing one.
  if (r == nullptr || !*r || (*r)->empty()) return std::nullopt;
  return ResumenPresup(**r, multiplicador_);
}

}  // namespace pmq
