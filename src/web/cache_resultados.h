#pragma once
// Results of the calculation kept per (work, options) while the project
// database is unchanged, so that moving between the pages of a work does not
// recalculate. An SQLite file is unchanged while its size and modification
// time (and those of its write-ahead log) are; a server database cannot be
// watched that way, so its results live a short time. At most `capacidad`
// results and `lineas_max` budget lines in all are kept (a calculated line
// holds tens of kilobytes), the least recently used going first.
//
// The library's host is process-wide, so calculations run one at a time under
// Biblioteca(); results are never changed after they are stored and may be
// read by many requests at once.

#include "host_consola.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pmq {
class Programa;
}

namespace pmq::web {

class CacheResultados {
 public:
  /// What one calculation left: the root (when kept), its result, its errors
  /// and message boxes, and any text derived from it.
  struct Resultado {
    std::unique_ptr<Programa> raiz;
    int32_t resultado = 0;
    std::string errores;
    std::vector<MensajeMostrado> mensajes;
    std::string texto;   ///< a document made from it (budget JSON, summary JSON)
    std::string csv;     ///< the summary as CSV
    int64_t lineas = 0;  ///< budget lines held by `raiz` (its weight in the cache)
    ~Resultado();
  };
  using Calcula = std::function<std::unique_ptr<Resultado>()>;

  CacheResultados(std::string bd, size_t capacidad, int64_t lineas_max,
                  std::chrono::seconds vida_servidor);

  /// False when the database cannot be reached (an SQLite file that is gone).
  bool BaseDisponible() const;

  /// The result stored under `clave`, or the one `calcula` makes (run under
  /// Biblioteca()). Results whose calculation failed (0) are not stored.
  std::shared_ptr<const Resultado> Obtiene(const std::string& clave, const Calcula& calcula);

  /// The lock every use of the library's controllers takes.
  std::unique_lock<std::mutex> Biblioteca() { return std::unique_lock(biblioteca_); }

  size_t Tamano() const;

 private:
  /// What tells that an SQLite file changed.
  struct Sello {
    int64_t tamano = 0, modificado = 0, tamano_wal = -1, modificado_wal = 0;
    bool operator==(const Sello&) const = default;
  };
  struct Entrada {
    std::shared_ptr<const Resultado> resultado;
    Sello sello;
    std::chrono::steady_clock::time_point hecho;
    std::list<std::string>::iterator uso;
  };

  std::optional<Sello> SelloActual() const;
  std::shared_ptr<const Resultado> Vigente(const std::string& clave, const std::optional<Sello>& s);

  std::string bd_;
  std::string archivo_;  ///< the SQLite file; empty for a server database
  size_t capacidad_;
  int64_t lineas_max_;
  int64_t lineas_ = 0;  ///< lines held by the stored results
  std::chrono::seconds vida_servidor_;

  mutable std::mutex mapa_mutex_;
  std::unordered_map<std::string, Entrada> mapa_;
  std::list<std::string> usos_;  ///< most recently used first
  std::mutex biblioteca_;
};

}  // namespace pmq::web
