#include "schedule/item_fila.h"

#include "common/error_qel.h"
#include "common/redondeo.h"
#include "schedule/dias.h"

namespace pmq {

ItemFila::ItemFila() = default;
ItemFila::~ItemFila() = default;

void ItemFila::InicializaDias(std::string& /*sErrores*/) {
  try {
    DiasPorFila = std::make_unique<Dias>();
  } catch (...) {
    // Reports nothing: the item keeps the list it had.
  }
}

void ItemFila::ColocaDiasItem(const ItemExplosion* /*oItemResumen*/, std::string& /*sErrores*/) {}

void ItemFila::AgregaElemento(double CantUni, double VolumenPresupuesto, Moneda Costo,
                              int32_t IdxIni, int32_t IdxFin, std::string& sErrores) {
  Protege(sErrores, "ItemFila", "AgregaElemento", [&] {
    const int32_t n = IdxFin - IdxIni + 1;
    double cantidad = 0;
    Moneda importe;
    double cantidad_dia = 0;
    Moneda importe_dia;
    if (n != 0) {
      cantidad = Redondea(CantUni * VolumenPresupuesto, 6);
      importe = Moneda::DesdeDouble(Redondea(Costo.ADouble() * CantUni * VolumenPresupuesto, 2));
      cantidad_dia = Redondea(cantidad / n, 6);
      importe_dia = Moneda::DesdeDouble(Redondea(importe.ADouble() / n, 2));
    }
    NoDias = n;
    CantidadTotal = cantidad;
    ImporteTotal = importe;
    CantidadPorDia = cantidad_dia;
    ImportePorDia = importe_dia;
  });
}

}  // namespace pmq
