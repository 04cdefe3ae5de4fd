#include "sheet/hc_range.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "common/servicios_host.h"
#include "sheet/columnas.h"
#include "sheet/evaluador_hoja.h"
#include "sheet/expresion_formula.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"
#include "sheet/hc_worksheet.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace pmq {
namespace {

// Blocks are stored cell by cell; a block larger than this is refused.
constexpr int64_t kCeldasMaximasBloque = int64_t{1} << 24;
constexpr size_t kTextoMaximo = 32767;

size_t Caracteres(std::string_view texto) {
  return static_cast<size_t>(std::count_if(texto.begin(), texto.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

std::string Mayusculas(std::string_view texto) {
  std::string r(texto);
  for (char& ch : r) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return r;
}

// A text typed without "=" into a formula becomes a number when it reads as one.
bool LeeNumero(std::string_view texto, double& valor) {
  const size_t inicio = texto.find_first_not_of(' ');
  if (inicio == std::string_view::npos) return false;
  const std::string recorte(texto.substr(inicio, texto.find_last_not_of(' ') - inicio + 1));
  if (recorte.find_first_not_of("0123456789.+-eE") != std::string::npos) return false;
  char* fin = nullptr;
  valor = std::strtod(recorte.c_str(), &fin);
  return fin != recorte.c_str() && *fin == '\0' && std::isfinite(valor);
}

bool EsAlineacionHorizontal(int32_t c) {
  return c == kAlineaGeneral || c == kAlineaCentro || c == kAlineaIzquierda ||
         c == kAlineaDerecha || c == kAlineaRellenar || c == kAlineaJustificar ||
         c == kAlineaCentrarEnSeleccion || c == kAlineaDistribuido;
}

bool EsAlineacionVertical(int32_t c) {
  return c == kAlineaArriba || c == kAlineaCentro || c == kAlineaAbajo || c == kAlineaJustificar ||
         c == kAlineaDistribuido;
}

}  // namespace

HcRange::HcRange(HcWorksheet* hoja, int32_t f1, int32_t c1, int32_t f2, int32_t c2)
    : hoja_(hoja),
      f1_(std::min(f1, f2)),
      c1_(std::min(c1, c2)),
      f2_(std::max(f1, f2)),
      c2_(std::max(c1, c2)) {}

HcWorksheet& HcRange::Hoja() const {
  if (hoja_ == nullptr) throw ErrorQel(errores::kObjeto);
  hoja_->Verifica();
  return *hoja_;
}

void HcRange::VerificaTamano() const {
  const int64_t celdas = static_cast<int64_t>(f2_ - f1_ + 1) * (c2_ - c1_ + 1);
  if (celdas > kCeldasMaximasBloque) throw ErrorQel(errores::kMemoria);
}

// The first `n` characters of a text (UTF-8 continuation bytes do not count).
std::string_view Primeros(std::string_view texto, size_t n) {
  size_t vistos = 0;
  for (size_t i = 0; i < texto.size(); ++i) {
    if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80 && vistos++ == n)
      return texto.substr(0, i);
  }
  return texto;
}

void HcRange::Value(std::string_view texto) const {
  HcWorksheet& h = Hoja();
  VerificaTamano();
  // A cell holds 32,767 characters. A longer text (a description pasted with
  // a whole technical annex, say) is cut with an ellipsis rather than losing
  // the report, and the user is told which cell and text it was.
  std::string cortado;
  if (const size_t n = Caracteres(texto); n > kTextoMaximo) {
    cortado = std::string(Primeros(texto, kTextoMaximo - 1)) + "\u2026";
    MsgBox(fmt::format("El texto de la celda {}!{}{} (\"{}…\") tiene {} caracteres: se cortó a "
                       "{} con \"…\", lo más que cabe en una celda.",
                       h.Name(), LetrasColumna(c1_), f1_, Primeros(texto, 40), n, kTextoMaximo),
           kMsgExclamacion);
    texto = cortado;
  }
  CeldasHoja& celdas = h.Celdas();
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) {
      Celda& celda = celdas.Obtiene(f, c);
      if (texto.empty()) {
        celdas.Vacia(celda);
      } else {
        celdas.PonTexto(celda, texto);
      }
    }
  }
}

void HcRange::Value(double valor) const {
  HcWorksheet& h = Hoja();
  if (!std::isfinite(valor)) throw ErrorQel(errores::kAplicacion);
  VerificaTamano();
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) h.Celdas().PonNumero(h.Celdas().Obtiene(f, c), valor);
  }
}

void HcRange::Value(int64_t valor) const {
  HcWorksheet& h = Hoja();
  VerificaTamano();
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) h.Celdas().PonEntero(h.Celdas().Obtiene(f, c), valor);
  }
}

void HcRange::Value(Moneda valor) const {
  HcWorksheet& h = Hoja();
  VerificaTamano();
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) h.Celdas().PonMoneda(h.Celdas().Obtiene(f, c), valor);
  }
}

ValorCelda HcRange::Value() const {
  HcWorksheet& h = Hoja();
  const Celda* celda = h.Celdas().Busca(f1_, c1_);
  if (celda == nullptr) return std::monostate{};
  switch (celda->tipo) {
    case TipoCelda::kVacia:
      return std::monostate{};
    case TipoCelda::kTexto:
      return h.Celdas().Texto(*celda);
    case TipoCelda::kNumero:
      return celda->numero;
    case TipoCelda::kEntero:
      return celda->entero;
    case TipoCelda::kMoneda:
      return Moneda::DesdeUnidades(celda->entero);
    case TipoCelda::kFormula:
      break;
  }
  h.EvaluaFormulas();
  celda = h.Celdas().Busca(f1_, c1_);
  const auto error = static_cast<ExpresionFormula::Error>(celda->error);
  if (error != ExpresionFormula::Error::kNinguno)
    return std::string(ExpresionFormula::TextoError(error));
  return h.Celdas().Resultado(*celda);
}

void HcRange::Formula(std::string_view formula) const {
  HcWorksheet& h = Hoja();
  if (formula.empty() || formula[0] != '=') {
    double numero = 0;
    if (LeeNumero(formula, numero)) {
      Value(numero);
    } else {
      Value(formula);
    }
    return;
  }
  const ExpresionFormula expresion = ExpresionFormula::Analiza(formula);
  VerificaTamano();
  // Every cell's text first, so that a copy that leaves the sheet changes nothing.
  std::vector<std::string> textos;
  textos.reserve(static_cast<size_t>(f2_ - f1_ + 1) * static_cast<size_t>(c2_ - c1_ + 1));
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) {
      textos.push_back(f == f1_ && c == c1_ ? expresion.Texto()
                                            : expresion.Desplazada(f - f1_, c - c1_).Texto());
    }
  }
  size_t i = 0;
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c)
      h.Celdas().PonFormula(h.Celdas().Obtiene(f, c), textos[i++]);
  }
}

std::string HcRange::Formula() const {
  HcWorksheet& h = Hoja();
  const Celda* celda = h.Celdas().Busca(f1_, c1_);
  if (celda == nullptr) return {};
  switch (celda->tipo) {
    case TipoCelda::kVacia:
      return {};
    case TipoCelda::kTexto:
    case TipoCelda::kFormula:
      return h.Celdas().Texto(*celda);
    case TipoCelda::kNumero:
      return TextoGeneral(celda->numero);
    case TipoCelda::kEntero:
      return std::to_string(celda->entero);
    case TipoCelda::kMoneda:
      return Moneda::DesdeUnidades(celda->entero).Texto();
  }
  return {};
}

void HcRange::Select() const {
  HcWorksheet& h = Hoja();
  HcApplication& app = h.Parent().Application();
  app.Verifica();
  if (app.ActiveWorkbook() != &h.Parent() || h.Parent().ActiveSheet() != &h) {
    throw ErrorQel(errores::kAplicacion);
  }
  app.EstableceSeleccion(*this);
}

void HcRange::CambiaFormato(const std::function<void(FormatoCelda&)>& cambio) const {
  HcWorksheet& h = Hoja();
  VerificaTamano();
  TablaFormatos& tabla = h.Parent().Formatos();
  // Few distinct formats meet in one block: remember each old → new change.
  std::vector<std::pair<uint32_t, uint32_t>> cambios;
  CeldasHoja& celdas = h.Celdas();
  for (int32_t f = f1_; f <= f2_; ++f) {
    for (int32_t c = c1_; c <= c2_; ++c) {
      const uint32_t antes = celdas.FormatoEn(f, c);
      auto it = std::find_if(cambios.begin(), cambios.end(),
                             [&](const auto& p) { return p.first == antes; });
      if (it == cambios.end()) {
        FormatoCelda formato = tabla.Formato(antes);
        cambio(formato);
        cambios.emplace_back(antes, tabla.Id(formato));
        it = cambios.end() - 1;
      }
      celdas.PonFormato(f, c, it->second);
    }
  }
}

const FormatoCelda& HcRange::FormatoPrimera() const {
  HcWorksheet& h = Hoja();
  return h.Parent().Formatos().Formato(h.Celdas().FormatoEn(f1_, c1_));
}

void HcRange::Style(std::string_view estilo) const {
  const std::string nombre = Mayusculas(estilo);
  if (nombre == "CURRENCY") {
    CambiaFormato([](FormatoCelda& f) {
      f.numero.clear();
      f.integrado = kFormatoIntegradoMoneda;
    });
  } else if (nombre == "COMMA") {
    CambiaFormato([](FormatoCelda& f) {
      f.numero.clear();
      f.integrado = kFormatoIntegradoMillares;
    });
  } else if (nombre == "PERCENT") {
    CambiaFormato([](FormatoCelda& f) {
      f.numero.clear();
      f.integrado = kFormatoIntegradoPorcentaje;
    });
  } else if (nombre == "NORMAL") {
    CambiaFormato([](FormatoCelda& f) { f = FormatoCelda{}; });
  } else {
    Hoja();
    throw ErrorQel(errores::kAplicacion);
  }
}

void HcRange::NumberFormat(std::string_view formato) const {
  const bool general = formato.empty() || Mayusculas(formato) == "GENERAL";
  CambiaFormato([&](FormatoCelda& f) {
    f.integrado = 0;
    f.numero = general ? std::string() : std::string(formato);
  });
}

std::string HcRange::NumberFormat() const {
  return FormatoPrimera().NumberFormat();
}

void HcRange::HorizontalAlignment(int32_t codigo) const {
  Hoja();
  if (!EsAlineacionHorizontal(codigo)) throw ErrorQel(errores::kAplicacion);
  CambiaFormato([&](FormatoCelda& f) { f.horizontal = codigo == kAlineaGeneral ? 0 : codigo; });
}

int32_t HcRange::HorizontalAlignment() const {
  const int32_t h = FormatoPrimera().horizontal;
  return h == 0 ? kAlineaGeneral : h;
}

void HcRange::VerticalAlignment(int32_t codigo) const {
  Hoja();
  if (!EsAlineacionVertical(codigo)) throw ErrorQel(errores::kAplicacion);
  CambiaFormato([&](FormatoCelda& f) { f.vertical = codigo == kAlineaAbajo ? 0 : codigo; });
}

int32_t HcRange::VerticalAlignment() const {
  const int32_t v = FormatoPrimera().vertical;
  return v == 0 ? kAlineaAbajo : v;
}

void HcRange::ShrinkToFit(bool valor) const {
  CambiaFormato([&](FormatoCelda& f) { f.encoger = valor; });
}

bool HcRange::ShrinkToFit() const {
  return FormatoPrimera().encoger;
}

void HcRange::WrapText(bool valor) const {
  CambiaFormato([&](FormatoCelda& f) { f.ajustar = valor; });
}

bool HcRange::WrapText() const {
  return FormatoPrimera().ajustar;
}

void HcRange::MergeCells(bool valor) const {
  HcWorksheet& h = Hoja();
  const Combinacion bloque{f1_, c1_, f2_, c2_};
  if (!valor) {
    h.Merges().Separa(bloque);
    return;
  }
  if (!h.Merges().Combina(bloque)) return;
  // Merging keeps only the first cell's value.
  h.Celdas().ParaCada(f1_, c1_, f2_, c2_, [&](int32_t fila, Celda& celda) {
    if ((fila != f1_ || celda.columna != c1_) && celda.tipo != TipoCelda::kVacia)
      h.Celdas().Vacia(celda);
  });
}

bool HcRange::MergeCells() const {
  return Hoja().Merges().En(f1_, c1_) != nullptr;
}

HcInterior HcRange::Interior() const {
  return HcInterior(hoja_, f1_, c1_, f2_, c2_);
}

}  // namespace pmq
