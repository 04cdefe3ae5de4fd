#pragma once
// Controller of the estimates summary: fills the summary grid with every
// section and budget line and, per estimate, the billed quantity, unit price
// and amount; shows it on its form; exports it to the sheet "Resumen" of a new
// workbook with definitive and still-to-estimate volumes, subtotals and totals
// as formulas. A host that shows no form calls ColocaResumen to fill the grid
// and Escribe to write the workbook.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/resultado_escritura.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class Programa;
class Rejilla;
class LibroExcel;
class HcWorksheet;
class frmResumenEstimaciones;

/// Columns of the summary sheet.
enum enumColResEst : int32_t {
  ecrNo = 1,
  ecrClave = 2,
  ecrDescripcion = 3,
  ecrUnidad = 4,
  ecrFrente = 5,
  ecrCantidad = 6,
  ecrPunit = 7,
  ecrImporte = 8,
  ecrAditiva = 9,
  ecrDeductiva = 10,
  ecrVolDef = 11,
  ecrImporteDef = 12,
  ecrVolPorEst = 13,
  ecrImpPorEst = 14,
};

class PMQ_API ResumenesCtrl {
 public:
  /// Creates the summary form and takes its grid `vsRes` as Grid.
  ResumenesCtrl();
  ~ResumenesCtrl();
  ResumenesCtrl(const ResumenesCtrl&) = delete;
  ResumenesCtrl& operator=(const ResumenesCtrl&) = delete;

  /// When true the export gives every estimate its own unit-price column.
  bool PUnitPorEstimacion = false;
  /// The summary form.
  std::unique_ptr<frmResumenEstimaciones> Forma;
  /// The root whose work is summarised (set by the host).
  pmq::Programa* Programa = nullptr;

  /// The grid that receives the summary.
  Rejilla* Grid() const { return grid_; }
  void Grid(Rejilla* grid) { grid_ = grid; }

  /// Fills the grid, sets the form's Controlador and shows the form modally.
  void Inicia(std::string& sErrores);
  void Inicia() {
    std::string s;
    Inicia(s);
  }

  /// Writes the summary into the sheet "Resumen" of a new workbook and, only
  /// when the whole sheet was written, replaces the file `ruta` (.xlsx) with
  /// it. The outcome says whether the file was written and, if not, why;
  /// failures inside the sheet are added to sErrores.
  ResultadoEscritura Escribe(const std::string& ruta, std::string& sErrores);
  ResultadoEscritura Escribe(const std::string& ruta) {
    std::string s;
    return Escribe(ruta, s);
  }

  /// The export button: asks the user for the file name with the file dialog
  /// and calls Escribe.
  void AExcel(std::string& sErrores);
  void AExcel() {
    std::string s;
    AExcel(s);
  }

  /// Fills the grid with every section and line, one empty row kept below.
  void ColocaResumen(std::string& sErrores);

  /// Number of estimate column groups: the work's NoEstimaciones, or the
  /// highest estimate number billed on any line when that is greater.
  int32_t NumeroEstimaciones() const;

 private:
  /// One row (the fixed one) and 3 × estimates + 10 columns.
  void InicializaGrid(std::string& sErrores);
  /// Writes the whole sheet.
  void ColocaEnExcel(HcWorksheet* hoja, std::string& sErrores);
  /// Writes `patron` with every "_" replaced by the letters of `columna` as
  /// the formula of (fila, columna).
  void ImporteTotal(HcWorksheet* hoja, std::string_view patron, int32_t columna, int32_t fila,
                    std::string& sErrores);
  /// `patron` with every "_" replaced by a row number.
  static std::string SustituyeFila(std::string_view patron, int32_t fila);

  std::unique_ptr<LibroExcel> Libro;
  Rejilla* grid_ = nullptr;
};

}  // namespace pmq
