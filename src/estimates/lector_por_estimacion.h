#pragma once
// Visits the rows of an EST1 or EST2 record set in ascending numeric order of
// their estimate number. The column is numeric in the shipped schema, but older
// databases keep it as text ("07", "10"), which the engine orders as text; the
// number at the start of the text (Val) decides instead, and rows with the same
// number keep the query's order.

#include "db/recordset.h"

#include <cstdint>
#include <vector>

namespace pmq {

class LectorPorEstimacion {
 public:
  /// Reads the ESTIMACION column of every row (throws ErrorQel 3265 when the
  /// result lacks it) and leaves the record set on its first row.
  explicit LectorPorEstimacion(Recordset& rs);

  /// Makes the k-th row in estimate order (1-based) the current row.
  void VeA(int64_t k);

 private:
  Recordset& rs_;
  std::vector<int64_t> orden_;  ///< 0-based rows, in estimate order; empty when already in order
  int64_t actual_ = 0;          ///< 0-based current row
};

}  // namespace pmq
