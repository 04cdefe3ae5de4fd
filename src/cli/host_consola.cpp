#include "host_consola.h"

#include <promorlaqel/common/forma.h>

#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>

namespace pmq {

HostConsola::HostConsola(bool progreso_en_terminal)
    : terminal_(progreso_en_terminal && isatty(STDERR_FILENO) != 0) {}

void HostConsola::BorraLineaProgreso() {
  if (linea_visible_) {
    std::fputs("\r\033[K", stderr);
    linea_visible_ = false;
  }
}

void HostConsola::PunteroRaton(int valor) {
  if (valor == kPunteroNormal) BorraLineaProgreso();
}

int HostConsola::MsgBox(std::string_view texto, int estilo, std::string_view titulo) {
  BorraLineaProgreso();
  mensajes_.push_back({std::string(titulo), std::string(texto), estilo});
  fmt::print(stderr, "[{}] {}\n", titulo, texto);
  return 1;
}

void HostConsola::DoEvents(const Progreso& progreso) {
  if (!terminal_) return;
  const auto ahora = std::chrono::steady_clock::now();
  if (linea_visible_ && ahora - ultima_linea_ < std::chrono::milliseconds(100)) return;
  ultima_linea_ = ahora;
  fmt::print(stderr, "\r\033[K{}: {} de {}", progreso.que, progreso.registro, progreso.total);
  std::fflush(stderr);
  linea_visible_ = true;
}

RespuestaDialogo HostConsola::DialogoArchivo(const PeticionDialogo&) {
  if (ruta_dialogo_.empty()) return {true, ""};
  return {false, ruta_dialogo_};
}

void HostConsola::MuestraModal(Forma& forma) {
  BorraLineaProgreso();
  forma.Muestra();
  if (manejador_forma_) manejador_forma_(forma);
  forma.Cierra();
}

}  // namespace pmq
