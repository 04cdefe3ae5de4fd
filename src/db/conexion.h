#pragma once
// The connection to the project database. It is opened from a connection text
// (a plain path, an ADO-style text with "Data Source=<path>", or a
// postgresql:// URI) and only reads. The library never closes it.

#include <promorlaqel/common/api.h>
#include <promorlaqel/db/motor.h>
#include <promorlaqel/db/recordset.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class PMQ_API Conexion {
 public:
  Conexion() = default;
  /// A connection over an engine the host already made (tests, other engines).
  explicit Conexion(std::unique_ptr<Motor> motor);

  /// Opens the connection. `texto` as above; user, password and options are
  /// accepted for the host's sake and not used by the embedded engine. Throws
  /// ErrorQel when the database cannot be opened.
  void Open(std::string_view texto, std::string_view usuario = {}, std::string_view clave = {},
            int opciones = -1);
  /// kEstadoAbierto (1) when open, kEstadoCerrado (0) otherwise.
  int State() const { return motor_ ? kEstadoAbierto : kEstadoCerrado; }
  /// Closes the connection (for hosts; the library never calls it).
  void Close() { motor_.reset(); }

  /// Runs a query with bound parameters ("?" in the text). Throws ErrorQel 3709
  /// when closed, or the engine's failure.
  std::unique_ptr<Recordset> Ejecuta(std::string_view sql, std::span<const Valor> parametros = {});

  /// True once the engine lost its link to the database (see Motor::Perdida).
  bool Perdida() const { return motor_ && motor_->Perdida(); }

  /// The engine (nullptr when closed).
  Motor* MotorEnUso() const { return motor_.get(); }

  /// True for a PostgreSQL URI: "postgresql://" or "postgres://", in any case.
  static bool EsUriServidor(std::string_view ruta);

  /// The database path or URI inside a connection text.
  static std::string RutaDeTexto(std::string_view texto);

 private:
  std::unique_ptr<Motor> motor_;
};

/// Opens an engine for a postgresql:// or postgres:// URI. The built-in
/// PostgreSQL engine is the default; RegistraMotorServidor replaces it (a null
/// factory makes such URIs fail clearly).
using FabricaMotor = std::unique_ptr<Motor> (*)(const std::string& ruta);
PMQ_API void RegistraMotorServidor(FabricaMotor fabrica);

}  // namespace pmq
