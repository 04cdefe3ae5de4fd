#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/model/cuerpo.h>

#include <string>

namespace pmq {

/// The descriptor of an estimate line: the four fields the loader fills. The
/// other fields of a `Cuerpo` are always empty for an estimate line, and a
/// large work holds hundreds of thousands of lines, so the line keeps only
/// these and gives the whole record when asked (`Completo`, or wherever a
/// `Cuerpo` is expected).
class PMQ_API CuerpoEstimacion {
 public:
  std::string Clave;
  Moneda Costo;
  double Cantidad = 0;
  Moneda Importe;

  /// The whole descriptor record: these four fields, every other one empty.
  Cuerpo Completo() const {
    Cuerpo c;
    c.Clave = Clave;
    c.Costo = Costo;
    c.Cantidad = Cantidad;
    c.Importe = Importe;
    return c;
  }
  operator Cuerpo() const { return Completo(); }  // NOLINT: a line's Des reads as a Cuerpo
};

}  // namespace pmq
