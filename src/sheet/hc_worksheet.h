#pragma once
// A worksheet: its name, its cells, merges and column widths. Reached through
// the automation members `Name`, `Activate`, `cells(row, column)` and
// `Columns(...)`; the writer and the range objects use the storage directly.

#include "sheet/celdas_hoja.h"
#include "sheet/combinaciones.h"
#include "sheet/configuracion_pagina.h"
#include "sheet/grafica.h"
#include "sheet/hc_columns.h"
#include "sheet/hc_range.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class HcWorkbook;

class HcWorksheet {
 public:
  HcWorksheet(HcWorkbook& libro, std::string nombre);
  HcWorksheet(const HcWorksheet&) = delete;
  HcWorksheet& operator=(const HcWorksheet&) = delete;

  /// Renames the sheet. Throws ErrorQel 1004 for an empty name, one longer than
  /// 31 characters, one with : \ / ? * [ ] or starting or ending with an
  /// apostrophe, or the name of another sheet of the workbook (any case).
  void Name(std::string_view nombre);
  const std::string& Name() const { return nombre_; }
  /// Makes this the active sheet, and its workbook the active workbook.
  void Activate();

  /// One cell (rows 1 to 1,048,576, columns 1 to 16,384; else ErrorQel 1004).
  HcRange cells(int32_t fila, int32_t columna);
  /// One column by number (ErrorQel 1004 outside 1 to 16,384).
  HcColumns Columns(int32_t columna);
  /// Columns by letters: "C" or a range "A:I" (any case; ErrorQel 1004 for
  /// anything else).
  HcColumns Columns(std::string_view letras);

  /// The workbook that holds the sheet.
  HcWorkbook& Parent() const { return *libro_; }

  /// How the sheet prints and opens (paper, scaling, repeated rows, print
  /// area, header and footer, frozen panes, autofilter). Columns whose width
  /// was never set are sized by the writer to their widest shown value, and
  /// rows with wrapped text get the height of their lines: a report sets only
  /// what it wants fixed.
  ConfiguracionPagina& Pagina() { return pagina_; }
  const ConfiguracionPagina& Pagina() const { return pagina_; }

  // ---- Storage, for the range objects, the evaluator and the writer ----

  CeldasHoja& Celdas() { return celdas_; }
  const CeldasHoja& Celdas() const { return celdas_; }
  Combinaciones& Merges() { return merges_; }
  const Combinaciones& Merges() const { return merges_; }
  /// Width of a column in characters (kAnchoPredeterminado when never set).
  double AnchoColumna(int32_t columna) const;
  /// True when the column's width was set.
  bool AnchoFijado(int32_t columna) const;
  /// Sets the width of columns c1 to c2.
  void PonAnchoColumna(int32_t c1, int32_t c2, double ancho);
  /// Places a chart on the sheet.
  void AgregaGrafica(Grafica grafica) { graficas_.push_back(std::move(grafica)); }
  /// The charts placed on the sheet, in order.
  const std::vector<Grafica>& Graficas() const { return graficas_; }
  /// Computes every formula, when any value changed since the last time.
  void EvaluaFormulas();
  /// Throws ErrorQel 462 when the sheet's workbook was closed or its
  /// application quit.
  void Verifica() const;
  /// Drops the cells and merges (the workbook was closed).
  void Libera();

 private:
  HcWorkbook* libro_;
  std::string nombre_;
  CeldasHoja celdas_;
  Combinaciones merges_;
  ConfiguracionPagina pagina_;
  std::vector<double> anchos_;  // column - 1 → width; negative = default
  std::vector<Grafica> graficas_;
  uint64_t version_evaluada_ = UINT64_MAX;
  bool evaluando_ = false;
};

}  // namespace pmq
