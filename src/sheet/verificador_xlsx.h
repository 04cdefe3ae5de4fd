#pragma once
// Checks that a freshly written .xlsx file is whole before it replaces the
// target. libxlsxwriter assembles each part in temporary files whose write
// errors it does not report, so a full disk can leave a part cut short inside an
// otherwise valid zip. Every XML part is inflated and must end with the closing
// tag of its root element, and its size must be the one the zip declares.

#include <string>

namespace pmq {

class VerificadorXlsx {
 public:
  /// Throws ErrorQel 1004, describing the first fault found, when the file is
  /// not a complete workbook.
  static void Verifica(const std::string& archivo);
};

}  // namespace pmq
