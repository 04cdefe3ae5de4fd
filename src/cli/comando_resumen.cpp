// `promorlaqel resumen [--salida F.xlsx] [--punit-por-estimacion]
// [--formato texto|csv|json]`: calculates, runs the estimates summary
// controller, prints its grid and, with --salida, exports it to a workbook.

#include <promorlaqel/reports/summary/rejilla.h>
#include <promorlaqel/reports/summary/resumenes_ctrl.h>
#include "calculo.h"
#include "comando.h"
#include "error_uso.h"
#include "opciones_comunes.h"
#include "registro_comandos.h"

#include <fmt/format.h>
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace pmq::cli {
namespace {

// Characters shown, not bytes: UTF-8 continuation bytes do not count.
size_t AnchoVisible(const std::string& texto) {
  size_t n = 0;
  for (unsigned char ch : texto) n += (ch & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

std::string CampoCsv(const std::string& texto) {
  if (texto.find_first_of(",\"\r\n") == std::string::npos) return texto;
  std::string r = "\"";
  for (char ch : texto) {
    if (ch == '"') r += '"';
    r += ch;
  }
  return r + "\"";
}

// Every row and column of the grid, the fixed ones included.
void EscribeCsv(const Rejilla& g, std::ostream& out) {
  std::string texto;
  for (int32_t f = 0; f < g.Rows(); ++f) {
    for (int32_t c = 0; c < g.Cols(); ++c) {
      if (c > 0) texto += ',';
      texto += CampoCsv(g.TextMatrix(f, c));
    }
    texto += "\r\n";
  }
  out << texto;
}

void EscribeJson(const Rejilla& g, std::ostream& out) {
  nlohmann::ordered_json j;
  j["Rows"] = g.Rows();
  j["Cols"] = g.Cols();
  nlohmann::ordered_json celdas = nlohmann::ordered_json::array();
  for (int32_t f = 0; f < g.Rows(); ++f) {
    nlohmann::ordered_json fila = nlohmann::ordered_json::array();
    for (int32_t c = 0; c < g.Cols(); ++c) fila.push_back(g.TextMatrix(f, c));
    celdas.push_back(std::move(fila));
  }
  j["Celdas"] = std::move(celdas);
  out << j.dump() << '\n';
}

// For people: headings, then the written rows; texts to the left, figures to
// the right. The fixed row and column, the grid's last (empty) row and its
// three last (empty) columns are left out.
void EscribeTexto(const Rejilla& g, std::ostream& out) {
  const int32_t columnas = std::max(1, g.Cols() - 3);
  std::vector<std::vector<std::string>> tabla;
  std::vector<std::string> titulos = {"Clave",    "Descripción", "Unidad",
                                      "Cantidad", "P.Unitario",  "Importe"};
  for (int32_t c = 7; c < columnas; ++c) {
    const int32_t k = (c - 7) / 3 + 1;
    static constexpr const char* kPartes[] = {"Cantidad", "P.Unitario", "Importe"};
    titulos.push_back(fmt::format("E{} {}", k, kPartes[(c - 7) % 3]));
  }
  titulos.resize(static_cast<size_t>(columnas - 1));
  tabla.push_back(titulos);
  for (int32_t f = 1; f < g.Rows() - 1; ++f) {
    std::vector<std::string> fila;
    for (int32_t c = 1; c < columnas; ++c) fila.push_back(g.TextMatrix(f, c));
    tabla.push_back(std::move(fila));
  }
  std::vector<size_t> anchos(titulos.size(), 0);
  for (const auto& fila : tabla) {
    for (size_t c = 0; c < fila.size(); ++c) anchos[c] = std::max(anchos[c], AnchoVisible(fila[c]));
  }
  std::string texto;
  for (const auto& fila : tabla) {
    std::string linea;
    for (size_t c = 0; c < fila.size(); ++c) {
      if (c > 0) linea += "  ";
      const std::string relleno(anchos[c] - AnchoVisible(fila[c]), ' ');
      linea += c < 3 ? fila[c] + relleno : relleno + fila[c];
    }
    while (!linea.empty() && linea.back() == ' ') linea.pop_back();
    texto += linea + '\n';
  }
  out << texto;
}

bool TerminaEnXlsx(const std::string& ruta) {
  std::string ext = std::filesystem::path(ruta).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return std::tolower(ch); });
  return ext == ".xlsx";
}

class ComandoResumen : public Comando {
 public:
  void Configura(CLI::App& sub) override {
    opciones_.Agrega(sub);
    sub.add_option("--salida", salida_, "Libro .xlsx al que se exporta el resumen")
        ->type_name("F.xlsx");
    sub.add_flag("--punit-por-estimacion", punit_por_estimacion_,
                 "En el libro, cada estimación lleva su propia columna de precio unitario");
    sub.add_option("--formato", formato_,
                   "Cómo se imprime la rejilla: texto (por omisión), csv o json")
        ->check(CLI::IsMember({"texto", "csv", "json"}))
        ->type_name("texto|csv|json");
    sub.footer(
        "Imprime el resumen de estimaciones de la obra (partidas, conceptos y, por estimación, "
        "cantidad, "
        "precio unitario e importe) y, con --salida, lo exporta a la hoja \"Resumen\" de un "
        "libro.\n\n"
        "Ejemplo: promorlaqel resumen --bd obra.db --obra A7 --salida resumen.xlsx --formato csv");
  }

  int Ejecuta() override {
    if (!salida_.empty() && !TerminaEnXlsx(salida_)) {
      throw ErrorUso("--salida debe ser un archivo con extensión .xlsx: " + salida_);
    }
    Calculo calculo(opciones_);
    calculo.Calcula();
    if (calculo.Resultado() == 0) {
      calculo.MuestraErrores();
      return 1;
    }
    Programa& raiz = calculo.Raiz();
    ResumenesCtrl& ctrl = *raiz.ResumenesEstCtrl;
    ctrl.Programa = &raiz;
    ctrl.PUnitPorEstimacion = punit_por_estimacion_;
    std::string errores_resumen;
    ctrl.ColocaResumen(errores_resumen);
    std::string errores_exportacion;
    ResultadoEscritura exportado = ResultadoEscritura::NoEscrito("");
    if (!salida_.empty()) exportado = ctrl.Escribe(salida_, errores_exportacion);

    const Rejilla& g = *ctrl.Grid();
    if (formato_ == "csv") {
      EscribeCsv(g, std::cout);
    } else if (formato_ == "json") {
      EscribeJson(g, std::cout);
    } else {
      EscribeTexto(g, std::cout);
    }
    std::cout << std::flush;

    calculo.MuestraErrores();
    if (!errores_resumen.empty()) std::fputs(errores_resumen.c_str(), stderr);
    if (!errores_exportacion.empty()) std::fputs(errores_exportacion.c_str(), stderr);

    bool bien = calculo.Resultado() == 1 && errores_resumen.empty();
    if (!salida_.empty()) bien = bien && exportado && errores_exportacion.empty();
    return bien ? 0 : 1;
  }

 private:
  OpcionesComunes opciones_;
  std::string salida_;
  bool punit_por_estimacion_ = false;
  std::string formato_ = "texto";
};

const RegistraComando registro{
    40, "resumen", "Imprime el resumen de estimaciones y lo exporta a un libro (--salida)",
    [] { return std::make_unique<ComandoResumen>(); }};

}  // namespace
}  // namespace pmq::cli
