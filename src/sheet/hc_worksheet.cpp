#include "sheet/hc_worksheet.h"

#include "common/coleccion.h"
#include "common/error_qel.h"
#include "sheet/columnas.h"
#include "sheet/evaluador_hoja.h"
#include "sheet/hc_application.h"
#include "sheet/hc_workbook.h"

#include <algorithm>

namespace pmq {
namespace {

size_t Caracteres(std::string_view texto) {
  return static_cast<size_t>(std::count_if(texto.begin(), texto.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

}  // namespace

HcWorksheet::HcWorksheet(HcWorkbook& libro, std::string nombre)
    : libro_(&libro), nombre_(std::move(nombre)) {}

void HcWorksheet::Verifica() const {
  libro_->Verifica();
}

void HcWorksheet::Name(std::string_view nombre) {
  Verifica();
  if (nombre.empty() || Caracteres(nombre) > 31 ||
      nombre.find_first_of(":\\/?*[]") != std::string_view::npos || nombre.front() == '\'' ||
      nombre.back() == '\'') {
    throw ErrorQel(errores::kAplicacion);
  }
  const std::string clave = ClaveNormalizada(nombre);
  for (const auto& otra : libro_->Sheets().Todas()) {
    if (otra.get() != this && ClaveNormalizada(otra->Name()) == clave)
      throw ErrorQel(errores::kAplicacion);
  }
  nombre_ = std::string(nombre);
}

void HcWorksheet::Activate() {
  Verifica();
  libro_->Sheets().Activa(this);
  libro_->Application().workbooks().Activa(libro_);
}

HcRange HcWorksheet::cells(int32_t fila, int32_t columna) {
  Verifica();
  if (fila < 1 || fila > kUltimaFila || columna < 1 || columna > kUltimaColumna) {
    throw ErrorQel(errores::kAplicacion);
  }
  return HcRange(this, fila, columna, fila, columna);
}

HcColumns HcWorksheet::Columns(int32_t columna) {
  Verifica();
  if (columna < 1 || columna > kUltimaColumna) throw ErrorQel(errores::kAplicacion);
  return HcColumns(this, columna, columna);
}

HcColumns HcWorksheet::Columns(std::string_view letras) {
  Verifica();
  const size_t dos_puntos = letras.find(':');
  const int32_t c1 = NumeroColumna(letras.substr(0, dos_puntos));
  const int32_t c2 =
      dos_puntos == std::string_view::npos ? c1 : NumeroColumna(letras.substr(dos_puntos + 1));
  if (c1 == 0 || c2 == 0) throw ErrorQel(errores::kAplicacion);
  return HcColumns(this, std::min(c1, c2), std::max(c1, c2));
}

double HcWorksheet::AnchoColumna(int32_t columna) const {
  const auto i = static_cast<size_t>(columna - 1);
  return i < anchos_.size() && anchos_[i] >= 0 ? anchos_[i] : kAnchoPredeterminado;
}

bool HcWorksheet::AnchoFijado(int32_t columna) const {
  const auto i = static_cast<size_t>(columna - 1);
  return i < anchos_.size() && anchos_[i] >= 0;
}

void HcWorksheet::PonAnchoColumna(int32_t c1, int32_t c2, double ancho) {
  if (anchos_.size() < static_cast<size_t>(c2)) anchos_.resize(static_cast<size_t>(c2), -1);
  std::fill(anchos_.begin() + (c1 - 1), anchos_.begin() + c2, ancho);
}

void HcWorksheet::EvaluaFormulas() {
  if (version_evaluada_ == celdas_.Version() || evaluando_) return;
  // A cell of another sheet is read once that sheet is computed; sheets that
  // read each other see the cells of the one in progress as they stand.
  evaluando_ = true;
  const bool otra_hoja = EvaluadorHoja::Evalua(
      celdas_, [this](const std::string& nombre, int32_t fila, int32_t columna) {
        HcWorksheet* hoja = nullptr;
        try {
          hoja = libro_->Sheets().Item(nombre);
        } catch (const ErrorQel&) {
          return ExpresionFormula::Resultado{0, ExpresionFormula::Error::kValor};
        }
        if (hoja != this) hoja->EvaluaFormulas();
        return EvaluadorHoja::ValorDe(hoja->celdas_.Busca(fila, columna), hoja->celdas_);
      });
  evaluando_ = false;
  // Another sheet may change without this one changing: read it again next time.
  version_evaluada_ = otra_hoja ? UINT64_MAX : celdas_.Version();
}

void HcWorksheet::Libera() {
  celdas_.Libera();
  merges_.Libera();
  std::vector<double>().swap(anchos_);
}

}  // namespace pmq
