#pragma once
// A database engine behind a connection: SQLite (the embedded default) or
// PostgreSQL (the server option). It only reads.

#include <promorlaqel/common/api.h>
#include <promorlaqel/db/recordset.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace pmq {

class PMQ_API Motor {
 public:
  virtual ~Motor() = default;
  /// Runs a query whose parameters are written "?" in `sql` and bound in order;
  /// returns the whole result. Throws ErrorQel on failure.
  virtual std::unique_ptr<Recordset> Consulta(std::string_view sql,
                                              std::span<const Valor> parametros) = 0;
  /// The engine's name ("SQLite", "PostgreSQL").
  virtual std::string_view Nombre() const = 0;
  /// True once the engine lost its link to the database for good (a server
  /// that went away or stopped answering): every later query would fail too.
  virtual bool Perdida() const { return false; }
};

}  // namespace pmq
