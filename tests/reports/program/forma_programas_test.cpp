// The options form as a host sees it, and the controller's export outcomes:
// messages, workbook, form closing.

#include "reports/program/frm_programas_obra.h"
#include "reports/program/obra_programa.h"
#include "reports/program/programas_ctrl.h"
#include "sheet/bitacora_libros.h"

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

namespace pmq {
namespace {

using nlohmann::json;

constexpr int kInformacion = 64;
constexpr int kCritico = 16;

// What the scripted user saw when the form came up.
struct Vista {
  std::string caption;
  std::vector<std::string> tipos;
  int32_t seleccion = -2;
  std::string texto;
  bool importes = false;
  bool visible = false;
};

class FormaProgramas : public prueba::ObraPrograma {
 protected:
  void SetUp() override {
    ObraPrograma::SetUp();
    Obra("2013-03-15", "2013-05-10");
    Seccion("01", "Preliminares", 1000);
    Linea("01", "F1", "C-1", 10, 100, 1, "2013-03-20", "2013-04-19");
    p_ = Calcula();
  }

  /// Plays the user: looks at the form, then does `accion` on it.
  void Usuario(std::function<void(frmProgramasObra&)> accion) {
    host_.manejador_forma = [this, accion](Forma& f) {
      auto& forma = dynamic_cast<frmProgramasObra&>(f);
      vista_ = {forma.Caption(), forma.comTipoPrograma.Items, forma.comTipoPrograma.ListIndex,
                forma.comTipoPrograma.Text, forma.opImportes, forma.Visible()};
      accion(forma);
      cerrada_ = !forma.Visible();
    };
  }

  std::unique_ptr<Programa> p_;
  Vista vista_;
  bool cerrada_ = false;
};

TEST_F(FormaProgramas, OpensWithTheFinancialProgramChosenAndExportsIt) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  host_.respuestas_dialogo.push_back({false, ruta});
  Usuario([](frmProgramasObra& f) { f.cmdAExcel_Click(); });
  std::string s;
  p_->ProgramasObraCtrl->Inicia(s);
  EXPECT_EQ(s, "");
  ASSERT_EQ(host_.formas_mostradas, std::vector<std::string>{"frmProgramasObra"});
  EXPECT_EQ(vista_.caption, "Programas de Obra Mes Calendario");
  EXPECT_EQ(vista_.tipos, (std::vector<std::string>{
                              "Programa Mensual de Avance Físico", "Programa Mensual de Avance Financiero",
                              "Programa Mensual de Materiales Por Conceptos",
                              "Programa Mensual de Maquinaria Por Conceptos",
                              "Programa Mensual de Mano de Obra Por Conceptos"}));
  EXPECT_EQ(vista_.seleccion, 1);
  EXPECT_EQ(vista_.texto, "Programa Mensual de Avance Financiero");
  EXPECT_TRUE(vista_.importes);
  EXPECT_TRUE(vista_.visible);
  EXPECT_TRUE(cerrada_);
  // The file dialog asked for an .xlsx name to save.
  ASSERT_EQ(host_.dialogos.size(), 1u);
  EXPECT_TRUE(host_.dialogos[0].guardar);
  EXPECT_TRUE(host_.mensajes.empty());
  const frmProgramasObra& forma = *p_->ProgramasObraCtrl->Forma;
  EXPECT_TRUE(forma.ResultadoAExcel);
  EXPECT_EQ(forma.ErroresAExcel, "");
  EXPECT_EQ(forma.Controlador, p_->ProgramasObraCtrl.get());
  const json libro = prueba::LeeLibro(ruta);
  EXPECT_EQ(libro["celdas"]["Programa Obra!A4"]["valor"], "PROGRAMA DE MONTOS MENSUALES");
  EXPECT_EQ(libro["celdas"]["Programa Obra!CV17"]["formula"], "=H17+AM17+BQ17");
}

TEST_F(FormaProgramas, KindsNotProducedStillCreateTheEmptySheetThenSaySo) {
  for (int32_t tipo : {0, 2, 3, 4}) {
    SCOPED_TRACE(tipo);
    host_.mensajes.clear();
    const std::string ruta = dir_.Archivo("tipo" + std::to_string(tipo) + ".xlsx");
    host_.respuestas_dialogo.push_back({false, ruta});
    // The user picks the kind and the quantities option; the form closes all the same.
    Usuario([tipo](frmProgramasObra& f) {
      f.comTipoPrograma.Selecciona(tipo);
      f.opCantidades_Click();
      f.cmdAExcel_Click();
    });
    p_->ProgramasObraCtrl->Inicia();
    EXPECT_TRUE(cerrada_);
    ASSERT_EQ(host_.mensajes.size(), 1u);
    EXPECT_EQ(host_.mensajes[0].titulo, "MorlaQel");
    EXPECT_EQ(host_.mensajes[0].texto, "No implementado aún!!!");
    EXPECT_EQ(host_.mensajes[0].estilo, kInformacion);
    EXPECT_FALSE(p_->ProgramasObraCtrl->Forma->ResultadoAExcel);
    const json libro = prueba::LeeLibro(ruta);
    EXPECT_EQ(libro["hojas"], json::array({"Programa Obra"}));
    EXPECT_TRUE(libro["celdas"].empty());
  }
  // Opening it again preselects the financial program and "Importes" again.
  Usuario([](frmProgramasObra& f) { f.cmdCerrar_Click(); });
  p_->ProgramasObraCtrl->Inicia();
  EXPECT_EQ(vista_.seleccion, 1);
  EXPECT_TRUE(vista_.importes);
  EXPECT_TRUE(cerrada_);
}

TEST_F(FormaProgramas, AKindOutsideTheListWritesTheFinancialProgram) {
  const std::string ruta = dir_.Archivo("otro.xlsx");
  host_.respuestas_dialogo.push_back({false, ruta});
  std::string s;
  EXPECT_TRUE(p_->ProgramasObraCtrl->AExcel(static_cast<enumTipoProgramaMensual>(7), false, s));
  EXPECT_EQ(s, "");
  EXPECT_EQ(prueba::LeeLibro(ruta)["celdas"]["Programa Obra!A4"]["valor"], "PROGRAMA DE MONTOS MENSUALES");
}

TEST_F(FormaProgramas, ACancelledOrNonXlsxFileNameStopsTheExport) {
  const std::vector<RespuestaDialogo> respuestas = {
      {true, ""}, {false, dir_.Archivo("viejo.xls")}, {false, dir_.Archivo("no/existe/programa.xlsx")}};
  for (const RespuestaDialogo& r : respuestas) {
    SCOPED_TRACE(r.ruta);
    host_.mensajes.clear();
    host_.respuestas_dialogo.push_back(r);
    std::string s;
    EXPECT_FALSE(p_->ProgramasObraCtrl->AExcel(etpAvanceFinanciero, true, s));
    ASSERT_EQ(host_.mensajes.size(), 1u);
    EXPECT_EQ(host_.mensajes[0].texto, "El Libro de Microsoft Excel no se pudo abrir");
    EXPECT_EQ(host_.mensajes[0].titulo, "MorlaQel");
    EXPECT_EQ(host_.mensajes[0].estilo, kCritico);
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("viejo.xls")));
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("viejo.xlsx")));
}

TEST_F(FormaProgramas, KeysAndButtonsThatCloseOrDoNothing) {
  frmProgramasObra f;
  f.Form_Load();
  f.Muestra();
  int32_t tecla = 'x';
  f.comTipoPrograma_KeyPress(tecla);
  EXPECT_EQ(tecla, 0);
  EXPECT_EQ(f.comTipoPrograma.ListIndex, 1);
  int32_t codigo = 13;
  f.Form_KeyDown(codigo, 0);
  EXPECT_TRUE(f.Visible());
  // Without a controller the export button does nothing at all.
  f.cmdAExcel_Click();
  EXPECT_TRUE(f.Visible());
  EXPECT_TRUE(host_.dialogos.empty());
  codigo = 27;
  f.Form_KeyDown(codigo, 0);
  EXPECT_FALSE(f.Visible());
  f.Muestra();
  f.cmdCerrar_Click();
  EXPECT_FALSE(f.Visible());
  // The option buttons exclude each other.
  f.opCantidades_Click();
  EXPECT_TRUE(f.opCantidades);
  EXPECT_FALSE(f.opImportes);
  f.opImportes_Click();
  EXPECT_TRUE(f.opImportes);
  EXPECT_FALSE(f.opCantidades);
}

TEST(FormaProgramasControles, NamesCaptionsAndContainers) {
  std::map<std::string, frmProgramasObra::Control> por_nombre;
  for (const auto& c : frmProgramasObra::Controles()) por_nombre[c.Nombre] = c;
  EXPECT_EQ(por_nombre.size(), 12u);
  EXPECT_EQ(por_nombre["fraLeyendas"].Caption, "Títulos y Leyendas");
  EXPECT_EQ(por_nombre["fraTipoPrograma"].Caption, "Tipo de Programa");
  EXPECT_EQ(por_nombre["opImportes"].Caption, "Importes");
  EXPECT_EQ(por_nombre["opCantidades"].Caption, "Cantidades");
  EXPECT_EQ(por_nombre["cmdAExcel"].Caption, "A Excel...");
  EXPECT_EQ(por_nombre["cmdCerrar"].Caption, "Cerrar");
  for (const char* t : {"txtEmpresa", "txtLeyenda1", "txtLeyenda2"}) {
    EXPECT_EQ(por_nombre[t].Contenedor, "fraLeyendas");
    EXPECT_EQ(por_nombre[t].Tipo, frmProgramasObra::TipoControl::CuadroTexto);
  }
  EXPECT_EQ(por_nombre["comTipoPrograma"].Tipo, frmProgramasObra::TipoControl::ListaDesplegable);
  // Every container named is itself a control of the form.
  for (const auto& [nombre, c] : por_nombre) {
    if (!c.Contenedor.empty()) {
      EXPECT_TRUE(por_nombre.count(c.Contenedor)) << nombre;
    }
  }
}

}  // namespace
}  // namespace pmq
