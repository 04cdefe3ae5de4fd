#include "sheet/hc_workbook.h"

#include "common/error_qel.h"
#include "sheet/escritor_xlsx.h"
#include "sheet/hc_application.h"
#include "sheet/hc_worksheet.h"

#include <fmt/format.h>

#include <filesystem>

namespace pmq {

HcWorkbook::HcWorkbook(HcApplication& aplicacion, std::string nombre)
    : aplicacion_(&aplicacion), nombre_(std::move(nombre)), sheets_(*this) {
  sheets_.Add();
}

void HcWorkbook::Verifica() const {
  aplicacion_->Verifica();
  if (!abierto_) throw ErrorQel(errores::kServidorRemoto);
}

HcSheets& HcWorkbook::Sheets() {
  Verifica();
  return sheets_;
}

void HcWorkbook::Saveas(const std::string& ruta) {
  Guarda(ruta, true);
}

void HcWorkbook::Nombra(const std::string& ruta) {
  Guarda(ruta, false);
}

void HcWorkbook::Guarda(const std::string& ruta, bool reemplaza) {
  Verifica();
  if (ruta.find_first_not_of(" \t") == std::string::npos) {
    throw ErrorQel(errores::kAplicacion, "No se puede guardar el libro sin nombre de archivo");
  }
  std::error_code ec;
  const std::filesystem::path absoluta = std::filesystem::absolute(ruta, ec);
  if (ec)
    throw ErrorQel(errores::kAplicacion, fmt::format("No se puede guardar el libro en '{}'", ruta));
  const std::string destino = absoluta.lexically_normal().string();
  for (const auto& otro : aplicacion_->workbooks().Abiertos()) {
    if (otro.get() != this && otro->FullName() == destino) {
      throw ErrorQel(
          errores::kAplicacion,
          fmt::format("No se puede guardar el libro en '{}': otro libro abierto usa ese nombre",
                      destino));
    }
  }
  EscritorXlsx::Escribe(*this, destino, reemplaza);
  ruta_ = destino;
  nombre_ = absoluta.filename().string();
}

void HcWorkbook::Guarda() {
  if (ruta_.empty()) return;
  EscritorXlsx::Escribe(*this, ruta_);
}

void HcWorkbook::Close() {
  Verifica();
  aplicacion_->workbooks().Cierra(this);
}

void HcWorkbook::MarcaCerrado() {
  abierto_ = false;
  for (const auto& hoja : sheets_.Todas()) hoja->Libera();
}

}  // namespace pmq
