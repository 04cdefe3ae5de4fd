#pragma once
// A host for tests: it records every call and answers dialogs and forms the way
// the test scripted it.

#include "common/servicios_host.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace pmq {

class HostGrabador : public ServiciosHost {
 public:
  void PunteroRaton(int valor) override { punteros.push_back(valor); }
  int MsgBox(std::string_view texto, int estilo, std::string_view titulo) override {
    mensajes.push_back({std::string(titulo), std::string(texto), estilo});
    return 1;
  }
  void DoEvents(const Progreso& progreso) override {
    ++cesiones;
    ultimo_progreso_que = std::string(progreso.que);
    ultimo_progreso_registro = progreso.registro;
    ultimo_progreso_total = progreso.total;
  }
  /// Answers with the next scripted answer; cancelled when none is left.
  RespuestaDialogo DialogoArchivo(const PeticionDialogo& peticion) override {
    dialogos.push_back(peticion);
    if (respuestas_dialogo.empty()) return {true, ""};
    RespuestaDialogo r = respuestas_dialogo.front();
    respuestas_dialogo.pop_front();
    return r;
  }
  /// Calls the scripted form handler, if any; the form is shown meanwhile.
  void MuestraModal(Forma& forma) override;

  std::vector<int> punteros;
  std::vector<MensajeMostrado> mensajes;
  int64_t cesiones = 0;
  std::string ultimo_progreso_que;
  int64_t ultimo_progreso_registro = 0;
  int64_t ultimo_progreso_total = 0;
  std::vector<PeticionDialogo> dialogos;
  std::deque<RespuestaDialogo> respuestas_dialogo;
  std::vector<std::string> formas_mostradas;
  std::function<void(Forma&)> manejador_forma;
};

}  // namespace pmq
