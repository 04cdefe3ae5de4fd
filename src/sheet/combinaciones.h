#pragma once
// The merged blocks of a worksheet. Merging the same block twice keeps one
// merge, and a block that overlaps an existing merge is not merged, so the
// workbook never holds two merges that overlap (a spreadsheet refuses such a
// file as damaged). Each row keeps the column spans merged on it, sorted, so
// finding the merge of a cell is a binary search.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pmq {

/// A merged block, 1-based and inclusive.
struct Combinacion {
  int32_t f1 = 0;
  int32_t c1 = 0;
  int32_t f2 = 0;
  int32_t c2 = 0;
  bool operator==(const Combinacion&) const = default;
};

class Combinaciones {
 public:
  /// Merges a block of more than one cell. Returns false, and changes nothing,
  /// when the block is one cell, is already merged or overlaps another merge.
  bool Combina(const Combinacion& bloque);
  /// Undoes every merge that shares a cell with the block. Returns how many.
  int32_t Separa(const Combinacion& bloque);
  /// The merge that holds a cell, or nullptr.
  const Combinacion* En(int32_t fila, int32_t columna) const;

  /// Number of merges.
  size_t Count() const { return activas_; }
  /// Calls f(merge) for every merge, in the order they were made.
  template <class F>
  void ParaCada(F&& f) const {
    for (const Combinacion& c : lista_) {
      if (c.f1 != 0) f(c);
    }
  }
  /// Drops every merge.
  void Libera();

 private:
  struct Tramo {
    int32_t c1;
    int32_t c2;
    uint32_t id;  // position in lista_
  };
  // Ids of the merges that share a cell with the block.
  std::vector<uint32_t> QueTocan(const Combinacion& bloque) const;

  std::vector<Combinacion> lista_;            // a removed merge has f1 = 0
  std::vector<std::vector<Tramo>> por_fila_;  // row - 1 → spans sorted by column
  size_t activas_ = 0;
};

}  // namespace pmq
