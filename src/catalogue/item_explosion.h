#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/common/texto_ocasional.h>

namespace pmq {

class Explosion;
class Concepto;

/// One line of a breakdown (an input reached from a concept) or of one of its
/// summaries. Every line is owned by an Explosion; the fields only refer.
class PMQ_API ItemExplosion {
 public:
  pmq::Explosion* Explosion =
      nullptr;                        ///< the explosion that made the line (empty in summary lines)
  pmq::Concepto* Concepto = nullptr;  ///< the input concept
  pmq::Concepto* ConceptoOrigen =
      nullptr;               ///< the composite that listed the input (empty in summaries)
  double Cantidad = 0;       ///< quantity of the input
  double CantidadAlt = 0;    ///< Cantidad in the commercial unit
  TextoOcasional UnidadAlt;  ///< carried along; never filled by the library
  Moneda Parcial;            ///< amount of the line
  // The two flags sit together at the end: a large work holds millions of lines.
  bool EsInsumoMaquina = false;  ///< reached through a machine's hourly cost analysis
  bool Resumido = false;         ///< merged into a summary line opened by an earlier line
};

}  // namespace pmq
