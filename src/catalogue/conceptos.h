#pragma once

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/catalogue/matrices.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Programa;
class Conexion;

/// The whole concept catalogue of the project database.
class PMQ_API Conceptos {
 public:
  pmq::Programa* Programa = nullptr;

  /// Loads every concept ("select * from CONCEPTO order by TIPO, CONCEPTO").
  /// Failures are reported only through sErrores (and a message box).
  void Carga(Conexion* Conexion, std::string& sErrores);
  /// The concept at a 1-based position or under "k" + code; nullptr when none.
  Concepto* Item(int64_t posicion) const { return items_.Item(posicion); }
  Concepto* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of concepts.
  int32_t Count(std::string& sErrores) const;
  int32_t Count() const { return items_.Count(); }
  /// Appends a concept under "k" + code.
  void AddByObject(std::unique_ptr<Concepto> oConcepto, std::string& sErrores);
  /// Breaks down every unit-price and integrated-indirect concept (origin
  /// itself, quantity 1, a fresh explosion that replaces the concept's own).
  /// The explosions are not priced here.
  void ExplotaConceptos(Conexion* Conexion, std::string& sErrores);
  /// The analysis rows (MATRICES) of a composite, in database order; nullptr
  /// when the query failed. Kept in memory once read; a large catalogue reads
  /// the whole table at the first composite (Matrices::kUmbralPrecarga).
  const std::vector<FilaMatriz>* FilasAnalisis(Conexion* Conexion, const std::string& codigo,
                                               std::string& sErrores);
  /// What has been read of MATRICES.
  const Matrices& Analisis() const { return matrices_; }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  Coleccion<Concepto> items_;
  Matrices matrices_;
};

}  // namespace pmq
