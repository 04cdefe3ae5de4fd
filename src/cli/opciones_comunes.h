#pragma once
// The options every command shares: --bd, --obra and the repeatable
// --opcion Nombre=valor that sets an option property of the root object.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace CLI {
class App;
}

namespace pmq {
class Programa;
}

namespace pmq::cli {

class OpcionesComunes {
 public:
  OpcionesComunes() = default;
  /// The same options given by another host: each of `opciones` is "Nombre=valor".
  OpcionesComunes(std::string bd, std::string obra, std::vector<std::string> opciones)
      : bd_(std::move(bd)), obra_(std::move(obra)), opciones_(std::move(opciones)) {}

  /// Declares --bd (required), --obra (required when `con_obra`) and --opcion.
  void Agrega(CLI::App& subcomando, bool con_obra = true);

  /// Sets Ruta, ClaveObra and every --opcion on the root. Throws ErrorUso
  /// with a one-line reason for an unknown name or a bad value.
  void Aplica(Programa& programa) const;

  /// Refuses (ErrorUso) an output workbook path that is empty, does not end
  /// in .xlsx, or names the project database itself (followed through links,
  /// compared by device and inode, so a hard link counts too).
  void CompruebaSalida(const std::string& salida) const;

  /// Sets one option property by its own name (case ignored). Throws ErrorUso.
  static void AplicaOpcion(Programa& programa, std::string_view nombre, std::string_view valor);

  /// Every option property of the root by name with its value as text (logical
  /// ones "si"/"no", enumerations as their numbers), in the order of --help.
  static std::vector<std::pair<std::string, std::string>> Valores(const Programa& programa);

  const std::string& Bd() const { return bd_; }
  const std::string& Obra() const { return obra_; }

 private:
  std::string bd_;
  std::string obra_;
  std::vector<std::string> opciones_;
  bool obra_requerida_ = true;
};

}  // namespace pmq::cli
