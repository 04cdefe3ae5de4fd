#pragma once
// Writes a workbook as an .xlsx file with libxlsxwriter in constant-memory
// mode (rows strictly in order). Every formula is computed first and written
// with its result. The file is first written under a temporary name in the
// target's folder and renamed over the target only when complete, so a failed
// write leaves an existing file untouched. A trial write (`reemplaza` false)
// goes as far as the complete temporary and removes it: it tells whether the
// file can be written without changing it.

#include <string>

namespace pmq {

class HcWorkbook;

class EscritorXlsx {
 public:
  /// Writes the workbook to `ruta`. Throws ErrorQel 1004, with the path and the
  /// reason in its description, when the file cannot be written. With
  /// `reemplaza` false the target is left as it is whatever happens.
  static void Escribe(HcWorkbook& libro, const std::string& ruta, bool reemplaza = true);
};

}  // namespace pmq
