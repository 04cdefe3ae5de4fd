#include "sheet/escritor_xlsx.h"

#include "common/error_qel.h"
#include "common/temporales_en_curso.h"
#include "common/texto_seguro.h"
#include "sheet/columnas.h"
#include "sheet/disposicion_hoja.h"
#include "sheet/expresion_formula.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"
#include "sheet/verificador_xlsx.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace pmq {
namespace {

std::string MotivoSistema(int numero) {
  switch (numero) {
    case ENOENT:
      return "no existe la carpeta";
    case ENOTDIR:
      return "la ruta no es una carpeta";
    case EACCES:
    case EPERM:
    case EROFS:
      return "permiso denegado";
    case ENOSPC:
      return "no queda espacio en el disco";
    case EFBIG:
      return "el archivo excede el tamaño permitido";
    case EISDIR:
      return "ya existe una carpeta con ese nombre";
    case ENAMETOOLONG:
      return "el nombre es demasiado largo";
    default:
      return std::strerror(numero);
  }
}

uint8_t AlineacionHorizontal(int32_t codigo) {
  switch (codigo) {
    case kAlineaCentro:
      return LXW_ALIGN_CENTER;
    case kAlineaIzquierda:
      return LXW_ALIGN_LEFT;
    case kAlineaDerecha:
      return LXW_ALIGN_RIGHT;
    case kAlineaRellenar:
      return LXW_ALIGN_FILL;
    case kAlineaJustificar:
      return LXW_ALIGN_JUSTIFY;
    case kAlineaCentrarEnSeleccion:
      return LXW_ALIGN_CENTER_ACROSS;
    case kAlineaDistribuido:
      return LXW_ALIGN_DISTRIBUTED;
    default:
      return LXW_ALIGN_NONE;
  }
}

uint8_t AlineacionVertical(int32_t codigo) {
  switch (codigo) {
    case kAlineaArriba:
      return LXW_ALIGN_VERTICAL_TOP;
    case kAlineaCentro:
      return LXW_ALIGN_VERTICAL_CENTER;
    case kAlineaJustificar:
      return LXW_ALIGN_VERTICAL_JUSTIFY;
    case kAlineaDistribuido:
      return LXW_ALIGN_VERTICAL_DISTRIBUTED;
    default:
      return LXW_ALIGN_NONE;
  }
}

uint8_t Patron(int32_t codigo) {
  switch (codigo) {
    case -4125:
      return LXW_PATTERN_MEDIUM_GRAY;
    case -4126:
      return LXW_PATTERN_DARK_GRAY;
    case -4124:
      return LXW_PATTERN_LIGHT_GRAY;
    case -4128:
      return LXW_PATTERN_DARK_HORIZONTAL;
    case -4166:
      return LXW_PATTERN_DARK_VERTICAL;
    case -4121:
      return LXW_PATTERN_DARK_DOWN;
    case -4162:
      return LXW_PATTERN_DARK_UP;
    case 9:
      return LXW_PATTERN_DARK_GRID;
    case 10:
      return LXW_PATTERN_DARK_TRELLIS;
    case 11:
      return LXW_PATTERN_LIGHT_HORIZONTAL;
    case 12:
      return LXW_PATTERN_LIGHT_VERTICAL;
    case 13:
      return LXW_PATTERN_LIGHT_DOWN;
    case 14:
      return LXW_PATTERN_LIGHT_UP;
    case 15:
      return LXW_PATTERN_LIGHT_GRID;
    case 16:
      return LXW_PATTERN_LIGHT_TRELLIS;
    case 17:
      return LXW_PATTERN_GRAY_125;
    case 18:
      return LXW_PATTERN_GRAY_0625;
    default:
      return LXW_PATTERN_SOLID;  // solid and automatic
  }
}

// libxlsxwriter reports its failures by printing "[ERROR][file.c:line]: …"
// on standard error before returning an error code. Those lines must not
// reach the user as they are: while a workbook is written, standard error is
// sent to an anonymous file, and what was printed there becomes the detail of
// our own message. (One write at a time: the redirection is process-wide.)
class CapturaErrores {
 public:
  CapturaErrores() : bloqueo_(Mutex()) {
    std::fflush(stderr);
    archivo_ = std::tmpfile();
    const int destino = archivo_ != nullptr ? fileno(archivo_) : open("/dev/null", O_WRONLY);
    if (destino < 0) return;
    guardado_ = dup(STDERR_FILENO);
    if (guardado_ >= 0) dup2(destino, STDERR_FILENO);
    if (archivo_ == nullptr) close(destino);
  }
  ~CapturaErrores() {
    Restaura();
    if (archivo_ != nullptr) std::fclose(archivo_);
  }
  CapturaErrores(const CapturaErrores&) = delete;
  CapturaErrores& operator=(const CapturaErrores&) = delete;

  /// Ends the capture and returns what was printed, one line, without the
  /// library's "[ERROR][file:line]: " prefixes.
  std::string Texto() {
    Restaura();
    if (archivo_ == nullptr) return {};
    std::rewind(archivo_);
    std::string todo;
    char buf[512];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, archivo_)) > 0 && todo.size() < 4096)
      todo.append(buf, n);
    std::string r;
    size_t i = 0;
    while (i < todo.size()) {
      size_t fin = todo.find('\n', i);
      if (fin == std::string::npos) fin = todo.size();
      std::string_view linea(todo.data() + i, fin - i);
      // "[ERROR][packager.c:123]: text" or "[ERROR] workbook_close(): text".
      while (linea.rfind("[", 0) == 0 && linea.find(']') != std::string_view::npos) {
        linea.remove_prefix(linea.find(']') + 1);
        while (!linea.empty() && (linea.front() == ':' || linea.front() == ' '))
          linea.remove_prefix(1);
      }
      if (!linea.empty()) {
        if (!r.empty()) r += "; ";
        r += linea;
      }
      i = fin + 1;
    }
    return r;
  }

 private:
  static std::mutex& Mutex() {
    static std::mutex m;
    return m;
  }
  void Restaura() {
    if (guardado_ < 0) return;
    std::fflush(stderr);
    dup2(guardado_, STDERR_FILENO);
    close(guardado_);
    guardado_ = -1;
  }

  std::lock_guard<std::mutex> bloqueo_;
  std::FILE* archivo_ = nullptr;
  int guardado_ = -1;
};

// One write of a workbook into a file through libxlsxwriter.
class Escritura {
 public:
  Escritura(HcWorkbook& libro, std::string ruta, std::string carpeta)
      : libro_(libro), ruta_(std::move(ruta)), carpeta_(std::move(carpeta)) {}
  ~Escritura() {
    if (wb_ != nullptr) lxw_workbook_free(wb_);
  }
  Escritura(const Escritura&) = delete;
  Escritura& operator=(const Escritura&) = delete;

  void Hace(const std::string& archivo) {
    CapturaErrores captura;
    try {
      Escribe(archivo);
    } catch (const ErrorQel& e) {
      std::string detalle = captura.Texto();
      if (detalle.empty()) throw;
      // The user knows the file by its own name, not by the temporary one.
      for (size_t i = detalle.find(archivo); i != std::string::npos;
           i = detalle.find(archivo, i + ruta_.size()))
        detalle.replace(i, archivo.size(), ruta_);
      throw ErrorQel(e.Numero(), e.Descripcion() + " (" + detalle + ")");
    }
  }

 private:
  void Escribe(const std::string& archivo) {
    lxw_workbook_options opciones{};
    opciones.constant_memory = LXW_TRUE;
    opciones.tmpdir = carpeta_.data();
    opciones.use_zip64 = LXW_FALSE;
    wb_ = workbook_new_opt(archivo.c_str(), &opciones);
    if (wb_ == nullptr) throw Falla("no se pudo crear el archivo");
    formatos_.assign(libro_.Formatos().Count(), nullptr);
    Propiedades();
    for (const auto& hoja : libro_.Sheets().Todas()) Hoja(*hoja);
    const lxw_error e = workbook_close(wb_);
    wb_ = nullptr;
    if (e != LXW_NO_ERROR) throw Falla(lxw_strerror(e));
  }

  ErrorQel Falla(std::string_view motivo) const {
    return ErrorQel(errores::kAplicacion,
                    fmt::format("No se pudo guardar el libro '{}': {}", ruta_, motivo));
  }
  void Revisa(lxw_error e) const {
    if (e != LXW_NO_ERROR) throw Falla(lxw_strerror(e));
  }

  lxw_format* Formato(uint32_t id) {
    // The layout may have added shrinking variants since the table was sized.
    if (formatos_.size() < libro_.Formatos().Count()) formatos_.resize(libro_.Formatos().Count());
    if (id == 0 || id >= formatos_.size()) return nullptr;
    if (formatos_[id] != nullptr) return formatos_[id];
    const FormatoCelda& f = libro_.Formatos().Formato(id);
    lxw_format* x = workbook_add_format(wb_);
    if (x == nullptr) throw Falla("memoria insuficiente");
    if (f.integrado >= 5 && f.integrado <= 8) {
      // The currency formats 5 to 8 are the reader's locale's: some readers
      // do not know them at all. Their code goes in, so every reader shows
      // the same text.
      format_set_num_format(x, f.NumberFormat().c_str());
    } else if (f.integrado != 0) {
      format_set_num_format_index(x, f.integrado);
    } else if (!f.numero.empty()) {
      format_set_num_format(x, f.numero.c_str());
    }
    if (AlineacionHorizontal(f.horizontal) != LXW_ALIGN_NONE)
      format_set_align(x, AlineacionHorizontal(f.horizontal));
    if (AlineacionVertical(f.vertical) != LXW_ALIGN_NONE)
      format_set_align(x, AlineacionVertical(f.vertical));
    if (f.encoger) format_set_shrink(x);
    if (f.ajustar) format_set_text_wrap(x);
    if (f.TieneRelleno()) {
      format_set_pattern(x, Patron(f.patron));
      if (f.color > 0) {
        const int32_t rgb = ColorDePaleta(f.color);
        // libxlsxwriter reads 0 as "no colour": black has its own constant.
        format_set_bg_color(x, rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK)
                                        : static_cast<lxw_color_t>(rgb));
      }
    }
    formatos_[id] = x;
    return x;
  }

  void Hoja(HcWorksheet& hoja) {
    lxw_worksheet* ws = workbook_add_worksheet(wb_, Utf8Valido(hoja.Name()).c_str());
    if (ws == nullptr) throw Falla(fmt::format("no se pudo escribir la hoja '{}'", hoja.Name()));
    if (libro_.ActiveSheet() == &hoja) worksheet_activate(ws);
    const DisposicionHoja disposicion = DisposicionHoja::De(hoja);
    // Column widths, in runs of equal width.
    const int32_t ultima = disposicion.Columnas();
    for (int32_t c = 1; c <= ultima; ++c) {
      const double ancho = disposicion.Ancho(c);
      if (ancho < 0) continue;
      int32_t fin = c;
      while (fin + 1 <= ultima && disposicion.Ancho(fin + 1) == ancho) ++fin;
      Revisa(worksheet_set_column(ws, static_cast<lxw_col_t>(c - 1),
                                  static_cast<lxw_col_t>(fin - 1), ancho, nullptr));
      c = fin;
    }
    Pagina(ws, hoja.Pagina());
    // Merges first: with an empty text and no format libxlsxwriter only records
    // the block, which is what constant-memory mode allows before the rows.
    hoja.Merges().ParaCada([&](const Combinacion& m) {
      Revisa(worksheet_merge_range(
          ws, static_cast<lxw_row_t>(m.f1 - 1), static_cast<lxw_col_t>(m.c1 - 1),
          static_cast<lxw_row_t>(m.f2 - 1), static_cast<lxw_col_t>(m.c2 - 1), "", nullptr));
    });
    for (const pmq::Grafica& g : hoja.Graficas()) EscribeGrafica(ws, g);
    const CeldasHoja& celdas = hoja.Celdas();
    for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
      const auto f = static_cast<lxw_row_t>(fila - 1);
      if (disposicion.Alto(fila) > 0)
        Revisa(worksheet_set_row(ws, f, disposicion.Alto(fila), nullptr));
      celdas.RecorreFila(fila, [&](const Celda& celda) {
        const auto c = static_cast<lxw_col_t>(celda.columna - 1);
        lxw_format* formato = Formato(disposicion.Formato(fila, celda.columna, celda.formato));
        switch (celda.tipo) {
          case TipoCelda::kVacia:
            if (formato != nullptr) Revisa(worksheet_write_blank(ws, f, c, formato));
            break;
          case TipoCelda::kTexto:
            // Texts come from the database and the command line: whatever
            // bytes they hold, the workbook gets valid UTF-8 (a bad byte or a
            // NUL becomes U+FFFD, as in the JSON dump).
            Revisa(
                worksheet_write_string(ws, f, c, Utf8Valido(celdas.Texto(celda)).c_str(), formato));
            break;
          case TipoCelda::kNumero:
            Revisa(worksheet_write_number(ws, f, c, celda.numero, formato));
            break;
          case TipoCelda::kEntero:
            Revisa(worksheet_write_number(ws, f, c, static_cast<double>(celda.entero), formato));
            break;
          case TipoCelda::kMoneda:
            Revisa(worksheet_write_number(ws, f, c, Moneda::DesdeUnidades(celda.entero).ADouble(),
                                          formato));
            break;
          case TipoCelda::kFormula: {
            const auto error = static_cast<ExpresionFormula::Error>(celda.error);
            const std::string texto = Utf8Valido(celdas.Texto(celda));
            if (error == ExpresionFormula::Error::kNinguno) {
              Revisa(worksheet_write_formula_num(ws, f, c, texto.c_str(), formato,
                                                 celdas.Resultado(celda)));
            } else {
              const std::string valor(ExpresionFormula::TextoError(error));
              Revisa(worksheet_write_formula_str(ws, f, c, texto.c_str(), formato, valor.c_str()));
            }
            break;
          }
        }
      });
    }
  }

  void EscribeGrafica(lxw_worksheet* ws, const pmq::Grafica& g) {
    lxw_chart* grafica = workbook_add_chart(
        wb_, g.tipo == pmq::Grafica::Tipo::kLineas ? LXW_CHART_LINE : LXW_CHART_COLUMN);
    if (grafica == nullptr) throw Falla("memoria insuficiente");
    for (const pmq::Grafica::Serie& s : g.series) {
      lxw_chart_series* serie = chart_add_series(grafica, s.categorias.c_str(), s.valores.c_str());
      if (serie == nullptr) throw Falla("memoria insuficiente");
      chart_series_set_name(serie, s.nombre.c_str());
    }
    if (!g.titulo.empty()) chart_title_set_name(grafica, g.titulo.c_str());
    if (!g.titulo_categorias.empty())
      chart_axis_set_name(grafica->x_axis, g.titulo_categorias.c_str());
    if (!g.titulo_valores.empty()) chart_axis_set_name(grafica->y_axis, g.titulo_valores.c_str());
    chart_legend_set_position(grafica, LXW_CHART_LEGEND_BOTTOM);
    lxw_chart_options opciones{};
    opciones.x_scale = 2;
    opciones.y_scale = 1.5;
    Revisa(worksheet_insert_chart_opt(ws, static_cast<lxw_row_t>(g.fila - 1),
                                      static_cast<lxw_col_t>(g.columna - 1), grafica, &opciones));
  }

  // The sheet's page setup, frozen panes and autofilter. A header or footer
  // longer than the format allows is left out rather than failing the file.
  void Pagina(lxw_worksheet* ws, const ConfiguracionPagina& p) {
    if (p.horizontal) worksheet_set_landscape(ws);
    if (p.papel != ConfiguracionPagina::kPapelPredeterminado) worksheet_set_paper(ws, p.papel);
    if (p.paginas_ancho > 0 || p.paginas_alto > 0)
      worksheet_fit_to_pages(ws, p.paginas_ancho, p.paginas_alto);
    if (p.filas_repetidas.primera >= 1 && p.filas_repetidas.ultima >= p.filas_repetidas.primera) {
      Revisa(worksheet_repeat_rows(ws, static_cast<lxw_row_t>(p.filas_repetidas.primera - 1),
                                   static_cast<lxw_row_t>(p.filas_repetidas.ultima - 1)));
    }
    if (!p.area.Vacio()) {
      Revisa(worksheet_print_area(
          ws, static_cast<lxw_row_t>(p.area.f1 - 1), static_cast<lxw_col_t>(p.area.c1 - 1),
          static_cast<lxw_row_t>(p.area.f2 - 1), static_cast<lxw_col_t>(p.area.c2 - 1)));
    }
    if (!p.encabezado.empty() && p.encabezado.size() <= ConfiguracionPagina::kLargoMaximo)
      Revisa(worksheet_set_header(ws, p.encabezado.c_str()));
    if (!p.pie.empty() && p.pie.size() <= ConfiguracionPagina::kLargoMaximo)
      Revisa(worksheet_set_footer(ws, p.pie.c_str()));
    if (p.inmovilizar.fila > 1 || p.inmovilizar.columna > 1) {
      worksheet_freeze_panes(ws, static_cast<lxw_row_t>(std::max(p.inmovilizar.fila - 1, 0)),
                             static_cast<lxw_col_t>(std::max(p.inmovilizar.columna - 1, 0)));
    }
    if (!p.autofiltro.Vacio()) {
      Revisa(worksheet_autofilter(ws, static_cast<lxw_row_t>(p.autofiltro.f1 - 1),
                                  static_cast<lxw_col_t>(p.autofiltro.c1 - 1),
                                  static_cast<lxw_row_t>(p.autofiltro.f2 - 1),
                                  static_cast<lxw_col_t>(p.autofiltro.c2 - 1)));
    }
  }

  void Propiedades() {
    const PropiedadesLibro& p = libro_.Propiedades();
    lxw_doc_properties props{};
    std::string titulo = p.titulo, asunto = p.asunto, autor = p.autor, empresa = p.empresa;
    auto texto = [](std::string& t) { return t.empty() ? nullptr : t.data(); };
    props.title = texto(titulo);
    props.subject = texto(asunto);
    props.author = texto(autor);
    props.company = texto(empresa);
    props.created = p.creado != 0 ? p.creado : std::time(nullptr);
    Revisa(workbook_set_properties(wb_, &props));
  }

  HcWorkbook& libro_;
  std::string ruta_;
  std::string carpeta_;
  lxw_workbook* wb_ = nullptr;
  std::vector<lxw_format*> formatos_;
};

}  // namespace

void EscritorXlsx::Escribe(HcWorkbook& libro, const std::string& ruta, bool reemplaza) {
  namespace fs = std::filesystem;
  const fs::path destino(ruta);
  auto falla = [&](std::string_view motivo) {
    return ErrorQel(errores::kAplicacion,
                    fmt::format("No se pudo guardar el libro '{}': {}", ruta, motivo));
  };
  if (!destino.has_filename()) throw falla("falta el nombre del archivo");
  const fs::path carpeta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");
  // The temporary file sits beside the target under ".NAME.XXXXXX"; a name
  // already close to the folder's limit is shortened so the temporary one
  // fits too (the final rename gives the file its full name). The hidden name
  // is appended piece by piece: GCC 12 at -O3 misreports "." + text as an
  // overlapping copy (a -Wrestrict false positive).
  std::string nombre = destino.filename().string();
  long maximo = pathconf(carpeta.c_str(), _PC_NAME_MAX);
  if (maximo <= 0) maximo = 255;
  const size_t cabe = static_cast<size_t>(maximo) - 8;  // "." and ".XXXXXX"
  if (nombre.size() > cabe) nombre.resize(cabe);
  std::string oculto(1, '.');
  oculto += nombre;
  oculto += ".XXXXXX";
  std::string temporal = (carpeta / oculto).string();
  const int fd = mkstemp(temporal.data());
  if (fd < 0) throw falla(MotivoSistema(errno));
  const TemporalRegistrado registro(temporal.c_str());
  // The new file gets the permissions of the one it replaces, or the usual ones.
  struct stat previo {};
  mode_t modo = 0;
  if (stat(ruta.c_str(), &previo) == 0 && S_ISREG(previo.st_mode)) {
    modo = previo.st_mode & 07777;
  } else {
    const mode_t mascara = umask(0);
    umask(mascara);
    modo = 0666 & ~mascara;
  }
  fchmod(fd, modo);
  close(fd);
  try {
    Escritura(libro, ruta, carpeta.string()).Hace(temporal);
    try {
      VerificadorXlsx::Verifica(temporal);
    } catch (const ErrorQel& e) {
      throw falla(e.Descripcion());
    }
    if (!reemplaza) {
      // The rename would fail on a folder; nothing else stops it once the
      // temporary is complete.
      struct stat actual {};
      if (stat(ruta.c_str(), &actual) == 0 && S_ISDIR(actual.st_mode))
        throw falla(MotivoSistema(EISDIR));
      unlink(temporal.c_str());
      return;
    }
    const int sinc = open(temporal.c_str(), O_RDONLY);
    if (sinc >= 0) {
      const int r = fsync(sinc);
      const int error_sinc = errno;
      close(sinc);
      if (r != 0) throw falla(MotivoSistema(error_sinc));
    }
    if (std::rename(temporal.c_str(), ruta.c_str()) != 0) throw falla(MotivoSistema(errno));
  } catch (...) {
    unlink(temporal.c_str());
    throw;
  }
}

}  // namespace pmq
