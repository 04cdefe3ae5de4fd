#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/schedule/fila_programa.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class Entidad;
class Presup;

/// The totals rows of a work or of a budget section, under text keys.
class PMQ_API FilasPrograma {
 public:
  Entidad* Parent = nullptr;  ///< the owning work or section; not set by the library

  /// Creates a row under `key` and returns it. A key already present appends
  /// "ProMorlaQel.FilaPrograma.Add() arrojó la excepción # 457 …" and returns nullptr.
  FilaPrograma* Add(std::string_view key, std::string& sErrores);
  /// The row at a 1-based position or under its key (case-insensitive); nullptr when none.
  FilaPrograma* Item(int64_t posicion) const { return filas_.Item(posicion); }
  FilaPrograma* Item(std::string_view clave) const { return filas_.Item(clave); }
  /// Number of rows.
  int32_t Count() const { return filas_.Count(); }

  /// Empties every row and gives it `periodos` zero amounts.
  void Inicia(int32_t periodos);
  /// Adds a budget line: its shares' amounts to "kTotal", and the amount of
  /// each resource kind in its breakdown summaries ("kTotalMateriales",
  /// "kTotalManoDeObra", "kTotalMaquinaria", "kTotalSubcontratos"), spread
  /// over its days like the shares (`cuadrar`: the last worked period takes
  /// the rounding). Rows the set lacks are skipped.
  void Suma(const Presup& linea, bool cuadrar);
  /// Adds every row of another set to the row of the same key.
  void Suma(const FilasPrograma& otras);
  /// Sets "kTotalAcumulado" to the running sum of "kTotal".
  void Acumula();

  auto begin() const { return filas_.begin(); }
  auto end() const { return filas_.end(); }

 private:
  Coleccion<FilaPrograma> filas_;
};

}  // namespace pmq
