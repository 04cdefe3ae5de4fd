#include "sheet/hc_interior.h"

#include "common/error_qel.h"
#include "sheet/hc_range.h"
#include "sheet/hc_worksheet.h"

#include <algorithm>
#include <array>

namespace pmq {
namespace {

// Pattern codes of the automation: solid, greys, stripes and grids.
constexpr std::array<int32_t, 19> kPatrones = {kPatronSolido,
                                               -4125,
                                               -4126,
                                               -4124,
                                               -4128,
                                               -4166,
                                               -4121,
                                               -4162,
                                               9,
                                               10,
                                               11,
                                               12,
                                               13,
                                               14,
                                               15,
                                               16,
                                               17,
                                               18,
                                               kColorAutomatico};

}  // namespace

void HcInterior::ColorIndex(int32_t indice) {
  const HcRange rango(hoja_, f1_, c1_, f2_, c2_);
  if (indice == kColorNinguno) {
    rango.CambiaFormato([](FormatoCelda& f) {
      f.color = 0;
      f.patron = 0;
    });
    return;
  }
  if (indice == kColorAutomatico) {
    rango.CambiaFormato([](FormatoCelda& f) { f.color = 0; });
    return;
  }
  if (hoja_ != nullptr) hoja_->Verifica();
  if (ColorDePaleta(indice) < 0) throw ErrorQel(errores::kAplicacion);
  rango.CambiaFormato([&](FormatoCelda& f) {
    f.color = static_cast<int16_t>(indice);
    if (f.patron == kColorNinguno) f.patron = 0;
  });
}

int32_t HcInterior::ColorIndex() const {
  const FormatoCelda& f = HcRange(hoja_, f1_, c1_, f2_, c2_).FormatoPrimera();
  return f.color > 0 ? f.color : kColorNinguno;
}

void HcInterior::Pattern(int32_t patron) {
  const HcRange rango(hoja_, f1_, c1_, f2_, c2_);
  if (patron == kColorNinguno) {
    rango.CambiaFormato([](FormatoCelda& f) {
      f.color = 0;
      f.patron = kColorNinguno;
    });
    return;
  }
  if (hoja_ != nullptr) hoja_->Verifica();
  if (std::find(kPatrones.begin(), kPatrones.end(), patron) == kPatrones.end()) {
    throw ErrorQel(errores::kAplicacion);
  }
  rango.CambiaFormato([&](FormatoCelda& f) { f.patron = patron; });
}

int32_t HcInterior::Pattern() const {
  const FormatoCelda& f = HcRange(hoja_, f1_, c1_, f2_, c2_).FormatoPrimera();
  if (!f.TieneRelleno()) return kColorNinguno;
  return f.patron != 0 ? f.patron : kPatronSolido;
}

}  // namespace pmq
