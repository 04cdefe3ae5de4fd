#pragma once
// The ordered collection every plural class wraps: 1-based positions, optional
// text keys that are unique and compared without regard to case.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/error_qel.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
    const int64_t i = Busca(ClaveNormalizada(clave));
    return i < 0 ? nullptr : Direccion(items_[static_cast<size_t>(i)]);
  }
  /// Overload so that a string literal is taken as a key, not a position.
  T* Item(const char* clave) const { return Item(std::string_view(clave)); }
  T* Item(const std::string& clave) const { return Item(std::string_view(clave)); }

  /// True when the key is present.
  bool Contiene(std::string_view clave) const { return Busca(ClaveNormalizada(clave)) >= 0; }

  /// Appends an item, under a key when one is given. A key that is already
  /// present throws ErrorQel 457 and leaves the collection as it was (the item
  /// passed in is then destroyed if the collection was to own it).
  T* Add(Puntero item, std::string_view clave = {}) {
    // Room first, so that what follows cannot fail halfway: a failure leaves
    // the collection as it was.
    std::string normal;
    if (!clave.empty()) {
      normal = ClaveNormalizada(clave);
      if (Busca(normal) >= 0) throw ErrorQel(errores::kClaveDuplicada);
    }
    Hueco(items_);
    if (!normal.empty()) {
      GuardaClave(normal);
    } else if (!inicios_.empty()) {
      Hueco(inicios_);
      inicios_.push_back(static_cast<uint32_t>(textos_.size()));
    }
    items_.push_back(std::move(item));
    return Direccion(items_.back());
  }

  /// Reserves room for n items.
  void Reserva(size_t n) {
    items_.reserve(n);
    if (!inicios_.empty()) inicios_.reserve(n + 1);
  }

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

  // The keys are kept compactly, for a large work holds hundreds of thousands
  // of keyed items: their folded texts back to back in textos_, where item i's
  // key runs from inicios_[i] to inicios_[i + 1] (empty for an item without a
  // key; inicios_ stays empty until the first key), and an open-addressing
  // table of item numbers + 1 (0 = free), at most half full.
  static size_t Dispersion(std::string_view normal) {
    return std::hash<std::string_view>{}(normal);
  }

  std::string_view ClaveDe(size_t i) const {
    return std::string_view(textos_).substr(inicios_[i], inicios_[i + 1] - inicios_[i]);
  }

  /// The position (0-based) of the item under a folded key; -1 when none.
  int64_t Busca(std::string_view normal) const {
    if (tabla_.empty()) return -1;
    const size_t mascara = tabla_.size() - 1;
    for (size_t h = Dispersion(normal) & mascara;; h = (h + 1) & mascara) {
      const uint32_t n = tabla_[h];
      if (n == 0) return -1;
      if (ClaveDe(n - 1) == normal) return static_cast<int64_t>(n - 1);
    }
  }

  /// Keeps the folded key of the item about to be appended (at items_.size()).
  void GuardaClave(std::string_view normal) {
    if (inicios_.empty()) inicios_.assign(items_.size() + 1, 0);
    if (2 * (claves_ + 1) > tabla_.size()) Redimensiona(tabla_.empty() ? 16 : 2 * tabla_.size());
    Hueco(inicios_);
    textos_.append(normal);
    inicios_.push_back(static_cast<uint32_t>(textos_.size()));
    Coloca(items_.size(), normal);
    ++claves_;
  }

  void Coloca(size_t i, std::string_view normal) {
    const size_t mascara = tabla_.size() - 1;
    size_t h = Dispersion(normal) & mascara;
    while (tabla_[h] != 0) h = (h + 1) & mascara;
    tabla_[h] = static_cast<uint32_t>(i + 1);
  }

  /// Room for one more element, growing geometrically.
  template <class V>
  static void Hueco(V& v) {
    if (v.size() == v.capacity()) v.reserve(v.empty() ? 4 : 2 * v.size());
  }

  void Redimensiona(size_t tamano) {
    std::vector<uint32_t>(tamano, 0).swap(tabla_);
    for (size_t i = 0; i + 1 < inicios_.size(); ++i) {
      if (inicios_[i + 1] != inicios_[i]) Coloca(i, ClaveDe(i));
    }
  }

  std::vector<Puntero> items_;
  std::string textos_;
  std::vector<uint32_t> inicios_;
  std::vector<uint32_t> tabla_;
  size_t claves_ = 0;
};

/// A collection that refers to items owned elsewhere.
template <class T>
using ColeccionRef = Coleccion<T, T*>;

}  // namespace pmq
