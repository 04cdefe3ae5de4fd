#pragma once
// The file-system service of the workbook wrapper: it only takes the extension
// of a path.

#include <string>
#include <string_view>

namespace pmq {

class SistemaArchivos {
 public:
  /// The text after the last dot of the path's last component, without the
  /// dot; empty when that component has no dot ("/a/b.v2/libro" → "").
  std::string GetExtensionName(std::string_view ruta) const;
};

}  // namespace pmq
