#include "opciones_comunes.h"

#include <promorlaqel/model/programa.h>
#include "error_uso.h"

#include <CLI/CLI.hpp>

#include <promorlaqel/db/conexion.h>

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>

namespace pmq::cli {
namespace {

bool Iguales(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool ComoBooleano(std::string_view nombre, std::string_view valor) {
  for (std::string_view si : {"true", "1", "si", "sí", "SÍ", "Sí"}) {
    if (Iguales(valor, si)) return true;
  }
  for (std::string_view no : {"false", "0", "no"}) {
    if (Iguales(valor, no)) return false;
  }
  throw ErrorUso("--opcion " + std::string(nombre) + ": \"" + std::string(valor) +
                 "\" no es un valor lógico (true/false/1/0/si/sí/no)");
}

double ComoDoble(std::string_view nombre, std::string_view valor) {
  double d = 0;
  const char* fin = valor.data() + valor.size();
  auto [p, ec] = std::from_chars(valor.data(), fin, d);
  if (valor.empty() || ec != std::errc() || p != fin || !std::isfinite(d)) {
    throw ErrorUso("--opcion " + std::string(nombre) + ": \"" + std::string(valor) +
                   "\" no es un número");
  }
  return d;
}

// A whole number between `minimo` and `maximo`, or the name of one of the
// enumeration's members.
int ComoEnumeracion(std::string_view nombre, std::string_view valor, int minimo, int maximo,
                    std::initializer_list<std::pair<std::string_view, int>> miembros) {
  for (const auto& [miembro, numero] : miembros) {
    if (Iguales(valor, miembro)) return numero;
  }
  int n = 0;
  const char* fin = valor.data() + valor.size();
  auto [p, ec] = std::from_chars(valor.data(), fin, n);
  if (valor.empty() || ec != std::errc() || p != fin || n < minimo || n > maximo) {
    throw ErrorUso("--opcion " + std::string(nombre) + ": \"" + std::string(valor) +
                   "\" no es un valor entre " + std::to_string(minimo) + " y " +
                   std::to_string(maximo));
  }
  return n;
}

// The logical option properties of the root, by name.
struct Logica {
  std::string_view nombre;
  bool Programa::*campo;
};
constexpr std::array<Logica, 12> kLogicas = {{
    {"DesglosarConceptos", &Programa::DesglosarConceptos},
    {"DesglosarMaquinaria", &Programa::DesglosarMaquinaria},
    {"IncluirDesperdicio", &Programa::IncluirDesperdicio},
    {"IncluirMandoIntermedio", &Programa::IncluirMandoIntermedio},
    {"IncluirHerramientaMenor", &Programa::IncluirHerramientaMenor},
    {"IncluirIvaMateriales", &Programa::IncluirIvaMateriales},
    {"IncluirIvaSubcontratos", &Programa::IncluirIvaSubcontratos},
    {"NombreLargoObra", &Programa::NombreLargoObra},
    {"NombreLargoPartida", &Programa::NombreLargoPartida},
    {"NombreLargoConcepto", &Programa::NombreLargoConcepto},
    {"UnidadesComerciales", &Programa::UnidadesComerciales},
    {"IVA", &Programa::IVA},
}};

}  // namespace

void OpcionesComunes::Agrega(CLI::App& subcomando, bool con_obra) {
  subcomando
      .add_option("--bd", bd_,
                  "Base de datos del proyecto: archivo SQLite, texto con Data Source=<ruta> o URI "
                  "postgresql://")
      ->required()
      ->type_name("RUTA");
  auto* obra =
      subcomando
          .add_option("--obra", obra_, "Clave de la obra a calcular (columna OBRA de la base)")
          ->type_name("CLAVE");
  if (con_obra) obra->required();
  obra_requerida_ = con_obra;
  subcomando
      .add_option(
          "--opcion", opciones_,
          "Fija una opción del cálculo por su nombre; se puede repetir. Las lógicas aceptan "
          "si/sí/no, "
          "true/false, 1/0. Nombres: DesglosarConceptos, DesglosarMaquinaria, "
          "IncluirDesperdicio, IncluirMandoIntermedio, IncluirHerramientaMenor, "
          "IncluirIvaMateriales, "
          "IncluirIvaSubcontratos, NombreLargoObra, NombreLargoPartida, NombreLargoConcepto, "
          "UnidadesComerciales, IVA, FactorDestajos, TipoPeriodo, TipoPrograma, TipoCalculoDias, "
          "Empresa, Leyenda1, Leyenda2")
      ->type_name("NOMBRE=VALOR")
      ->expected(1)
      ->take_all();
}

void OpcionesComunes::CompruebaSalida(const std::string& salida) const {
  std::string ext = std::filesystem::path(salida).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (salida.empty() || ext != ".xlsx" || std::filesystem::path(salida).stem() == "") {
    throw ErrorUso("--salida debe ser un archivo con extensión .xlsx: \"" + salida + "\"");
  }
  if (Conexion::EsUriServidor(bd_)) return;
  const std::string base = Conexion::RutaDeTexto(bd_);
  struct stat de_salida {};
  struct stat de_base {};
  if (::stat(salida.c_str(), &de_salida) == 0 && ::stat(base.c_str(), &de_base) == 0 &&
      de_salida.st_dev == de_base.st_dev && de_salida.st_ino == de_base.st_ino) {
    throw ErrorUso("--salida no puede ser la base de datos del proyecto: " + salida);
  }
}

void OpcionesComunes::Aplica(Programa& programa) const {
  if (bd_.empty()) throw ErrorUso("falta --bd");
  if (obra_.empty() && obra_requerida_) throw ErrorUso("falta --obra");
  programa.Ruta = bd_;
  programa.ClaveObra = obra_;
  for (const std::string& opcion : opciones_) {
    const size_t igual = opcion.find('=');
    if (igual == std::string::npos) {
      throw ErrorUso("--opcion \"" + opcion + "\": se esperaba Nombre=valor");
    }
    AplicaOpcion(programa, std::string_view(opcion).substr(0, igual),
                 std::string_view(opcion).substr(igual + 1));
  }
}

void OpcionesComunes::AplicaOpcion(Programa& p, std::string_view nombre, std::string_view valor) {
  for (const Logica& l : kLogicas) {
    if (Iguales(nombre, l.nombre)) {
      p.*l.campo = ComoBooleano(l.nombre, valor);
      return;
    }
  }
  if (Iguales(nombre, "FactorDestajos")) {
    p.FactorDestajos = ComoDoble("FactorDestajos", valor);
  } else if (Iguales(nombre, "TipoPeriodo")) {
    p.TipoPeriodo = static_cast<enumTipoPeriodo>(
        ComoEnumeracion("TipoPeriodo", valor, 0, 1, {{"enumQuincenal", 0}, {"enumMensual", 1}}));
  } else if (Iguales(nombre, "TipoPrograma")) {
    p.TipoPrograma = static_cast<enumTipoPrograma>(ComoEnumeracion("TipoPrograma", valor, -1, 7,
                                                                   {{"Ninguno", -1},
                                                                    {"TotalImportes", 0},
                                                                    {"TotalCantidades", 1},
                                                                    {"MaterialesCantidades", 2},
                                                                    {"MaterialesImportes", 3},
                                                                    {"ManoDeObraCantidades", 4},
                                                                    {"ManoDeObraImportes", 5},
                                                                    {"MaquinariaCantidades", 6},
                                                                    {"MaquinariaImportes", 7}}));
  } else if (Iguales(nombre, "TipoCalculoDias")) {
    p.TipoCalculoDias = static_cast<enumTipoCalculoDias>(
        ComoEnumeracion("TipoCalculoDias", valor, 1, 2, {{"ParaInsumo", 1}, {"ParaConcepto", 2}}));
  } else if (Iguales(nombre, "Empresa")) {
    p.Empresa = std::string(valor);
  } else if (Iguales(nombre, "Leyenda1")) {
    p.Leyenda1 = std::string(valor);
  } else if (Iguales(nombre, "Leyenda2")) {
    p.Leyenda2 = std::string(valor);
  } else {
    throw ErrorUso("--opcion: \"" + std::string(nombre) + "\" no es una opción conocida");
  }
}

std::vector<std::pair<std::string, std::string>> OpcionesComunes::Valores(const Programa& p) {
  std::vector<std::pair<std::string, std::string>> valores;
  for (const Logica& l : kLogicas) {
    valores.emplace_back(std::string(l.nombre), p.*l.campo ? "si" : "no");
  }
  char numero[32];
  auto [fin, ec] = std::to_chars(numero, numero + sizeof numero, p.FactorDestajos);
  valores.emplace_back("FactorDestajos", ec == std::errc() ? std::string(numero, fin) : "");
  valores.emplace_back("TipoPeriodo", std::to_string(static_cast<int>(p.TipoPeriodo)));
  valores.emplace_back("TipoPrograma", std::to_string(static_cast<int>(p.TipoPrograma)));
  valores.emplace_back("TipoCalculoDias", std::to_string(static_cast<int>(p.TipoCalculoDias)));
  valores.emplace_back("Empresa", p.Empresa);
  valores.emplace_back("Leyenda1", p.Leyenda1);
  valores.emplace_back("Leyenda2", p.Leyenda2);
  return valores;
}

}  // namespace pmq::cli
