#pragma once
// Test helpers: real SQLite project databases built from the shipped schema.

#include <initializer_list>
#include <set>
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
  /// The names in the directory, or in its subfolder `carpeta`.
  std::set<std::string> Nombres(std::string_view carpeta = "") const;

 private:
  std::string ruta_;
};

/// An SQLite project database file: created with the schema, then filled with
/// the SQL a test gives. Fails the test (ADD_FAILURE) on SQL errors.
class BaseSqlite {
 public:
  /// Creates `ruta` with the shipped schema.
  explicit BaseSqlite(std::string ruta);
  /// Runs SQL statements (several separated by ";").
  void Ejecuta(std::string_view sql);
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

/// The contents of a file (empty when it cannot be read).
std::string LeeArchivo(const std::string& ruta);

/// A word quoted for the shell.
std::string Comillas(std::string_view texto);

/// How many times `parte` occurs in `texto`.
int Ocurrencias(std::string_view texto, std::string_view parte);

}  // namespace pmq::prueba
