#pragma once
// The host of the command line: message boxes go to stderr as "[Titulo] Texto"
// and are kept for the run's JSON dump; on a terminal, long loads draw a
// progress line on stderr.

#include <promorlaqel/common/servicios_host.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace pmq {

class HostConsola : public ServiciosHost {
 public:
  /// `progreso_en_terminal`: draw the progress line when stderr is a terminal.
  explicit HostConsola(bool progreso_en_terminal = true);

  void PunteroRaton(int valor) override;
  int MsgBox(std::string_view texto, int estilo, std::string_view titulo) override;
  void DoEvents(const Progreso& progreso) override;
  /// Answers with the path set by EstableceRutaDialogo (cancelled when empty).
  RespuestaDialogo DialogoArchivo(const PeticionDialogo& peticion) override;
  /// Runs the handler set for the form's name; without one the form is closed.
  void MuestraModal(Forma& forma) override;

  /// The file name every file dialog answers.
  void EstableceRutaDialogo(std::string ruta) { ruta_dialogo_ = std::move(ruta); }
  /// Code that plays the user of a form (the command line answers forms from its flags).
  void EstableceManejadorForma(std::function<void(Forma&)> manejador) {
    manejador_forma_ = std::move(manejador);
  }

  /// Every message box shown so far, in order.
  const std::vector<MensajeMostrado>& Mensajes() const { return mensajes_; }

 private:
  void BorraLineaProgreso();

  bool terminal_;
  bool linea_visible_ = false;
  std::chrono::steady_clock::time_point ultima_linea_{};
  std::string ruta_dialogo_;
  std::function<void(Forma&)> manejador_forma_;
  std::vector<MensajeMostrado> mensajes_;
};

}  // namespace pmq
