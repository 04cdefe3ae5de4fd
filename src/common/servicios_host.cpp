#include "common/servicios_host.h"

#include "common/forma.h"
#include "common/host_grabador.h"

#include <fmt/format.h>

#include <cstdio>

namespace pmq {
namespace {

ServiciosHost*& HostActual() {
  static ServiciosHost* actual = nullptr;
  return actual;
}

// The host until one is set: message boxes to stderr as "[Titulo] Texto",
// every dialog cancelled, every form closed at once. It keeps nothing.
class HostPredeterminadoConsola final : public ServiciosHost {
 public:
  void PunteroRaton(int) override {}
  int MsgBox(std::string_view texto, int, std::string_view titulo) override {
    fmt::print(stderr, "[{}] {}\n", titulo, texto);
    return 1;
  }
  void DoEvents(const Progreso&) override {}
  RespuestaDialogo DialogoArchivo(const PeticionDialogo&) override { return {true, ""}; }
  void MuestraModal(Forma& forma) override {
    forma.Muestra();
    forma.Cierra();
  }
};

ServiciosHost& HostPredeterminado() {
  static HostPredeterminadoConsola consola;
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

// ---- HostGrabador ----

void HostGrabador::MuestraModal(Forma& forma) {
  formas_mostradas.push_back(forma.Nombre());
  forma.Muestra();
  if (manejador_forma) manejador_forma(forma);
  forma.Cierra();
}

}  // namespace pmq
