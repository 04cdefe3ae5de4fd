#pragma once
// The web server of `promorlaqel servir`: the embedded application, the JSON
// API and the downloads over one project database, on a pool of threads.
// Bound to the loopback address unless told otherwise, and then only with a
// token.

#include "api_obras.h"
#include "autorizacion.h"
#include "cache_resultados.h"

#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace pmq::web {

class ServidorWeb {
 public:
  struct Configuracion {
    std::string bd;                      ///< path, "Data Source=…" or postgresql:// URI
    std::string escuchar = "127.0.0.1";  ///< address to bind
    int puerto = 8080;                   ///< 0 takes a free port
    std::string token;                   ///< required of every request when not empty
  };

  /// A token is generated when the address is not the loopback one and none
  /// is given.
  explicit ServidorWeb(Configuracion configuracion);
  ~ServidorWeb();
  ServidorWeb(const ServidorWeb&) = delete;
  ServidorWeb& operator=(const ServidorWeb&) = delete;

  /// Binds the address; throws std::runtime_error with the reason. Returns
  /// the address people open ("http://HOST:PUERTO/", with "?token=T" when
  /// a token is required).
  std::string Enlaza();

  /// Serves until Detiene(); requests in flight are finished before it returns.
  void Sirve();

  /// Stops accepting requests (from any thread).
  void Detiene();

  /// True for an address only this computer reaches.
  static bool EsLocal(const std::string& direccion);

 private:
  void Configura();

  Configuracion conf_;
  Autorizacion autorizacion_;
  CacheResultados cache_;
  ApiObras api_;
  std::unique_ptr<httplib::Server> servidor_;
};

}  // namespace pmq::web
