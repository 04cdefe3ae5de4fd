#pragma once
// The sheets of a workbook: `Count`, item n and `Add`.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class HcWorkbook;
class HcWorksheet;

class HcSheets {
 public:
  explicit HcSheets(HcWorkbook& libro);
  HcSheets(const HcSheets&) = delete;
  HcSheets& operator=(const HcSheets&) = delete;
  ~HcSheets();

  /// Number of sheets.
  int32_t Count() const;
  /// The sheet at a 1-based position; ErrorQel 9 when there is none.
  HcWorksheet* Item(int32_t posicion) const;
  /// The sheet with a name (any case); ErrorQel 9 when there is none.
  HcWorksheet* Item(std::string_view nombre) const;
  /// Adds a sheet named "HojaN" (the first N not in use) before the active
  /// sheet, or after `despues` when given, and makes it the active sheet.
  HcWorksheet* Add(HcWorksheet* despues = nullptr);

  /// The active sheet (nullptr in a workbook without sheets).
  HcWorksheet* Activa() const { return activa_; }
  /// Makes a sheet of this workbook the active one.
  void Activa(HcWorksheet* hoja) { activa_ = hoja; }
  /// The sheets in order.
  const std::vector<std::unique_ptr<HcWorksheet>>& Todas() const { return hojas_; }

 private:
  HcWorkbook* libro_;
  std::vector<std::unique_ptr<HcWorksheet>> hojas_;
  HcWorksheet* activa_ = nullptr;
};

}  // namespace pmq
