#pragma once

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/catalogue/matrices.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion_cargada.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Programa;
class Conexion;

/// The whole concept catalogue of the project database.
class PMQ_API Conceptos : public ColeccionCargada<Concepto, pmq::Programa> {
 public:
  explicit Conceptos(pmq::Programa* programa) : ColeccionCargada(programa, "Conceptos") {}

  /// The root that owns the catalogue.
  pmq::Programa* Programa() const { return Propietario(); }

  /// Loads every concept ("select * from CONCEPTO order by TIPO, CONCEPTO").
  /// Failures are reported only through sErrores (and a message box).
  void Carga(Conexion* Conexion, std::string& sErrores);
  /// Breaks down every unit-price and integrated-indirect concept (origin
  /// itself, quantity 1, a fresh explosion that replaces the concept's own).
  /// The explosions are not priced here.
  void ExplotaConceptos(Conexion* Conexion, std::string& sErrores);
  /// The analysis rows (MATRICES) of a composite, in database order; nullptr
  /// when the query failed. Kept in memory once read; a large catalogue reads
  /// the whole table at the first composite (Matrices::kUmbralPrecarga).
  const std::vector<FilaMatriz>* FilasAnalisis(Conexion* Conexion, const std::string& codigo,
                                               std::string& sErrores);
  /// Forgets, and frees, the analysis rows read so far; a later FilasAnalisis
  /// reads them again.
  void OlvidaAnalisis() { matrices_.Olvida(); }
  /// What has been read of MATRICES.
  const Matrices& Analisis() const { return matrices_; }

 private:
  /// "k" + code.
  std::string Clave(const Concepto& c) const override { return "k" + c.Des.Clave; }

  Matrices matrices_;
};

}  // namespace pmq
