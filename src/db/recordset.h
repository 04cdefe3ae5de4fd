#pragma once
// A static record set: the whole result of a query, read at once, so that the
// exact row count is known before the first row is read. Rows keep the order of
// the query; fields are read by column name (case-insensitive).

#include <promorlaqel/common/api.h>
#include <promorlaqel/db/valor.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

inline constexpr int kEstadoCerrado = 0;
inline constexpr int kEstadoAbierto = 1;

class PMQ_API Recordset {
 public:
  /// A record set over a finished result: `columnas` names, `celdas` row-major.
  Recordset(std::vector<std::string> columnas, std::vector<Valor> celdas);

  /// kEstadoAbierto until Close().
  int State() const { return estado_; }
  /// Exact number of rows.
  int64_t RecordCount() const { return filas_; }
  /// Goes to the first row.
  void MoveFirst() { fila_ = 0; }
  /// Goes to the next row.
  void MoveNext() { ++fila_; }
  /// True past the last row.
  bool Eof() const { return fila_ >= filas_; }
  /// Closes the record set.
  void Close() { estado_ = kEstadoCerrado; }

  /// Value of a column of the current row. Throws ErrorQel 3265 for a column
  /// the result lacks, 3021 ("No hay registro actual.") when there is no
  /// current row, 3709 when the set is closed.
  const Valor& Fields(std::string_view columna) const;
  /// Index of a column (for loops that read many rows); -1 when missing.
  int IndiceColumna(std::string_view columna) const;
  /// Value by column index in the current row.
  const Valor& Fields(int indice) const;
  /// True when the result has that column.
  bool TieneColumna(std::string_view columna) const { return IndiceColumna(columna) >= 0; }

  const std::vector<std::string>& Columnas() const { return columnas_; }

 private:
  std::vector<std::string> columnas_;
  std::vector<Valor> celdas_;
  int64_t filas_ = 0;
  int64_t fila_ = 0;
  int estado_ = kEstadoAbierto;
};

}  // namespace pmq
