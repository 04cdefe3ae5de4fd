#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>

namespace pmq {

/// Iteration over a list by 1-based position, yielding what the list's
/// `Item(position)` gives: for the lists whose items are not one vector of
/// owned objects (day bits, a line's block of shares, scaled summary lines
/// made on access). `begin` is position 1, `end` is Count + 1.
template <class Lista>
class IteradorPosicion {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = decltype(std::declval<const Lista&>().Item(int64_t{}));
  using difference_type = std::ptrdiff_t;

  IteradorPosicion(const Lista* lista, int64_t posicion) : lista_(lista), posicion_(posicion) {}
  value_type operator*() const { return lista_->Item(posicion_); }
  IteradorPosicion& operator++() {
    ++posicion_;
    return *this;
  }
  bool operator==(const IteradorPosicion& o) const { return posicion_ == o.posicion_; }
  bool operator!=(const IteradorPosicion& o) const { return posicion_ != o.posicion_; }

 private:
  const Lista* lista_;
  int64_t posicion_;
};

}  // namespace pmq
