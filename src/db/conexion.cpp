#include "db/conexion.h"

#include "common/error_qel.h"
#include "db/motor_sqlite.h"
#ifdef PMQ_CON_POSTGRES
#include "db/motor_postgres.h"
#endif

#include <strings.h>

namespace pmq {
namespace {

// The server engine that is built in; a host may put another in its place.
// Naming it here (not from a static registrar in its own file) keeps the
// linker from dropping it out of the static library.
// A build without libpq (PMQ_POSTGRES=OFF) has no built-in server engine.
FabricaMotor& FabricaServidor() {
#ifdef PMQ_CON_POSTGRES
  static FabricaMotor fabrica = &MotorPostgres::Abre;
#else
  static FabricaMotor fabrica = nullptr;
#endif
  return fabrica;
}

bool EsUriServidor(std::string_view ruta) {
  return ruta.rfind("postgresql://", 0) == 0 || ruta.rfind("postgres://", 0) == 0;
}

}  // namespace

void RegistraMotorServidor(FabricaMotor fabrica) {
  FabricaServidor() = fabrica;
}

Conexion::Conexion(std::unique_ptr<Motor> motor) : motor_(std::move(motor)) {}

std::string Conexion::RutaDeTexto(std::string_view texto) {
  static constexpr std::string_view kClave = "data source=";
  // Case-insensitive search for "Data Source=" up to the next ";".
  for (size_t i = 0; i + kClave.size() <= texto.size(); ++i) {
    if (strncasecmp(texto.data() + i, kClave.data(), kClave.size()) == 0) {
      const size_t inicio = i + kClave.size();
      const size_t fin = texto.find(';', inicio);
      std::string_view ruta = texto.substr(
          inicio, fin == std::string_view::npos ? std::string_view::npos : fin - inicio);
      while (!ruta.empty() && ruta.front() == ' ') ruta.remove_prefix(1);
      while (!ruta.empty() && ruta.back() == ' ') ruta.remove_suffix(1);
      if (ruta.size() >= 2 && ruta.front() == '"' && ruta.back() == '"')
        ruta = ruta.substr(1, ruta.size() - 2);
      return std::string(ruta);
    }
  }
  return std::string(texto);
}

void Conexion::Open(std::string_view texto, std::string_view, std::string_view, int) {
  const std::string ruta = RutaDeTexto(texto);
  if (EsUriServidor(ruta)) {
    if (FabricaServidor() == nullptr) {
#ifdef PMQ_CON_POSTGRES
      throw ErrorQel(errores::kBaseDatos,
                     "Este programa no tiene el acceso a servidores PostgreSQL.");
#else
      throw ErrorQel(errores::kBaseDatos,
                     "Este programa se compiló sin PostgreSQL (PMQ_POSTGRES=OFF): "
                     "no puede abrir una base postgresql://. Use una base SQLite.");
#endif
    }
    motor_ = FabricaServidor()(ruta);
    return;
  }
  if (ruta.empty()) {
    throw ErrorQel(errores::kBaseDatos, "No se indicó la ruta de la base de datos.");
  }
  motor_ = std::make_unique<MotorSqlite>(ruta);
}

std::unique_ptr<Recordset> Conexion::Ejecuta(std::string_view sql,
                                             std::span<const Valor> parametros) {
  if (!motor_) throw ErrorQel(errores::kConexion);
  return motor_->Consulta(sql, parametros);
}

}  // namespace pmq
