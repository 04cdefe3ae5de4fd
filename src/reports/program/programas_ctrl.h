#pragma once
// Controller of the monthly work program reports. The host sets `Programa` and
// calls Inicia, which shows the options form; the form's export button calls
// AExcel, which creates the workbook and, for the monthly financial program,
// writes the sheet "Programa Obra": a header block, a day-by-day calendar, one
// row pair per budget line (its amount per month and a bar over its worked
// days), a subtotal row per section and a totals row, every sum a live formula.

#include "common/enumeraciones.h"

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

class ProgramasCtrl {
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

  /// Asks for the workbook's file name, creates the workbook with the sheet
  /// "Programa Obra" and, for the financial program (and any kind outside 0 to
  /// 4), writes the program into it; the other kinds show "No implementado
  /// aún!!!". The workbook is written to its file when the export ends. True
  /// when the program was written in full and reached its file.
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

  /// The workbook of the export in progress (replaced at each AExcel).
  std::unique_ptr<LibroExcel> Libro;
};

}  // namespace pmq
