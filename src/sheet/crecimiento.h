#pragma once
// Growth of a sheet's long lists (the cells of a row, the merged blocks, the
// blocks that touch each row): by a quarter, not by doubling. A large report
// holds millions of cells and hundreds of thousands of merges, and doubling
// would leave a third of their room unused on average.

#include <algorithm>
#include <cstddef>

namespace pmq {

/// Makes room in `v` for one more element.
template <class V>
void HuecoParaUno(V& v) {
  if (v.size() == v.capacity()) v.reserve(v.size() + v.size() / 4 + 4);
}

/// Makes room in `v` for `n` elements in all.
template <class V>
void HuecoPara(V& v, size_t n) {
  if (v.capacity() < n) v.reserve(std::max(n, v.size() + v.size() / 4 + 4));
}

}  // namespace pmq
