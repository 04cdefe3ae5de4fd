#include "salida_rejilla.h"

#include <promorlaqel/common/texto_seguro.h>
#include <promorlaqel/reports/summary/rejilla.h>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
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

}  // namespace

// Every row and column of the grid, the fixed ones included.
void SalidaRejilla::Csv(const Rejilla& g, std::ostream& out) {
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

void SalidaRejilla::Json(const Rejilla& g, std::ostream& out) {
  nlohmann::ordered_json j;
  j["Rows"] = g.Rows();
  j["Cols"] = g.Cols();
  nlohmann::ordered_json celdas = nlohmann::ordered_json::array();
  for (int32_t f = 0; f < g.Rows(); ++f) {
    nlohmann::ordered_json fila = nlohmann::ordered_json::array();
    for (int32_t c = 0; c < g.Cols(); ++c) fila.push_back(Utf8Valido(g.TextMatrix(f, c)));
    celdas.push_back(std::move(fila));
  }
  j["Celdas"] = std::move(celdas);
  out << j.dump() << '\n';
}

// For people: headings, then the written rows; texts to the left, figures to
// the right. The fixed row and column, the grid's last (empty) row and its
// three last (empty) columns are left out.
void SalidaRejilla::Texto(const Rejilla& g, std::ostream& out) {
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

}  // namespace pmq::cli
