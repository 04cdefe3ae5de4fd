#pragma once
// The analysis rows (table MATRICES) of composite concepts, read once per
// composite, or all at once when the catalogue is large, and kept in memory.

#include <promorlaqel/common/api.h>
#include <promorlaqel/db/valor.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pmq {

class Conexion;

class Concepto;

/// One row of a composite's analysis.
struct PMQ_API FilaMatriz {
  std::string Concepto;  ///< component code (CONCEPTO as text)
  Valor Cantidad;        ///< CANTIDAD as the database gave it (null fails when it is used)
  /// The catalogue concept of the component once looked up (the rows are
  /// forgotten whenever the catalogue loads again, so it cannot go stale).
  mutable pmq::Concepto* Componente = nullptr;
  mutable bool Buscado = false;  ///< true once Componente has been looked up
};

/// The analyses of composites read from one connection. Rows of a composite
/// keep the order in which the database returns them.
class PMQ_API Matrices {
 public:
  /// Catalogues with at least this many concepts read the whole table at the
  /// first composite instead of one query per composite.
  static constexpr int32_t kUmbralPrecarga = 200;

  /// The rows of the analysis of `matriz` (exact code). nullptr when the query
  /// failed (GetTabla has reported it through sErrores) or gave no record set.
  /// `conceptos_en_catalogo` decides whether the whole table is read at once.
  /// Throws what reading the rows throws (a missing column).
  const std::vector<FilaMatriz>* Filas(Conexion* conexion, const std::string& matriz,
                                       int32_t conceptos_en_catalogo, std::string& sErrores);

  /// Forgets everything read (the catalogue is being loaded again).
  void Olvida();

  /// True when the whole table is in memory.
  bool Precargada() const { return precargada_; }
  /// Number of queries sent to the database so far (whole table or one composite).
  int64_t Consultas() const { return consultas_; }

 private:
  /// Reads the whole table; false (and nothing kept) when that fails.
  bool Precarga(Conexion* conexion);

  Conexion* conexion_ = nullptr;
  bool precargada_ = false;
  bool precarga_intentada_ = false;
  int64_t consultas_ = 0;
  std::unordered_map<std::string, std::vector<FilaMatriz>> filas_;
};

}  // namespace pmq
