#pragma once
// The ordered collection every plural class wraps: 1-based positions, optional
// text keys that are unique and compared without regard to case.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/error_qel.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pmq {

/// Key folded for comparison: ASCII letters and the Spanish accented letters
/// (Á/á … Ñ/ñ, Ü/ü in UTF-8) compare equal in either case.
PMQ_API std::string ClaveNormalizada(std::string_view clave);

/// An ordered collection of items held through `Puntero`: `std::unique_ptr<T>`
/// (the collection owns its items, the default) or `T*` (it only refers to items
/// owned elsewhere).
template <class T, class Puntero = std::unique_ptr<T>>
class PMQ_API Coleccion {
 public:
  Coleccion() = default;
  Coleccion(Coleccion&&) noexcept = default;
  Coleccion& operator=(Coleccion&&) noexcept = default;

  /// Number of items.
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  bool empty() const { return items_.empty(); }

  /// The item at a 1-based position; nullptr when there is none.
  T* Item(int64_t posicion) const {
    if (posicion < 1 || posicion > static_cast<int64_t>(items_.size())) return nullptr;
    return Direccion(items_[static_cast<size_t>(posicion - 1)]);
  }
  T* Item(int posicion) const { return Item(static_cast<int64_t>(posicion)); }
  /// The item under a key (case-insensitive); nullptr when there is none.
  T* Item(std::string_view clave) const {
    auto it = claves_.find(ClaveNormalizada(clave));
    return it == claves_.end() ? nullptr : Direccion(items_[it->second]);
  }
  /// Overload so that a string literal is taken as a key, not a position.
  T* Item(const char* clave) const { return Item(std::string_view(clave)); }
  T* Item(const std::string& clave) const { return Item(std::string_view(clave)); }

  /// True when the key is present.
  bool Contiene(std::string_view clave) const {
    return claves_.count(ClaveNormalizada(clave)) != 0;
  }

  /// Appends an item, under a key when one is given. A key that is already
  /// present throws ErrorQel 457 and leaves the collection as it was (the item
  /// passed in is then destroyed if the collection was to own it).
  T* Add(Puntero item, std::string_view clave = {}) {
    if (!clave.empty()) {
      std::string normal = ClaveNormalizada(clave);
      if (claves_.count(normal) != 0) throw ErrorQel(errores::kClaveDuplicada);
      claves_.emplace(std::move(normal), items_.size());
    }
    items_.push_back(std::move(item));
    return Direccion(items_.back());
  }

  /// Reserves room for n items.
  void Reserva(size_t n) { items_.reserve(n); }

  // Iteration over the items in order (yields T*).
  class Iterador {
   public:
    using Base = typename std::vector<Puntero>::const_iterator;
    explicit Iterador(Base b) : b_(b) {}
    T* operator*() const { return Direccion(*b_); }
    Iterador& operator++() {
      ++b_;
      return *this;
    }
    bool operator!=(const Iterador& o) const { return b_ != o.b_; }
    bool operator==(const Iterador& o) const { return b_ == o.b_; }

   private:
    Base b_;
  };
  Iterador begin() const { return Iterador(items_.begin()); }
  Iterador end() const { return Iterador(items_.end()); }

 private:
  static T* Direccion(const std::unique_ptr<T>& p) { return p.get(); }
  static T* Direccion(T* p) { return p; }

  std::vector<Puntero> items_;
  std::unordered_map<std::string, size_t> claves_;
};

/// A collection that refers to items owned elsewhere.
template <class T>
using ColeccionRef = Coleccion<T, T*>;

}  // namespace pmq
