#pragma once
// The plain-text listing of a concept's breakdown for diagnostic output.

#include <promorlaqel/common/api.h>
#include <iosfwd>

namespace pmq {

class Concepto;

/// Writes the listing of oConcepto.Explosion: a title with the concept's code,
/// description and unit, the volume and the piecework per unit; one row per
/// breakdown line (origin, concept, quantity, commercial quantity, amount, "*"
/// for machine inputs) under a heading; then the totals by kind. A concept
/// without explosion gives the single line "<code> NO TIENE EXPLOSION!!!".
/// Throws on failure.
PMQ_API void EscribeExplosion(const Concepto& oConcepto, std::ostream& salida);

}  // namespace pmq
