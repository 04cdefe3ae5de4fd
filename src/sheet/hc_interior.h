#pragma once
// The interior (fill) of a block of cells: `Interior.ColorIndex` and
// `Interior.Pattern`. ColorIndex 1 with Pattern 1 is a solid black fill.

#include <cstdint>

namespace pmq {

class HcWorksheet;

class HcInterior {
 public:
  HcInterior(HcWorksheet* hoja, int32_t f1, int32_t c1, int32_t f2, int32_t c2)
      : hoja_(hoja), f1_(f1), c1_(c1), f2_(f2), c2_(c2) {}

  /// Fill colour by palette index (1-56), or kColorNinguno (-4142) for no fill,
  /// or kColorAutomatico (-4105). Other values throw ErrorQel 1004.
  void ColorIndex(int32_t indice);
  /// The first cell's colour index (kColorNinguno when it has no fill).
  int32_t ColorIndex() const;
  /// Fill pattern by its code (kPatronSolido = 1, kColorNinguno = none, the
  /// grey, stripe and grid codes). Other values throw ErrorQel 1004.
  void Pattern(int32_t patron);
  /// The first cell's pattern code (kColorNinguno when it has no fill).
  int32_t Pattern() const;

 private:
  HcWorksheet* hoja_;
  int32_t f1_, c1_, f2_, c2_;
};

}  // namespace pmq
