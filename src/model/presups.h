#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/model/presup.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class Partida;
class Programa;
class Conexion;
class Concepto;

/// The budget lines of one section, in their stored order.
class PMQ_API Presups {
 public:
  pmq::Partida* Partida = nullptr;

  /// Loads the section's lines in their stored order: concept, recomputed
  /// amount, breakdown, period shares and billed quantities of each. 1 =
  /// loaded, 2 = a column is missing (outdated database; the user was warned
  /// and sErrores is untouched), 0 = failed (the user was shown sErrores).
  ResultadoCarga Carga(Conexion* Conexion, std::string& sErrores);
  /// The line at a 1-based position or under its key; nullptr when none.
  Presup* Item(int64_t posicion) const { return items_.Item(posicion); }
  Presup* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of lines.
  int32_t Count() const { return items_.Count(); }
  /// The root (Partida.Partidas.Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;
  /// Appends a line under "k" + Des.Clave.
  void AddByObject(std::unique_ptr<Presup> oPresup, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  /// The text listing of a concept's breakdown, on stderr when the diagnostic
  /// output is on (environment variable PMQ_DIAGNOSTICO=1). A listing that
  /// fails is reported through sErrores; loading goes on.
  void ImprimeExplosion(pmq::Concepto* oConcepto, std::string& sErrores);

 private:
  /// Gives the line its own breakdown summaries, breaking the concept down
  /// first when no earlier line did.
  void DesglosaLinea(Conexion* Conexion, Presup& linea, std::string& sErrores);
  /// True when PMQ_DIAGNOSTICO=1.
  static bool SalidaDiagnostico();

  Coleccion<Presup> items_;
};

}  // namespace pmq
