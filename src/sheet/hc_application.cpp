#include "sheet/hc_application.h"

#include "common/error_qel.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <algorithm>

namespace pmq {

HcApplication::HcApplication() : workbooks_(*this) {}

HcApplication::~HcApplication() = default;

void HcApplication::Verifica() const {
  if (terminada_) throw ErrorQel(errores::kServidorRemoto);
}

HcWorkbooks& HcApplication::workbooks() {
  Verifica();
  return workbooks_;
}

void HcApplication::Visible(bool visible) {
  Verifica();
  visible_ = visible;
}

bool HcApplication::Visible() const {
  Verifica();
  return visible_;
}

void HcApplication::WindowState(int32_t estado) {
  Verifica();
  if (estado != kVentanaMinimizada && estado != kVentanaMaximizada && estado != kVentanaNormal) {
    throw ErrorQel(errores::kAplicacion);
  }
  ventana_ = estado;
}

int32_t HcApplication::WindowState() const {
  Verifica();
  return ventana_;
}

void HcApplication::Quit() {
  Verifica();
  try {
    workbooks_.Close();
  } catch (...) {
    terminada_ = true;
    throw;
  }
  terminada_ = true;
}

HcRange HcApplication::Range(const HcRange& celda1, const HcRange& celda2) {
  Verifica();
  if (celda1.Worksheet() == nullptr || celda2.Worksheet() == nullptr)
    throw ErrorQel(errores::kObjeto);
  if (celda1.Worksheet() != celda2.Worksheet()) throw ErrorQel(errores::kAplicacion);
  celda1.Worksheet()->Verifica();
  return HcRange(celda1.Worksheet(), std::min(celda1.Row(), celda2.Row()),
                 std::min(celda1.Column(), celda2.Column()),
                 std::max(celda1.LastRow(), celda2.LastRow()),
                 std::max(celda1.LastColumn(), celda2.LastColumn()));
}

HcRange HcApplication::selection() {
  Verifica();
  HcWorkbook* libro = workbooks_.Activo();
  if (libro == nullptr || libro->ActiveSheet() == nullptr) throw ErrorQel(errores::kObjeto);
  HcWorksheet* hoja = libro->ActiveSheet();
  if (seleccion_.Worksheet() == hoja) return seleccion_;
  return HcRange(hoja, 1, 1, 1, 1);
}

HcWorkbook* HcApplication::ActiveWorkbook() {
  Verifica();
  return workbooks_.Activo();
}

}  // namespace pmq
