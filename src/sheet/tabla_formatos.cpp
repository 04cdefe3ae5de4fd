#include "sheet/tabla_formatos.h"

#include <fmt/format.h>

namespace pmq {

TablaFormatos::TablaFormatos() {
  formatos_.emplace_back();
  ids_.emplace(Clave(formatos_.front()), 0);
}

std::string TablaFormatos::Clave(const FormatoCelda& f) {
  return fmt::format("{}|{}|{}|{}|{}|{}|{}|{}", f.integrado, f.horizontal, f.vertical,
                     f.encoger ? 1 : 0, f.ajustar ? 1 : 0, f.color, f.patron, f.numero);
}

uint32_t TablaFormatos::Id(const FormatoCelda& formato) {
  std::string clave = Clave(formato);
  auto it = ids_.find(clave);
  if (it != ids_.end()) return it->second;
  const auto id = static_cast<uint32_t>(formatos_.size());
  formatos_.push_back(formato);
  ids_.emplace(std::move(clave), id);
  return id;
}

const FormatoCelda& TablaFormatos::Formato(uint32_t id) const {
  return id < formatos_.size() ? formatos_[id] : formatos_.front();
}

}  // namespace pmq
