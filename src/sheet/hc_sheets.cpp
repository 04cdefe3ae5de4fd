#include "sheet/hc_sheets.h"

#include "common/coleccion.h"
#include "common/error_qel.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <algorithm>

namespace pmq {

HcSheets::HcSheets(HcWorkbook& libro) : libro_(&libro) {}

HcSheets::~HcSheets() = default;

int32_t HcSheets::Count() const {
  libro_->Verifica();
  return static_cast<int32_t>(hojas_.size());
}

HcWorksheet* HcSheets::Item(int32_t posicion) const {
  if (posicion < 1 || posicion > Count()) throw ErrorQel(errores::kSubindice);
  return hojas_[static_cast<size_t>(posicion - 1)].get();
}

HcWorksheet* HcSheets::Item(std::string_view nombre) const {
  libro_->Verifica();
  const std::string clave = ClaveNormalizada(nombre);
  for (const auto& hoja : hojas_) {
    if (ClaveNormalizada(hoja->Name()) == clave) return hoja.get();
  }
  throw ErrorQel(errores::kSubindice);
}

HcWorksheet* HcSheets::Add(HcWorksheet* despues) {
  libro_->Verifica();
  std::string nombre;
  for (int n = 1;; ++n) {
    nombre = "Hoja" + std::to_string(n);
    const std::string clave = ClaveNormalizada(nombre);
    if (std::none_of(hojas_.begin(), hojas_.end(),
                     [&](const auto& h) { return ClaveNormalizada(h->Name()) == clave; })) {
      break;
    }
  }
  const HcWorksheet* referencia = despues != nullptr ? despues : activa_;
  auto donde = std::find_if(hojas_.begin(), hojas_.end(),
                            [&](const auto& h) { return h.get() == referencia; });
  if (despues != nullptr && donde != hojas_.end()) ++donde;
  auto nueva = std::make_unique<HcWorksheet>(*libro_, std::move(nombre));
  HcWorksheet* hoja = nueva.get();
  hojas_.insert(donde, std::move(nueva));
  activa_ = hoja;
  return hoja;
}

}  // namespace pmq
