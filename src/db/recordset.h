#pragma once
// A static record set: the whole result of a query, read at once, so that the
// exact row count is known before the first row is read. Rows keep the order of
// the query; fields are read by column name (case-insensitive).
//
// The cells are kept typed and packed (a kind byte and eight bytes of number
// or text position per cell, the texts in one buffer), not as one value
// object each: a large work reads millions of cells, and a field is made into
// a Valor only when it is read.

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
  /// An empty record set with these columns, filled row-major by the Agrega
  /// calls of the engine that reads the result.
  explicit Recordset(std::vector<std::string> columnas);

  void AgregaNulo();
  void AgregaEntero(int64_t v);
  void AgregaDouble(double v);
  void AgregaTexto(std::string_view v);
  void Agrega(const Valor& v);
  /// Room for n more cells.
  void Reserva(size_t celdas);
  /// Gives back the room the cells' growth left unused (once filled).
  void Ajusta();

  /// A record set over some rows (`filas`, 0-based, in that order) and columns
  /// (`columnas`, by name) of `base`, sharing its cells. Throws ErrorQel 3265
  /// for a column `base` lacks.
  static std::unique_ptr<Recordset> Vista(std::shared_ptr<const Recordset> base,
                                          const std::vector<std::string>& columnas,
                                          std::vector<int64_t> filas);

  /// kEstadoAbierto until Close().
  int State() const { return estado_; }
  /// Exact number of rows.
  int64_t RecordCount() const { return Filas(); }
  /// Goes to the first row.
  void MoveFirst() { fila_ = 0; }
  /// Goes to the next row.
  void MoveNext() { ++fila_; }
  /// True past the last row.
  bool Eof() const { return fila_ >= Filas(); }
  /// Closes the record set.
  void Close() { estado_ = kEstadoCerrado; }

  /// Value of a column of the current row. Throws ErrorQel 3265 for a column
  /// the result lacks, 3021 ("No hay registro actual.") when there is no
  /// current row, 3709 when the set is closed.
  Valor Fields(std::string_view columna) const;
  /// Index of a column (for loops that read many rows); -1 when missing.
  int IndiceColumna(std::string_view columna) const;
  /// Value by column index in the current row.
  Valor Fields(int indice) const;
  /// True when the result has that column.
  bool TieneColumna(std::string_view columna) const { return IndiceColumna(columna) >= 0; }

  const std::vector<std::string>& Columnas() const { return columnas_; }

 private:
  // The packed cells of a result, shared by the views over it, in blocks of
  // kBloque cells and of at least kBloqueTexto bytes of text: a large result
  // (a work's estimate rows, hundreds of thousands) grows without copying
  // itself and keeps no unused room but its last block's; a small one takes
  // one small block.
  static constexpr size_t kBloque = size_t{1} << 16;
  static constexpr size_t kBloqueTexto = size_t{1} << 20;
  struct Celdas {
    std::vector<std::vector<uint8_t>> tipos;   // kind of each cell
    std::vector<std::vector<uint64_t>> datos;  // number bits, or where the text is
    std::vector<std::string> textos;           // each text as its 4-byte length, then its bytes
    size_t cuenta = 0;                         // cells
  };
  /// Appends a cell of a kind with its data.
  void Pon(uint8_t tipo, uint64_t dato);

  int64_t Filas() const {
    if (vista_) return static_cast<int64_t>(filas_vista_.size());
    return columnas_.empty() ? 0 : static_cast<int64_t>(celdas_->cuenta / columnas_.size());
  }
  Valor Celda(size_t posicion) const;

  std::vector<std::string> columnas_;
  std::shared_ptr<Celdas> celdas_;
  // A view reads row filas_vista_[fila_] and column mapa_[indice] of a base
  // with ancho_ columns.
  bool vista_ = false;
  std::vector<int64_t> filas_vista_;
  std::vector<int> mapa_;
  size_t ancho_ = 0;
  int64_t fila_ = 0;
  int estado_ = kEstadoAbierto;
};

}  // namespace pmq
