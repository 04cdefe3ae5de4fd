#pragma once
// What the library asks of the program that hosts it: a busy pointer, message
// boxes, a chance to process pending window events during long loads, a file
// dialog and modal forms. The console host, the recording host of the tests and
// a desktop host implement it.

#include <promorlaqel/common/api.h>
#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

class Forma;

/// Mouse pointer values.
inline constexpr int kPunteroNormal = 0;
inline constexpr int kPunteroEspera = 11;

/// Message box style values (icons; OK only is 0).
inline constexpr int kMsgSoloAceptar = 0;
inline constexpr int kMsgCritico = 16;
inline constexpr int kMsgExclamacion = 48;
inline constexpr int kMsgInformacion = 64;

/// The default title of message boxes.
inline constexpr std::string_view kTituloPredeterminado = "ProMorlaQel";

/// What a long load is doing when it yields to the host.
struct PMQ_API Progreso {
  std::string_view que;  ///< what is being loaded ("Conceptos", "Presupuesto 01" …)
  int64_t registro = 0;  ///< 1-based number of the record just read
  int64_t total = 0;     ///< records in all
};

/// A request for a file name.
struct PMQ_API PeticionDialogo {
  std::string titulo;
  std::string filtro;   ///< "Libro de Excel (*.xlsx)|*.xlsx"
  std::string patron;   ///< default file name or pattern ("*.xlsx")
  bool guardar = true;  ///< save (true) or open (false)
};

/// The answer of a file dialog.
struct PMQ_API RespuestaDialogo {
  bool cancelado = false;
  std::string ruta;
};

/// One message box as it was shown (hosts that keep them, and the tests).
struct MensajeMostrado {
  std::string titulo;
  std::string texto;
  int estilo = 0;
};

/// Services of the host's user interface.
class PMQ_API ServiciosHost {
 public:
  virtual ~ServiciosHost() = default;

  /// Sets the screen's mouse pointer (kPunteroEspera while the library works).
  virtual void PunteroRaton(int valor) = 0;
  /// Shows a message box with an OK button; returns the button pressed (1 = OK).
  virtual int MsgBox(std::string_view texto, int estilo, std::string_view titulo) = 0;
  /// Lets the host process pending events; `progreso` says what is loading.
  virtual void DoEvents(const Progreso& progreso) = 0;
  /// Asks the user for a file name.
  virtual RespuestaDialogo DialogoArchivo(const PeticionDialogo& peticion) = 0;
  /// Shows a form modally and returns when it is closed.
  virtual void MuestraModal(Forma& forma) = 0;
};

/// The host in force, one for the process: the library's message boxes and
/// dialogs come from code that has no host to pass along. A console host that
/// writes to stderr until one is set.
PMQ_API ServiciosHost& Host();
/// Sets the host in force; nullptr restores the console host.
PMQ_API void EstableceHost(ServiciosHost* host);

/// Sets a host for the lifetime of the object and restores the previous one.
class PMQ_API HostEnUso {
 public:
  explicit HostEnUso(ServiciosHost& host);
  ~HostEnUso();
  HostEnUso(const HostEnUso&) = delete;
  HostEnUso& operator=(const HostEnUso&) = delete;

 private:
  ServiciosHost* anterior_;
};

/// Shorthand: a message box on the host in force with the default title.
PMQ_API int MsgBox(std::string_view texto, int estilo = kMsgSoloAceptar,
                   std::string_view titulo = kTituloPredeterminado);

/// Shorthand for the loaders: yields to the host after every record whose
/// 1-based number is not a multiple of 10.
PMQ_API void CedeAlHost(std::string_view que, int64_t registro, int64_t total);

}  // namespace pmq
