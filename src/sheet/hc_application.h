#pragma once
// The spreadsheet application the reports drive, kept in memory: workbooks,
// window state and visibility, `Range(cell, cell)` and the selection. `Quit`
// writes every open workbook that was saved to its path with all that was put
// in it, then ends the application; after it every member throws ErrorQel 462,
// as a server that has gone away. Releasing the application writes nothing: a
// write is always an explicit call whose failure reaches the caller.

#include "sheet/hc_range.h"
#include "sheet/hc_workbooks.h"

#include <cstdint>

namespace pmq {

class HcWorkbook;

class HcApplication {
 public:
  HcApplication();
  /// Drops the open workbooks without writing them.
  ~HcApplication();
  HcApplication(const HcApplication&) = delete;
  HcApplication& operator=(const HcApplication&) = delete;

  /// The open workbooks.
  HcWorkbooks& workbooks();
  /// Visibility of the application window.
  void Visible(bool visible);
  bool Visible() const;
  /// Window state: kVentanaMinimizada, kVentanaMaximizada or kVentanaNormal
  /// (other codes throw ErrorQel 1004).
  void WindowState(int32_t estado);
  int32_t WindowState() const;
  /// Closes every workbook (writing the saved ones) and ends the application.
  /// A failed write is thrown after the application has ended.
  void Quit();

  /// The block spanning two cells (or blocks) of one sheet; ErrorQel 1004 when
  /// they belong to different sheets, 91 when one is no block.
  HcRange Range(const HcRange& celda1, const HcRange& celda2);
  /// The selected block: the last one selected on the active sheet, else its
  /// first cell. ErrorQel 91 when no workbook is open.
  HcRange selection();
  /// The active workbook (nullptr when none is open).
  HcWorkbook* ActiveWorkbook();

  /// True after Quit.
  bool Terminada() const { return terminada_; }
  /// Throws ErrorQel 462 after Quit.
  void Verifica() const;
  /// Records the selection (HcRange::Select).
  void EstableceSeleccion(const HcRange& rango) { seleccion_ = rango; }

 private:
  HcWorkbooks workbooks_;
  HcRange seleccion_;
  bool visible_ = false;
  int32_t ventana_ = kVentanaNormal;
  bool terminada_ = false;
};

}  // namespace pmq
