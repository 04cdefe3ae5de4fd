#pragma once
// The loading limit: every row that the calculation reads, read once with plain
// SQLite queries (each column fetched by its stored type) and nothing else: no
// record sets, no values, no model.

#include <cstdint>
#include <string>

namespace pmq::bench {

class LimiteCarga {
 public:
  /// Rows read and a checksum of what was read (so nothing is optimised away).
  struct Resultado {
    int64_t filas = 0;
    uint64_t suma = 0;
  };
  /// Reads the tables of work `obra` in the database at `ruta`. Throws
  /// std::runtime_error on a SQLite failure.
  static Resultado Lee(const std::string& ruta, const std::string& obra);
};

}  // namespace pmq::bench
