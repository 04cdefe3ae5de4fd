// The workbook wrapper driven as the report controllers drive it, through the
// recording host and scripted providers of the application.

#include "sheet/libro_excel.h"
#include "apoyo/base_prueba.h"
#include "common/error_qel.h"
#include "common/host_grabador.h"
#include "sheet/automatizacion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace pmq {
namespace {

// A provider that records every request and answers as scripted.
class ProveedorPrueba : public ProveedorAutomatizacion {
 public:
  std::unique_ptr<HcApplication> CreateObject(std::string_view clase) override {
    llamadas.push_back("Create " + std::string(clase));
    if (crea.count(std::string(clase)) == 0) throw ErrorQel(errores::kComponente);
    auto app = std::make_unique<HcApplication>();
    // An instance that is gone before it is used: its members answer 462.
    if (perdidas > 0) {
      --perdidas;
      app->Quit();
    }
    return app;
  }
  std::unique_ptr<HcApplication> GetObject(std::string_view clase) override {
    llamadas.push_back("Get " + std::string(clase));
    if (obtiene.count(std::string(clase)) == 0) throw ErrorQel(errores::kComponente);
    return std::make_unique<HcApplication>();
  }

  std::set<std::string> crea{"Excel.Application"};
  std::set<std::string> obtiene;
  int perdidas = 0;
  std::vector<std::string> llamadas;
};

// A host whose file dialog fails.
class HostDialogoRoto : public HostGrabador {
 public:
  RespuestaDialogo DialogoArchivo(const PeticionDialogo&) override {
    throw ErrorQel(errores::kRuta);
  }
};

std::string Mensaje(std::string_view operacion, int numero, std::string_view descripcion) {
  return TextoExcepcion("ProMorlaQel", "LibroExcel", operacion, numero, descripcion);
}

class LibroExcelTest : public ::testing::Test {
 protected:
  LibroExcelTest() : host_en_uso_(host_), proveedor_en_uso_(proveedor_) {}
  void Responde(const std::string& ruta) { host_.respuestas_dialogo.push_back({false, ruta}); }

  prueba::DirectorioTemporal dir_;
  HostGrabador host_;
  HostEnUso host_en_uso_;
  ProveedorPrueba proveedor_;
  Automatizacion::EnUso proveedor_en_uso_;
};

TEST_F(LibroExcelTest, AbreLibroAsksForThePathStartsTheApplicationAndSavesTheWorkbook) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  Responde(ruta);
  LibroExcel libro;
  libro.Visible = true;
  std::string sErrores;
  ASSERT_TRUE(libro.AbreLibro("", sErrores));
  EXPECT_EQ(sErrores, "");
  ASSERT_EQ(host_.dialogos.size(), 1u);
  EXPECT_EQ(host_.dialogos[0].titulo, "Nombre del Archivo XLS");
  EXPECT_EQ(host_.dialogos[0].filtro, "Archivos de Microsoft Excel (*.XLSX)|*.XLSX");
  EXPECT_EQ(host_.dialogos[0].patron, "*.XLSX");
  EXPECT_TRUE(host_.dialogos[0].guardar);
  EXPECT_EQ(libro.ExcelVer, 1);
  ASSERT_NE(libro.ExcelApp, nullptr);
  EXPECT_EQ(libro.ExcelApp->WindowState(), kVentanaMinimizada);
  EXPECT_TRUE(libro.ExcelApp->Visible());
  ASSERT_NE(libro.Workbook, nullptr);
  EXPECT_EQ(libro.Workbook->FullName(), ruta);
  EXPECT_FALSE(std::filesystem::exists(ruta));  // named, not written until Guarda
  EXPECT_EQ(libro.Ws, nullptr);
  EXPECT_TRUE(host_.mensajes.empty());

  // Sheet 1 of a new workbook is reused and renamed; a higher number adds one.
  HcWorksheet* hoja = libro.CreaHoja("Programa Obra", 1, sErrores);
  ASSERT_NE(hoja, nullptr);
  EXPECT_EQ(libro.Workbook->Sheets().Count(), 1);
  EXPECT_EQ(libro.Workbook->Sheets().Item(1), hoja);
  EXPECT_EQ(hoja->Name(), "Programa Obra");
  EXPECT_EQ(libro.Ws, nullptr);  // the callers set Ws
  HcWorksheet* otra = libro.CreaHoja("Resumen", 5, sErrores);
  ASSERT_NE(otra, nullptr);
  EXPECT_EQ(libro.Workbook->Sheets().Count(), 2);
  EXPECT_EQ(libro.Workbook->ActiveSheet(), otra);
  EXPECT_EQ(sErrores, "");
  // A name already used is refused.
  EXPECT_EQ(libro.CreaHoja("programa obra", 3, sErrores), nullptr);
  EXPECT_EQ(sErrores,
            Mensaje("CreaHoja", errores::kAplicacion, DescripcionError(errores::kAplicacion)));
}

TEST_F(LibroExcelTest, CancellingTheDialogStillStartsTheApplicationButSavingFails) {
  LibroExcel libro;
  libro.Visible = true;
  std::string sErrores;
  EXPECT_FALSE(libro.AbreLibro("", sErrores));
  EXPECT_EQ(sErrores, Mensaje("CreaLibro", errores::kAplicacion,
                              "No se puede guardar el libro sin nombre de archivo"));
  ASSERT_NE(libro.ExcelApp, nullptr);
  EXPECT_EQ(libro.ExcelApp->workbooks().Count(), 1);  // added, never saved
  EXPECT_EQ(libro.Workbook, nullptr);
  EXPECT_TRUE(host_.mensajes.empty());
}

TEST_F(LibroExcelTest, OnlyAnXlsxExtensionIsAccepted) {
  const std::vector<std::pair<std::string, bool>> casos = {
      {dir_.Archivo("a.xls"), false},      {dir_.Archivo("b.XLSX"), true},
      {dir_.Archivo("c.xlsx.bak"), false}, {dir_.Archivo("d"), false},
      {dir_.Archivo("e.XlSx"), true},      {"", false}};
  for (const auto& [ruta, aceptada] : casos) {
    Responde(ruta);
    LibroExcel libro;
    std::string sErrores;
    EXPECT_EQ(libro.AbreLibro("", sErrores), aceptada) << ruta;
    EXPECT_EQ(libro.Workbook != nullptr && libro.Workbook->FullName() == ruta, aceptada) << ruta;
    if (!aceptada) {
      EXPECT_NE(sErrores.find("CreaLibro()"), std::string::npos) << ruta;
    }
  }
}

TEST_F(LibroExcelTest, AGivenPathSkipsTheDialogAndAnEmptyVisibleHidesTheApplication) {
  LibroExcel libro;
  std::string sErrores;
  EXPECT_TRUE(libro.AbreLibro(dir_.Archivo("directo.xlsx"), sErrores));
  EXPECT_TRUE(host_.dialogos.empty());
  EXPECT_FALSE(libro.ExcelApp->Visible());
  EXPECT_EQ(libro.ExcelApp->WindowState(), kVentanaMinimizada);
}

TEST_F(LibroExcelTest, ADialogFailureReplacesTheErrorText) {
  HostDialogoRoto roto;
  HostEnUso en_uso(roto);
  LibroExcel libro;
  std::string sErrores = "texto anterior\n";
  EXPECT_FALSE(libro.AbreLibro("", sErrores));
  const std::string esperado =
      "76~No se ha encontrado la ruta de acceso~Ribex~PrincipalCtrl~GetRutaArchivo";
  EXPECT_EQ(sErrores.substr(0, esperado.size()), esperado);
  EXPECT_EQ(sErrores.substr(esperado.size()),
            Mensaje("CreaLibro", errores::kAplicacion,
                    "No se puede guardar el libro sin nombre de archivo"));
}

TEST_F(LibroExcelTest, WithoutAnyApplicationTheUserIsToldAndEveryIdentifierWasTried) {
  proveedor_.crea.clear();
  LibroExcel libro;
  std::string sErrores = "texto anterior\n";
  EXPECT_TRUE(libro.IniciarServidor(sErrores));
  EXPECT_EQ(libro.ExcelApp, nullptr);
  EXPECT_EQ(libro.ExcelVer, 0);
  EXPECT_EQ(sErrores, "");  // a failed attempt clears the text
  std::vector<std::string> esperadas = {"Create Excel.Application"};
  for (const char* v : {"11", "10", "9", "8", "7", "6"}) {
    esperadas.push_back("Get Excel.Application." + std::string(v));
    esperadas.push_back("Create Excel.Application." + std::string(v));
  }
  EXPECT_EQ(proveedor_.llamadas, esperadas);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].titulo, "MorlaQel");
  EXPECT_EQ(host_.mensajes[0].estilo, kMsgExclamacion);
  EXPECT_EQ(host_.mensajes[0].texto,
            "Debe de tener alguna versión de Microsoft Excel instalada en su sistema para porder "
            "utilizar el "
            "exportador.");
  Responde(dir_.Archivo("x.xlsx"));
  EXPECT_FALSE(libro.AbreLibro("", sErrores));
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("x.xlsx")));
}

TEST_F(LibroExcelTest, AVersionedIdentifierRecordsItsVersion) {
  proveedor_.crea = {"Excel.Application.10"};
  LibroExcel libro;
  EXPECT_TRUE(libro.IniciarServidor());
  EXPECT_EQ(libro.ExcelVer, 10);
  EXPECT_EQ(proveedor_.llamadas.back(), "Create Excel.Application.10");

  proveedor_.crea.clear();
  proveedor_.obtiene = {"Excel.Application.9"};
  proveedor_.llamadas.clear();
  EXPECT_TRUE(libro.IniciarServidor());
  EXPECT_EQ(libro.ExcelVer, 9);
  EXPECT_EQ(proveedor_.llamadas.back(), "Get Excel.Application.9");
  EXPECT_TRUE(host_.mensajes.empty());
}

TEST_F(LibroExcelTest, AnApplicationThatGoesAwayIsRetriedUpToTenConnections) {
  proveedor_.perdidas = 3;
  LibroExcel libro;
  EXPECT_TRUE(libro.IniciarServidor());
  EXPECT_EQ(proveedor_.llamadas.size(), 4u);
  ASSERT_NE(libro.ExcelApp, nullptr);
  EXPECT_FALSE(libro.ExcelApp->Terminada());

  proveedor_.perdidas = 100;
  proveedor_.llamadas.clear();
  std::string sErrores;
  EXPECT_FALSE(libro.IniciarServidor(sErrores));
  EXPECT_EQ(proveedor_.llamadas.size(), 10u);
  EXPECT_EQ(libro.ExcelApp, nullptr);
  EXPECT_EQ(sErrores, "");

  Responde(dir_.Archivo("x.xlsx"));
  EXPECT_FALSE(libro.AbreLibro("", sErrores));
}

TEST_F(LibroExcelTest, ReconnectingDropsThePreviousApplicationAndItsWorkbookUnwritten) {
  LibroExcel libro;
  ASSERT_TRUE(libro.AbreLibro(dir_.Archivo("primero.xlsx")));
  libro.Ws = libro.CreaHoja("Resumen", 1);
  libro.Ws->cells(1, 1).Value("uno");
  proveedor_.perdidas = 100;
  EXPECT_FALSE(libro.IniciarServidor());
  EXPECT_EQ(libro.Workbook, nullptr);
  EXPECT_EQ(libro.Ws, nullptr);
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("primero.xlsx")));
}

TEST_F(LibroExcelTest, CreaLibroReusesTheFirstOpenWorkbook) {
  LibroExcel libro;
  ASSERT_TRUE(libro.IniciarServidor());
  HcWorkbook* primero = libro.ExcelApp->workbooks().Add();
  libro.ExcelApp->workbooks().Add();
  std::string sErrores;
  EXPECT_EQ(libro.CreaLibro(dir_.Archivo("uno.xlsx"), sErrores), primero);
  EXPECT_EQ(libro.ExcelApp->workbooks().Count(), 2);
  EXPECT_EQ(primero->FullName(), dir_.Archivo("uno.xlsx"));
  EXPECT_EQ(primero->Name(), "uno.xlsx");
  // A folder that does not exist: nothing, and the reason.
  EXPECT_EQ(libro.CreaLibro(dir_.Archivo("no/hay.xlsx"), sErrores), nullptr);
  EXPECT_EQ(sErrores, Mensaje("CreaLibro", errores::kAplicacion,
                              "No se pudo guardar el libro '" + dir_.Archivo("no/hay.xlsx") +
                                  "': no existe la carpeta"));
  // Without an application: no workbook and no message; no sheet without a workbook.
  LibroExcel sin_aplicacion;
  sErrores.clear();
  EXPECT_EQ(sin_aplicacion.CreaLibro(dir_.Archivo("dos.xlsx"), sErrores), nullptr);
  EXPECT_EQ(sErrores, "");
  EXPECT_EQ(sin_aplicacion.CreaHoja("Resumen", 1, sErrores), nullptr);
  EXPECT_EQ(sErrores, Mensaje("CreaHoja", errores::kObjeto, DescripcionError(errores::kObjeto)));
}

class LibroAbiertoTest : public LibroExcelTest {
 protected:
  void SetUp() override {
    Responde(dir_.Archivo("libro.xlsx"));
    libro_.Visible = true;
    ASSERT_TRUE(libro_.AbreLibro(""));
    libro_.Ws = libro_.CreaHoja("Resumen", 1);
    ASSERT_NE(libro_.Ws, nullptr);
  }
  HcWorksheet& Ws() { return *libro_.Ws; }
  LibroExcel libro_;
};

TEST_F(LibroAbiertoTest, FormatoSeleccionAppliesStyleOrNumberFormatThenTheFiveSettings) {
  libro_.FormatoSeleccion(10, 7, 12, 8, "Currency", "###,###,##0.000000", kAlineaArriba,
                          kAlineaDerecha, true, false, false);
  EXPECT_EQ(Ws().cells(12, 8).NumberFormat(), "\"$\"#,##0.00_);(\"$\"#,##0.00)");
  EXPECT_EQ(Ws().cells(10, 7).HorizontalAlignment(), kAlineaDerecha);
  EXPECT_EQ(Ws().cells(11, 7).VerticalAlignment(), kAlineaArriba);
  EXPECT_TRUE(Ws().cells(11, 8).ShrinkToFit());
  EXPECT_FALSE(Ws().cells(11, 8).WrapText());
  EXPECT_FALSE(Ws().cells(11, 8).MergeCells());
  for (const char* estilo : {"", "currencia", "Normal"}) {
    libro_.FormatoSeleccion(10, 6, 12, 6, estilo, "###,###,##0.000000", kAlineaArriba,
                            kAlineaDerecha, true, false, false);
    EXPECT_EQ(Ws().cells(12, 6).NumberFormat(), "###,###,##0.000000") << estilo;
  }
  libro_.FormatoSeleccion(4, 15, 4, 16, "", "", kAlineaArriba, kAlineaCentro, false, true, true);
  EXPECT_TRUE(Ws().cells(4, 16).MergeCells());
  EXPECT_TRUE(Ws().cells(4, 15).WrapText());
  EXPECT_EQ(Ws().cells(4, 15).HorizontalAlignment(), kAlineaCentro);
}

TEST_F(LibroAbiertoTest, AFailedStepIsSkippedSilently) {
  std::string sErrores;
  // An unknown horizontal code fails; the later settings still apply.
  libro_.FormatoSeleccion(1, 1, 3, 1, "", "#,##0.0000", kAlineaArriba, 0, true, true, false,
                          sErrores);
  EXPECT_EQ(Ws().cells(2, 1).NumberFormat(), "#,##0.0000");
  EXPECT_EQ(Ws().cells(2, 1).HorizontalAlignment(), kAlineaGeneral);
  EXPECT_EQ(Ws().cells(2, 1).VerticalAlignment(), kAlineaArriba);
  EXPECT_TRUE(Ws().cells(2, 1).WrapText());
  // A block that cannot be selected: the steps go to the previous selection.
  libro_.FormatoSeleccion(0, 5, 2, 5, "", "0.00", kAlineaArriba, kAlineaCentro, false, false, false,
                          sErrores);
  EXPECT_EQ(Ws().cells(2, 5).NumberFormat(), "General");
  EXPECT_EQ(Ws().cells(3, 1).NumberFormat(), "0.00");
  EXPECT_EQ(sErrores, "");
  // Without Ws nothing happens.
  HcWorksheet* ws = libro_.Ws;
  libro_.Ws = nullptr;
  libro_.FormatoSeleccion(20, 1, 20, 1, "", "0.0", kAlineaArriba, kAlineaCentro, false, false,
                          false, sErrores);
  EXPECT_EQ(ws->cells(20, 1).NumberFormat(), "General");
}

TEST_F(LibroAbiertoTest, SetFormulaReportsRefusedFormulasUnderFormulaAndGoesOn) {
  Ws().cells(10, 6).Value(2.0);
  Ws().cells(10, 7).Value(Moneda::DesdeEntero(3));
  std::string sErrores;
  libro_.SetFormula(libro_.Ws, 10, 8, "=G10*F10", sErrores);
  libro_.SetFormula(libro_.Ws, 10, 13, "=K10-()", sErrores);
  libro_.SetFormula(libro_.Ws, 11, 13, "=K11-()", sErrores);
  libro_.SetFormula(libro_.Ws, 10, 14, "=M10*G10", sErrores);
  const std::string uno =
      Mensaje("Formula", errores::kAplicacion, "Error definido por la aplicación o el objeto");
  EXPECT_EQ(uno,
            "ProMorlaQel.LibroExcel.Formula() arrojó la excepción # 1004 Error definido por la "
            "aplicación o el "
            "objeto\n");
  EXPECT_EQ(sErrores, uno + uno);
  EXPECT_DOUBLE_EQ(std::get<double>(Ws().cells(10, 8).Value()), 6);
  EXPECT_EQ(Ws().cells(10, 14).Formula(), "=M10*G10");
  EXPECT_TRUE(Ws().cells(10, 13).Formula().empty());
  libro_.SetFormula(nullptr, 1, 1, "=(", sErrores);
  EXPECT_EQ(sErrores, uno + uno);
}

TEST_F(LibroAbiertoTest, CierraLibroWritesClosesAndEndsTheApplication) {
  Ws().cells(1, 1).Value("escrito");
  std::string sErrores;
  libro_.CierraLibro(sErrores);
  EXPECT_EQ(sErrores, "");
  ASSERT_NE(libro_.ExcelApp, nullptr);  // the reference stays
  EXPECT_TRUE(libro_.ExcelApp->Terminada());
  libro_.SetFormula(libro_.Ws, 1, 2, "=A1", sErrores);
  EXPECT_EQ(sErrores, Mensaje("Formula", errores::kServidorRemoto,
                              DescripcionError(errores::kServidorRemoto)));
  sErrores.clear();
  libro_.CierraLibro(sErrores);
  EXPECT_EQ(sErrores, Mensaje("CierraLibro", errores::kServidorRemoto,
                              DescripcionError(errores::kServidorRemoto)));
}

}  // namespace
}  // namespace pmq
