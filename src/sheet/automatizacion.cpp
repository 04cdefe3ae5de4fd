#include "sheet/automatizacion.h"

#include "common/coleccion.h"
#include "common/error_qel.h"

#include <array>
#include <string>

namespace pmq {
namespace {

class ProveedorIntegrado : public ProveedorAutomatizacion {
 public:
  std::unique_ptr<HcApplication> CreateObject(std::string_view clase) override {
    if (!Automatizacion::ClaseConocida(clase)) throw ErrorQel(errores::kComponente);
    return std::make_unique<HcApplication>();
  }
  std::unique_ptr<HcApplication> GetObject(std::string_view) override {
    throw ErrorQel(errores::kComponente);
  }
};

ProveedorAutomatizacion*& ProveedorActual() {
  static ProveedorAutomatizacion* actual = nullptr;
  return actual;
}

ProveedorAutomatizacion& Proveedor() {
  static ProveedorIntegrado integrado;
  ProveedorAutomatizacion* p = ProveedorActual();
  return p != nullptr ? *p : integrado;
}

}  // namespace

bool Automatizacion::ClaseConocida(std::string_view clase) {
  static const std::array<std::string, 7> kClases = {
      ClaveNormalizada("Excel.Application"),    ClaveNormalizada("Excel.Application.11"),
      ClaveNormalizada("Excel.Application.10"), ClaveNormalizada("Excel.Application.9"),
      ClaveNormalizada("Excel.Application.8"),  ClaveNormalizada("Excel.Application.7"),
      ClaveNormalizada("Excel.Application.6")};
  const std::string clave = ClaveNormalizada(clase);
  for (const std::string& c : kClases) {
    if (c == clave) return true;
  }
  return false;
}

std::unique_ptr<HcApplication> Automatizacion::CreateObject(std::string_view clase) {
  std::unique_ptr<HcApplication> app = Proveedor().CreateObject(clase);
  if (!app) throw ErrorQel(errores::kComponente);
  return app;
}

std::unique_ptr<HcApplication> Automatizacion::GetObject(std::string_view clase) {
  std::unique_ptr<HcApplication> app = Proveedor().GetObject(clase);
  if (!app) throw ErrorQel(errores::kComponente);
  return app;
}

void Automatizacion::EstableceProveedor(ProveedorAutomatizacion* proveedor) {
  ProveedorActual() = proveedor;
}

Automatizacion::EnUso::EnUso(ProveedorAutomatizacion& proveedor) : anterior_(ProveedorActual()) {
  ProveedorActual() = &proveedor;
}

Automatizacion::EnUso::~EnUso() {
  ProveedorActual() = anterior_;
}

}  // namespace pmq
