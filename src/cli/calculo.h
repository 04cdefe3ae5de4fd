#pragma once
// One calculation as every command runs it: a console host in force, a root
// with the command line's options, CalcularPrograma, and its messages.

#include <promorlaqel/common/servicios_host.h>
#include <promorlaqel/model/programa.h>
#include "host_consola.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pmq::cli {

class OpcionesComunes;

class Calculo {
 public:
  /// A root with the options applied (throws ErrorUso for a bad --opcion);
  /// the console host is in force while the object lives.
  explicit Calculo(const OpcionesComunes& opciones);
  Calculo(const Calculo&) = delete;
  Calculo& operator=(const Calculo&) = delete;

  /// Runs CalcularPrograma and keeps its result and sErrores.
  int32_t Calcula();

  /// Prints what the calculation left in sErrores on stderr, when anything.
  void MuestraErrores() const;

  /// Exit status of a command that only calculates: 0 for result 1, 2 for
  /// result 2, 1 for result 0.
  static int SalidaDeResultado(int32_t resultado);

  /// Hands the calculated root over to a host that keeps it after this object
  /// (and its console host) is gone; Raiz() must not be used afterwards.
  std::unique_ptr<Programa> SueltaRaiz() { return std::move(programa_); }

  Programa& Raiz() { return *programa_; }
  const Programa& Raiz() const { return *programa_; }
  HostConsola& Consola() { return consola_; }
  const HostConsola& Consola() const { return consola_; }
  int32_t Resultado() const { return resultado_; }
  std::string& Errores() { return errores_; }
  const std::string& Errores() const { return errores_; }

 private:
  HostConsola consola_;
  HostEnUso uso_{consola_};
  std::unique_ptr<Programa> programa_;
  int32_t resultado_ = 0;
  std::string errores_;
};

}  // namespace pmq::cli
