#include "limite_resumen.h"

#include "catalogue/concepto.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones_presup.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "sheet/libro_excel.h"

#include <xlsxwriter.h>

#include <stdexcept>
#include <vector>

namespace pmq::bench {
namespace {

void Revisa(lxw_error e) {
  if (e != LXW_NO_ERROR) throw std::runtime_error(lxw_strerror(e));
}

constexpr int32_t kPorEstimacion = 2;  // quantity and amount

}  // namespace

LimiteResumen::Resultado LimiteResumen::Escribe(const Programa& programa, const std::string& ruta) {
  Resultado r;
  const Obra& obra = *programa.Obra;
  const int32_t E = obra.NoEstimaciones;
  const int32_t ultima_col = 14 + kPorEstimacion * E;
  std::vector<std::string> letras(static_cast<size_t>(ultima_col) + 1);
  for (int32_t k = 1; k <= ultima_col; ++k)
    letras[static_cast<size_t>(k)] = LibroExcel::ColTrans(k);
  auto L = [&](int32_t col) -> const std::string& { return letras[static_cast<size_t>(col)]; };
  auto cantidad_col = [](int32_t k) { return (k - 1) * kPorEstimacion + 15; };
  auto importe_col = [](int32_t k) { return (k - 1) * kPorEstimacion + 14 + kPorEstimacion; };

  // Which estimates some line has (their titles go into row 4), and their labels.
  std::vector<std::string> etiqueta(static_cast<size_t>(E) + 1);
  for (const Partida* s : *obra.Partidas) {
    for (const Presup* p : *s->Presups) {
      for (const EstimacionPresup* e : *p->EstimacionesPresup) {
        if (e->NoEstimacion >= 1 && e->NoEstimacion <= E)
          etiqueta[static_cast<size_t>(e->NoEstimacion)] = e->NoEst;
      }
    }
  }

  lxw_workbook_options opciones{};
  opciones.constant_memory = LXW_TRUE;
  lxw_workbook* wb = workbook_new_opt(ruta.c_str(), &opciones);
  if (wb == nullptr) throw std::runtime_error("no se pudo crear " + ruta);
  try {
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Resumen");
    auto alineado = [&](uint8_t h, bool encoger, bool ajustar) {
      lxw_format* f = workbook_add_format(wb);
      format_set_align(f, h);
      format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
      if (encoger) format_set_shrink(f);
      if (ajustar) format_set_text_wrap(f);
      return f;
    };
    lxw_format* fijos[5] = {
        nullptr, alineado(LXW_ALIGN_CENTER, true, false), alineado(LXW_ALIGN_LEFT, true, false),
        alineado(LXW_ALIGN_LEFT, false, true), alineado(LXW_ALIGN_CENTER, true, false)};
    lxw_format* f_titulo = alineado(LXW_ALIGN_CENTER, false, false);
    lxw_format* f_cant = alineado(LXW_ALIGN_RIGHT, true, false);
    format_set_num_format(f_cant, "###,###,##0.000000");
    lxw_format* f_mon = alineado(LXW_ALIGN_RIGHT, true, false);
    format_set_num_format_index(f_mon, 7);
    Revisa(worksheet_set_column(ws, 2, 2, 60, nullptr));

    for (int32_t k = 1; k <= E; ++k) {
      if (etiqueta[static_cast<size_t>(k)].empty()) continue;
      Revisa(worksheet_merge_range(ws, 3, static_cast<lxw_col_t>(cantidad_col(k) - 1), 3,
                                   static_cast<lxw_col_t>(importe_col(k) - 1), "", nullptr));
      ++r.combinaciones;
    }

    auto f0 = [](int32_t f) { return static_cast<lxw_row_t>(f - 1); };
    auto c0 = [](int32_t c) { return static_cast<lxw_col_t>(c - 1); };
    auto texto = [&](int32_t f, int32_t c, const std::string& t, lxw_format* x) {
      Revisa(worksheet_write_string(ws, f0(f), c0(c), t.c_str(), x));
      ++r.celdas;
    };
    auto numero = [&](int32_t f, int32_t c, double v, lxw_format* x) {
      Revisa(worksheet_write_number(ws, f0(f), c0(c), v, x));
      ++r.celdas;
    };
    auto formula = [&](int32_t f, int32_t c, const std::string& t, double v, lxw_format* x) {
      Revisa(worksheet_write_formula_num(ws, f0(f), c0(c), t.c_str(), x, v));
      ++r.celdas;
    };
    auto blanco = [&](int32_t f, int32_t c, lxw_format* x) {
      Revisa(worksheet_write_blank(ws, f0(f), c0(c), x));
      ++r.celdas;
    };
    auto fijas = [&](int32_t f, const std::string* textos) {
      for (int32_t c = 1; c <= 4; ++c) {
        if (textos != nullptr && !textos[c - 1].empty())
          texto(f, c, textos[c - 1], fijos[c]);
        else
          blanco(f, c, fijos[c]);
      }
    };
    auto suma = [&](const std::vector<int32_t>& filas, int32_t c) {
      std::string t = "=";
      for (size_t i = 0; i < filas.size(); ++i) {
        if (i > 0) t += '+';
        t += L(c) + std::to_string(filas[i]);
      }
      return t;
    };

    for (int32_t f = 1; f <= 3; ++f) fijas(f, nullptr);
    fijas(4, nullptr);
    for (int32_t k = 1; k <= E; ++k) {
      if (!etiqueta[static_cast<size_t>(k)].empty()) {
        texto(4, cantidad_col(k), "Estimación No. " + etiqueta[static_cast<size_t>(k)], f_titulo);
      }
    }
    fijas(5, nullptr);
    fijas(6, nullptr);
    static const std::string kTitulos[14] = {
        "No.",     "Clave",   "Descripción", "Unidad",    "Fte",         "Cantidad", "P.Unitario",
        "Importe", "Aditiva", "Deductiva",   "Vol - Def", "Importe Def", "Volumen",  "Importe"};
    fijas(7, kTitulos);
    for (int32_t c = 5; c <= 14; ++c) texto(7, c, kTitulos[c - 1], nullptr);
    for (int32_t k = 1; k <= E; ++k) {
      if (etiqueta[static_cast<size_t>(k)].empty()) continue;
      texto(7, cantidad_col(k), "Cantidad", nullptr);
      texto(7, importe_col(k), "Importe", nullptr);
    }
    fijas(8, nullptr);

    // Pattern of column 13: the quantity columns of every estimate.
    auto pendiente = [&](int32_t R) {
      std::string t = "=K" + std::to_string(R) + "-(";
      for (int32_t k = 1; k <= E; ++k) {
        if (k > 1) t += '+';
        t += L(cantidad_col(k)) + std::to_string(R);
      }
      return t + ")";
    };

    int32_t fila = 9;
    int32_t n = 0;
    std::vector<int32_t> subtotales;
    std::vector<double> gran(static_cast<size_t>(ultima_col) + 1, 0.0);
    std::vector<double> cant(static_cast<size_t>(E) + 1);
    for (const Partida* s : *obra.Partidas) {
      const std::string fila_s[4] = {s->Des.Clave, "", s->Des.Descripcion, ""};
      fijas(fila, fila_s);
      ++fila;
      std::vector<int32_t> filas;
      std::vector<double> sub(static_cast<size_t>(ultima_col) + 1, 0.0);
      for (const Presup* p : *s->Presups) {
        const int32_t R = fila;
        const std::string fs = std::to_string(R);
        ++n;
        const Concepto* con = p->Concepto;
        const std::string textos[4] = {
            std::to_string(n) + ")", con != nullptr ? con->Des.Clave : "",
            con != nullptr ? con->Des.Descripcion : "", con != nullptr ? con->Des.Unidad : ""};
        fijas(R, textos);
        if (!p->Des.Frente.empty()) texto(R, 5, p->Des.Frente, nullptr);
        const double F = p->Des.Cantidad, G = p->Des.Costo.ADouble(), I = p->Des.Aditiva,
                     J = p->Des.Deductiva;
        numero(R, 6, F, f_cant);
        numero(R, 7, G, f_mon);
        formula(R, 8, "=G" + fs + "*F" + fs, G * F, f_mon);
        numero(R, 9, I, f_cant);
        numero(R, 10, J, f_cant);
        const double K = F + I - J;
        formula(R, 11, "=F" + fs + "+I" + fs + "-J" + fs, K, f_cant);
        formula(R, 12, "=K" + fs + "*G" + fs, K * G, f_mon);
        std::fill(cant.begin(), cant.end(), 0.0);
        std::vector<bool> tiene(static_cast<size_t>(E) + 1, false);
        double facturado = 0;
        for (const EstimacionPresup* e : *p->EstimacionesPresup) {
          if (e->NoEstimacion < 1 || e->NoEstimacion > E) continue;
          cant[static_cast<size_t>(e->NoEstimacion)] = e->Cantidad;
          tiene[static_cast<size_t>(e->NoEstimacion)] = true;
          facturado += e->Cantidad;
        }
        const double M = K - facturado;
        formula(R, 13, pendiente(R), M, f_cant);
        formula(R, 14, "=M" + fs + "*G" + fs, M * G, f_mon);
        sub[8] += G * F;
        sub[12] += K * G;
        sub[14] += M * G;
        for (int32_t k = 1; k <= E; ++k) {
          const int32_t qc = cantidad_col(k), ic = importe_col(k);
          if (tiene[static_cast<size_t>(k)]) {
            const double q = cant[static_cast<size_t>(k)];
            numero(R, qc, q, f_cant);
            formula(R, ic, "=G" + fs + "*" + L(qc) + fs, G * q, f_mon);
            sub[static_cast<size_t>(ic)] += G * q;
          } else {
            blanco(R, qc, f_cant);
            blanco(R, ic, f_mon);
          }
        }
        filas.push_back(R);
        ++fila;
      }
      // Subtotal row Z+1.
      const int32_t Y = fila;
      fijas(Y, nullptr);
      texto(Y, 7, "SubTotales", f_mon);
      for (int32_t c : {6, 9, 10, 11, 13}) blanco(Y, c, f_cant);
      for (int32_t c : {8, 12, 14}) {
        formula(Y, c, suma(filas, c), sub[static_cast<size_t>(c)], f_mon);
        gran[static_cast<size_t>(c)] += sub[static_cast<size_t>(c)];
      }
      for (int32_t k = 1; k <= E; ++k) {
        const int32_t ic = importe_col(k);
        formula(Y, ic, suma(filas, ic), sub[static_cast<size_t>(ic)], nullptr);
        gran[static_cast<size_t>(ic)] += sub[static_cast<size_t>(ic)];
      }
      subtotales.push_back(Y);
      fila = Y + 1;
    }
    fijas(fila, nullptr);
    const int32_t T = fila + 1;
    fijas(T, nullptr);
    texto(T, 7, "Totales", nullptr);
    for (int32_t c : {8, 12, 14})
      formula(T, c, suma(subtotales, c), gran[static_cast<size_t>(c)], nullptr);
    for (int32_t k = 1; k <= E; ++k) {
      const int32_t ic = importe_col(k);
      formula(T, ic, suma(subtotales, ic), gran[static_cast<size_t>(ic)], nullptr);
    }
    for (int32_t f = T + 1; f <= fila + 10; ++f) fijas(f, nullptr);
    r.filas = fila + 10;
    r.columnas = ultima_col;
  } catch (...) {
    workbook_close(wb);
    throw;
  }
  Revisa(workbook_close(wb));
  return r;
}

}  // namespace pmq::bench
