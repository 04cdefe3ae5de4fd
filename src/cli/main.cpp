// promorlaqel: the command line host of the library.

#include <promorlaqel/common/temporales_en_curso.h>
#include <promorlaqel/common/texto_seguro.h>
#include "error_uso.h"
#include "registro_comandos.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// The help texts of the parser in Spanish. Subcommands created afterwards
// inherit the help flag, the option group and the formatter.
void EnEspanol(CLI::App& app) {
  app.option_defaults()->group("Opciones");
  app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
  auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("OPTIONS", "OPCIONES");
  formato->label("SUBCOMMAND", "COMANDO");
  formato->label("SUBCOMMANDS", "COMANDOS");
  formato->label("REQUIRED", "(obligatoria)");
  formato->label("Positionals", "Argumentos");
  formato->label("Needs", "Requiere");
  formato->label("Excludes", "Excluye");
  formato->label("TEXT", "TEXTO");
}

// The parser's reason for a usage error, in Spanish. Every message the
// parser can give is translated; one it has no translation for becomes a
// general Spanish reason rather than reaching the user in English.
std::string MotivoEnEspanol(const CLI::ParseError& e) {
  static const std::pair<std::regex, const char*> kTraducciones[] = {
      {std::regex("^A subcommand is required$"), "falta el comando (vea promorlaqel --help)"},
      {std::regex("^(.+) is required$"), "falta la opción obligatoria $1"},
      {std::regex("^The following arguments? (was|were) not expected: (.*)$"),
       "argumentos no esperados: $2"},
      {std::regex("^(\\S+): (\\d+) required \\S+ missing$"), "a $1 le falta su valor"},
      {std::regex("^(\\S+) excludes (\\S+)$"), "$1 no se puede usar con $2"},
      {std::regex("^(\\S+) requires (\\S+)$"), "$1 requiere $2"},
      {std::regex("^(\\S+): At Most (\\d+) required but received (\\d+)$"),
       "$1 se dio $3 veces y se admite $2"},
      {std::regex("^(\\S+): At least (\\d+) required but received (\\d+)$"),
       "$1 necesita al menos $2 valores y recibió $3"},
      {std::regex("^Expected exactly (\\d+) arguments to (\\S+), got (\\d+)$"),
       "$2 necesita $1 valores y recibió $3"},
      {std::regex("^(\\S+): too many inputs for a flag$"), "$1 no lleva valor"},
      {std::regex("^(\\S+) was given a disallowed flag override$"), "$1 no lleva valor"},
      {std::regex("^(\\S+): Should be true/false or a number$"), "$1 no lleva valor"},
      {std::regex("^Could not convert: (\\S+) = (.*)$"), "$1: \"$2\" no es un valor válido"},
      {std::regex("^The value (.*) is not an allowed value for (\\S+)$"),
       "$2: \"$1\" no es un valor válido"},
      {std::regex("^(\\S+): Value (.*) not in range (\\S+) to (\\S+)$"),
       "$1: \"$2\" no es un número entre $3 y $4"},
      {std::regex("^(\\S+): (.*) not in \\{(.*)\\}$"), "$1: \"$2\" no es uno de: $3"},
      {std::regex("^(\\S+): Value (.*) could not be converted.*$"),
       "$1: \"$2\" no es un valor válido"},
  };
  const std::string motivo = e.what();
  for (const auto& [patron, texto] : kTraducciones) {
    if (std::regex_match(motivo, patron)) return std::regex_replace(motivo, patron, texto);
  }
  // Messages of the parser this program never provokes; said in general terms.
  return "la línea de órdenes no es válida (vea promorlaqel --help)";
}

// Whatever a command printed must have reached standard output: a full disk
// or a closed pipe is a failure (exit 1), not a silently cut result.
int CompruebaSalidaEstandar(int estado) {
  std::cout.flush();
  bool fallo = std::cout.fail();
  int numero = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    fallo = true;
    numero = errno;
  }
  if (!fallo && close(STDOUT_FILENO) != 0 && errno != EBADF) {
    fallo = true;
    numero = errno;
  }
  if (!fallo) return estado;
  fmt::print(stderr, "promorlaqel: no se pudo escribir la salida estándar{}\n",
             numero != 0 ? std::string(": ") + std::strerror(numero) : std::string());
  return estado == pmq::cli::kSalidaUso ? estado : 1;
}

bool EsAyuda(std::string_view arg) {
  return arg == "-h" || arg == "--help";
}

// What the parser lets through and a user would not expect: "--bd=" with
// nothing after it (the parser would take the next word as the value); an
// option value that is itself an option ("--obra --json"); "--version" or
// "--help" beside words the program does not know. Throws ErrorUso.
std::vector<std::string> RevisaArgumentos(
    CLI::App& app, int argc, char** argv,
    const std::vector<std::pair<CLI::App*, std::unique_ptr<pmq::cli::Comando>>>& comandos) {
  using pmq::cli::ErrorUso;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    // "--nombre=" becomes "--nombre" "" so that the command says what is missing.
    if (a.size() > 3 && a.rfind("--", 0) == 0 && a.back() == '=' && a.find('=') == a.size() - 1) {
      args.push_back(a.substr(0, a.size() - 1));
      args.emplace_back();
      continue;
    }
    args.push_back(std::move(a));
  }
  CLI::App* sub = nullptr;
  bool ayuda = false;
  bool version = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (EsAyuda(a)) {
      ayuda = true;
      continue;
    }
    if (a == "--version" && sub == nullptr) {
      version = true;
      continue;
    }
    if (a.rfind("-", 0) == 0 && a.size() > 1) {
      const std::string nombre = a.substr(0, a.find('='));
      CLI::App* donde = sub != nullptr ? sub : &app;
      const CLI::Option* opcion = donde->get_option_no_throw(nombre);
      if (opcion == nullptr) {
        if (ayuda || version) throw ErrorUso("opción desconocida: " + nombre);
        continue;
      }
      // An option that takes a value must not take the next option as it.
      const bool con_valor = opcion->get_items_expected_min() > 0;
      if (con_valor && a.find('=') == std::string::npos && i + 1 < args.size() &&
          args[i + 1].rfind("--", 0) == 0 && args[i + 1].size() > 2) {
        throw ErrorUso("a " + nombre + " le falta su valor");
      }
      if (con_valor && a.find('=') == std::string::npos) ++i;
      continue;
    }
    if (sub == nullptr) {
      if (version) throw ErrorUso("--version no admite más argumentos");
      for (const auto& [s, comando] : comandos) {
        if (s->get_name() == a) sub = s;
      }
      if (sub == nullptr) {
        throw ErrorUso("el comando \"" + a + "\" no existe (vea promorlaqel --help)");
      }
      continue;
    }
    if (ayuda || version) throw ErrorUso("argumentos no esperados: " + a);
  }
  if (version && (ayuda || args.size() != 1)) {
    throw ErrorUso("--version no admite más argumentos");
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pmq::cli;
  // Ctrl-C or a kill while a workbook is written removes its temporary; the
  // file it would have replaced stays as it was.
  pmq::TemporalesEnCurso::ProtegeDeSenales();
  CLI::App app{
      "ProMorlaQel: carga una obra de su base de datos, desglosa sus precios unitarios en insumos, "
      "la reparte por meses y escribe el programa de obra y el resumen de estimaciones.",
      "promorlaqel"};
  EnEspanol(app);
  app.set_version_flag("--version", "promorlaqel " PMQ_VERSION, "Muestra la versión y termina");
  app.require_subcommand(1, 1);

  std::vector<std::pair<CLI::App*, std::unique_ptr<Comando>>> comandos;
  for (const RegistroComandos::Entrada* e : RegistroComandos::Entradas()) {
    CLI::App* sub = app.add_subcommand(e->nombre, e->descripcion);
    sub->group("Comandos");
    sub->get_help_ptr()->group("Opciones");
    auto comando = e->fabrica();
    comando->Configura(*sub);
    comandos.emplace_back(sub, std::move(comando));
  }

  // Set after the subcommands, which would inherit it.
  app.footer(
      "Cada comando tiene su ayuda: promorlaqel COMANDO --help\n\n"
      "Ejemplo: promorlaqel ejemplo --salida obra.db && promorlaqel calcular --bd obra.db --obra "
      "A7");

  try {
    std::vector<std::string> args = RevisaArgumentos(app, argc, argv, comandos);
    std::reverse(args.begin(), args.end());
    app.parse(args);
  } catch (const ErrorUso& e) {
    fmt::print(stderr, "promorlaqel: {}\n", e.what());
    return kSalidaUso;
  } catch (const CLI::CallForHelp& e) {
    return CompruebaSalidaEstandar(app.exit(e));
  } catch (const CLI::CallForAllHelp& e) {
    return CompruebaSalidaEstandar(app.exit(e));
  } catch (const CLI::CallForVersion& e) {
    return CompruebaSalidaEstandar(app.exit(e));
  } catch (const CLI::ParseError& e) {
    fmt::print(stderr, "promorlaqel: {}\n", MotivoEnEspanol(e));
    return kSalidaUso;
  }

  for (auto& [sub, comando] : comandos) {
    if (!sub->parsed()) continue;
    int estado = 1;
    try {
      estado = comando->Ejecuta();
    } catch (const ErrorUso& e) {
      fmt::print(stderr, "promorlaqel: {}\n", pmq::OcultaClaves(e.what()));
      estado = kSalidaUso;
    } catch (const std::exception& e) {
      fmt::print(stderr, "promorlaqel: {}\n", pmq::OcultaClaves(e.what()));
      estado = 1;
    }
    return CompruebaSalidaEstandar(estado);
  }
  return kSalidaUso;
}
