#pragma once
// The estimates summary window: the summary grid `vsRes`, the buttons
// "A Excel..." and "Cerrar", and the file dialog `Diag` through which the
// workbook wrapper asks for the workbook's path. A host renders the form and
// calls the click handlers as the user presses the buttons.

#include "common/forma.h"
#include "reports/summary/dialogo_comun.h"
#include "reports/summary/rejilla.h"

#include <string>

namespace pmq {

class ResumenesCtrl;

class frmResumenEstimaciones : public Forma {
 public:
  std::string Nombre() const override { return "frmResumenEstimaciones"; }
  std::string Caption() const override { return "Resumen Estimaciones"; }

  /// Caption of the export button.
  static constexpr const char* kCaptionExcel = "A Excel...";
  /// Caption of the closing button.
  static constexpr const char* kCaptionCerrar = "Cerrar";

  /// The controller that shows the form (set by ResumenesCtrl::Inicia).
  ResumenesCtrl* Controlador = nullptr;
  /// The summary grid.
  Rejilla vsRes;
  /// The file dialog.
  DialogoComun Diag;

  /// "A Excel...": exports through the controller with an error text of its
  /// own, which is discarded. The form stays open, so the export can be repeated.
  void cmdExcel_Click();
  /// "Cerrar": closes the form.
  void cmdCerrar_Click() { Cierra(); }

  /// The form's single shared instance, whose dialog the workbook wrapper uses
  /// (not necessarily the instance on screen).
  static frmResumenEstimaciones& Compartida();
};

}  // namespace pmq
