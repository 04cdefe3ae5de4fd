#pragma once
// The JSON API of the web application, under /api/obras. The pages use only
// this; every answer is JSON but the downloads, and errors are
// {"error": "texto"}: 404 for an unknown work, line or path, 400 for a bad
// option (the command line's message), 500 for anything else, such as a
// database that cannot be reached (said plainly, without its path).

#include "cache_resultados.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace pmq::web {

class ApiObras {
 public:
  ApiObras(std::string bd, CacheResultados& cache) : bd_(std::move(bd)), cache_(cache) {}

  /// Adds the API's routes to the server.
  void Registra(httplib::Server& servidor);

  /// Writes {"error": texto} with the status.
  static void Error(httplib::Response& res, int estado, std::string_view texto);

 private:
  using Request = httplib::Request;
  using Response = httplib::Response;

  void Obras(const Request& req, Response& res);
  void Documento(const Request& req, Response& res);
  void Presupuesto(const Request& req, Response& res);
  void Linea(const Request& req, Response& res);
  void Resumen(const Request& req, Response& res, bool csv);
  void ProgramaXlsx(const Request& req, Response& res);
  void ResumenXlsx(const Request& req, Response& res);

  /// The work's code as the database spells it; nullopt after answering 404
  /// or 500.
  std::optional<std::string> Obra(const std::string& clave, Response& res);
  /// The work's codes, in order. Throws when the database cannot be read.
  std::vector<std::string> Claves() const;

  /// The query's options as "Nombre=valor", leaving out the endpoint's own
  /// parameters; nullopt after answering 400 for a bad one. `clave_cache`
  /// receives the options' values in force, the same for equivalent queries.
  std::optional<std::vector<std::string>> Opciones(const Request& req, const std::string& obra,
                                                   std::initializer_list<std::string_view> propios,
                                                   std::string& clave_cache, Response& res) const;

  /// The calculated work for the options (cached).
  std::shared_ptr<const CacheResultados::Resultado> Modelo(const std::string& obra,
                                                           const std::vector<std::string>& opciones,
                                                           const std::string& clave_cache);

  std::string bd_;
  CacheResultados& cache_;
};

}  // namespace pmq::web
