#pragma once
// PostgreSQL engine: the project database on a server, reached through libpq
// from a postgresql:// (or postgres://) URI. The whole session is one
// read-only, repeatable-read transaction, so a load sees one snapshot of the
// data and can change nothing. Values read like the embedded engine's: whole
// numbers as int64, floating and numeric values as double, everything else as
// text (dates in ISO form); NULLs sort as they do there (first ascending).

#include "db/motor.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

struct pg_conn;
struct pg_result;

namespace pmq {

class MotorPostgres : public Motor {
 public:
  /// Seconds to wait for the server when neither the URI nor PGCONNECT_TIMEOUT
  /// says otherwise.
  static constexpr int kEsperaConexion = 5;
  /// The server's statement_timeout when the URI does not set one (through
  /// its options, "?options=-c%20statement_timeout%3D…"): no query of a load
  /// runs longer.
  static constexpr const char* kTiempoConsulta = "120s";
  /// Seconds the client waits for an answer beyond the statement timeout
  /// before it takes the server for gone (a server that stopped answering
  /// cannot end the statement itself).
  static constexpr int kMargenRespuesta = 10;

  /// Connects to the database of `uri`. Throws ErrorQel (-2147467259) saying
  /// what failed: a malformed URI, a server that does not answer, rejected
  /// credentials, a database that does not exist.
  explicit MotorPostgres(const std::string& uri);
  ~MotorPostgres() override;
  MotorPostgres(const MotorPostgres&) = delete;
  MotorPostgres& operator=(const MotorPostgres&) = delete;

  std::unique_ptr<Recordset> Consulta(std::string_view sql,
                                      std::span<const Valor> parametros) override;
  std::string_view Nombre() const override { return "PostgreSQL"; }
  bool Perdida() const override { return perdida_; }

  /// The engine for `uri`, as the connection's server factory.
  static std::unique_ptr<Motor> Abre(const std::string& uri);

  /// The query in the server's dialect: "?" placeholders outside quotes and
  /// comments become $1, $2, … (their number goes to `parametros`), and every
  /// ORDER BY term without NULLS FIRST/LAST gets the embedded engine's order
  /// of nulls (first when ascending, last when descending).
  static std::string TraduceSql(std::string_view sql, int* parametros = nullptr);

  /// "base 'x' en host:puerto, usuario 'u'" for a URI, never its password.
  static std::string DescribeUri(const std::string& uri);

 private:
  struct Sentencia {
    std::string nombre;
    int parametros = 0;
  };

  const Sentencia& Prepara(std::string_view sql);
  // Leaves the session usable after a failed statement (a failed statement
  // aborts the transaction: it is rolled back and a new one begins).
  void Recupera();
  [[noreturn]] void Falla(std::string_view que, std::string detalle);
  // Sends the prepared statement and waits for its result no longer than the
  // statement timeout plus a margin; a server that does not answer in that
  // time is taken for lost.
  pg_result* Ejecuta(const std::function<int()>& envia);
  /// Waits until libpq can hand a result without blocking, or fails once
  /// `limite` passes (when queries have a time limit).
  void Espera(std::chrono::steady_clock::time_point limite);

  pg_conn* con_ = nullptr;
  std::string descripcion_;
  std::unordered_map<std::string, Sentencia> sentencias_;
  int siguiente_ = 0;
  int espera_ms_ = 0;  // 0: wait as long as it takes
  bool perdida_ = false;
};

}  // namespace pmq
