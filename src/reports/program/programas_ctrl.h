#pragma once
// Controller of the work program reports. A host sets `Programa` and either
// calls Escribe with the path, the kind and the option, or calls Inicia, which
// shows the options form; the form's export button calls AExcel, which asks
// for the path and calls Escribe. Escribe creates the workbook and writes the
// kind asked for into the sheet "Programa Obra": a header block, a day-by-day
// calendar, one row pair per budget line (its amounts or quantities per period
// and a bar over its worked days), a subtotal row per section, a totals row and
// the foot rows, every sum a live formula. The resource kinds have one column
// per period instead of the days: under each line one row per input, and a bar
// cell per period the line is worked in. The financial program adds the sheet
// "Curva S", the resource programs the sheet "Consolidado".

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/resultado_escritura.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pmq {

class Programa;
class Partida;
class Presup;
class Periodo;
class HcWorksheet;
class HcApplication;
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
  /// The last row a program sheet fills. A program longer than that goes on
  /// in continuation sheets "Programa Obra (02)", "(03)", ... with the same
  /// header block; a budget line never splits. The format's last row unless
  /// lowered (tests do, to reach continuation sheets on small works).
  int32_t FilasPorHoja = 1'048'576;

  /// Shows the options form modally, creating it the first time.
  void Inicia(std::string& sErrores);
  void Inicia() {
    std::string s;
    Inicia(s);
  }

  /// Writes the program of kind `Tipo` (0 physical, 1 financial and any kind
  /// outside 0 to 4, 2 to 4 materials, machinery and labour by concept) to the
  /// workbook file `ruta` (.xlsx), amounts when `Importes` (quantities in the
  /// resource kinds otherwise), and replaces the file only when the whole
  /// program was written. Failures are shown to the user as message boxes and
  /// added to sErrores; the outcome says whether the file was written and, if
  /// not, why.
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
  /// First day column (first period column on a sheet of one column per period).
  static constexpr int32_t kPrimeraColumnaDia = 8;

  /// What a line row shows in each period's cell.
  enum class ValorPeriodo { kImporte, kCantidad, kNinguno };

  /// What the sheet body keeps while it writes.
  struct EstadoHoja {
    HcWorksheet* ws = nullptr;
    HcApplication* app = nullptr;
    std::string& sErrores;
    /// First column of each period of the last line written, tab-separated.
    std::string columnas;
    /// The column after the last day column of the last line written.
    int32_t c = 0;
    /// Day number and period start already written on the header rows, per
    /// column: every line repeats them, so they are written only when they change.
    std::vector<int32_t> dia_rotulado;
    std::vector<int32_t> mes_rotulado;
    ValorPeriodo valor = ValorPeriodo::kImporte;
    /// The program's kind (header block and finishing of every part).
    int32_t tipo = 0;
    /// One column per period of the calendar (the resource programs) instead
    /// of one per day: the period columns, their headings and the total
    /// column are the same for every line and set when the sheet starts.
    bool por_periodo = false;
    /// Section subtotal rows of the current part.
    std::vector<int32_t> subtotales;
    /// The parts already finished: each one's sheet name and its "Total de
    /// la hoja" row (0 when it has none).
    std::vector<std::pair<std::string, int32_t>> partes;
  };

  /// Starts a program sheet: the header block of kind Tipo, the column titles,
  /// and the writing state whose periods hold `valor`.
  EstadoHoja IniciaHoja(HcWorksheet* Ws, int32_t Tipo, ValorPeriodo valor, std::string& sErrores);
  /// True when `filas` more rows from row Row leave room for the closing
  /// rows of the part (subtotal, totals and foot rows).
  bool Cabe(int32_t Row, int32_t filas) const;
  /// Ends the current part with its row "Total de la hoja" (the sum of its
  /// section subtotals) at row F, finishes it and starts the next part's
  /// sheet. Returns the next part's first body row.
  int32_t ContinuaHoja(EstadoHoja& e, int32_t F);
  /// "=" and, joined by "+", each section subtotal of the current part and
  /// each earlier part's "Total de la hoja", with "_" for the column letters.
  static std::string PatronTotal(const EstadoHoja& e);
  /// Writes a section's heading (number, code and description) on row Row.
  static void ColocaPartida(const EstadoHoja& e, const Partida* partida, int32_t Row);
  /// Writes the report header block into column 1 from row F on.
  void ColocaEncabezadoPrograma(HcWorksheet* Ws, int32_t F, int32_t Tipo, std::string& sErrores);
  /// Writes the whole monthly financial program into the sheet.
  void ColocaEnExcel(HcWorksheet* Ws, bool Importes, std::string& sErrores);
  /// Writes one budget line's row, its per-period amounts and its bar.
  void ColocaLinea(EstadoHoja& e, const Presup* linea, int32_t Row, int32_t n);
  /// Writes a line's number, code, description, unit, front, quantity and
  /// share of its section on row Row.
  void ColocaDatosLinea(const EstadoHoja& e, const Presup& linea, int32_t Row, int32_t n);
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

  /// The label of a period: "Marzo'2013" for a month, "1a. quincena mar
  /// 2013" / "2a. quincena mar 2013" for a fortnight.
  std::string EtiquetaPeriodo(Fecha inicio) const;
  /// Each period's label on row `fila`, one column per period from column
  /// `primera` on; returns those columns as a tab-separated list.
  std::string TitulosPeriodos(HcWorksheet& ws, int32_t fila, int32_t primera) const;
  /// The foot rows "Total del periodo" (the pattern P per period), "Total
  /// acumulado" and "% acumulado" (of the total in column T) from row F on.
  /// The labels go into column `Rotulo`.
  void ColocaPie(EstadoHoja& e, int32_t F, const std::string& P, int32_t T,
                 int32_t Rotulo = ecpPorPartida);
  /// The finishing of a day-by-day sheet of kind `Tipo` whose body ends
  /// near row `Row`, whose last written row is `Ultima` and whose total column
  /// is T: narrow day columns, aligned text columns, merged header rows, page
  /// setup, frozen headings and the workbook's properties.
  void TerminaHoja(EstadoHoja& e, int32_t Row, int32_t T, int32_t Ultima, int32_t Tipo);
  /// The physical progress program: each line's quantity per period and its
  /// percentage of the line; sections and foot weighted by amount.
  void ColocaFisico(HcWorksheet* Ws, std::string& sErrores);
  /// A resource program by concept: under each line one row per input of
  /// the kind; then the sheet "Consolidado" with each input per period.
  void ColocaRecursos(HcWorksheet* Ws, enumTipoProgramaMensual Tipo, bool Importes,
                      std::string& sErrores);
  /// The sheet "Curva S": planned and billed amounts per period and their
  /// cumulative curves, with a chart.
  void ColocaCurvaS(std::string& sErrores);

  /// Selects (f1, c1)–(f2, c2) of the sheet through the application.
  void Selecciona(HcWorksheet* Ws, int32_t f1, int32_t c1, int32_t f2, int32_t c2);
  /// The column numbers of a tab-separated column list.
  static std::vector<int32_t> ColumnasDeLista(const std::string& Columnas);

  /// The workbook of the export in progress (dropped when Escribe returns).
  std::unique_ptr<LibroExcel> Libro;
};

}  // namespace pmq
