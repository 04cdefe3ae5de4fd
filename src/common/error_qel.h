#pragma once
// Failures of the library: a number and a Spanish description. The numbers are
// fixed (hosts and saved error logs match on them), and every public operation
// catches these (and any other exception) and turns them into one line of
// sErrores.

#include <promorlaqel/common/api.h>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pmq {

/// Error numbers the library raises. Descriptions live in DescripcionError().
namespace errores {
inline constexpr int kLlamadaNoValida = 5;      // invalid procedure call or argument
inline constexpr int kDesbordamiento = 6;       // overflow
inline constexpr int kMemoria = 7;              // out of memory
inline constexpr int kSubindice = 9;            // subscript out of range
inline constexpr int kDivisionCero = 11;        // division by zero
inline constexpr int kTipos = 13;               // type mismatch
inline constexpr int kArchivo = 53;             // file not found
inline constexpr int kArchivoExiste = 58;       // the file already exists
inline constexpr int kPermiso = 70;             // permission denied
inline constexpr int kRuta = 76;                // path not found
inline constexpr int kObjeto = 91;              // object variable not set
inline constexpr int kNull = 94;                // invalid use of Null
inline constexpr int kSinMetodo = 438;          // object does not support this property or method
inline constexpr int kComponente = 429;         // the application cannot be created
inline constexpr int kClaveDuplicada = 457;     // the key is already associated with an element
inline constexpr int kServidorRemoto = 462;     // the remote server machine is unavailable
inline constexpr int kAplicacion = 1004;        // application-defined error (spreadsheet)
inline constexpr int kCampo = 3265;             // column not in the record set
inline constexpr int kConexion = 3709;          // the connection cannot be used
inline constexpr int kCancelar = 32755;         // the user pressed Cancel in a dialog
inline constexpr int kBaseDatos = -2147467259;  // provider failure (opening, SQL)
}  // namespace errores

/// The Spanish description of an error number ("" when the number is unknown).
PMQ_API std::string_view DescripcionError(int numero);

/// A failure with its number and description.
class PMQ_API ErrorQel : public std::runtime_error {
 public:
  /// A failure with the standard description of `numero`.
  explicit ErrorQel(int numero);
  /// A failure with its own description.
  ErrorQel(int numero, std::string descripcion);

  int Numero() const noexcept { return numero_; }
  const std::string& Descripcion() const noexcept { return descripcion_; }

 private:
  int numero_;
  std::string descripcion_;
};

/// Number and description of the exception being handled. Call it only inside a
/// catch block: ErrorQel keeps its own, bad_alloc is 7, overflow and range errors
/// are 6, anything else is 5 with the exception's text.
struct PMQ_API ErrorActual {
  int numero;
  std::string descripcion;
};
PMQ_API ErrorActual ErrorDeExcepcionActual();

/// Appends "ProMorlaQel.<clase>.<operacion>() arrojó la excepción # <n> <desc>\n"
/// for the exception being handled. Call it only inside a catch block.
PMQ_API void AnotaExcepcion(std::string& sErrores, std::string_view clase,
                            std::string_view operacion);

/// Same, with a different project prefix ("ProMorlaControl" for one operation,
/// "" for the report operations that write the message without a prefix).
PMQ_API void AnotaExcepcionConPrefijo(std::string& sErrores, std::string_view prefijo,
                                      std::string_view clase, std::string_view operacion);

/// Runs the body of operation `clase`.`operacion`; when it throws anything,
/// appends the AnotaExcepcion line to sErrores instead of letting it escape.
/// Every public operation of the library is written this way, so a host only
/// ever sees failures as lines of sErrores.
template <class F>
void Protege(std::string& sErrores, std::string_view clase, std::string_view operacion,
             F&& cuerpo) {
  try {
    cuerpo();
  } catch (...) {
    AnotaExcepcion(sErrores, clase, operacion);
  }
}

/// Same, for an operation with a result: the body's, or `alterno` when it threw.
template <class R, class F>
R Protege(std::string& sErrores, std::string_view clase, std::string_view operacion, R alterno,
          F&& cuerpo) {
  try {
    return cuerpo();
  } catch (...) {
    AnotaExcepcion(sErrores, clase, operacion);
    return alterno;
  }
}

/// The text that AnotaExcepcion appends, for a known number and description.
PMQ_API std::string TextoExcepcion(std::string_view prefijo, std::string_view clase,
                                   std::string_view operacion, int numero,
                                   std::string_view descripcion);

}  // namespace pmq
