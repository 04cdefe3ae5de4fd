#pragma once
// The web application's files (HTML, CSS, JavaScript modules), embedded in
// the program when it is built from src/web/estatico/. A request names a file
// by its bare name; nothing outside this table is ever served.

#include <optional>
#include <span>
#include <string_view>

namespace pmq::web {

class RecursosEstaticos {
 public:
  struct Archivo {
    std::string_view nombre;  ///< "app.js"
    std::string_view contenido;
  };

  /// The embedded files (generated at configure time).
  static std::span<const Archivo> Embebidos();

  /// The file named `nombre`, when the name is a plain file name of the table
  /// (no folder, no "..", no leading dot).
  static std::optional<Archivo> Busca(std::string_view nombre);

  /// The Content-Type for a file name by its extension.
  static std::string_view TipoContenido(std::string_view nombre);
};

}  // namespace pmq::web
