#pragma once
// The distinct cell formats of a workbook. Cells keep a small number; format 0
// is the default look.

#include "sheet/formato_celda.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pmq {

class TablaFormatos {
 public:
  TablaFormatos();

  /// The number of a format, adding it when it is new.
  uint32_t Id(const FormatoCelda& formato);
  /// The format with a number (the default one for an unknown number).
  const FormatoCelda& Formato(uint32_t id) const;
  /// Number of distinct formats, the default one included.
  size_t Count() const { return formatos_.size(); }

 private:
  static std::string Clave(const FormatoCelda& formato);

  std::vector<FormatoCelda> formatos_;
  std::unordered_map<std::string, uint32_t> ids_;
};

}  // namespace pmq
