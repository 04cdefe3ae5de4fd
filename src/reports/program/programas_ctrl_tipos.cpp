// The program kinds beyond the monthly financial sheet: the foot rows every
// program sheet ends with, the physical progress program, the resource
// programs by concept with their consolidated sheet, and the S-curve sheet of
// the financial program.

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/formato.h"
#include "estimates/estimacion.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones.h"
#include "estimates/estimaciones_presup.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "reports/program/programas_ctrl.h"
#include "schedule/dias.h"
#include "schedule/fila_programa.h"
#include "schedule/filas_programa.h"
#include "schedule/items_fila.h"
#include "schedule/periodo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
#include "sheet/celdas_hoja.h"
#include "sheet/columnas.h"
#include "sheet/configuracion_pagina.h"
#include "sheet/formato_celda.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/libro_excel.h"
#include "sheet/tabla_formatos.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <type_traits>
#include <unordered_map>

namespace pmq {
namespace {

constexpr std::array<std::string_view, 12> kMesesCortos = {
    "ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"};

constexpr std::string_view kConsolidado = "Consolidado";
constexpr std::string_view kCurvaS = "Curva S";
constexpr const char* kFormatoPorcentaje = "0.00%";
constexpr const char* kFormatoCantidad = "#,##0.0000";
constexpr const char* kFormatoImporte = "#,##0.00";
/// The longest text a cell holds, in bytes at most as many characters.
constexpr size_t kTextoCelda = 32767;
template <class T>
T& Requiere(T* objeto) {
  if (objeto == nullptr) throw ErrorQel(errores::kObjeto);
  return *objeto;
}

// The resource program kind of the row items for a sheet kind.
enumTipoPrograma TipoItems(enumTipoProgramaMensual tipo, bool importes) {
  switch (tipo) {
    case etpPorConceptosMateriales:
      return importes ? enumTipoPrograma::MaterialesImportes
                      : enumTipoPrograma::MaterialesCantidades;
    case etpPorConceptosMaquinaria:
      return importes ? enumTipoPrograma::MaquinariaImportes
                      : enumTipoPrograma::MaquinariaCantidades;
    default:
      return importes ? enumTipoPrograma::ManoDeObraImportes
                      : enumTipoPrograma::ManoDeObraCantidades;
  }
}

// A new sheet named `nombre` after the sheet `despues`.
HcWorksheet* NuevaHoja(std::string_view nombre, HcWorksheet* despues) {
  HcWorksheet& ws = Requiere(despues);
  HcWorksheet* hoja = ws.Parent().Sheets().Add(&ws);
  Requiere(hoja).Name(nombre);
  return hoja;
}

// A number as a formula constant: the exact decimal of an amount.
std::string FormatoNumeroFormula(Moneda m) {
  std::string t = fmt::format("{:.4f}", m.ADouble());
  while (!t.empty() && t.back() == '0') t.pop_back();
  if (!t.empty() && t.back() == '.') t.pop_back();
  return t;
}

// A sheet printed landscape, `anchas` pages wide, with `filas` repeated on
// every page, the work and the company in the header, the page number in the
// footer, and what lies above and left of `inmovilizar` kept in view.
void Imprime(HcWorksheet& ws, const Programa& p, uint8_t papel, ConfiguracionPagina::Filas filas,
             ConfiguracionPagina::Bloque area, ConfiguracionPagina::Celda inmovilizar) {
  const Obra& obra = *p.Obra;
  ConfiguracionPagina& pagina = ws.Pagina();
  pagina.horizontal = true;
  pagina.papel = papel;
  pagina.paginas_ancho = 1;
  pagina.filas_repetidas = filas;
  pagina.area = area;
  pagina.encabezado =
      ConfiguracionPagina::Encabezado(obra.Des.Clave + " " + obra.Des.Descripcion, p.Empresa);
  pagina.pie = ConfiguracionPagina::kPiePaginas;
  pagina.inmovilizar = inmovilizar;
}

// A number into the cell (R, C) with the format `formato`, straight into the
// sheet's cells: a resource program writes millions of them on a large work.
template <class Valor>
void PonValor(CeldasHoja& celdas, int32_t R, int32_t C, Valor v, uint32_t formato) {
  Celda& celda = celdas.Obtiene(R, C);
  if constexpr (std::is_same_v<Valor, Moneda>) {
    celdas.PonMoneda(celda, v);
  } else {
    celdas.PonNumero(celda, v);
  }
  celda.formato = formato;
}

// A row's values per period into row R from column `primera` on. A period
// the input is not used in stays blank: most inputs are used in a few
// periods only.
template <class Valor>
void PonPeriodos(CeldasHoja& celdas, int32_t R, int32_t primera, const std::vector<Valor>& valores,
                 uint32_t formato) {
  for (size_t i = 0; i < valores.size(); ++i) {
    if (valores[i] != Valor())
      PonValor(celdas, R, primera + static_cast<int32_t>(i), valores[i], formato);
  }
}

}  // namespace

std::string ProgramasCtrl::TitulosPeriodos(HcWorksheet& ws, int32_t fila, int32_t primera) const {
  std::string columnas;
  int32_t c = primera;
  for (const Periodo* periodo : Requiere(Requiere(Programa).Periodos.get())) {
    if (!columnas.empty()) columnas += '\t';
    columnas += std::to_string(c);
    if (periodo != nullptr) ws.cells(fila, c).Value(EtiquetaPeriodo(periodo->Inicio));
    ++c;
  }
  return columnas;
}

std::string ProgramasCtrl::EtiquetaPeriodo(Fecha inicio) const {
  if (Programa != nullptr && Programa->TipoPeriodo == enumQuincenal) {
    const int mes = inicio.Mes();
    const std::string_view corto =
        mes >= 1 && mes <= 12 ? kMesesCortos[static_cast<size_t>(mes - 1)] : "";
    return fmt::format("{}a. quincena {} {}", inicio.Dia() <= 15 ? 1 : 2, corto, inicio.Anio());
  }
  return NombreMes(inicio.Mes()) + "'" + std::to_string(inicio.Anio());
}

void ProgramasCtrl::ColocaPie(EstadoHoja& e, int32_t F, const std::string& P, int32_t T,
                              int32_t Rotulo) {
  HcWorksheet& ws = *e.ws;
  LibroExcel& libro = *Libro;
  const std::vector<int32_t> lista = ColumnasDeLista(e.columnas);
  // Day-by-day sheets merge each period's cells; a sheet of one column per
  // period merges nothing.
  bool combina = !e.por_periodo;
  int32_t ultima = T - 1;
  ImportesPorPeriodo(e.ws, e.columnas, P, F, combina, ultima, e.sErrores);
  ImportesTotalesHorizontales(e.ws, e.columnas, T, F, e.sErrores);
  ws.cells(F, Rotulo).Value("Total del periodo");
  ws.cells(F + 1, Rotulo).Value("Total acumulado");
  ws.cells(F + 2, Rotulo).Value("% acumulado");
  const std::string total = "$" + ColTrans(T) + "$" + std::to_string(F);
  std::string anterior;
  for (size_t i = 0; i < lista.size(); ++i) {
    const int32_t c = lista[i];
    const int32_t fin = i + 1 < lista.size() ? lista[i + 1] - 1 : T - 1;
    const std::string letras = ColTrans(c);
    std::string acumulado = "=";
    if (!anterior.empty()) acumulado += anterior + std::to_string(F + 1) + "+";
    acumulado += letras + std::to_string(F);
    libro.SetFormula(e.ws, F + 1, c, acumulado, e.sErrores);
    libro.SetFormula(e.ws, F + 2, c, "=" + letras + std::to_string(F + 1) + "/" + total,
                     e.sErrores);
    ws.cells(F + 2, c).NumberFormat(kFormatoPorcentaje);
    for (int32_t f = F + 1; f <= F + 2; ++f) {
      if (fin > c) e.app->Range(ws.cells(f, c), ws.cells(f, fin)).MergeCells(true);
    }
    anterior = letras;
  }
}

// ---- Physical progress ----

void ProgramasCtrl::ColocaFisico(HcWorksheet* Ws, std::string& sErrores) {
  try {
    HcWorksheet* const primera = &Requiere(Ws);
    LibroExcel& libro = Requiere(Libro.get());
    EstadoHoja e = IniciaHoja(Ws, etpAvanceFisico, ValorPeriodo::kCantidad, sErrores);
    constexpr int32_t H = kFilaTitulos;
    const Obra& obra = *Requiere(Programa).Obra;
    const Partidas& partidas = *obra.Partidas;
    // Lines of different units are not added up: every line weighs in by its
    // amount, so a section's row and the foot give the share of the work's
    // amount done in each period.
    Moneda total_obra;
    for (const Partida* partida : partidas) {
      if (partida == nullptr || !partida->Presups) continue;
      for (const Presup* linea : *partida->Presups) {
        if (linea != nullptr) total_obra += linea->Des.Importe;
      }
    }
    const std::string divisor = FormatoNumeroFormula(total_obra);

    int32_t Row = H + 2;
    int32_t n = 0;
    auto encabeza = [&](const Partida* partida) {
      ColocaPartida(e, partida, Row);
      Row += 2;
    };
    std::string P = "=(";
    bool alguna = false;
    // The section's weighted progress of the lines on this part.
    auto cierra = [&] {
      const int32_t Y = Row - 1;
      if (alguna && !e.columnas.empty() && total_obra != Moneda()) {
        bool combina = true;
        int32_t ultima = e.c - 1;
        ImportesPorPeriodo(e.ws, e.columnas, P + ")/" + divisor, Y, combina, ultima, sErrores);
        for (int32_t c : ColumnasDeLista(e.columnas))
          e.ws->cells(Y, c).NumberFormat(kFormatoPorcentaje);
        e.subtotales.push_back(Y);
      }
      e.ws->cells(Y, ecpPorPartida).Value("SubTotales");
      Row = Y + 2;
    };
    for (const Partida* partida : partidas) {
      if (partida == nullptr) continue;
      if (!Cabe(Row, 5)) Row = ContinuaHoja(e, Row);
      encabeza(partida);
      P.assign("=(", 2);  // not P = "=(": GCC 12 at -O3 warns falsely (-Wrestrict)
      alguna = false;
      for (const Presup* linea : Requiere(partida->Presups.get())) {
        if (!Cabe(Row, 3)) {
          cierra();
          Row = ContinuaHoja(e, Row);
          encabeza(partida);
          P.assign("=(", 2);
          alguna = false;
        }
        HcWorksheet& ws = *e.ws;
        Ws = e.ws;
        ++n;
        ColocaLinea(e, linea, Row, n);
        // The percentage row: the period's quantity over the line's.
        const std::vector<int32_t> lista = ColumnasDeLista(e.columnas);
        std::string cantidad = "$";
        cantidad += ColTrans(ecpCantidad);
        cantidad += std::to_string(Row);
        // A period the line does no work in keeps its percentage blank, as the
        // resource programs leave their unworked periods.
        std::vector<bool> trabajado;
        for (const PeriodoPorItem* parte : *linea->PeriodosPorItem) {
          if (parte != nullptr && parte->Dias.Count() >= 1)
            trabajado.push_back(parte->Cantidad != 0);
        }
        for (size_t i = 0; i < lista.size(); ++i) {
          if (i < trabajado.size() && !trabajado[i]) continue;
          const int32_t c = lista[i];
          const int32_t fin = i + 1 < lista.size() ? lista[i + 1] - 1 : e.c - 1;
          // Built piece by piece: GCC 12 at -O3 warns falsely on "literal" + temporary.
          std::string formula = "=";
          formula += ColTrans(c);
          formula += std::to_string(Row);
          formula += '/';
          formula += cantidad;
          libro.SetFormula(Ws, Row + 1, c, formula, sErrores);
          ws.cells(Row + 1, c).NumberFormat(kFormatoPorcentaje);
          if (fin > c) e.app->Range(ws.cells(Row + 1, c), ws.cells(Row + 1, fin)).MergeCells(true);
        }
        ws.cells(Row + 1, ecpPorPartida).Value("%");
        if (alguna) P += "+";
        P += '_';
        P += std::to_string(Row + 1);
        P += '*';
        P += FormatoNumeroFormula(linea->Des.Importe);
        alguna = true;
        Row += 3;
      }
      cierra();
    }
    HcWorksheet& ws = *e.ws;
    const int32_t T = e.c;
    if (T > 0) ws.cells(H, T).Value("Totales");
    const std::string total = PatronTotal(e);
    const bool con_total = total.size() > 1;
    if (con_total) {
      ColocaPie(e, Row + 1, total, T);
      for (int32_t c : ColumnasDeLista(e.columnas)) {
        ws.cells(Row + 1, c).NumberFormat(kFormatoPorcentaje);
        ws.cells(Row + 2, c).NumberFormat(kFormatoPorcentaje);
      }
      ws.cells(Row + 1, T).NumberFormat(kFormatoPorcentaje);
    }
    TerminaHoja(e, Row + 4, T, con_total ? Row + 3 : Row - 1, etpAvanceFisico);
    if (e.ws != primera) {
      Libro->Ws = primera;
      primera->Activate();
    }
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "ColocaFisico");
  }
}

// ---- Resource programs by concept ----

void ProgramasCtrl::ColocaRecursos(HcWorksheet* Ws, enumTipoProgramaMensual Tipo, bool Importes,
                                   std::string& sErrores) {
  try {
    HcWorksheet* const primera = &Requiere(Ws);
    LibroExcel& libro = Requiere(Libro.get());
    EstadoHoja e = IniciaHoja(Ws, Tipo, ValorPeriodo::kNinguno, sErrores);
    constexpr int32_t H = kFilaTitulos;
    const Obra& obra = *Requiere(Programa).Obra;
    const enumTipoPrograma tipo_items = TipoItems(Tipo, Importes);
    const char* formato = Importes ? kFormatoImporte : kFormatoCantidad;
    // The row items' number format, as NumberFormat gives it to a new cell.
    FormatoCelda con_formato = primera->Parent().Formatos().Formato(0);
    con_formato.integrado = 0;
    con_formato.numero = formato;
    const uint32_t id_formato = primera->Parent().Formatos().Id(con_formato);
    // The bar cell's fill, as Interior gives it to a new cell.
    FormatoCelda negro = primera->Parent().Formatos().Formato(0);
    negro.color = 1;
    negro.patron = kPatronSolido;
    const uint32_t id_barra = primera->Parent().Formatos().Id(negro);

    // Each input once, in the order first met, with its sums per period.
    struct Insumo {
      const Concepto* concepto = nullptr;
      std::vector<double> cantidades;
      std::vector<Moneda> importes;
    };
    std::vector<Insumo> insumos;
    std::unordered_map<const Concepto*, size_t> posicion;
    const size_t periodos = static_cast<size_t>(Programa->Periodos->Count());

    int32_t Row = H + 2;
    int32_t n = 0;
    ItemsFila items;
    auto encabeza = [&](const Partida* partida) {
      ColocaPartida(e, partida, Row);
      Row += 2;
    };
    // The section's rows on this part that hold row items (0 when none):
    // its subtotal adds up the period column over them, line and bar rows
    // having nothing there.
    int32_t desde = 0;
    int32_t hasta = 0;
    // Quantities of different inputs are in different units: only amounts
    // get subtotals and foot rows.
    auto cierra = [&] {
      const int32_t Y = Row - 1;
      if (Importes && desde > 0 && !e.columnas.empty()) {
        bool combina = false;
        int32_t ultima = e.c - 1;
        const std::string suma =
            "=SUM(_" + std::to_string(desde) + ":_" + std::to_string(hasta) + ")";
        ImportesPorPeriodo(e.ws, e.columnas, suma, Y, combina, ultima, sErrores);
        ImportesTotalesHorizontales(e.ws, e.columnas, e.c, Y, sErrores);
        e.subtotales.push_back(Y);
        e.ws->cells(Y, ecpPorPartida).Value("SubTotales");
      }
      Row = Y + 2;
    };
    for (const Partida* partida : *obra.Partidas) {
      if (partida == nullptr) continue;
      if (!Cabe(Row, 4)) Row = ContinuaHoja(e, Row);
      encabeza(partida);
      desde = 0;
      for (Presup* linea : Requiere(partida->Presups.get())) {
        items.Presup = linea;
        if (linea->Concepto != nullptr && linea->Concepto->Explosion) {
          items.CalculaDias(tipo_items, ParaInsumo, sErrores);
        } else {
          items.CalculaDias(enumTipoPrograma::TotalImportes, ParaConcepto, sErrores);
        }
        // A line and its row items stay together: what does not fit goes on
        // the next part; a line with more inputs than a whole sheet holds is
        // refused rather than cut short.
        const int32_t bloque = items.Count() + 2;
        if (!Cabe(Row, bloque)) {
          if (!Cabe(H + 4, bloque)) {
            throw ErrorQel(
                errores::kAplicacion,
                fmt::format("El programa pasa de las {} filas que admite una hoja", kUltimaFila));
          }
          cierra();
          Row = ContinuaHoja(e, Row);
          encabeza(partida);
          desde = 0;
        }
        HcWorksheet& ws = *e.ws;
        CeldasHoja& celdas = ws.Celdas();
        Ws = e.ws;
        ++n;
        ColocaDatosLinea(e, *linea, Row, n);
        // The line's bar, on the row above it: one black cell per period it
        // is worked in.
        int32_t k = 0;
        for (const PeriodoPorItem* parte : Requiere(linea->PeriodosPorItem.get())) {
          const int32_t c = kPrimeraColumnaDia + k++;
          if (parte == nullptr || c >= e.c) continue;
          bool trabajado = false;
          for (int32_t d = 1; d <= parte->Dias.Count() && !trabajado; ++d)
            trabajado = parte->Dias.Barra(d);
          if (trabajado) celdas.PonFormato(Row - 1, c, id_barra);
        }
        // A text a cell holds goes straight into the cells; a longer one
        // through the range, which cuts it and says so.
        auto texto = [&](int32_t r, int32_t c, const std::string& t) {
          if (t.size() <= kTextoCelda) {
            celdas.PonTexto(celdas.Obtiene(r, c), t);
          } else {
            ws.cells(r, c).Value(t);
          }
        };
        int32_t r = Row;
        for (const ItemFila* item : items) {
          ++r;
          if (item->Concepto != nullptr) {
            texto(r, ecpClave, item->Concepto->Des.Clave);
            texto(r, ecpDescripcion, item->Concepto->Des.Descripcion);
            texto(r, ecpUnidad, item->Concepto->Des.Unidad);
          }
          // The input's total in "Cantidad" and its value per period. No row
          // total: the periods add up to it (the last worked period takes the
          // rounding), and a formula a row would be a fifth of the file.
          if (Importes) {
            PonValor(celdas, r, ecpCantidad, item->Importe, id_formato);
            PonPeriodos(celdas, r, kPrimeraColumnaDia, item->Importes, id_formato);
          } else {
            PonValor(celdas, r, ecpCantidad, item->Cantidad, id_formato);
            PonPeriodos(celdas, r, kPrimeraColumnaDia, item->Cantidades, id_formato);
          }
          if (desde == 0) desde = r;
          hasta = r;
          auto [it, nuevo] = posicion.try_emplace(item->Concepto, insumos.size());
          if (nuevo)
            insumos.push_back(
                {item->Concepto, std::vector<double>(periodos), std::vector<Moneda>(periodos)});
          Insumo& insumo = insumos[it->second];
          for (size_t k = 0; k < periodos && k < item->Importes.size(); ++k) {
            insumo.cantidades[k] += item->Cantidades[k];
            insumo.importes[k] += item->Importes[k];
          }
        }
        Row = r + 2;
      }
      cierra();
    }
    HcWorksheet& ws = *e.ws;
    const int32_t T = e.c;
    if (T > 0) ws.cells(H, T).Value("Totales");
    const std::string total = PatronTotal(e);
    const bool con_total = total.size() > 1;
    if (con_total) ColocaPie(e, Row + 1, total, T);
    TerminaHoja(e, Row + 4, T, con_total ? Row + 3 : Row - 1, Tipo);

    // The consolidated sheet: each input across all lines, one column per period.
    HcWorksheet* hoja = NuevaHoja(kConsolidado, e.ws);
    HcWorksheet& wc = *hoja;
    libro.Ws = hoja;
    ColocaEncabezadoPrograma(hoja, 1, Tipo, sErrores);
    constexpr int32_t kPrimeraPeriodo = 5;
    const std::array<std::string_view, 4> titulos = {"Clave", "Descripción", "Unidad", "Total"};
    for (size_t i = 0; i < titulos.size(); ++i) {
      wc.cells(H, static_cast<int32_t>(i) + 1).Value(titulos[i]);
    }
    const std::string columnas = TitulosPeriodos(wc, H, kPrimeraPeriodo);
    constexpr int32_t kColumnaTotal = 4;
    const int32_t primera_fila = H + 2;
    int32_t f = primera_fila;
    const std::string primera_letra = ColTrans(kPrimeraPeriodo);
    const std::string ultima_letra = ColTrans(kPrimeraPeriodo + static_cast<int32_t>(periodos) - 1);
    CeldasHoja& celdas_c = wc.Celdas();
    for (const Insumo& insumo : insumos) {
      if (insumo.concepto != nullptr) {
        wc.cells(f, 1).Value(insumo.concepto->Des.Clave);
        wc.cells(f, 2).Value(insumo.concepto->Des.Descripcion);
        wc.cells(f, 3).Value(insumo.concepto->Des.Unidad);
      }
      if (Importes) {
        PonPeriodos(celdas_c, f, kPrimeraPeriodo, insumo.importes, id_formato);
      } else {
        PonPeriodos(celdas_c, f, kPrimeraPeriodo, insumo.cantidades, id_formato);
      }
      // Its total: the sum of its period columns.
      if (periodos > 0) {
        const std::string fila = std::to_string(f);
        libro.SetFormula(hoja, f, kColumnaTotal,
                         "=SUM(" + primera_letra + fila + ":" + ultima_letra + fila + ")",
                         sErrores);
      }
      wc.cells(f, kColumnaTotal).NumberFormat(formato);
      ++f;
    }
    // The foot adds up the column of every input: one SUM a period (a chain
    // of single cells would pass the formula length limit on a large work).
    const bool con_pie = Importes && !insumos.empty() && periodos > 0;
    if (con_pie) {
      EstadoHoja ec{hoja,
                    e.app,
                    sErrores,
                    columnas,
                    kPrimeraPeriodo + static_cast<int32_t>(periodos),
                    {},
                    {},
                    ValorPeriodo::kNinguno,
                    Tipo,
                    true,
                    {},
                    {}};
      ColocaPie(ec, f + 1,
                "=SUM(_" + std::to_string(primera_fila) + ":_" + std::to_string(f - 1) + ")",
                kColumnaTotal, 3);
    }
    // Descriptions wrap in a column as wide as the program sheet's; the
    // other columns take the width of what they show.
    const int32_t ultima_columna = kPrimeraPeriodo + static_cast<int32_t>(periodos) - 1;
    const int32_t ultima_fila = con_pie ? f + 3 : f - 1;
    wc.Columns(2).columnwidth(60);
    libro.FormatoSeleccion(H + 1, 2, std::max(ultima_fila, H + 1), 2, "", "", kAlineaArriba,
                           kAlineaIzquierda, false, true, false, sErrores);
    for (int32_t r = 1; r <= 10; ++r) {
      e.app->Range(wc.cells(r, 1), wc.cells(r, std::max(ultima_columna, 4))).MergeCells(true);
    }
    Imprime(wc, *Programa, ConfiguracionPagina::kPapelTabloide, {H, H},
            {1, 1, ultima_fila, std::max(ultima_columna, 4)}, {H + 1, 3});
    libro.Ws = primera;
    primera->Activate();
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "ColocaRecursos");
  }
}

// ---- S-curve ----

void ProgramasCtrl::ColocaCurvaS(std::string& sErrores) {
  try {
    LibroExcel& libro = Requiere(Libro.get());
    const Obra& obra = *Requiere(Programa).Obra;
    const Periodos& calendario = *Programa->Periodos;
    const int32_t periodos = calendario.Count();
    if (periodos == 0) return;
    HcWorksheet* hoja = NuevaHoja(kCurvaS, libro.Ws);
    HcWorksheet& ws = *hoja;
    libro.Ws = hoja;

    // What each estimate billed, by its number, placed in the period its
    // span ends in (before the calendar: the first; after it: the last).
    std::unordered_map<int64_t, Moneda> cobrado;
    for (const Partida* partida : *obra.Partidas) {
      if (partida == nullptr || !partida->Presups) continue;
      for (const Presup* linea : *partida->Presups) {
        if (linea == nullptr || !linea->EstimacionesPresup) continue;
        for (const EstimacionPresup* ep : *linea->EstimacionesPresup) {
          cobrado[ep->NoEstimacion] += ep->Importe;
        }
      }
    }
    std::vector<Moneda> estimado(static_cast<size_t>(periodos));
    if (obra.Estimaciones) {
      for (const Estimacion* est : *obra.Estimaciones) {
        const auto it = cobrado.find(std::atoll(est->Des.Clave.c_str()));
        if (it == cobrado.end()) continue;
        int32_t k = periodos;
        for (int32_t i = 1; i <= periodos; ++i) {
          if (est->Des.Final <= calendario.Item(i)->Final) {
            k = i;
            break;
          }
        }
        estimado[static_cast<size_t>(k - 1)] += it->second;
      }
    }
    const FilaPrograma* total = obra.FPro->Item("kTotal");

    const std::array<std::string_view, 6> titulos = {
        "Periodo",  "Programado",        "Programado acumulado", "% programado acumulado",
        "Estimado", "Estimado acumulado"};
    for (size_t i = 0; i < titulos.size(); ++i) {
      ws.cells(1, static_cast<int32_t>(i) + 1).Value(titulos[i]);
    }
    const int32_t ultima = periodos + 1;
    for (int32_t k = 1; k <= periodos; ++k) {
      const int32_t f = k + 1;
      const std::string fila = std::to_string(f);
      const std::string previa = std::to_string(f - 1);
      ws.cells(f, 1).Value(EtiquetaPeriodo(calendario.Item(k)->Inicio));
      ws.cells(f, 2).Value(total != nullptr && static_cast<size_t>(k) <= total->Importes.size()
                               ? total->Importes[static_cast<size_t>(k - 1)]
                               : Moneda());
      libro.SetFormula(hoja, f, 3, k == 1 ? "=B" + fila : "=C" + previa + "+B" + fila, sErrores);
      libro.SetFormula(hoja, f, 4, "=C" + fila + "/$C$" + std::to_string(ultima), sErrores);
      ws.cells(f, 5).Value(estimado[static_cast<size_t>(k - 1)]);
      libro.SetFormula(hoja, f, 6, k == 1 ? "=E" + fila : "=F" + previa + "+E" + fila, sErrores);
      for (int32_t c : {2, 3, 5, 6}) ws.cells(f, c).NumberFormat(kFormatoImporte);
      ws.cells(f, 4).NumberFormat(kFormatoPorcentaje);
    }
    ws.Columns("A:F").entirecolumn().autofit();
    // The table and the two charts beside it on one landscape page.
    Imprime(ws, *Programa, ConfiguracionPagina::kPapelCarta, {1, 1},
            {1, 1, std::max(ultima, 48), 20}, {2, 2});

    const std::string nombre = "='" + std::string(kCurvaS) + "'!";
    const std::string ult = std::to_string(ultima);
    const std::string categorias = nombre + "$A$2:$A$" + ult;
    // Each chart sets the planned series beside the billed one over the
    // periods: the curve itself (the two cumulative amounts as lines) and,
    // below it, the amounts of each period as columns.
    auto agrega = [&](Grafica::Tipo tipo, const char* titulo, const char* titulo_valores,
                      int32_t fila, const char* sufijo, char programado, char estimado) {
      auto rango = [&](char columna) {
        std::string r = nombre;
        r.append("$").append(1, columna).append("$2:$").append(1, columna).append("$").append(ult);
        return r;
      };
      Grafica g;
      g.tipo = tipo;
      g.titulo = titulo;
      g.titulo_categorias = "Periodo";
      g.titulo_valores = titulo_valores;
      g.fila = fila;
      g.columna = 8;
      g.series = {{std::string("Programado").append(sufijo), categorias, rango(programado)},
                  {std::string("Estimado").append(sufijo), categorias, rango(estimado)}};
      ws.AgregaGrafica(std::move(g));
    };
    agrega(Grafica::Tipo::kLineas, "Curva S", "Importe acumulado", 2, " acumulado", 'C', 'F');
    agrega(Grafica::Tipo::kColumnas, "Importes por periodo", "Importe", 26, "", 'B', 'E');
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "ColocaCurvaS");
  }
}

}  // namespace pmq
