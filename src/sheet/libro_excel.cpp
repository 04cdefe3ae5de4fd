#include "sheet/libro_excel.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "reports/summary/frm_resumen_estimaciones.h"
#include "sheet/automatizacion.h"
#include "sheet/columnas.h"
#include "sheet/sistema_archivos.h"
#include "sheet/suma_compacta.h"

#include <fmt/format.h>

#include <array>
#include <cctype>

namespace pmq {
namespace {

constexpr std::string_view kTituloMensajes = "MorlaQel";
constexpr std::string_view kSinAplicacion =
    "Debe de tener alguna versión de Microsoft Excel instalada en su sistema para porder utilizar "
    "el "
    "exportador.";
constexpr int kIntentosMaximos = 10;

std::string Mayusculas(std::string_view texto) {
  std::string r(texto);
  for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return r;
}

}  // namespace

void LibroExcel::SueltaAplicacion() {
  // The workbook and sheet belong to the application: they go with it.
  Workbook = nullptr;
  Ws = nullptr;
  ExcelApp.reset();
}

std::unique_ptr<HcApplication> LibroExcel::ConnectExcel(std::string& sErrores) {
  ExcelVer = 0;
  SueltaAplicacion();
  std::unique_ptr<HcApplication> aplicacion;
  try {
    aplicacion = Automatizacion::CreateObject("Excel.Application");
    ExcelVer = 1;
  } catch (...) {
    sErrores.clear();
  }
  if (!aplicacion) {
    for (int version : std::array<int, 6>{11, 10, 9, 8, 7, 6}) {
      const std::string clase = fmt::format("Excel.Application.{}", version);
      try {
        aplicacion = Automatizacion::GetObject(clase);
        ExcelVer = version;
        break;
      } catch (...) {
        sErrores.clear();
      }
      try {
        aplicacion = Automatizacion::CreateObject(clase);
        ExcelVer = version;
        break;
      } catch (...) {
        sErrores.clear();
      }
    }
  }
  if (ExcelVer == 0) MsgBox(kSinAplicacion, kMsgExclamacion, kTituloMensajes);
  return aplicacion;
}

bool LibroExcel::IniciarServidor(std::string& sErrores) {
  int intentos = 0;
  while (true) {
    try {
      ++intentos;
      ExcelApp = ConnectExcel(sErrores);
      if (ExcelApp) {
        ExcelApp->WindowState(kVentanaMinimizada);
        ExcelApp->Visible(Visible.value_or(false));
      }
      return true;
    } catch (...) {
      if (ErrorDeExcepcionActual().numero != errores::kServidorRemoto) return false;
      // The instance has gone away: connect again, ten connections in all.
      SueltaAplicacion();
      if (intentos >= kIntentosMaximos) return false;
    }
  }
}

HcWorksheet* LibroExcel::CreaHoja(std::string_view Nombre, int32_t NumeroHojaExcel,
                                  std::string& sErrores) {
  return Protege<HcWorksheet*>(sErrores, "LibroExcel", "CreaHoja", nullptr, [&]() -> HcWorksheet* {
    if (Workbook == nullptr) throw ErrorQel(errores::kObjeto);
    HcSheets& hojas = Workbook->Sheets();
    HcWorksheet* hoja =
        NumeroHojaExcel <= hojas.Count() ? hojas.Item(NumeroHojaExcel) : hojas.Add();
    if (hoja != nullptr) {
      hoja->Name(Nombre);
      hoja->Activate();
    }
    return hoja;
  });
}

HcWorkbook* LibroExcel::CreaLibro(const std::string& Nombre, std::string& sErrores) {
  return Protege<HcWorkbook*>(sErrores, "LibroExcel", "CreaLibro", nullptr, [&]() -> HcWorkbook* {
    if (!ExcelApp) return nullptr;
    HcWorkbooks& libros = ExcelApp->workbooks();
    HcWorkbook* libro = libros.Count() == 0 ? libros.Add() : libros.Item(1);
    if (libro != nullptr) libro->Nombra(Nombre);
    return libro;
  });
}

bool LibroExcel::AbreLibro(std::string Ruta, std::string& sErrores) {
  return Protege<bool>(sErrores, "LibroExcel", "AbreLibro", false, [&]() -> bool {
    if (Ruta.empty()) Ruta = PideRuta(sErrores);
    return AbreLibroEn(Ruta, sErrores);
  });
}

bool LibroExcel::AbreLibroEn(const std::string& Ruta, std::string& sErrores) {
  return Protege<bool>(sErrores, "LibroExcel", "AbreLibro", false, [&]() -> bool {
    if (IniciarServidor(sErrores) && ExcelApp) {
      Workbook = CreaLibro(Ruta, sErrores);
      return Workbook != nullptr;
    }
    return false;
  });
}

bool LibroExcel::EsRutaXlsx(std::string_view ruta) {
  return Mayusculas(SistemaArchivos().GetExtensionName(ruta)) == "XLSX";
}

ResultadoEscritura LibroExcel::Guarda() {
  if (!ExcelApp || Workbook == nullptr || Workbook->FullName().empty()) {
    return ResultadoEscritura::NoEscrito("El libro no tiene nombre de archivo");
  }
  try {
    Workbook->Guarda();
  } catch (...) {
    std::string motivo = ErrorDeExcepcionActual().descripcion;
    try {
      MsgBox(motivo, kMsgCritico, kTituloMensajes);
    } catch (...) {
      // The outcome still tells it.
    }
    return ResultadoEscritura::NoEscrito(std::move(motivo));
  }
  return ResultadoEscritura::Escrito();
}

void LibroExcel::CierraLibro(std::string& sErrores) {
  Protege(sErrores, "LibroExcel", "CierraLibro", [&] {
    if (ExcelApp) {
      ExcelApp->workbooks().Close();
      ExcelApp->Quit();
    }
  });
}

void LibroExcel::FormatoSeleccion(int32_t Fi, int32_t Ci, int32_t Fj, int32_t Cj,
                                  std::string_view Estilo, std::string_view FormatoNumerico,
                                  int32_t AVer, int32_t AHor, bool AjustarAncho, bool AjustarTexto,
                                  bool Merge, std::string& /*sErrores*/) {
  if (!ExcelApp || Ws == nullptr) return;
  // Each step on its own: one that fails is skipped and the next one is tried
  // (on whatever is selected).
  auto paso = [](auto&& accion) {
    try {
      accion();
    } catch (...) {
      // Formatting never reports.
    }
  };
  paso([&] { ExcelApp->Range(Ws->cells(Fi, Ci), Ws->cells(Fj, Cj)).Select(); });
  paso([&] {
    if (Mayusculas(Estilo) == "CURRENCY") {
      ExcelApp->selection().Style(Estilo);
    } else {
      ExcelApp->selection().NumberFormat(FormatoNumerico);
    }
  });
  paso([&] { ExcelApp->selection().HorizontalAlignment(AHor); });
  paso([&] { ExcelApp->selection().VerticalAlignment(AVer); });
  paso([&] { ExcelApp->selection().ShrinkToFit(AjustarAncho); });
  paso([&] { ExcelApp->selection().WrapText(AjustarTexto); });
  paso([&] { ExcelApp->selection().MergeCells(Merge); });
}

std::string LibroExcel::ColTrans(int64_t ColNumber, std::string& /*sErrores*/) {
  if (ColNumber < 1 || ColNumber > kUltimaColumna) return {};
  if (ColNumber > 702) return LetrasColumna(ColNumber);
  // Two letters at most: quotient and remainder by 26, where a remainder of 0
  // is a Z that borrows one from the quotient.
  const int64_t q = ColNumber / 26;
  const int64_t r = ColNumber - 26 * q;
  if (q == 1 && r == 0) return "Z";
  std::string primera = q >= 1 ? std::string(1, static_cast<char>(q + 64)) : std::string();
  std::string segunda;
  if (r != 0) {
    segunda = std::string(1, static_cast<char>(r + 64));
  } else {
    segunda = "Z";
    primera = q > 1 ? std::string(1, static_cast<char>(q + 63)) : std::string();
  }
  return primera + segunda;
}

void LibroExcel::SetFormula(HcWorksheet* Ws, int32_t F, int32_t C, std::string_view Formula,
                            std::string& sErrores) {
  try {
    if (Ws == nullptr) return;
    if (!ExcelApp) throw ErrorQel(errores::kObjeto);
    // A sum of more cells than a formula can name one by one goes in as SUM.
    const std::optional<std::string> compacta = SumaCompacta::Compacta(Formula, Ws->Celdas());
    ExcelApp->Range(Ws->cells(F, C), Ws->cells(F, C)).Formula(compacta ? *compacta : Formula);
  } catch (...) {
    // Reported under "Formula", the property written, not the method's name.
    AnotaExcepcion(sErrores, "LibroExcel", "Formula");
  }
}

std::string LibroExcel::GetRutaArchivo(std::string_view Titulo, bool Abrir, std::string& sErrores) {
  try {
    // The dialog of the summary form's shared instance, as every report uses it.
    DialogoComun& Diag = frmResumenEstimaciones::Compartida().Diag;
    Diag.CancelError = true;
    Diag.FileName = "*.XLSX";
    Diag.Filter = "Archivos de Microsoft Excel (*.XLSX)|*.XLSX";
    Diag.DialogTitle = std::string(Titulo);
    if (Abrir) {
      Diag.ShowOpen();
    } else {
      Diag.ShowSave();
    }
    if (!EsRutaXlsx(Diag.FileName)) return {};
    return Diag.FileName;
  } catch (...) {
    const ErrorActual e = ErrorDeExcepcionActual();
    if (e.numero != errores::kCancelar) {
      // This one error text names the dialog's owner (project Ribex, class
      // PrincipalCtrl), not this class, and replaces sErrores instead of
      // adding to it: hosts match it as it is.
      sErrores = fmt::format("{}~{}~Ribex~PrincipalCtrl~GetRutaArchivo", e.numero, e.descripcion);
    }
    return {};
  }
}

}  // namespace pmq
