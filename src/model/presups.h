#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>
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
class PMQ_API Presups : public ColeccionCargada<Presup, pmq::Partida> {
 public:
  explicit Presups(pmq::Partida* partida) : ColeccionCargada(partida, "Presups") {}

  /// The section that owns the lines.
  pmq::Partida* Partida() const { return Propietario(); }

  /// Loads the section's lines in their stored order: concept, recomputed
  /// amount, breakdown, period shares and billed quantities of each. 1 =
  /// loaded, 2 = a column is missing (outdated database; the user was warned
  /// and sErrores is untouched), 0 = failed (the user was shown sErrores).
  ResultadoCarga Carga(Conexion* Conexion, std::string& sErrores);
  /// The root (Partida.Partidas.Obra.Programa); nullptr, reported, for the
  /// lines of a section that is in no list.
  pmq::Programa* Programa(std::string& sErrores) const;

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

  /// "k" + Des.Clave.
  std::string Clave(const Presup& p) const override { return "k" + p.Des.Clave; }
};

}  // namespace pmq
