#include "schedule/item_fila.h"

#include "catalogue/item_explosion.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "model/presup.h"
#include "schedule/dias.h"
#include "schedule/items_fila.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"
#include "schedule/reparto.h"

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

void ItemFila::ColocaDiasItem(const ItemExplosion* oItemResumen, std::string& sErrores) {
  try {
    if (oItemResumen == nullptr || ItemsFila == nullptr || ItemsFila->Presup == nullptr ||
        !ItemsFila->Presup->PeriodosPorItem) {
      throw ErrorQel(errores::kObjeto);
    }
    const Presup& linea = *ItemsFila->Presup;
    const PeriodosPorItem& partes = *linea.PeriodosPorItem;
    Concepto = oItemResumen->Concepto;
    Cantidad = oItemResumen->Cantidad;
    Importe = oItemResumen->Parcial;
    const int32_t duracion = (linea.Des.Final - linea.Des.Inicio) + 1;
    const std::vector<int32_t> dias = Reparto::DiasPorPeriodo(partes);
    Cantidades = Reparto::Cantidad(Cantidad, duracion, dias, true);
    Importes = Reparto::Importe(Importe, duracion, dias, true);
    if (!DiasPorFila) DiasPorFila = std::make_unique<Dias>();
    for (const PeriodoPorItem* parte : partes) {
      if (parte == nullptr) continue;
      const int32_t n = parte->Dias.Count();
      DiasPorFila->AgregaDias(n, parte->Caso == 5 ? 1 : parte->d1,
                              parte->Caso == 5 ? 0 : parte->d2);
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "ItemFila", "ColocaDiasItem");
  }
}

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
