#include "common/servicios_host.h"

#include "common/forma.h"
#include "common/host_consola.h"
#include "common/host_grabador.h"

#include <fmt/format.h>

#include <unistd.h>
#include <cstdio>

namespace pmq {
namespace {

ServiciosHost*& HostActual() {
  static ServiciosHost* actual = nullptr;
  return actual;
}

HostConsola& HostPredeterminado() {
  static HostConsola consola;
  return consola;
}

}  // namespace

ServiciosHost& Host() {
  ServiciosHost* h = HostActual();
  return h != nullptr ? *h : HostPredeterminado();
}

void EstableceHost(ServiciosHost* host) {
  HostActual() = host;
}

HostEnUso::HostEnUso(ServiciosHost& host) : anterior_(HostActual()) {
  HostActual() = &host;
}

HostEnUso::~HostEnUso() {
  HostActual() = anterior_;
}

int MsgBox(std::string_view texto, int estilo, std::string_view titulo) {
  return Host().MsgBox(texto, estilo, titulo);
}

void CedeAlHost(std::string_view que, int64_t registro, int64_t total) {
  if (registro % 10 != 0) Host().DoEvents(Progreso{que, registro, total});
}

// ---- HostConsola ----

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

// ---- HostGrabador ----

void HostGrabador::MuestraModal(Forma& forma) {
  formas_mostradas.push_back(forma.Nombre());
  forma.Muestra();
  if (manejador_forma) manejador_forma(forma);
  forma.Cierra();
}

}  // namespace pmq
