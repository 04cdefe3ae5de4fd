#pragma once
// The descriptor record carried as `Des` by the work, sections, lines,
// concepts, hourly costs, estimates and estimate lines.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>

#include <string>

namespace pmq {

class Entidad;

class PMQ_API Cuerpo {
 public:
  Entidad* Parent = nullptr;  ///< the entity that carries this record (sections and lines only)
  std::string Clave;
  std::string Referencia;
  std::string Descripcion;
  std::string Unidad;
  Moneda Costo;
  double Cantidad = 0;
  Moneda Importe;
  pmq::Fecha Inicio;
  pmq::Fecha Final;
  std::string UnidadAlt;
  double FactorConversion = 0;
  double FSR = 0;
  std::string Actividad;
  pmq::Fecha Fecha;
  std::string Frente;
  std::string Enca1;
  std::string Enca2;
  std::string Enca3;
  std::string DescripcionLarga;
  double Aditiva = 0;
  double Deductiva = 0;

  /// The line's amount as a percentage of its section's amount, "###,##0.000".
  /// "#DivByZero" without Parent; "" and a message when Parent is not a line.
  std::string PorcentajePartida(std::string& sErrores) const;
  /// The line's amount as a percentage of the work's total, general number
  /// text; "" when the total is 0; "#DivByZero" without Parent.
  std::string PorcentajePresupuesto(std::string& sErrores) const;
};

}  // namespace pmq
