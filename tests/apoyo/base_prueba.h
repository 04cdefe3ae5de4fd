#pragma once
// Test helpers: real SQLite project databases built from the shipped schema.

#include <initializer_list>
#include <string>
#include <string_view>

namespace pmq::prueba {

/// A fresh temporary directory for one test (removed by the destructor).
class DirectorioTemporal {
 public:
  DirectorioTemporal();
  ~DirectorioTemporal();
  DirectorioTemporal(const DirectorioTemporal&) = delete;
  DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;
  const std::string& Ruta() const { return ruta_; }
  std::string Archivo(std::string_view nombre) const { return ruta_ + "/" + std::string(nombre); }

 private:
  std::string ruta_;
};

/// An SQLite project database file: created with the schema, then filled with
/// the SQL a test gives. Fails the test (ADD_FAILURE) on SQL errors.
class BaseSqlite {
 public:
  /// Creates `ruta` with the shipped schema (or with none when `con_esquema` is false).
  explicit BaseSqlite(std::string ruta, bool con_esquema = true);
  /// Runs SQL statements (several separated by ";").
  void Ejecuta(std::string_view sql);
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

/// The contents of a file (empty when it cannot be read).
std::string LeeArchivo(const std::string& ruta);

}  // namespace pmq::prueba
