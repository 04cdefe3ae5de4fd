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
  /// Creates `ruta` with the shipped schema (or with none when `con_esquema` is false).
  explicit BaseSqlite(std::string ruta, bool con_esquema = true);
  /// Runs SQL statements (several separated by ";").
  void Ejecuta(std::string_view sql);
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

/// Inserts the header rows (OBRAS, FSR, FSCD, FACMAQ) of a work: DESPMAT 5,
/// FACTMI 3, FACTHMT 2, IVA 16, every machine factor 1 but F_COM 0.8 / F_COME 0.5.
/// `inicio` and `final` are SQL literals ("'2013-03-15'" or "NULL").
void InsertaObra(BaseSqlite& base, std::string_view obra, std::string_view inicio,
                 std::string_view final_, std::string_view nombre = "Obra de prueba");

/// The contents of a file (empty when it cannot be read).
std::string LeeArchivo(const std::string& ruta);

/// A word quoted for the shell.
std::string Comillas(std::string_view texto);

/// How many times `parte` occurs in `texto`.
int Ocurrencias(std::string_view texto, std::string_view parte);

}  // namespace pmq::prueba
