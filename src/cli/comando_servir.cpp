// `promorlaqel servir --bd RUTA [--puerto N] [--escuchar DIRECCION] [--token T]`:
// serves the web application over the project database until Ctrl+C or
// SIGTERM, finishing the requests in flight.

#include "comando.h"
#include "error_uso.h"
#include "registro_comandos.h"
#include "servidor_web.h"

#include <fmt/format.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <atomic>
#include <cstdio>
#include <thread>

namespace pmq::cli {
namespace {

class ComandoServir : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    sub.add_option("--bd", conf_.bd,
                   "Base de datos del proyecto: archivo SQLite, texto con Data Source=<ruta> o URI "
                   "postgresql://")
        ->required()
        ->type_name("RUTA");
    sub.add_option("--puerto", conf_.puerto, "Puerto TCP (0 toma uno libre; por omisión 8080)")
        ->check(CLI::Range(0, 65535))
        ->type_name("N");
    sub.add_option("--escuchar", conf_.escuchar,
                   "Dirección en la que escucha (por omisión 127.0.0.1, solo este equipo); "
                   "cualquier otra exige token")
        ->type_name("DIRECCION");
    sub.add_option("--token", conf_.token,
                   "Token que deben presentar las peticiones; sin él, fuera de 127.0.0.1 se "
                   "genera uno")
        ->type_name("T");
    sub.footer(
        "Imprime en su primera línea la dirección que se abre en el navegador y atiende hasta "
        "Ctrl+C.\n\n"
        "Ejemplo: promorlaqel servir --bd obra-ejemplo.db --puerto 8080");
  }

  int Ejecuta() override {
    // SIGINT and SIGTERM are taken by one thread that stops the server; the
    // server's threads, started afterwards, inherit the blocked mask.
    sigset_t senales;
    sigemptyset(&senales);
    sigaddset(&senales, SIGINT);
    sigaddset(&senales, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &senales, nullptr);

    web::ServidorWeb servidor(conf_);
    std::string url;
    try {
      url = servidor.Enlaza();
    } catch (const std::exception& e) {
      throw ErrorUso(e.what());
    }
    fmt::print("Sirviendo en {}\n", url);
    std::fflush(stdout);
    fmt::print(stderr, "Pulse Ctrl+C para terminar.\n");

    std::atomic<bool> terminado{false};
    std::thread vigia([&] {
      int senal = 0;
      sigwait(&senales, &senal);
      if (!terminado) fmt::print(stderr, "Terminando: se atienden las peticiones en curso…\n");
      servidor.Detiene();
    });
    servidor.Sirve();
    terminado = true;
    kill(getpid(), SIGTERM);  // wakes the watcher when the server stopped by itself
    vigia.join();
    return 0;
  }

 private:
  web::ServidorWeb::Configuracion conf_;
};

const RegistraComando registro{50, "servir",
                               "Sirve la aplicación web sobre la base de datos del proyecto",
                               [] { return std::make_unique<ComandoServir>(); }};

}  // namespace
}  // namespace pmq::cli
