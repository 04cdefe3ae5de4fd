#include "reports/program/programas_ctrl.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/formato.h"
#include "common/servicios_host.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "reports/program/frm_programas_obra.h"
#include "schedule/periodo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
#include "sheet/celdas_hoja.h"
#include "sheet/columnas.h"
#include "sheet/formato_celda.h"
#include "sheet/hc_application.h"
#include "sheet/hc_sheets.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/libro_excel.h"
#include "sheet/tabla_formatos.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <new>

namespace pmq {
namespace {

constexpr std::string_view kTitulo = "MorlaQel";
constexpr std::string_view kHoja = "Programa Obra";

constexpr std::array<std::string_view, 5> kTitulos = {
    "PROGRAMA DE AVANCE FÍSICO MENSUAL",
    "PROGRAMA DE MONTOS MENSUALES",
    "PROGRAMA POR CONCEPTOS DE MONTOS MENSUALES DE MATERIALES",
    "PROGRAMA POR CONCEPTOS DE MONTOS MENSUALES DE MAQUINARIA",
    "PROGRAMA POR CONCEPTOS DE MONTOS MENSUALES DE MANO DE OBRA",
};

// The kinds as the options form lists them, in the order of
// enumTipoProgramaMensual: position = value.
constexpr std::array<std::string_view, 5> kNombresTipos = {
    "Programa Mensual de Avance Físico",
    "Programa Mensual de Avance Financiero",
    "Programa Mensual de Materiales Por Conceptos",
    "Programa Mensual de Maquinaria Por Conceptos",
    "Programa Mensual de Mano de Obra Por Conceptos",
};

constexpr std::array<std::string_view, 12> kMeses = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};

constexpr std::array<std::string_view, 7> kTitulosColumnas = {
    "No.", "Clave", "Descripción", "Unidad", "Fte", "Cantidad", "% Partida"};

template <class T>
T& Requiere(T* objeto) {
  if (objeto == nullptr) throw ErrorQel(errores::kObjeto);
  return *objeto;
}

}  // namespace

ProgramasCtrl::ProgramasCtrl() = default;
ProgramasCtrl::~ProgramasCtrl() = default;

// ---- Public operations ----

void ProgramasCtrl::Inicia(std::string& sErrores) {
  try {
    if (!Forma) Forma = std::make_unique<frmProgramasObra>();
    Forma->Controlador = this;
    Forma->Form_Load();
    Host().MuestraModal(*Forma);
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "Inicia");
  }
}

bool ProgramasCtrl::AExcel(enumTipoProgramaMensual TipoProgramaMensual, bool Importes,
                           std::string& sErrores) {
  try {
    const std::string ruta = LibroExcel().PideRuta(sErrores);
    return Escribe(ruta, TipoProgramaMensual, Importes, sErrores).escrito;
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "AExcel");
    return false;
  }
}

ResultadoEscritura ProgramasCtrl::Escribe(const std::string& ruta,
                                          enumTipoProgramaMensual TipoProgramaMensual,
                                          bool Importes, std::string& sErrores) {
  // Every way out drops the workbook; only Guarda below writes the file.
  auto no_escrito = [&](std::string_view motivo, int estilo) {
    Libro.reset();
    MsgBox(motivo, estilo, kTitulo);
    return ResultadoEscritura::NoEscrito(std::string(motivo));
  };
  try {
    Libro.reset();
    try {
      Libro = std::make_unique<LibroExcel>();
    } catch (const std::bad_alloc&) {
      Libro.reset();
    }
    if (!Libro) return no_escrito("El libro de Microsoft Excel no se pudo crear", kMsgCritico);
    Libro->Visible = true;
    // A name that is not an .xlsx file fails as a cancelled dialog does.
    const std::string destino = LibroExcel::EsRutaXlsx(ruta) ? ruta : std::string();
    if (!Libro->AbreLibroEn(destino, sErrores))
      return no_escrito("El Libro de Microsoft Excel no se pudo abrir", kMsgCritico);
    HcWorksheet* hoja = Libro->CreaHoja(kHoja, 1, sErrores);
    if (hoja == nullptr) {
      return no_escrito("La Hoja de Trabajo de Microsoft Excel no se pudo dar de alta",
                        kMsgCritico);
    }
    const size_t antes = sErrores.size();
    switch (TipoProgramaMensual) {
      case etpAvanceFisico:
        ColocaFisico(hoja, sErrores);
        break;
      case etpPorConceptosMateriales:
      case etpPorConceptosMaquinaria:
      case etpPorConceptosManoDeObra:
        ColocaRecursos(hoja, TipoProgramaMensual, Importes, sErrores);
        break;
      default:
        ColocaEnExcel(hoja, Importes, sErrores);
        ColocaCurvaS(sErrores);
        Libro->Ws = hoja;
        hoja->Activate();
        break;
    }
    if (sErrores.size() != antes) {
      // A program with a part missing does not replace the file.
      Libro.reset();
      return ResultadoEscritura::NoEscrito(
          "El programa no se pudo escribir completo; el libro no se guardó");
    }
    ResultadoEscritura resultado = Libro->Guarda();
    Libro.reset();
    return resultado;
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "Escribe");
    Libro.reset();
    return ResultadoEscritura::NoEscrito(ErrorDeExcepcionActual().descripcion);
  }
}

std::string ProgramasCtrl::ColTrans(int64_t ColNumber, std::string& sErrores) {
  return LibroExcel::ColTrans(ColNumber, sErrores);
}

std::string_view ProgramasCtrl::NombreTipoPrograma(int32_t tipo) {
  if (tipo < 0 || tipo >= static_cast<int32_t>(kNombresTipos.size())) return {};
  return kNombresTipos[static_cast<size_t>(tipo)];
}

std::string_view ProgramasCtrl::TituloPrograma(int32_t tipo) {
  if (tipo < 0 || tipo >= static_cast<int32_t>(kTitulos.size())) return {};
  return kTitulos[static_cast<size_t>(tipo)];
}

// ---- Header block and formula operations ----

void ProgramasCtrl::ColocaEncabezadoPrograma(HcWorksheet* Ws, int32_t F, int32_t Tipo,
                                             std::string& sErrores) {
  Protege(sErrores, "ProgramasCtrl", "ColocaEncabezadoPrograma", [&] {
    HcWorksheet& ws = Requiere(Ws);
    const pmq::Programa& p = Requiere(Programa);
    const Obra& obra = Requiere(p.Obra.get());
    ws.cells(F, 1).Value(p.Empresa);
    ws.cells(F + 1, 1).Value(p.Leyenda1);
    ws.cells(F + 2, 1).Value(p.Leyenda2);
    ws.cells(F + 3, 1).Value(TituloPrograma(Tipo));
    ws.cells(F + 5, 1).Value(obra.Des.Enca1);
    ws.cells(F + 6, 1).Value(obra.Des.Enca2);
    ws.cells(F + 7, 1).Value(obra.Des.Enca3);
    ws.cells(F + 9, 1).Value("INICIO : " + FormatoFecha(obra.Des.Inicio, "dd/mmm/yyyy") +
                             std::string(50, ' ') +
                             "TERMINACION : " + FormatoFecha(obra.Des.Final, "dd/mmm/yyyy"));
    Selecciona(Ws, F, 1, F + 8, 1);
    Libro->ExcelApp->selection().HorizontalAlignment(kAlineaCentro);
  });
}

void ProgramasCtrl::ImportesTotalesHorizontales(HcWorksheet* Ws, const std::string& Columnas,
                                                int32_t T, int32_t R, std::string& sErrores) {
  Protege(sErrores, "ProgramasCtrl", "ImportesTotalesHorizontales", [&] {
    if (Ws == nullptr) return;
    const std::string fila = std::to_string(R);
    std::string formula = "=";
    bool primera = true;
    for (int32_t c : ColumnasDeLista(Columnas)) {
      if (!primera) formula += '+';
      primera = false;
      formula += ColTrans(c);
      formula += fila;
    }
    Requiere(Libro.get()).SetFormula(Ws, R, T, formula, sErrores);
  });
}

void ProgramasCtrl::ImportesPorPeriodo(HcWorksheet* Ws, const std::string& Columnas,
                                       const std::string& P, int32_t R, bool& M, int32_t& L,
                                       std::string& sErrores) {
  Protege(sErrores, "ProgramasCtrl", "ImportesPorPeriodo", [&] {
    const std::vector<int32_t> lista = ColumnasDeLista(Columnas);
    std::string formula;
    for (size_t i = 0; i < lista.size(); ++i) {
      const int32_t c = lista[i];
      const std::string letras = ColTrans(c);
      formula.clear();
      for (char ch : P) {
        if (ch == '_') {
          formula += letras;
        } else {
          formula += ch;
        }
      }
      Requiere(Libro.get()).SetFormula(Ws, R, c, formula, sErrores);
      if (M) {
        const int32_t e = i + 1 < lista.size() ? lista[i + 1] - 1 : L;
        Selecciona(Ws, R, c, R, e);
        Libro->ExcelApp->selection().MergeCells(true);
      }
    }
  });
}

void ProgramasCtrl::FormatoNumero(HcWorksheet* Ws, int32_t R, int32_t C, int32_t& D) {
  try {
    Selecciona(Ws, R, C, R, C);
    Libro->ExcelApp->selection().NumberFormat(
        D < 1 ? std::string("#,##0") : "#,##0." + std::string(static_cast<size_t>(D), '0'));
  } catch (...) {
    // A number format is cosmetic: it reports nothing.
  }
}

std::string ProgramasCtrl::NombreMes(int32_t m) {
  if (m < 1 || m > 12) return {};
  return std::string(kMeses[static_cast<size_t>(m - 1)]);
}

void ProgramasCtrl::Selecciona(HcWorksheet* Ws, int32_t f1, int32_t c1, int32_t f2, int32_t c2) {
  HcWorksheet& ws = Requiere(Ws);
  HcApplication& app = Requiere(Requiere(Libro.get()).ExcelApp.get());
  app.Range(ws.cells(f1, c1), ws.cells(f2, c2)).Select();
}

std::vector<int32_t> ProgramasCtrl::ColumnasDeLista(const std::string& Columnas) {
  std::vector<int32_t> lista;
  const char* p = Columnas.data();
  const char* fin = p + Columnas.size();
  while (p < fin) {
    int32_t c = 0;
    const auto [resto, error] = std::from_chars(p, fin, c);
    if (error != std::errc()) throw ErrorQel(errores::kTipos);
    lista.push_back(c);
    p = resto;
    if (p < fin && *p == '\t') ++p;
  }
  return lista;
}

// ---- The sheet body ----

ProgramasCtrl::EstadoHoja ProgramasCtrl::IniciaHoja(HcWorksheet* Ws, int32_t Tipo,
                                                    ValorPeriodo valor, std::string& sErrores) {
  HcWorksheet& ws = Requiere(Ws);
  LibroExcel& libro = Requiere(Libro.get());
  libro.Ws = Ws;
  HcApplication* app = &Requiere(libro.ExcelApp.get());
  ColocaEncabezadoPrograma(Ws, 1, Tipo, sErrores);
  for (size_t i = 0; i < kTitulosColumnas.size(); ++i) {
    ws.cells(kFilaTitulos, static_cast<int32_t>(i) + 1).Value(kTitulosColumnas[i]);
  }
  EstadoHoja e{Ws, app, sErrores, {}, 0, {}, {}, valor, Tipo, false, {}, {}};
  e.por_periodo = Tipo == etpPorConceptosMateriales || Tipo == etpPorConceptosMaquinaria ||
                  Tipo == etpPorConceptosManoDeObra;
  if (e.por_periodo) {
    // The resource programs: one column per period of the calendar, headed
    // with the period's name on the column titles' row, then the totals.
    e.columnas = TitulosPeriodos(ws, kFilaTitulos, kPrimeraColumnaDia);
    e.c = kPrimeraColumnaDia + Requiere(Requiere(Programa).Periodos.get()).Count();
    ws.cells(kFilaTitulos, e.c).Value("Totales");
  }
  return e;
}

bool ProgramasCtrl::Cabe(int32_t Row, int32_t filas) const {
  // Below the last line: its section's subtotal, the totals row and the
  // three foot rows, with a blank row between.
  constexpr int32_t kCierre = 8;
  return static_cast<int64_t>(Row) + filas + kCierre <= std::min(FilasPorHoja, kUltimaFila);
}

std::string ProgramasCtrl::PatronTotal(const EstadoHoja& e) {
  std::string p = "=";
  for (const int32_t fila : e.subtotales) {
    if (p.size() > 1) p += '+';
    p += '_';
    p += std::to_string(fila);
  }
  for (const auto& [hoja, fila] : e.partes) {
    if (fila == 0) continue;
    if (p.size() > 1) p += '+';
    p += '\'';
    p += hoja;
    p += "'!_";
    p += std::to_string(fila);
  }
  return p;
}

void ProgramasCtrl::ColocaPartida(const EstadoHoja& e, const Partida* partida, int32_t Row) {
  e.ws->cells(Row, ecpNo).Value(partida->Des.Clave);
  e.ws->cells(Row, ecpClave).Value(partida->Des.Clave);
  e.ws->cells(Row, ecpDescripcion).Value(partida->Des.Descripcion);
}

int32_t ProgramasCtrl::ContinuaHoja(EstadoHoja& e, int32_t F) {
  constexpr int32_t H = kFilaTitulos;
  HcWorksheet& ws = *e.ws;
  const int32_t T = e.c;
  int32_t total = 0;
  if (!e.subtotales.empty() && !e.columnas.empty()) {
    // Only this part's subtotals: the last part's totals add up the parts.
    EstadoHoja propia = e;
    propia.partes.clear();
    bool combina = true;
    int32_t ultima = T - 1;
    ImportesPorPeriodo(e.ws, e.columnas, PatronTotal(propia), F, combina, ultima, e.sErrores);
    ImportesTotalesHorizontales(e.ws, e.columnas, T, F, e.sErrores);
    if (e.tipo == etpAvanceFisico) {
      for (int32_t c : ColumnasDeLista(e.columnas)) ws.cells(F, c).NumberFormat("0.00%");
      ws.cells(F, T).NumberFormat("0.00%");
    }
    ws.cells(F, ecpPorPartida).Value("Total de la hoja");
    total = F;
  }
  if (T > 0) ws.cells(H, T).Value("Totales");
  TerminaHoja(e, F, T, std::max(F, H + 1), e.tipo);
  e.partes.emplace_back(ws.Name(), total);

  // Parts are numbered from 02 so that their names sort in order.
  HcWorksheet* hoja = ws.Parent().Sheets().Add(e.ws);
  Requiere(hoja).Name(fmt::format("{} ({:02})", kHoja, e.partes.size() + 1));
  hoja->Activate();
  IniciaHoja(hoja, e.tipo, e.valor, e.sErrores);
  e.ws = hoja;
  e.dia_rotulado.clear();
  e.mes_rotulado.clear();
  e.subtotales.clear();
  return H + 2;
}

void ProgramasCtrl::ColocaEnExcel(HcWorksheet* Ws, [[maybe_unused]] bool Importes,
                                  std::string& sErrores) {
  try {
    Requiere(Ws);
    EstadoHoja e = IniciaHoja(Ws, etpAvanceFinanciero, ValorPeriodo::kImporte, sErrores);
    constexpr int32_t H = kFilaTitulos;

    const Partidas& partidas = *Requiere(Requiere(Programa).Obra.get()).Partidas;
    int32_t Row = H + 2;
    int32_t n = 0;
    auto encabeza = [&](const Partida* partida) {
      ColocaPartida(e, partida, Row);
      Row += 2;
    };
    // The subtotal of the section's lines on this part, under the last one.
    std::string P = "=";
    auto cierra = [&] {
      const int32_t Y = Row - 1;
      // A section without lines has no line rows to add up: its subtotal row
      // keeps only its title.
      if (P.size() > 1 && !e.columnas.empty()) {
        bool combina = true;
        int32_t ultima = e.c - 1;
        ImportesPorPeriodo(e.ws, e.columnas, P, Y, combina, ultima, sErrores);
        ImportesTotalesHorizontales(e.ws, e.columnas, e.c, Y, sErrores);
      }
      e.ws->cells(Y, ecpPorPartida).Value("SubTotales");
      e.subtotales.push_back(Y);
      Row += 1;
    };
    for (const Partida* partida : partidas) {
      if (partida == nullptr) continue;
      if (!Cabe(Row, 4)) Row = ContinuaHoja(e, Row);
      encabeza(partida);
      P.assign(1, '=');  // not P = "=": GCC 12 at -O3 warns falsely (-Wrestrict)
      for (const Presup* linea : Requiere(partida->Presups.get())) {
        if (!Cabe(Row, 2)) {
          cierra();
          Row = ContinuaHoja(e, Row);
          encabeza(partida);
          P.assign(1, '=');
        }
        ++n;
        ColocaLinea(e, linea, Row, n);
        if (!e.columnas.empty()) ImportesTotalesHorizontales(e.ws, e.columnas, e.c, Row, sErrores);
        // Appended in two steps: GCC 12 at -O3 misreports "_" + text as an
        // overlapping copy (a -Wrestrict false positive).
        if (P.size() > 1) P += "+";
        P.push_back('_');
        P += std::to_string(Row);
        Row += 2;
      }
      cierra();
    }
    HcWorksheet& ws = *e.ws;
    Ws = e.ws;
    const std::string G = PatronTotal(e);

    const int32_t T = e.c;
    const int32_t totales = Row + 1;
    if (!e.columnas.empty()) {
      bool combina = true;
      int32_t ultima = T - 1;
      ImportesPorPeriodo(Ws, e.columnas, G, totales, combina, ultima, sErrores);
      ImportesTotalesHorizontales(Ws, e.columnas, T, totales, sErrores);
    }
    ws.cells(totales, ecpPorPartida).Value("Totales");
    if (T > 0) ws.cells(H, T).Value("Totales");
    if (!e.columnas.empty()) ColocaPie(e, totales + 2, "=_" + std::to_string(totales), T);

    TerminaHoja(e, Row, T, e.columnas.empty() ? totales : totales + 4, etpAvanceFinanciero);
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "", "ProgramasCtrl", "ColocaEnExcel");
  }
}

void ProgramasCtrl::TerminaHoja(EstadoHoja& e, int32_t Row, int32_t T, int32_t Ultima,
                                int32_t Tipo) {
  constexpr int32_t H = kFilaTitulos;
  HcWorksheet& ws = *e.ws;
  LibroExcel& libro = *Libro;
  std::string& sErrores = e.sErrores;
  HcWorksheet* Ws = e.ws;
  // Finishing: narrow day columns, aligned text columns (ten rows past the
  // body, within the part's rows), merged header rows.
  Row = std::min(Row + 10, std::min(FilasPorHoja, kUltimaFila)) - 10;
  if (!e.por_periodo && T - 1 >= kPrimeraColumnaDia) {
    ws.Columns(ColTrans(kPrimeraColumnaDia) + ":" + ColTrans(T - 1)).columnwidth(2);
  }
  // The text columns A to D: top-aligned, the description wrapped, the
  // others shrunk to fit.
  struct Alineacion {
    int32_t horizontal;
    bool encoger;
    bool ajustar;
  };
  constexpr std::array<Alineacion, 4> kTextos = {{{kAlineaCentro, true, false},
                                                  {kAlineaIzquierda, true, false},
                                                  {kAlineaIzquierda, false, true},
                                                  {kAlineaCentro, true, false}}};
  ws.Columns(3).columnwidth(60);
  for (int32_t c = 1; c <= 4; ++c) {
    const Alineacion& a = kTextos[static_cast<size_t>(c - 1)];
    if (!e.por_periodo) {
      libro.FormatoSeleccion(1, c, Row + 10, c, "", "", kAlineaArriba, a.horizontal, a.encoger,
                             a.ajustar, false, sErrores);
      continue;
    }
    // A sheet of one column per period has about a million row items: only
    // the cells that hold something get the alignment (a blank cell shows
    // none), not one new cell per row and column.
    TablaFormatos& tabla = ws.Parent().Formatos();
    std::vector<std::pair<uint32_t, uint32_t>> cambios;
    ws.Celdas().ParaCada(1, c, Row + 10, c, [&](int32_t, Celda& celda) {
      auto it = std::find_if(cambios.begin(), cambios.end(),
                             [&](const auto& p) { return p.first == celda.formato; });
      if (it == cambios.end()) {
        FormatoCelda f = tabla.Formato(celda.formato);
        f.numero.clear();
        f.integrado = 0;
        f.vertical = kAlineaArriba;
        f.horizontal = a.horizontal;
        f.encoger = a.encoger;
        f.ajustar = a.ajustar;
        it = cambios.emplace(cambios.end(), celda.formato, tabla.Id(f));
      }
      celda.formato = it->second;
    });
  }
  for (int32_t f = 1; f <= 10; ++f) {
    Selecciona(Ws, f, 1, f, std::max(T, 1));
    e.app->selection().MergeCells(true);
  }
  ws.Columns("A:I").entirecolumn().autofit();

  // Printing and viewing: landscape on tabloid paper one page wide, the
  // period and day headings (the column titles' row alone on a sheet of one
  // column per period) on every page and frozen with the description.
  const Obra& obra = *Programa->Obra;
  ConfiguracionPagina& pagina = ws.Pagina();
  pagina.horizontal = true;
  pagina.papel = ConfiguracionPagina::kPapelTabloide;
  pagina.paginas_ancho = 1;
  pagina.filas_repetidas = {e.por_periodo ? H : H - 1, H};
  pagina.area = {1, 1, Ultima, std::max<int32_t>(T, ecpPorPartida)};
  pagina.encabezado = ConfiguracionPagina::Encabezado(obra.Des.Clave + " " + obra.Des.Descripcion,
                                                      Programa->Empresa);
  pagina.pie = ConfiguracionPagina::kPiePaginas;
  pagina.inmovilizar = {H + 1, ecpDescripcion + 1};
  PropiedadesLibro& propiedades = ws.Parent().Propiedades();
  propiedades.titulo = TituloPrograma(Tipo);
  propiedades.asunto = obra.Des.Clave + " " + obra.Des.Descripcion;
  propiedades.empresa = Programa->Empresa;
}

void ProgramasCtrl::ColocaDatosLinea(const EstadoHoja& e, const Presup& l, int32_t Row, int32_t n) {
  HcWorksheet& ws = *e.ws;
  ws.cells(Row, ecpNo).Value(std::to_string(n) + ")");
  // A line whose concept is not in the catalogue keeps these three blank.
  if (l.Concepto != nullptr) {
    ws.cells(Row, ecpClave).Value(l.Concepto->Des.Clave);
    ws.cells(Row, ecpDescripcion).Value(l.Concepto->Des.Descripcion);
    ws.cells(Row, ecpUnidad).Value(l.Concepto->Des.Unidad);
  }
  ws.cells(Row, ecpFrente).Value(l.Des.Frente);
  ws.cells(Row, ecpCantidad).Value(l.Des.Cantidad);
  int32_t decimales = 4;
  FormatoNumero(e.ws, Row, ecpCantidad, decimales);
  ws.cells(Row, ecpPorPartida).Value(l.Des.PorcentajePartida(e.sErrores));
}

void ProgramasCtrl::ColocaLinea(EstadoHoja& e, const Presup* linea, int32_t Row, int32_t n) {
  constexpr int32_t H = kFilaTitulos;
  HcWorksheet& ws = *e.ws;
  const Presup& l = Requiere(linea);
  const int32_t B = Row - 1;
  ColocaDatosLinea(e, l, Row, n);

  int32_t c = kPrimeraColumnaDia;
  e.columnas.clear();
  const PeriodosPorItem& periodos = Requiere(l.PeriodosPorItem.get());
  const int32_t cuantos = periodos.Count();
  for (int32_t k = 1; k <= cuantos; ++k) {
    const PeriodoPorItem* periodo = periodos.Item(k);
    if (periodo == nullptr) continue;
    const int32_t s = c;
    const int32_t dias = periodo->Dias.Count();
    if (static_cast<int32_t>(e.dia_rotulado.size()) < s + dias) {
      e.dia_rotulado.resize(static_cast<size_t>(s + dias), 0);
      e.mes_rotulado.resize(static_cast<size_t>(s + dias), 0);
    }
    bool mes_nuevo = false;
    if (dias >= 1) {
      if (!e.columnas.empty()) e.columnas += '\t';
      e.columnas += std::to_string(s);
      if (e.valor == ValorPeriodo::kImporte) {
        ws.cells(Row, s).Value(periodo->Importe);
      } else if (e.valor == ValorPeriodo::kCantidad) {
        ws.cells(Row, s).Value(periodo->Cantidad);
        ws.cells(Row, s).NumberFormat("#,##0.0000");
      }
      if (e.mes_rotulado[static_cast<size_t>(s)] != periodo->P1.Serial()) {
        ws.cells(H - 1, s).Value(EtiquetaPeriodo(periodo->P1));
        e.mes_rotulado[static_cast<size_t>(s)] = periodo->P1.Serial();
        mes_nuevo = true;
      }
    }
    // Day columns are numbered with the day of the month (a fortnight from
    // the 16th shows 16, 17, ...).
    const int32_t primer_dia = periodo->P1.Dia();
    for (int32_t d = 1; d <= dias; ++d, ++c) {
      const int32_t del_mes = primer_dia + d - 1;
      if (e.dia_rotulado[static_cast<size_t>(c)] != del_mes) {
        ws.cells(H, c).Value(del_mes);
        e.dia_rotulado[static_cast<size_t>(c)] = del_mes;
      }
    }
    // The bar: each run of worked days is filled black in one go.
    for (int32_t d = 1; d <= dias; ++d) {
      if (!periodo->Dias.Barra(d)) continue;
      int32_t hasta = d;
      while (hasta < dias && periodo->Dias.Barra(hasta + 1)) ++hasta;
      Selecciona(e.ws, B, s + d - 1, B, s + hasta - 1);
      HcInterior relleno = e.app->selection().Interior();
      relleno.ColorIndex(1);
      relleno.Pattern(kPatronSolido);
      d = hasta;
    }
    const int32_t fin = c - 1;
    if (fin > s) {
      // A row with nothing in its periods (the line's row of a resource
      // program) needs no merged blocks.
      if (e.valor != ValorPeriodo::kNinguno) {
        Selecciona(e.ws, Row, s, Row, fin);
        e.app->selection().MergeCells(true);
      }
      if (mes_nuevo) {
        Selecciona(e.ws, H - 1, s, H - 1, fin);
        e.app->selection().MergeCells(true);
      }
    }
  }
  e.c = c;
}

}  // namespace pmq
