#pragma once
// The base of every collection loaded from the project database: its owner is
// fixed at construction, its items are read row by row by one loader loop and
// appended under a key that only the collection computes.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/error_qel.h>
#include <promorlaqel/common/servicios_host.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

namespace prueba {
class ModeloAMano;
}

/// Items `T` owned in load order, each under the key `Clave` gives it; `Dueno`
/// is the object that owns the collection (the work, the section, …).
template <class T, class Dueno>
class PMQ_API ColeccionCargada {
 public:
  ColeccionCargada(const ColeccionCargada&) = delete;
  ColeccionCargada& operator=(const ColeccionCargada&) = delete;
  virtual ~ColeccionCargada() = default;

  /// The item at a 1-based position or under its key (without regard to
  /// case); nullptr when there is none.
  T* Item(int64_t posicion) const { return items_.Item(posicion); }
  T* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of items. Counting cannot fail, so sErrores is never written.
  int32_t Count() const { return items_.Count(); }
  int32_t Count(std::string& /*sErrores*/) const { return items_.Count(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 protected:
  /// `dueno` owns the collection for its whole life; `clase` names the
  /// collection in sErrores ("Partidas" …).
  ColeccionCargada(Dueno* dueno, std::string_view clase) : dueno_(dueno), clase_(clase) {}

  /// The owner given at construction.
  Dueno* Propietario() const { return dueno_; }

  /// The key an item is appended under.
  virtual std::string Clave(const T& item) const = 0;

  /// The loader loop over `total` rows. For each 1-based row `fila` (left in
  /// `fila` when an exception escapes, for the caller's message): `lee(fila)`
  /// builds the item from the current row, the item is appended (a key already
  /// present is reported and the item kept out of the collection, though alive
  /// so that what `tras` loads under it stays valid), `tras(item)` does what
  /// follows the append (moving to the next row, loading the item's children;
  /// false stops the loop), and the host is offered a yield under `progreso`.
  /// Returns false when `tras` stopped the loop.
  template <class Lee, class Tras>
  bool CargaFilas(int64_t& fila, int64_t total, std::string_view progreso, std::string& sErrores,
                  Lee&& lee, Tras&& tras) {
    items_.Reserva(static_cast<size_t>(items_.Count() + total));
    for (fila = 1; fila <= total; ++fila) {
      std::unique_ptr<T> item = lee(fila);
      T& cargado = *item;
      AddByObject(std::move(item), sErrores);
      if (!tras(cargado)) return false;
      CedeAlHost(progreso, fila, total);
    }
    return true;
  }

 private:
  // The tests' hand-built model appends items the way the loaders do.
  friend class prueba::ModeloAMano;

  /// Appends an item under its key. A key already present throws ErrorQel 457,
  /// reported as "<clase>.AddByObject".
  void AddByObject(std::unique_ptr<T> item, std::string& sErrores) {
    try {
      const std::string clave = Clave(*item);
      if (items_.Contiene(clave)) throw ErrorQel(errores::kClaveDuplicada);
      items_.Add(std::move(item), clave);
    } catch (...) {
      AnotaExcepcion(sErrores, clase_, "AddByObject");
      if (item) fuera_.push_back(std::move(item));
    }
  }

  Dueno* const dueno_;
  std::string_view clase_;
  Coleccion<T> items_;
  std::vector<std::unique_ptr<T>> fuera_;
};

}  // namespace pmq
