#include "db/conexion.h"

#include "common/error_qel.h"
#include "db/motor_sqlite.h"
#ifdef PMQ_CON_POSTGRES
#include "db/motor_postgres.h"
#endif

#include <strings.h>

#include <cctype>

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

// The scheme of a "scheme://…" text, or "" when the text has none.
std::string_view Esquema(std::string_view ruta) {
  const size_t fin = ruta.find("://");
  if (fin == std::string_view::npos || fin == 0) return {};
  for (size_t i = 0; i < fin; ++i) {
    const auto c = static_cast<unsigned char>(ruta[i]);
    if (!(std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'))))
      return {};
  }
  return ruta.substr(0, fin);
}

bool EsEsquemaServidor(std::string_view esquema) {
  return (esquema.size() == 10 && strncasecmp(esquema.data(), "postgresql", 10) == 0) ||
         (esquema.size() == 8 && strncasecmp(esquema.data(), "postgres", 8) == 0);
}

}  // namespace

bool Conexion::EsUriServidor(std::string_view ruta) {
  return EsEsquemaServidor(Esquema(ruta));
}

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
  std::string ruta = RutaDeTexto(texto);
  const std::string_view esquema = Esquema(ruta);
  if (EsEsquemaServidor(esquema)) {
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
    // The scheme is read without regard to case; libpq wants it in lower case.
    for (size_t i = 0; i < esquema.size(); ++i)
      ruta[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(ruta[i])));
    motor_ = FabricaServidor()(ruta);
    return;
  }
  // Any other "scheme://" is a mistyped server address, not a file name.
  if (!esquema.empty()) {
    throw ErrorQel(errores::kBaseDatos,
                   "La dirección '" + std::string(esquema) +
                       "://…' no es de un servidor conocido: use postgresql:// (o postgres://).");
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
