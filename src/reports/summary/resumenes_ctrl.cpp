#include "reports/summary/resumenes_ctrl.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/formato.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "estimates/estimaciones_presup.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "reports/summary/frm_resumen_estimaciones.h"
#include "reports/summary/rejilla.h"
#include "sheet/formato_celda.h"
#include "sheet/libro_excel.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <vector>

namespace pmq {
namespace {

constexpr std::string_view kFormatoCantidad = "###,###,##0.000000";
constexpr std::string_view kEstiloMoneda = "Currency";
constexpr int32_t kFilaTitulosEstimacion = 4;
constexpr int32_t kFilaTitulos = 7;
constexpr int32_t kPrimeraFila = 9;
constexpr int32_t kPrimeraColumnaEstimacion = 15;
constexpr int32_t kAnchoDescripcion = 60;

constexpr std::array<std::string_view, 14> kTitulos = {
    "No.",     "Clave",   "Descripción", "Unidad",    "Fte",         "Cantidad", "P.Unitario",
    "Importe", "Aditiva", "Deductiva",   "Vol - Def", "Importe Def", "Volumen",  "Importe"};

// The texts of a line's concept; empty when the code is not in the catalogue.
struct TextosConcepto {
  std::string_view clave, descripcion, unidad;
};
TextosConcepto DelConcepto(const Presup& linea) {
  if (linea.Concepto == nullptr) return {};
  const Cuerpo& des = linea.Concepto->Des;
  return {des.Clave, des.Descripcion, des.Unidad};
}

// A sum pattern that sums nothing would be a formula the spreadsheet refuses;
// it is written as a zero instead.
std::string_view PatronOCero(std::string_view patron) {
  return patron == "=" ? std::string_view("=0") : patron;
}

}  // namespace

ResumenesCtrl::ResumenesCtrl() : Forma(std::make_unique<frmResumenEstimaciones>()) {
  Grid(&Forma->vsRes);
}

ResumenesCtrl::~ResumenesCtrl() {
  grid_ = nullptr;
}

int32_t ResumenesCtrl::NumeroEstimaciones() const {
  if (Programa == nullptr || !Programa->Obra) throw ErrorQel(errores::kObjeto);
  const Obra& obra = *Programa->Obra;
  int32_t e = std::max(obra.NoEstimaciones, 0);
  // The loader keeps the number of the last item of each line, which is the
  // highest one unless estimate numbers were stored as text ("10" < "9").
  for (const Partida* partida : *obra.Partidas) {
    for (const Presup* linea : *partida->Presups) {
      if (!linea->EstimacionesPresup) continue;
      for (const EstimacionPresup* item : *linea->EstimacionesPresup)
        e = std::max(e, item->NoEstimacion);
    }
  }
  return e;
}

void ResumenesCtrl::Inicia(std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "Inicia", [&] {
    ColocaResumen(sErrores);
    Forma->Controlador = this;
    Host().MuestraModal(*Forma);
  });
}

void ResumenesCtrl::InicializaGrid(std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "InicializaGrid", [&] {
    if (grid_ == nullptr) throw ErrorQel(errores::kObjeto);
    grid_->Rows(1);
    grid_->Cols(3 * NumeroEstimaciones() + 10);
  });
}

void ResumenesCtrl::ColocaResumen(std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "ColocaResumen", [&] {
    InicializaGrid(sErrores);
    if (grid_ == nullptr || Programa == nullptr || !Programa->Obra)
      throw ErrorQel(errores::kObjeto);
    Rejilla& g = *grid_;
    const int32_t estimaciones = NumeroEstimaciones();
    g.Rows(g.Rows() + 1);
    int32_t r = 1;
    for (const Partida* partida : *Programa->Obra->Partidas) {
      g.Cell(Rejilla::kCeldaTexto, r, 1, partida->Des.Clave);
      g.Cell(Rejilla::kCeldaTexto, r, 2, partida->Des.Descripcion);
      ++r;
      g.Rows(g.Rows() + 1);
      for (const Presup* linea : *partida->Presups) {
        const TextosConcepto concepto = DelConcepto(*linea);
        g.Cell(Rejilla::kCeldaTexto, r, 1, std::string(concepto.clave));
        g.Cell(Rejilla::kCeldaTexto, r, 2, std::string(concepto.descripcion));
        g.Cell(Rejilla::kCeldaTexto, r, 3, std::string(concepto.unidad));
        g.Cell(Rejilla::kCeldaTexto, r, 4, TextoGeneral(linea->Des.Cantidad));
        g.Cell(Rejilla::kCeldaTexto, r, 5, linea->Des.Costo.Texto());
        g.Cell(Rejilla::kCeldaTexto, r, 6,
               TextoGeneral(Redondea(linea->Des.Costo.ADouble() * linea->Des.Cantidad, 2)));
        if (linea->EstimacionesPresup) {
          for (const EstimacionPresup* item : *linea->EstimacionesPresup) {
            const int32_t k = item->NoEstimacion;
            // An estimate number that is not a positive number has no columns.
            if (k < 1 || k > estimaciones) continue;
            const int32_t c = 3 * (k - 1) + 7;
            g.Cell(Rejilla::kCeldaTexto, r, c, TextoGeneral(item->Cantidad));
            g.Cell(Rejilla::kCeldaTexto, r, c + 1, item->Punit.Texto());
            g.Cell(Rejilla::kCeldaTexto, r, c + 2,
                   TextoGeneral(Redondea(item->Punit.ADouble() * item->Cantidad, 2)));
          }
        }
        ++r;
        g.Rows(g.Rows() + 1);
      }
    }
  });
}

void ResumenesCtrl::AExcel(std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "AExcel", [&] {
    const std::string ruta = LibroExcel().PideRuta(sErrores);
    (void)Escribe(ruta, sErrores);
  });
}

ResultadoEscritura ResumenesCtrl::Escribe(const std::string& ruta, std::string& sErrores) {
  // Every way out drops the workbook; only Guarda below writes the file.
  auto no_escrito = [&](std::string motivo) {
    Libro.reset();
    return ResultadoEscritura::NoEscrito(std::move(motivo));
  };
  try {
    Libro = std::make_unique<LibroExcel>();
    Libro->Visible = true;
    // A name that is not an .xlsx file fails as a cancelled dialog does.
    const std::string destino = LibroExcel::EsRutaXlsx(ruta) ? ruta : std::string();
    if (!Libro->AbreLibroEn(destino, sErrores))
      return no_escrito("El libro de Microsoft Excel no se pudo abrir");
    HcWorksheet* hoja = Libro->CreaHoja("Resumen", 1, sErrores);
    if (hoja == nullptr)
      return no_escrito("La Hoja de Trabajo de Microsoft Excel no se pudo dar de alta");
    const size_t antes = sErrores.size();
    ColocaEnExcel(hoja, sErrores);
    // A summary with a part missing does not replace the file.
    if (sErrores.size() != antes)
      return no_escrito("El resumen no se pudo escribir completo; el libro no se guardó");
    ResultadoEscritura resultado = Libro->Guarda();
    Libro.reset();
    return resultado;
  } catch (...) {
    AnotaExcepcion(sErrores, "ResumenesCtrl", "Escribe");
    return no_escrito(ErrorDeExcepcionActual().descripcion);
  }
}

std::string ResumenesCtrl::SustituyeFila(std::string_view patron, int32_t fila) {
  const std::string numero = std::to_string(fila);
  std::string r;
  r.reserve(patron.size() + 8 * numero.size());
  for (char ch : patron) {
    if (ch == '_') {
      r += numero;
    } else {
      r += ch;
    }
  }
  return r;
}

void ResumenesCtrl::ImporteTotal(HcWorksheet* hoja, std::string_view patron, int32_t columna,
                                 int32_t fila, std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "ImporteTotal", [&] {
    if (hoja == nullptr) return;
    const std::string letras = LibroExcel::ColTrans(columna);
    std::string formula;
    formula.reserve(patron.size() + 16 * letras.size());
    for (char ch : patron) {
      if (ch == '_') {
        formula += letras;
      } else {
        formula += ch;
      }
    }
    Libro->SetFormula(hoja, fila, columna, formula, sErrores);
  });
}

void ResumenesCtrl::ColocaEnExcel(HcWorksheet* hoja, std::string& sErrores) {
  Protege(sErrores, "ResumenesCtrl", "ColocaEnExcel", [&] {
    if (hoja == nullptr || !Libro || Programa == nullptr || !Programa->Obra)
      throw ErrorQel(errores::kObjeto);
    LibroExcel& libro = *Libro;
    const int32_t estimaciones = NumeroEstimaciones();
    const int32_t C = PUnitPorEstimacion ? 3 : 2;
    const auto columna_cantidad = [C](int32_t k) {
      return (k - 1) * C + kPrimeraColumnaEstimacion;
    };
    const auto columna_importe = [C](int32_t k) { return (k - 1) * C + 14 + C; };

    // Still to estimate: the definitive volume less what every estimate billed.
    std::string pendiente = "(";
    for (int32_t k = 1; k <= estimaciones; ++k) {
      if (k > 1) pendiente += '+';
      pendiente += LibroExcel::ColTrans(columna_cantidad(k));
      pendiente += '_';
    }
    pendiente += ')';

    libro.Ws = hoja;
    for (int32_t c = 1; c <= static_cast<int32_t>(kTitulos.size()); ++c) {
      hoja->cells(kFilaTitulos, c).Value(kTitulos[static_cast<size_t>(c - 1)]);
    }
    const std::string G_ = LibroExcel::ColTrans(ecrPunit);
    const std::string F_ = LibroExcel::ColTrans(ecrCantidad);
    const std::string I_ = LibroExcel::ColTrans(ecrAditiva);
    const std::string J_ = LibroExcel::ColTrans(ecrDeductiva);
    const std::string K_ = LibroExcel::ColTrans(ecrVolDef);
    const std::string M_ = LibroExcel::ColTrans(ecrVolPorEst);
    // Letters of each estimate's quantity and unit-price columns, computed once.
    std::vector<std::string> letras_cantidad(static_cast<size_t>(estimaciones) + 1);
    std::vector<std::string> letras_punit(static_cast<size_t>(estimaciones) + 1);
    for (int32_t k = 1; k <= estimaciones; ++k) {
      letras_cantidad[static_cast<size_t>(k)] = LibroExcel::ColTrans(columna_cantidad(k));
      letras_punit[static_cast<size_t>(k)] = LibroExcel::ColTrans(columna_cantidad(k) + 1);
    }
    // The titles of an estimate are the same on every line that bills it:
    // they are written the first time the estimate is met.
    std::vector<bool> titulado(static_cast<size_t>(estimaciones) + 1, false);

    int32_t Row = kPrimeraFila;
    int32_t n = 0;
    std::string total = "=";
    const Partidas& partidas = *Programa->Obra->Partidas;
    const int32_t cuenta_partidas = partidas.Count();
    int32_t numero_partida = 0;
    for (const Partida* partida : partidas) {
      ++numero_partida;
      hoja->cells(Row, 1).Value(partida->Des.Clave);
      hoja->cells(Row, 2).Value("");
      hoja->cells(Row, 3).Value(partida->Des.Descripcion);
      ++Row;
      const int32_t lineas = partida->Presups->Count();
      const int32_t A = Row;
      const int32_t Z = Row + lineas - 1;
      std::string subtotal = "=";
      subtotal.reserve(static_cast<size_t>(lineas) * 8 + 1);
      int32_t j = 0;
      for (const Presup* linea : *partida->Presups) {
        ++j;
        ++n;
        const int32_t R = Row;
        const std::string fila = std::to_string(R);
        const TextosConcepto concepto = DelConcepto(*linea);
        hoja->cells(R, ecrNo).Value(std::to_string(n) + ")");
        hoja->cells(R, ecrClave).Value(concepto.clave);
        hoja->cells(R, ecrDescripcion).Value(concepto.descripcion);
        hoja->cells(R, ecrUnidad).Value(concepto.unidad);
        hoja->cells(R, ecrFrente).Value(linea->Des.Frente);
        hoja->cells(R, ecrCantidad).Value(linea->Des.Cantidad);
        hoja->cells(R, ecrPunit).Value(linea->Des.Costo);
        libro.SetFormula(hoja, R, ecrImporte, "=" + G_ + fila + "*" + F_ + fila, sErrores);
        hoja->cells(R, ecrAditiva).Value(linea->Des.Aditiva);
        hoja->cells(R, ecrDeductiva).Value(linea->Des.Deductiva);
        libro.SetFormula(hoja, R, ecrVolDef, "=" + F_ + fila + "+" + I_ + fila + "-" + J_ + fila,
                         sErrores);
        libro.SetFormula(hoja, R, ecrImporteDef, "=" + K_ + fila + "*" + G_ + fila, sErrores);
        // With no estimates nothing was billed: all of the definitive volume is pending.
        libro.SetFormula(hoja, R, ecrVolPorEst,
                         estimaciones > 0 ? "=" + K_ + fila + "-" + SustituyeFila(pendiente, R)
                                          : "=" + K_ + fila,
                         sErrores);
        libro.SetFormula(hoja, R, ecrImpPorEst, "=" + M_ + fila + "*" + G_ + fila, sErrores);
        if (linea->EstimacionesPresup) {
          for (const EstimacionPresup* item : *linea->EstimacionesPresup) {
            const int32_t k = item->NoEstimacion;
            if (k < 1 || k > estimaciones) continue;  // no columns for it
            const size_t ks = static_cast<size_t>(k);
            const int32_t b15 = columna_cantidad(k);
            const int32_t importe = columna_importe(k);
            if (!titulado[ks]) {
              titulado[ks] = true;
              libro.FormatoSeleccion(kFilaTitulosEstimacion, b15, kFilaTitulosEstimacion, importe,
                                     "", "", kAlineaArriba, kAlineaCentro, false, false, true,
                                     sErrores);
              hoja->cells(kFilaTitulosEstimacion, b15).Value("Estimación No. " + item->NoEst);
              hoja->cells(kFilaTitulos, b15).Value("Cantidad");
              if (C == 3) hoja->cells(kFilaTitulos, b15 + 1).Value("P.Unitario");
              hoja->cells(kFilaTitulos, importe).Value("Importe");
            }
            hoja->cells(R, b15).Value(item->Cantidad);
            std::string formula;
            if (C == 3) {
              hoja->cells(R, b15 + 1).Value(item->Punit);
              formula = "=" + letras_punit[ks] + fila + "*" + letras_cantidad[ks] + fila;
            } else {
              formula = "=" + G_ + fila + "*" + letras_cantidad[ks] + fila;
            }
            libro.SetFormula(hoja, R, importe, formula, sErrores);
          }
        }
        subtotal += '_';
        subtotal += fila;
        if (j < lineas) subtotal += '+';
        ++Row;
      }

      // Formats of the section's lines (and of its subtotal row).
      const auto formato = [&](int32_t f1, int32_t c, int32_t f2, std::string_view estilo,
                               std::string_view numerico) {
        libro.FormatoSeleccion(f1, c, f2, c, estilo, numerico, kAlineaArriba, kAlineaDerecha, true,
                               false, false, sErrores);
      };
      for (int32_t c : {ecrCantidad, ecrDeductiva, ecrAditiva, ecrVolDef, ecrVolPorEst}) {
        formato(A, c, Z + 1, "", kFormatoCantidad);
      }
      for (int32_t c : {ecrPunit, ecrImporte, ecrImporteDef, ecrImpPorEst})
        formato(A, c, Z + 1, kEstiloMoneda, "");
      for (int32_t k = 1; k <= estimaciones; ++k) {
        if (lineas > 0) {
          formato(A, columna_cantidad(k), Z, "", kFormatoCantidad);
          if (C == 3) formato(A, columna_cantidad(k) + 1, Z, kEstiloMoneda, "");
          formato(A, columna_importe(k), Z, kEstiloMoneda, "");
        }
        ImporteTotal(hoja, PatronOCero(subtotal), columna_importe(k), Z + 1, sErrores);
      }
      for (int32_t c : {ecrImporte, ecrImporteDef, ecrImpPorEst}) {
        ImporteTotal(hoja, PatronOCero(subtotal), c, Z + 1, sErrores);
      }
      hoja->cells(Z + 1, ecrPunit).Value("SubTotales");

      total += '_';
      total += std::to_string(Z + 1);
      if (numero_partida < cuenta_partidas) total += '+';
      ++Row;
    }

    const int32_t T = Row + 1;
    for (int32_t c : {ecrImporte, ecrImporteDef, ecrImpPorEst})
      ImporteTotal(hoja, PatronOCero(total), c, T, sErrores);
    for (int32_t k = 1; k <= estimaciones; ++k)
      ImporteTotal(hoja, PatronOCero(total), columna_importe(k), T, sErrores);
    hoja->cells(T, ecrPunit).Value("Totales");

    libro.FormatoSeleccion(1, 1, Row + 10, 1, "", "", kAlineaArriba, kAlineaCentro, true, false,
                           false, sErrores);
    libro.FormatoSeleccion(1, 2, Row + 10, 2, "", "", kAlineaArriba, kAlineaIzquierda, true, false,
                           false, sErrores);
    hoja->Columns(ecrDescripcion).columnwidth(kAnchoDescripcion);
    libro.FormatoSeleccion(1, 3, Row + 10, 3, "", "", kAlineaArriba, kAlineaIzquierda, false, true,
                           false, sErrores);
    libro.FormatoSeleccion(1, 4, Row + 10, 4, "", "", kAlineaArriba, kAlineaCentro, true, false,
                           false, sErrores);

    // Printing and viewing: landscape on letter paper one page wide, the
    // estimate and column headings on every page and frozen with the
    // description, a filter on the column headings.
    const Obra& obra = *Programa->Obra;
    const int32_t ultima = std::max<int32_t>(ecrImpPorEst, columna_importe(estimaciones));
    ConfiguracionPagina& pagina = hoja->Pagina();
    pagina.horizontal = true;
    pagina.papel = ConfiguracionPagina::kPapelCarta;
    pagina.paginas_ancho = 1;
    pagina.filas_repetidas = {kFilaTitulosEstimacion, kFilaTitulos};
    pagina.area = {1, 1, T, ultima};
    pagina.encabezado = ConfiguracionPagina::Encabezado(obra.Des.Clave + " " + obra.Des.Descripcion,
                                                        Programa->Empresa);
    pagina.pie = ConfiguracionPagina::kPiePaginas;
    pagina.inmovilizar = {kFilaTitulos + 1, ecrDescripcion + 1};
    pagina.autofiltro = {kFilaTitulos, 1, T, ultima};
    PropiedadesLibro& propiedades = hoja->Parent().Propiedades();
    propiedades.titulo = "RESUMEN DE ESTIMACIONES";
    propiedades.asunto = obra.Des.Clave + " " + obra.Des.Descripcion;
    propiedades.empresa = Programa->Empresa;
  });
}

}  // namespace pmq
