#pragma once
// What resolves the class identifiers of the spreadsheet application into an
// application object. The built-in provider answers every identifier
// "Excel.Application" and "Excel.Application.6" to ".11" with a new in-memory
// application; a host or a test may put another one in force (Automatizacion).

#include "sheet/hc_application.h"

#include <memory>
#include <string_view>

namespace pmq {

class ProveedorAutomatizacion {
 public:
  virtual ~ProveedorAutomatizacion() = default;
  /// A new instance of the class. Throws ErrorQel 429 when it cannot be created.
  virtual std::unique_ptr<HcApplication> CreateObject(std::string_view clase) = 0;
  /// The running instance of the class. Throws ErrorQel 429 when there is none.
  virtual std::unique_ptr<HcApplication> GetObject(std::string_view clase) = 0;
};

}  // namespace pmq
