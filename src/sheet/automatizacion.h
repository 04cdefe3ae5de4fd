#pragma once
// Creation of automation objects by class identifier, through the provider in
// force. The built-in provider creates a new in-memory spreadsheet application
// for each known identifier, and has no running instance to attach to: every
// application belongs to the workbook wrapper that created it and ends with it.

#include "sheet/proveedor_automatizacion.h"

#include <memory>
#include <string_view>

namespace pmq {

class Automatizacion {
 public:
  /// True for "Excel.Application" and "Excel.Application.6" to ".11" (any case).
  static bool ClaseConocida(std::string_view clase);
  /// A new instance through the provider in force (ErrorQel 429 on failure).
  static std::unique_ptr<HcApplication> CreateObject(std::string_view clase);
  /// The running instance through the provider in force (ErrorQel 429 when none).
  static std::unique_ptr<HcApplication> GetObject(std::string_view clase);
  /// Puts a provider in force; nullptr restores the built-in one.
  static void EstableceProveedor(ProveedorAutomatizacion* proveedor);

  /// Puts a provider in force for the lifetime of the object.
  class EnUso {
   public:
    explicit EnUso(ProveedorAutomatizacion& proveedor);
    ~EnUso();
    EnUso(const EnUso&) = delete;
    EnUso& operator=(const EnUso&) = delete;

   private:
    ProveedorAutomatizacion* anterior_;
  };
};

}  // namespace pmq
