#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/estimates/filas_est2.h>
#include <promorlaqel/model/partida.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Obra;
class Programa;
class Conexion;

/// The budget sections of the work, in code order.
class PMQ_API Partidas : public ColeccionCargada<Partida, pmq::Obra> {
 public:
  explicit Partidas(pmq::Obra* obra) : ColeccionCargada(obra, "Partidas") {}

  /// The work that owns the sections.
  pmq::Obra* Obra() const { return Propietario(); }

  /// Loads the sections of the work in code order, each with its lines, and
  /// sets Obra.ImporteTotal to the sum of their stored amounts. 1 = loaded,
  /// 2 = a section's lines found an outdated database (later sections are not
  /// read), 0 = failed.
  ResultadoCarga Carga(Conexion* Conexion, std::string& sErrores);
  /// The root (Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;

  /// The work's EST2 rows by budget line, read once while the lines load
  /// (EstimacionesPresup::Carga) and freed when Carga ends.
  FilasEst2& Est2PorLinea() { return est2_por_linea_; }

 private:
  /// "k" + work code + section code.
  std::string Clave(const Partida& p) const override;

  FilasEst2 est2_por_linea_;
};

}  // namespace pmq
