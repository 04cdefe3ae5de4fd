#pragma once
// The options form of the monthly work programs, as a model that a host
// renders: its caption, its controls with their captions and containers, the
// state of the option buttons and of the list of program kinds, and its
// events. The user (or a host playing the user) chooses a kind and presses
// "A Excel...", which calls back the controller and closes the form.

#include "common/forma.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pmq {

class ProgramasCtrl;

class frmProgramasObra : public Forma {
 public:
  /// Kinds of control a host has to draw.
  enum class TipoControl { Contenedor, Marco, CuadroTexto, BotonOpcion, ListaDesplegable, Boton };

  /// One control of the form: name, kind, caption and the control that holds it
  /// (empty for the form itself).
  struct Control {
    std::string Nombre;
    TipoControl Tipo;
    std::string Caption;
    std::string Contenedor;
  };

  /// A drop-down list from which the user can only choose.
  struct ListaDesplegable {
    std::vector<std::string> Items;
    int32_t ListIndex = -1;  ///< selected position (0-based), -1 for none
    std::string Text;        ///< the text shown

    /// Empties the list and its selection.
    void Clear();
    /// Inserts an entry at a position (appends when out of range).
    void AddItem(std::string texto, int32_t posicion);
    /// Selects a position and shows its text (-1 clears the selection).
    void Selecciona(int32_t posicion);
  };

  /// The controller that opened the form (not owned).
  ProgramasCtrl* Controlador = nullptr;

  // Controls that hold state.
  std::string txtEmpresa;
  std::string txtLeyenda1;
  std::string txtLeyenda2;
  bool opImportes = true;     ///< "Importes"; selected when the form opens
  bool opCantidades = false;  ///< "Cantidades"
  ListaDesplegable comTipoPrograma;

  /// Kept for the host: the result and error text of the last export that the
  /// export button started (the form itself reads neither).
  bool ResultadoAExcel = false;
  std::string ErroresAExcel;

  /// "frmProgramasObra".
  std::string Nombre() const override { return "frmProgramasObra"; }
  /// "Programas de Obra Mes Calendario".
  std::string Caption() const override;

  /// Every control of the form, containers first, in drawing order.
  static const std::vector<Control>& Controles();

  /// Load: fills the list of kinds and selects the financial program; the
  /// option "Importes" is selected.
  void Form_Load();
  /// Choosing one option button clears the other.
  void opImportes_Click();
  void opCantidades_Click();
  /// Keys typed into the list are discarded (KeyAscii becomes 0).
  void comTipoPrograma_KeyPress(int32_t& KeyAscii);
  /// A key pressed anywhere on the form: Escape (27) closes it.
  void Form_KeyDown(int32_t& KeyCode, int32_t Shift);
  /// Closes the form.
  void cmdCerrar_Click();
  /// With a controller: exports the kind selected in the list with the state
  /// of "Importes", then closes the form. Without one nothing happens.
  void cmdAExcel_Click();

 private:
  /// Clears the list and adds the five kinds; selects position 1.
  void CargaCombos(std::string& sErrores);
};

}  // namespace pmq
