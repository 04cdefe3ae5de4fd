#include "servidor_web.h"

#include "recursos_estaticos.h"

#include <fmt/format.h>
#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <stdexcept>

namespace pmq::web {
namespace {

constexpr size_t kResultadosGuardados = 16;
constexpr int64_t kLineasGuardadas = 40'000;
constexpr std::chrono::seconds kVidaServidor{30};

// A request path that tries to leave the application's files: dot segments,
// back slashes and their encoded forms, and encoded slashes or NULs.
bool RutaSospechosa(const std::string& destino) {
  std::string ruta = destino.substr(0, destino.find('?'));
  std::transform(ruta.begin(), ruta.end(), ruta.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (std::string_view malo : {"..", "%2e", "%2f", "%5c", "\\", "%00", "%25"}) {
    if (ruta.find(malo) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

ServidorWeb::ServidorWeb(Configuracion configuracion)
    : conf_(std::move(configuracion)),
      autorizacion_(!conf_.token.empty() || EsLocal(conf_.escuchar) ? conf_.token
                                                                    : Autorizacion::GeneraToken()),
      cache_(conf_.bd, kResultadosGuardados, kLineasGuardadas, kVidaServidor),
      api_(conf_.bd, cache_),
      servidor_(std::make_unique<httplib::Server>()) {
  Configura();
}

ServidorWeb::~ServidorWeb() = default;

bool ServidorWeb::EsLocal(const std::string& direccion) {
  return direccion == "127.0.0.1" || direccion == "::1" || direccion == "localhost";
}

void ServidorWeb::Configura() {
  httplib::Server& s = *servidor_;
  // Limits: the API takes no bodies; a client that stalls is dropped.
  s.set_payload_max_length(64 * 1024);
  s.set_read_timeout(10, 0);
  s.set_write_timeout(60, 0);
  s.set_keep_alive_max_count(100);
  s.set_default_headers({
      {"X-Content-Type-Options", "nosniff"},
      {"X-Frame-Options", "DENY"},
      {"Referrer-Policy", "no-referrer"},
      {"Content-Security-Policy",
       "default-src 'self'; img-src 'self' data:; style-src 'self'; script-src 'self'; "
       "object-src 'none'; base-uri 'none'; frame-ancestors 'none'"},
  });

  s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    if (RutaSospechosa(req.target)) {
      ApiObras::Error(res, 404, "No existe esa ruta");
      return httplib::Server::HandlerResponse::Handled;
    }
    switch (autorizacion_.Revisa(req)) {
      case Autorizacion::Veredicto::kNegado:
        res.set_header("WWW-Authenticate", "Bearer");
        ApiObras::Error(res, 401,
                        "Hace falta el token de acceso: abra la dirección que imprimió "
                        "promorlaqel servir");
        return httplib::Server::HandlerResponse::Handled;
      case Autorizacion::Veredicto::kPasaConCookie:
        res.set_header("Set-Cookie", autorizacion_.Cookie());
        break;
      case Autorizacion::Veredicto::kPasa:
        break;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  api_.Registra(s);

  // The application: its files by name, and its page for every other address
  // (the page reads the address and shows the work it names).
  s.Get("/estatico/([^/]+)", [](const httplib::Request& req, httplib::Response& res) {
    auto archivo = RecursosEstaticos::Busca(req.matches[1].str());
    if (!archivo) {
      ApiObras::Error(res, 404, "No existe ese archivo");
      return;
    }
    res.set_header("Cache-Control", "no-cache");
    res.set_content(std::string(archivo->contenido),
                    std::string(RecursosEstaticos::TipoContenido(archivo->nombre)).c_str());
  });
  s.Get("/|/obras/[^/]+(/programa|/resumen)?/?",
        [](const httplib::Request&, httplib::Response& res) {
          auto pagina = RecursosEstaticos::Busca("index.html");
          res.set_header("Cache-Control", "no-cache");
          res.set_content(std::string(pagina->contenido), "text/html; charset=utf-8");
        });

  // Whatever fails in a request ends that request alone: the answer says so
  // without the reason (which may name files of this computer); the log has it.
  s.set_exception_handler(
      [](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
        std::string motivo = "desconocido";
        try {
          std::rethrow_exception(ep);
        } catch (const std::exception& e) {
          motivo = e.what();
        } catch (...) {
        }
        fmt::print(stderr, "servir: {} {}: {}\n", req.method, req.path, motivo);
        ApiObras::Error(res, 500, "Error interno del servidor; el detalle quedó en su registro");
      });
  s.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    ApiObras::Error(res, res.status,
                    res.status == 404 ? "No existe esa ruta" : "Petición no atendida");
  });
}

std::string ServidorWeb::Enlaza() {
  int puerto = conf_.puerto;
  if (puerto == 0) {
    puerto = servidor_->bind_to_any_port(conf_.escuchar);
  } else if (!servidor_->bind_to_port(conf_.escuchar, puerto)) {
    puerto = -1;
  }
  if (puerto < 0) {
    throw std::runtime_error(
        fmt::format("no se pudo escuchar en {} puerto {}", conf_.escuchar, conf_.puerto));
  }
  const std::string host =
      conf_.escuchar.find(':') != std::string::npos ? "[" + conf_.escuchar + "]" : conf_.escuchar;
  std::string url = fmt::format("http://{}:{}/", host, puerto);
  if (autorizacion_.Exige()) url += "?token=" + autorizacion_.Token();
  return url;
}

void ServidorWeb::Sirve() {
  servidor_->listen_after_bind();
}

void ServidorWeb::Detiene() {
  servidor_->stop();
}

}  // namespace pmq::web
