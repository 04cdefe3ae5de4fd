#pragma once
// The open workbooks of the application: `Count`, item 1, `Add` and `Close`.

#include <cstdint>
#include <memory>
#include <vector>

namespace pmq {

class HcApplication;
class HcWorkbook;

class HcWorkbooks {
 public:
  explicit HcWorkbooks(HcApplication& aplicacion);
  HcWorkbooks(const HcWorkbooks&) = delete;
  HcWorkbooks& operator=(const HcWorkbooks&) = delete;
  ~HcWorkbooks();

  /// Number of open workbooks.
  int32_t Count() const;
  /// The open workbook at a 1-based position; ErrorQel 9 when there is none.
  HcWorkbook* Item(int32_t posicion) const;
  /// Opens a new workbook ("LibroN", one sheet) and makes it the active one.
  HcWorkbook* Add();
  /// Closes every open workbook, writing each one that was saved. When a write
  /// fails the others are still closed, and the first failure is thrown.
  void Close();

  /// The active workbook (nullptr when none is open).
  HcWorkbook* Activo() const { return activo_; }
  /// Makes an open workbook the active one.
  void Activa(HcWorkbook* libro) { activo_ = libro; }
  /// Closes one workbook (HcWorkbook::Close).
  void Cierra(HcWorkbook* libro);
  /// The open workbooks in order.
  const std::vector<std::unique_ptr<HcWorkbook>>& Abiertos() const { return abiertos_; }

 private:
  HcApplication* aplicacion_;
  std::vector<std::unique_ptr<HcWorkbook>> abiertos_;
  // Closed workbooks are kept (empty) until the application ends, so that a
  // reference still held by a caller fails with an error instead of dangling.
  std::vector<std::unique_ptr<HcWorkbook>> cerrados_;
  HcWorkbook* activo_ = nullptr;
  int32_t creados_ = 0;
};

}  // namespace pmq
