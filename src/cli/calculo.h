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

  /// Prints what the calculation left in sErrores on stderr, when anything,
  /// and "La obra X no existe" when the work was not found.
  void MuestraErrores() const;

  /// Exit status of the calculation: 1 when it failed (result 0, also after a
  /// lost connection) or the work does not exist, 2 for an outdated database
  /// (result 2), 3 when it ran but the load reported failures (sErrores not
  /// empty), 0 otherwise. A command that writes a report writes it only for 0
  /// and 3.
  int Salida() const;

  /// False when the database has no work with the code asked for.
  bool ObraExiste() const;

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
