#pragma once
// How a worksheet prints and how it opens: paper and orientation, scaling to
// a number of pages, rows repeated on every page, the print area, the header
// and footer, the frozen panes and the autofilter. The sheet keeps one; the
// xlsx writer turns it into the file's page setup. A report fills it once its
// rows are known, for example:
//
//   ConfiguracionPagina& p = hoja->Pagina();
//   p.horizontal = true;
//   p.papel = ConfiguracionPagina::kPapelTabloide;
//   p.paginas_ancho = 1;
//   p.filas_repetidas = {12, 13};
//   p.area = {1, 1, ultima_fila, ultima_columna};
//   p.encabezado = ConfiguracionPagina::Encabezado("CASA01 Casa habitación", "Constructora");
//   p.pie = ConfiguracionPagina::kPiePaginas;
//   p.inmovilizar = {14, 4};  // rows 1-13 and columns A-C stay in view
//
// Everything left at its default is not written: the file then prints as a
// spreadsheet prints by default.

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

struct ConfiguracionPagina {
  /// Paper sizes (the file format's numbers).
  static constexpr uint8_t kPapelPredeterminado = 0;
  static constexpr uint8_t kPapelCarta = 1;
  static constexpr uint8_t kPapelTabloide = 3;
  static constexpr uint8_t kPapelA4 = 9;
  static constexpr uint8_t kPapelA3 = 8;
  /// "Página 3 de 7", centred.
  static constexpr std::string_view kPiePaginas = "&CPágina &P de &N";
  /// The most characters a header or footer may hold.
  static constexpr size_t kLargoMaximo = 255;

  /// A block of cells, 1-based; f1 = 0 means none.
  struct Bloque {
    int32_t f1 = 0, c1 = 0, f2 = 0, c2 = 0;
    bool Vacio() const { return f1 < 1 || c1 < 1 || f2 < f1 || c2 < c1; }
  };
  /// First and last row of a run; primera = 0 means none.
  struct Filas {
    int32_t primera = 0, ultima = 0;
  };
  /// The first cell that scrolls: rows above `fila` and columns left of
  /// `columna` stay in view. {0, 0} (or {1, 1}) freezes nothing.
  struct Celda {
    int32_t fila = 0, columna = 0;
  };

  bool horizontal = false;               ///< landscape
  uint8_t papel = kPapelPredeterminado;  ///< paper size
  uint16_t paginas_ancho = 0;            ///< fit to this many pages wide (0 = no fitting)
  uint16_t paginas_alto = 0;             ///< and this many tall (0 = as many as needed)
  Filas filas_repetidas;                 ///< rows printed at the top of every page
  Bloque area;                           ///< print area (none = the used cells)
  std::string encabezado;                ///< header, with the format's & codes
  std::string pie;                       ///< footer, with the format's & codes
  Celda inmovilizar;                     ///< frozen panes
  Bloque autofiltro;                     ///< autofilter block (its first row holds the headings)

  /// A header with `izquierda` on the left and `derecha` on the right: any
  /// "&" in them doubled (shown as one "&"), and the left text shortened with
  /// "…" so the whole fits kLargoMaximo.
  static std::string Encabezado(std::string_view izquierda, std::string_view derecha);
};

}  // namespace pmq
