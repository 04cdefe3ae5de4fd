#pragma once
// Controller of the monthly work program reports. A host sets `Programa` and
// either calls Escribe with the path, the kind and the option, or calls Inicia,
// which shows the options form; the form's export button calls AExcel, which
// asks for the path and calls Escribe. Escribe creates the workbook and, for
// the monthly financial program,
// writes the sheet "Programa Obra": a header block, a day-by-day calendar, one
// row pair per budget line (its amount per month and a bar over its worked
// days), a subtotal row per section and a totals row, every sum a live formula.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/resultado_escritura.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Programa;
class Presup;
class HcWorksheet;
class LibroExcel;
class frmProgramasObra;

/// Columns of the physical and financial program sheets.
enum enumColProFis : int32_t {
  ecpNo = 1,
  ecpClave = 2,
  ecpDescripcion = 3,
  ecpUnidad = 4,
  ecpFrente = 5,
  ecpCantidad = 6,
  ecpPorPartida = 7,
};
/// The financial program has the same columns as the physical one.
using enumColProFin = enumColProFis;

/// Columns of the per-concept resource programs. Scoped: its member names are
/// also those of the summary's columns (enumColResEst), with the same values.
enum class enumColProgramRecursos : int32_t {
  ecrNo = 1,
  ecrClave = 2,
  ecrDescripcion = 3,
  ecrUnidad = 4,
  ecrFrente = 5,
};

class PMQ_API ProgramasCtrl {
 public:
  ProgramasCtrl();
  ~ProgramasCtrl();
  ProgramasCtrl(const ProgramasCtrl&) = delete;
  ProgramasCtrl& operator=(const ProgramasCtrl&) = delete;

  /// The options form; created by the first Inicia and kept.
  std::unique_ptr<frmProgramasObra> Forma;
  /// The root whose work is reported (set by the host; not owned).
  pmq::Programa* Programa = nullptr;

  /// Shows the options form modally, creating it the first time.
  void Inicia(std::string& sErrores);
  void Inicia() {
    std::string s;
    Inicia(s);
  }

  /// Writes the monthly program of kind `Tipo` to the workbook file `ruta`
  /// (.xlsx), amounts when `Importes`: creates the workbook with the sheet
  /// "Programa Obra", writes the financial program (and any kind outside 0 to
  /// 4) into it and, only when the whole program was written, replaces the file
  /// with it. The other kinds show "No implementado aún!!!" and write nothing.
  /// Failures are shown to the user as message boxes and added to sErrores as
  /// before; the outcome says whether the file was written and, if not, why.
  ResultadoEscritura Escribe(const std::string& ruta, enumTipoProgramaMensual Tipo, bool Importes,
                             std::string& sErrores);
  ResultadoEscritura Escribe(const std::string& ruta, enumTipoProgramaMensual Tipo, bool Importes) {
    std::string s;
    return Escribe(ruta, Tipo, Importes, s);
  }

  /// The export button: asks for the workbook's file name with the file
  /// dialog and calls Escribe. True when the program reached its file.
  bool AExcel(enumTipoProgramaMensual TipoProgramaMensual, bool Importes, std::string& sErrores);
  bool AExcel(enumTipoProgramaMensual TipoProgramaMensual, bool Importes) {
    std::string s;
    return AExcel(TipoProgramaMensual, Importes, s);
  }

  /// Column letters, as LibroExcel::ColTrans: 1 → "A", 702 → "ZZ", 703 → "AAA".
  static std::string ColTrans(int64_t ColNumber, std::string& sErrores);
  static std::string ColTrans(int64_t ColNumber) {
    std::string s;
    return ColTrans(ColNumber, s);
  }

  /// Caption of the options form.
  static constexpr std::string_view kCaptionOpciones = "Programas de Obra Mes Calendario";
  /// The name the options form lists for a kind (empty outside 0 to 4).
  static std::string_view NombreTipoPrograma(int32_t tipo);
  /// The title a kind of monthly program puts in the header (empty outside 0 to 4).
  static std::string_view TituloPrograma(int32_t tipo);

 private:
  /// Header row of the sheet body (day numbers and column titles); the month
  /// labels go on the row above it.
  static constexpr int32_t kFilaTitulos = 13;
  /// First day column.
  static constexpr int32_t kPrimeraColumnaDia = 8;

  /// What the sheet body keeps while it writes.
  struct EstadoHoja;

  /// Writes the report header block into column 1 from row F on.
  void ColocaEncabezadoPrograma(HcWorksheet* Ws, int32_t F, int32_t Tipo, std::string& sErrores);
  /// Writes the whole monthly financial program into the sheet.
  void ColocaEnExcel(HcWorksheet* Ws, bool Importes, std::string& sErrores);
  /// Writes one budget line's row, its per-period amounts and its bar.
  void ColocaLinea(EstadoHoja& e, const Presup* linea, int32_t Row, int32_t n);
  /// Writes "=" and the first column of every period on row R, joined with "+", into (R, T).
  void ImportesTotalesHorizontales(HcWorksheet* Ws, const std::string& Columnas, int32_t T,
                                   int32_t R, std::string& sErrores);
  /// Writes the pattern P with "_" replaced by each period's column letters
  /// into (R, column); when M, merges each period's cells on row R (the last
  /// one up to L).
  void ImportesPorPeriodo(HcWorksheet* Ws, const std::string& Columnas, const std::string& P,
                          int32_t R, bool& M, int32_t& L, std::string& sErrores);
  /// Gives the cell (R, C) the number format "#,##0" or "#,##0." and D zeros.
  void FormatoNumero(HcWorksheet* Ws, int32_t R, int32_t C, int32_t& D);
  /// Spanish month name of 1 to 12; empty text for any other number.
  static std::string NombreMes(int32_t m);

  /// Selects (f1, c1)–(f2, c2) of the sheet through the application.
  void Selecciona(HcWorksheet* Ws, int32_t f1, int32_t c1, int32_t f2, int32_t c2);
  /// The column numbers of a tab-separated column list.
  static std::vector<int32_t> ColumnasDeLista(const std::string& Columnas);

  /// The workbook of the export in progress (dropped when Escribe returns).
  std::unique_ptr<LibroExcel> Libro;
};

}  // namespace pmq
