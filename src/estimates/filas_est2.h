#pragma once
// The EST2 rows of one work read in a single query and split into one small
// record set per group (a budget line, or an estimate), so that loading a large
// work does not send one query per line and one full scan per estimate. Each
// group's record set holds the group's rows in the query's order with only the
// columns its reader uses; reading it gives what the group's own query would.

#include <promorlaqel/common/api.h>
#include <promorlaqel/db/recordset.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pmq {

class Conexion;

class PMQ_API FilasEst2 {
 public:
  /// What a group is made of: the columns whose values form its key, whether
  /// the key is one whole-number column (compared as a number, as the engine
  /// compares a numeric column with a text parameter) or text columns
  /// (compared exactly; a null never matches), the order of the query and the
  /// columns kept.
  struct Forma {
    std::vector<std::string> claves;
    bool clave_entera = false;
    std::string orden;
    std::vector<std::string> columnas;
  };

  /// Reads the rows of work `obra` once per connection. False (nothing kept)
  /// when the query fails, a column is missing or a key value is of another
  /// kind than the form expects: the caller then runs its own query, which
  /// reports the failure as it always did.
  bool Lee(Conexion* conexion, const std::string& obra, const Forma& forma);
  /// Allows Lee: set by the loader that owns the rows for as long as it loads
  /// (a reader called outside of that load runs its own query).
  void Habilita() { habilitada_ = true; }
  bool Habilitada() const { return habilitada_; }
  /// True when Lee was already tried on this connection.
  bool Intentada(const Conexion* conexion) const { return intentada_ && conexion == conexion_; }
  /// True when the rows are in memory (and reading them is allowed).
  bool Leida() const { return habilitada_ && leida_; }
  /// The record set of a group (its key values joined by Clave), or nullptr
  /// when the work has no row of that group.
  Recordset* Busca(const std::string& clave) const;
  /// Key of text values, in the order of the form's key columns.
  static std::string Clave(std::initializer_list<std::string_view> valores);
  /// Frees everything read and disallows Lee until Habilita.
  void Olvida();

 private:
  bool habilitada_ = false;
  const Conexion* conexion_ = nullptr;
  bool intentada_ = false;
  bool leida_ = false;
  std::unordered_map<std::string, std::unique_ptr<Recordset>> grupos_;
};

}  // namespace pmq
