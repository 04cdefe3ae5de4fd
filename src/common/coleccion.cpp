#include "common/coleccion.h"

namespace pmq {

std::string ClaveNormalizada(std::string_view clave) {
  std::string r;
  r.reserve(clave.size());
  for (size_t i = 0; i < clave.size(); ++i) {
    const auto c = static_cast<unsigned char>(clave[i]);
    if (c >= 'A' && c <= 'Z') {
      r.push_back(static_cast<char>(c - 'A' + 'a'));
    } else if (c == 0xC3 && i + 1 < clave.size()) {
      // Two-byte UTF-8 Latin-1 letters: U+00C0..U+00DE fold to U+00E0..U+00FE.
      auto s = static_cast<unsigned char>(clave[i + 1]);
      if (s >= 0x80 && s <= 0x9E && s != 0x97) s = static_cast<unsigned char>(s + 0x20);
      r.push_back(static_cast<char>(c));
      r.push_back(static_cast<char>(s));
      ++i;
    } else {
      r.push_back(static_cast<char>(c));
    }
  }
  return r;
}

}  // namespace pmq
