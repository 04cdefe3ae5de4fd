#include "sheet/hc_workbooks.h"

#include "common/error_qel.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"

#include <algorithm>
#include <exception>
#include <string>

namespace pmq {

HcWorkbooks::HcWorkbooks(HcApplication& aplicacion) : aplicacion_(&aplicacion) {}

HcWorkbooks::~HcWorkbooks() = default;

int32_t HcWorkbooks::Count() const {
  aplicacion_->Verifica();
  return static_cast<int32_t>(abiertos_.size());
}

HcWorkbook* HcWorkbooks::Item(int32_t posicion) const {
  if (posicion < 1 || posicion > Count()) throw ErrorQel(errores::kSubindice);
  return abiertos_[static_cast<size_t>(posicion - 1)].get();
}

HcWorkbook* HcWorkbooks::Add() {
  aplicacion_->Verifica();
  ++creados_;
  abiertos_.push_back(
      std::make_unique<HcWorkbook>(*aplicacion_, "Libro" + std::to_string(creados_)));
  activo_ = abiertos_.back().get();
  return activo_;
}

void HcWorkbooks::Cierra(HcWorkbook* libro) {
  auto it = std::find_if(abiertos_.begin(), abiertos_.end(),
                         [&](const auto& l) { return l.get() == libro; });
  if (it == abiertos_.end()) return;
  std::exception_ptr fallo;
  try {
    libro->Guarda();
  } catch (...) {
    fallo = std::current_exception();
  }
  libro->MarcaCerrado();
  cerrados_.push_back(std::move(*it));
  abiertos_.erase(it);
  if (activo_ == libro) activo_ = abiertos_.empty() ? nullptr : abiertos_.back().get();
  if (fallo) std::rethrow_exception(fallo);
}

void HcWorkbooks::Close() {
  aplicacion_->Verifica();
  std::exception_ptr primero;
  while (!abiertos_.empty()) {
    try {
      Cierra(abiertos_.front().get());
    } catch (...) {
      if (!primero) primero = std::current_exception();
    }
  }
  if (primero) std::rethrow_exception(primero);
}

}  // namespace pmq
