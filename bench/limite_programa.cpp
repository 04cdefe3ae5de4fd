#include "limite_programa.h"

#include "catalogue/concepto.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "schedule/periodo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
#include "sheet/libro_excel.h"

#include <fmt/format.h>
#include <xlsxwriter.h>

#include <stdexcept>
#include <vector>

namespace pmq::bench {
namespace {

constexpr const char* kMeses[] = {"Enero",      "Febrero", "Marzo",     "Abril",
                                  "Mayo",       "Junio",   "Julio",     "Agosto",
                                  "Septiembre", "Octubre", "Noviembre", "Diciembre"};

void Revisa(lxw_error e) {
  if (e != LXW_NO_ERROR) throw std::runtime_error(lxw_strerror(e));
}

struct Columna {
  int32_t primera = 0;  // first day column of the period
  int32_t ultima = 0;
};

}  // namespace

LimitePrograma::Resultado LimitePrograma::Escribe(const Programa& programa,
                                                  const std::string& ruta) {
  Resultado r;
  const Obra& obra = *programa.Obra;
  // Day columns: one per day of every period, from column 8; T after them.
  std::vector<Columna> periodos;
  int32_t c = 8;
  for (const Periodo* p : *programa.Periodos) {
    periodos.push_back({c, c + p->Duracion - 1});
    c += p->Duracion;
  }
  const int32_t T = c;
  std::vector<std::string> letras(static_cast<size_t>(T) + 1);
  for (int32_t k = 1; k <= T; ++k) letras[static_cast<size_t>(k)] = LibroExcel::ColTrans(k);

  // Rows of every section and line, as the sheet body lays them out.
  struct Seccion {
    const Partida* partida;
    int32_t fila;  // section row S
    std::vector<const Presup*> lineas;
    int32_t primera_linea;  // S + 2
    int32_t subtotal;       // Z + 1
  };
  std::vector<Seccion> secciones;
  int32_t fila = 15;
  for (const Partida* s : *obra.Partidas) {
    Seccion sec{s, fila, {}, fila + 2, 0};
    for (const Presup* p : *s->Presups) sec.lineas.push_back(p);
    fila += 2;
    const int32_t z = fila + 2 * (static_cast<int32_t>(sec.lineas.size()) - 1);
    sec.subtotal = z + 1;
    fila = z + 2 + 1;
    secciones.push_back(std::move(sec));
  }
  const int32_t totales = fila + 1;
  const int32_t ultima_formateada = fila + 10;

  lxw_workbook_options opciones{};
  opciones.constant_memory = LXW_TRUE;
  lxw_workbook* wb = workbook_new_opt(ruta.c_str(), &opciones);
  if (wb == nullptr) throw std::runtime_error("no se pudo crear " + ruta);
  try {
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Programa Obra");
    lxw_format* f_col1 = workbook_add_format(wb);
    format_set_align(f_col1, LXW_ALIGN_CENTER);
    format_set_align(f_col1, LXW_ALIGN_VERTICAL_TOP);
    format_set_shrink(f_col1);
    lxw_format* f_col2 = workbook_add_format(wb);
    format_set_align(f_col2, LXW_ALIGN_LEFT);
    format_set_align(f_col2, LXW_ALIGN_VERTICAL_TOP);
    format_set_shrink(f_col2);
    lxw_format* f_col3 = workbook_add_format(wb);
    format_set_align(f_col3, LXW_ALIGN_LEFT);
    format_set_align(f_col3, LXW_ALIGN_VERTICAL_TOP);
    format_set_text_wrap(f_col3);
    lxw_format* f_col4 = f_col1;
    lxw_format* f_cantidad = workbook_add_format(wb);
    format_set_num_format(f_cantidad, "#,##0.0000");
    lxw_format* f_barra = workbook_add_format(wb);
    format_set_pattern(f_barra, LXW_PATTERN_SOLID);
    format_set_bg_color(f_barra, LXW_COLOR_BLACK);
    lxw_format* fijos[5] = {nullptr, f_col1, f_col2, f_col3, f_col4};

    Revisa(worksheet_set_column(ws, 2, 2, 60, nullptr));
    if (T > 8) Revisa(worksheet_set_column(ws, 7, static_cast<lxw_col_t>(T - 2), 2, nullptr));

    // Merges first (constant-memory mode writes rows strictly in order).
    auto combina = [&](int32_t f, int32_t c1, int32_t c2) {
      if (c2 <= c1) return;
      Revisa(worksheet_merge_range(ws, static_cast<lxw_row_t>(f - 1),
                                   static_cast<lxw_col_t>(c1 - 1), static_cast<lxw_row_t>(f - 1),
                                   static_cast<lxw_col_t>(c2 - 1), "", nullptr));
      ++r.combinaciones;
    };
    for (int32_t f = 1; f <= 10; ++f) combina(f, 1, T);
    for (const Columna& p : periodos) combina(12, p.primera, p.ultima);
    for (const Seccion& sec : secciones) {
      const int32_t n = static_cast<int32_t>(sec.lineas.size());
      for (int32_t j = 0; j < n; ++j) {
        const int32_t R = sec.primera_linea + 2 * j;
        for (const Columna& p : periodos) combina(R, p.primera, p.ultima);
        if (!periodos.empty() && j != n - 2)
          combina(R + 3, periodos.back().primera, periodos.back().ultima);
      }
      for (const Columna& p : periodos) combina(sec.subtotal, p.primera, p.ultima);
    }
    for (const Columna& p : periodos) combina(totales, p.primera, p.ultima);

    auto texto = [&](int32_t f, int32_t col, std::string_view t, lxw_format* fmt_) {
      const std::string s(t);
      Revisa(worksheet_write_string(ws, static_cast<lxw_row_t>(f - 1),
                                    static_cast<lxw_col_t>(col - 1), s.c_str(), fmt_));
      ++r.celdas;
    };
    auto numero = [&](int32_t f, int32_t col, double v, lxw_format* fmt_) {
      Revisa(worksheet_write_number(ws, static_cast<lxw_row_t>(f - 1),
                                    static_cast<lxw_col_t>(col - 1), v, fmt_));
      ++r.celdas;
    };
    auto formula = [&](int32_t f, int32_t col, const std::string& t, double v) {
      Revisa(worksheet_write_formula_num(ws, static_cast<lxw_row_t>(f - 1),
                                         static_cast<lxw_col_t>(col - 1), t.c_str(), nullptr, v));
      ++r.celdas;
    };
    auto blanco = [&](int32_t f, int32_t col, lxw_format* fmt_) {
      Revisa(worksheet_write_blank(ws, static_cast<lxw_row_t>(f - 1),
                                   static_cast<lxw_col_t>(col - 1), fmt_));
      ++r.celdas;
    };
    // Columns 1 to 4 carry their format down to the last formatted row; a
    // row's text cells there come from `textos` (empty = formatted blank).
    auto fijas = [&](int32_t f, const std::string* textos) {
      for (int32_t col = 1; col <= 4; ++col) {
        if (textos != nullptr && !textos[col - 1].empty())
          texto(f, col, textos[col - 1], fijos[col]);
        else
          blanco(f, col, fijos[col]);
      }
    };
    auto suma = [&](const std::vector<int32_t>& filas_sumadas, int32_t col) {
      std::string t = "=";
      for (size_t i = 0; i < filas_sumadas.size(); ++i) {
        if (i > 0) t += '+';
        t += letras[static_cast<size_t>(col)];
        t += std::to_string(filas_sumadas[i]);
      }
      return t;
    };
    auto horizontal = [&](int32_t f) {
      std::string t = "=";
      for (size_t i = 0; i < periodos.size(); ++i) {
        if (i > 0) t += '+';
        t += letras[static_cast<size_t>(periodos[i].primera)];
        t += std::to_string(f);
      }
      return t;
    };

    // Header block.
    const std::string cabecera[10] = {programa.Empresa,
                                      programa.Leyenda1,
                                      programa.Leyenda2,
                                      "PROGRAMA DE MONTOS MENSUALES",
                                      "",
                                      obra.Des.Enca1,
                                      obra.Des.Enca2,
                                      obra.Des.Enca3,
                                      "",
                                      fmt::format("INICIO : {}{:50}TERMINACION : {}",
                                                  obra.Des.Inicio.Iso(), "", obra.Des.Final.Iso())};
    for (int32_t f = 1; f <= 10; ++f) {
      const std::string textos[4] = {cabecera[f - 1], "", "", ""};
      fijas(f, textos);
    }
    fijas(11, nullptr);
    // Month row and day row.
    {
      fijas(12, nullptr);
      int32_t k = 0;
      for (const Periodo* p : *programa.Periodos) {
        texto(12, periodos[static_cast<size_t>(k)].primera,
              fmt::format("{}'{}", kMeses[p->Inicio.Mes() - 1], p->Inicio.Anio()), nullptr);
        ++k;
      }
      const std::string titulos[4] = {"No.", "Clave", "Descripción", "Unidad"};
      fijas(13, titulos);
      texto(13, 5, "Fte", nullptr);
      texto(13, 6, "Cantidad", nullptr);
      texto(13, 7, "% Partida", nullptr);
      for (const Columna& p : periodos) {
        for (int32_t d = p.primera; d <= p.ultima; ++d) numero(13, d, d - p.primera + 1, nullptr);
      }
      texto(13, T, "Totales", nullptr);
      fijas(14, nullptr);
    }

    // Sections, lines, subtotals.
    int32_t numero_linea = 0;
    std::vector<double> gran_total(periodos.size(), 0.0);
    std::vector<int32_t> subtotales;
    std::string sin_uso;
    for (const Seccion& sec : secciones) {
      const std::string fila_s[4] = {sec.partida->Des.Clave, sec.partida->Des.Clave,
                                     sec.partida->Des.Descripcion, ""};
      fijas(sec.fila, fila_s);
      std::vector<double> sub(periodos.size(), 0.0);
      std::vector<int32_t> filas_lineas;
      for (const Presup* p : sec.lineas) {
        const int32_t R = sec.primera_linea + 2 * static_cast<int32_t>(filas_lineas.size());
        // Bar row: black cells on the worked days.
        fijas(R - 1, nullptr);
        int32_t k = 0;
        for (const PeriodoPorItem* s : *p->PeriodosPorItem) {
          const int32_t base = periodos[static_cast<size_t>(k)].primera - 1;
          for (int32_t d = 1; d <= s->Dias.Count(); ++d) {
            if (s->Dias.Barra(d)) blanco(R - 1, base + d, f_barra);
          }
          ++k;
        }
        // Line row.
        ++numero_linea;
        const Concepto* con = p->Concepto;
        const std::string textos[4] = {
            fmt::format("{})", numero_linea), con != nullptr ? con->Des.Clave : "",
            con != nullptr ? con->Des.Descripcion : "", con != nullptr ? con->Des.Unidad : ""};
        fijas(R, textos);
        if (!p->Des.Frente.empty()) texto(R, 5, p->Des.Frente, nullptr);
        numero(R, 6, p->Des.Cantidad, f_cantidad);
        texto(R, 7, p->Des.PorcentajePartida(sin_uso), nullptr);
        double total = 0;
        k = 0;
        for (const PeriodoPorItem* s : *p->PeriodosPorItem) {
          const double v = s->Importe.ADouble();
          numero(R, periodos[static_cast<size_t>(k)].primera, v, nullptr);
          sub[static_cast<size_t>(k)] += v;
          total += v;
          ++k;
        }
        formula(R, T, horizontal(R), total);
        filas_lineas.push_back(R);
      }
      // Subtotal row.
      const int32_t Y = sec.subtotal;
      for (int32_t f = sec.primera_linea + 2 * static_cast<int32_t>(filas_lineas.size()) - 1; f < Y;
           ++f)
        fijas(f, nullptr);
      fijas(Y, nullptr);
      texto(Y, 7, "SubTotales", nullptr);
      double total = 0;
      for (size_t k = 0; k < periodos.size(); ++k) {
        formula(Y, periodos[k].primera, suma(filas_lineas, periodos[k].primera), sub[k]);
        gran_total[k] += sub[k];
        total += sub[k];
      }
      formula(Y, T, horizontal(Y), total);
      subtotales.push_back(Y);
      fijas(Y + 1, nullptr);
    }
    // Totals.
    for (int32_t f = (secciones.empty() ? 15 : secciones.back().subtotal + 2); f < totales; ++f)
      fijas(f, nullptr);
    fijas(totales, nullptr);
    texto(totales, 7, "Totales", nullptr);
    double total = 0;
    for (size_t k = 0; k < periodos.size(); ++k) {
      formula(totales, periodos[k].primera, suma(subtotales, periodos[k].primera), gran_total[k]);
      total += gran_total[k];
    }
    formula(totales, T, horizontal(totales), total);
    for (int32_t f = totales + 1; f <= ultima_formateada; ++f) fijas(f, nullptr);
    r.filas = ultima_formateada;
    r.columnas = T;
  } catch (...) {
    workbook_close(wb);
    throw;
  }
  Revisa(workbook_close(wb));
  return r;
}

}  // namespace pmq::bench
