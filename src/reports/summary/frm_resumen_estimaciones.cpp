#include "reports/summary/frm_resumen_estimaciones.h"

#include "reports/summary/resumenes_ctrl.h"

namespace pmq {

void frmResumenEstimaciones::cmdExcel_Click() {
  if (Controlador == nullptr) return;
  std::string sErrores;
  Controlador->AExcel(sErrores);
}

frmResumenEstimaciones& frmResumenEstimaciones::Compartida() {
  static frmResumenEstimaciones forma;
  return forma;
}

}  // namespace pmq
