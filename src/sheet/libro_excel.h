#pragma once
// The one class through which the reports reach the spreadsheet application:
// it reaches or starts the application, asks the user for the workbook's file
// name, creates and saves the workbook, adds or reuses sheets, formats blocks
// of cells, writes formulas and turns column numbers into letters.
//
// Typical use by a report (after AbreLibro the sheet is written through `Ws`
// and `ExcelApp`):
//
//   LibroExcel libro;
//   libro.Visible = true;
//   if (!libro.AbreLibro("", sErrores)) return;          // asks for the path
//   HcWorksheet* hoja = libro.CreaHoja("Resumen", 1, sErrores);
//   libro.Ws = hoja;
//   hoja->cells(7, 1).Value("No.");
//   libro.SetFormula(hoja, 10, 8, "=G10*F10", sErrores);
//   libro.FormatoSeleccion(10, 6, 12, 6, "", "###,###,##0.000000", kAlineaArriba,
//                          kAlineaDerecha, true, false, false, sErrores);
//   hoja->Pagina().horizontal = true;   // printing, panes, filter: ConfiguracionPagina
//   libro.Workbook->Propiedades().titulo = "RESUMEN DE ESTIMACIONES";
//
// Columns whose width the report does not set, and rows with wrapped text,
// are sized by the writer from what their cells show (DisposicionHoja), so a
// new sheet needs no widths of its own to show every value whole.
//
//   ResultadoEscritura r = libro.Guarda();             // the one write to the file
//
// The workbook reaches its file only through Guarda: creating it checks that
// the path can be written but leaves the file as it is, and releasing the
// LibroExcel writes nothing.

#include "common/resultado_escritura.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pmq {

class LibroExcel {
 public:
  LibroExcel() = default;
  LibroExcel(const LibroExcel&) = delete;
  LibroExcel& operator=(const LibroExcel&) = delete;

  /// Visibility to give the application once it is reached (empty counts as false).
  std::optional<bool> Visible;
  /// The spreadsheet application (nothing until IniciarServidor reaches it).
  std::unique_ptr<HcApplication> ExcelApp;
  /// The workbook in use, set by AbreLibro.
  HcWorkbook* Workbook = nullptr;
  /// The worksheet in use; set by the callers. FormatoSeleccion works on it.
  HcWorksheet* Ws = nullptr;
  /// How the application was reached: 0 none, 1 the version-independent
  /// identifier, 11 to 6 the identifier of that version.
  int32_t ExcelVer = 0;

  /// Reaches the application (up to ten connections while it answers 462),
  /// minimizes it and sets its visibility. True also when no application was
  /// reached (then ExcelApp is empty and the user was told); false after ten
  /// 462 failures or any other failure. Writes no error text.
  bool IniciarServidor(std::string& sErrores);
  bool IniciarServidor() {
    std::string s;
    return IniciarServidor(s);
  }

  /// The sheet at position NumeroHojaExcel when there is one, else a new sheet;
  /// it is renamed `Nombre` and activated. Nothing on failure.
  HcWorksheet* CreaHoja(std::string_view Nombre, int32_t NumeroHojaExcel, std::string& sErrores);
  HcWorksheet* CreaHoja(std::string_view Nombre, int32_t NumeroHojaExcel) {
    std::string s;
    return CreaHoja(Nombre, NumeroHojaExcel, s);
  }

  /// A new workbook (or the first open one) named `Nombre`: a trial write
  /// checks that the file can be written, and the file itself is left as it
  /// is until Guarda. Nothing when there is no application or the check fails.
  HcWorkbook* CreaLibro(const std::string& Nombre, std::string& sErrores);
  HcWorkbook* CreaLibro(const std::string& Nombre) {
    std::string s;
    return CreaLibro(Nombre, s);
  }

  /// Asks for the path when `Ruta` is empty, reaches the application and
  /// creates the workbook there. True when `Workbook` was obtained.
  bool AbreLibro(std::string Ruta, std::string& sErrores);
  bool AbreLibro(std::string Ruta) {
    std::string s;
    return AbreLibro(std::move(Ruta), s);
  }
  /// As AbreLibro, but never asks: an empty `Ruta` fails as a cancelled dialog does.
  bool AbreLibroEn(const std::string& Ruta, std::string& sErrores);

  /// Asks the user for the workbook's path with the file dialog: empty text
  /// when the user cancels or the extension is not XLSX.
  std::string PideRuta(std::string& sErrores) {
    return GetRutaArchivo("Nombre del Archivo XLS", false, sErrores);
  }

  /// True when the file name's extension is XLSX in any case: the only
  /// workbooks the reports write.
  static bool EsRutaXlsx(std::string_view ruta);

  /// Writes the workbook, as it now stands, to the path it was created under
  /// and returns the outcome; a failed write is also shown to the user in a
  /// message box (critical icon, title "MorlaQel") and leaves the file as it was.
  ResultadoEscritura Guarda();

  /// Closes every workbook of the application (each saved one is written) and
  /// ends it. ExcelApp keeps its reference.
  void CierraLibro(std::string& sErrores);
  void CierraLibro() {
    std::string s;
    CierraLibro(s);
  }

  /// Formats the block (Fi, Ci)–(Fj, Cj) of `Ws`: selects it; applies the style
  /// `Estilo` when it is "Currency" in any case, else the number format
  /// `FormatoNumerico`; then, in order, horizontal alignment AHor, vertical
  /// alignment AVer, shrink to fit, wrap text and merge. A step that fails is
  /// skipped; nothing is reported.
  void FormatoSeleccion(int32_t Fi, int32_t Ci, int32_t Fj, int32_t Cj, std::string_view Estilo,
                        std::string_view FormatoNumerico, int32_t AVer, int32_t AHor,
                        bool AjustarAncho, bool AjustarTexto, bool Merge, std::string& sErrores);
  void FormatoSeleccion(int32_t Fi, int32_t Ci, int32_t Fj, int32_t Cj, std::string_view Estilo,
                        std::string_view FormatoNumerico, int32_t AVer, int32_t AHor,
                        bool AjustarAncho, bool AjustarTexto, bool Merge) {
    std::string s;
    FormatoSeleccion(Fi, Ci, Fj, Cj, Estilo, FormatoNumerico, AVer, AHor, AjustarAncho,
                     AjustarTexto, Merge, s);
  }

  /// Column letters: 1 → "A", 26 → "Z", 27 → "AA", 702 → "ZZ", then three
  /// letters up to 16,384 → "XFD". Empty text outside 1 to 16,384. Never reports.
  static std::string ColTrans(int64_t ColNumber, std::string& sErrores);
  static std::string ColTrans(int64_t ColNumber) {
    std::string s;
    return ColTrans(ColNumber, s);
  }

  /// Writes a formula into the cell (F, C) of `Ws`. A chain of "+" over single
  /// cells too long for a formula is written as SUM over blocks (SumaCompacta);
  /// any other failure (a formula the spreadsheet refuses: error 1004) is
  /// reported under the name "Formula".
  void SetFormula(HcWorksheet* Ws, int32_t F, int32_t C, std::string_view Formula,
                  std::string& sErrores);
  void SetFormula(HcWorksheet* Ws, int32_t F, int32_t C, std::string_view Formula) {
    std::string s;
    SetFormula(Ws, F, C, Formula, s);
  }

 private:
  /// Reaches the application by its class identifiers; shows the no-application
  /// message when none answers. A failed attempt clears sErrores.
  std::unique_ptr<HcApplication> ConnectExcel(std::string& sErrores);
  /// Asks for the workbook's path through the summary form's dialog: empty text when the
  /// user cancels or the name's extension is not XLSX.
  std::string GetRutaArchivo(std::string_view Titulo, bool Abrir, std::string& sErrores);
  /// Drops the application, and with it Workbook and Ws, which belong to it
  /// (a dropped application writes nothing).
  void SueltaAplicacion();
};

}  // namespace pmq
