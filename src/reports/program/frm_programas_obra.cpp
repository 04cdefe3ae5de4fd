#include "reports/program/frm_programas_obra.h"

#include "common/enumeraciones.h"
#include "common/error_qel.h"
#include "reports/program/programas_ctrl.h"

#include <string_view>

namespace pmq {
namespace {

constexpr int32_t kTeclaEscape = 27;

}  // namespace

// ---- ListaDesplegable ----

void frmProgramasObra::ListaDesplegable::Clear() {
  Items.clear();
  ListIndex = -1;
  Text.clear();
}

void frmProgramasObra::ListaDesplegable::AddItem(std::string texto, int32_t posicion) {
  if (posicion < 0 || posicion > static_cast<int32_t>(Items.size())) {
    Items.push_back(std::move(texto));
  } else {
    Items.insert(Items.begin() + posicion, std::move(texto));
  }
}

void frmProgramasObra::ListaDesplegable::Selecciona(int32_t posicion) {
  if (posicion < 0 || posicion >= static_cast<int32_t>(Items.size())) {
    ListIndex = -1;
    Text.clear();
    return;
  }
  ListIndex = posicion;
  Text = Items[static_cast<size_t>(posicion)];
}

// ---- The form ----

std::string frmProgramasObra::Caption() const {
  return std::string(ProgramasCtrl::kCaptionOpciones);
}

const std::vector<frmProgramasObra::Control>& frmProgramasObra::Controles() {
  static const std::vector<Control> controles = {
      {"C_ReporteProgramas", TipoControl::Contenedor, "", ""},
      {"C_OpcionesPrograma", TipoControl::Contenedor, "", "C_ReporteProgramas"},
      {"fraLeyendas", TipoControl::Marco, "Títulos y Leyendas", "C_ReporteProgramas"},
      {"txtEmpresa", TipoControl::CuadroTexto, "", "fraLeyendas"},
      {"txtLeyenda1", TipoControl::CuadroTexto, "", "fraLeyendas"},
      {"txtLeyenda2", TipoControl::CuadroTexto, "", "fraLeyendas"},
      {"fraTipoPrograma", TipoControl::Marco, "Tipo de Programa", "C_OpcionesPrograma"},
      {"opImportes", TipoControl::BotonOpcion, "Importes", "fraTipoPrograma"},
      {"opCantidades", TipoControl::BotonOpcion, "Cantidades", "fraTipoPrograma"},
      {"comTipoPrograma", TipoControl::ListaDesplegable, "", "fraTipoPrograma"},
      {"cmdAExcel", TipoControl::Boton, "A Excel...", "C_OpcionesPrograma"},
      {"cmdCerrar", TipoControl::Boton, "Cerrar", "C_OpcionesPrograma"},
  };
  return controles;
}

void frmProgramasObra::Form_Load() {
  opImportes = true;
  opCantidades = false;
  std::string sErrores;  // the form has nowhere to show it
  CargaCombos(sErrores);
}

void frmProgramasObra::CargaCombos(std::string& sErrores) {
  Protege(sErrores, "frmProgramasObra", "CargaCombos", [&] {
    comTipoPrograma.Clear();
    for (int32_t i = 0; !ProgramasCtrl::NombreTipoPrograma(i).empty(); ++i) {
      comTipoPrograma.AddItem(std::string(ProgramasCtrl::NombreTipoPrograma(i)), i);
    }
    comTipoPrograma.Selecciona(etpAvanceFinanciero);
  });
}

void frmProgramasObra::opImportes_Click() {
  opImportes = true;
  opCantidades = false;
}

void frmProgramasObra::opCantidades_Click() {
  opCantidades = true;
  opImportes = false;
}

void frmProgramasObra::comTipoPrograma_KeyPress(int32_t& KeyAscii) {
  KeyAscii = 0;
}

void frmProgramasObra::Form_KeyDown(int32_t& KeyCode, int32_t /*Shift*/) {
  if (KeyCode == kTeclaEscape) Cierra();
}

void frmProgramasObra::cmdCerrar_Click() {
  Cierra();
}

void frmProgramasObra::cmdAExcel_Click() {
  if (Controlador == nullptr) return;
  ErroresAExcel.clear();
  ResultadoAExcel = Controlador->AExcel(
      static_cast<enumTipoProgramaMensual>(comTipoPrograma.ListIndex), opImportes, ErroresAExcel);
  Cierra();
}

}  // namespace pmq
