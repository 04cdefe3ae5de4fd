#pragma once
// SQLite engine: opens an existing file read-only (never creates one) and keeps
// its prepared statements for the queries that run once per budget line.

#include "db/motor.h"

#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace pmq {

class MotorSqlite : public Motor {
 public:
  /// Seconds a query waits for another program's write lock to go away.
  static constexpr int kEsperaBloqueo = 5;

  /// Opens `ruta` read-only. Throws ErrorQel (-2147467259) when the file is
  /// missing, is not an SQLite database, stays locked by another program for
  /// kEsperaBloqueo seconds, or holds an interrupted write that only a
  /// writable folder lets SQLite undo. A WAL database with no write under
  /// way is opened as immutable, so reading it leaves no -wal/-shm files.
  explicit MotorSqlite(const std::string& ruta);
  ~MotorSqlite() override;
  MotorSqlite(const MotorSqlite&) = delete;
  MotorSqlite& operator=(const MotorSqlite&) = delete;

  std::unique_ptr<Recordset> Consulta(std::string_view sql,
                                      std::span<const Valor> parametros) override;
  std::string_view Nombre() const override { return "SQLite"; }

 private:
  sqlite3_stmt* Prepara(std::string_view sql);

  std::string ruta_;
  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*> sentencias_;
};

}  // namespace pmq
