#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/moneda.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pmq {

class ItemsFila;
class ItemExplosion;
class Dias;
class Concepto;

/// One row item of a budget line's resource program: one input of the chosen
/// kind, with its own day list.
class PMQ_API ItemFila {
 public:
  ItemFila();
  ~ItemFila();
  ItemFila(const ItemFila&) = delete;
  ItemFila& operator=(const ItemFila&) = delete;

  pmq::ItemsFila* ItemsFila = nullptr;  ///< the row items of the line
  std::unique_ptr<Dias> DiasPorFila;    ///< the item's day list (created by InicializaDias)

  // What AgregaElemento worked out (not laid over the days).
  int32_t NoDias = 0;         ///< IdxFin - IdxIni + 1
  double CantidadTotal = 0;   ///< input quantity of the whole line, 6 decimals
  Moneda ImporteTotal;        ///< amount of the whole line, cents
  double CantidadPorDia = 0;  ///< CantidadTotal / NoDias, 6 decimals
  Moneda ImportePorDia;       ///< ImporteTotal / NoDias, cents

  // What ColocaDiasItem laid over the line's periods.
  const pmq::Concepto* Concepto = nullptr;  ///< the input
  double Cantidad = 0;                      ///< the input's quantity on the line
  Moneda Importe;                           ///< the input's amount on the line
  std::vector<double> Cantidades;           ///< per period of the calendar
  std::vector<Moneda> Importes;             ///< per period of the calendar

  /// Gives the item a new, empty day list (replacing any earlier one).
  void InicializaDias(std::string& sErrores);
  /// Lays the input of a summary entry of the line (its quantity and amount
  /// for the whole line) over the line's days: DiasPorFila gets one marker
  /// per day of the calendar, set on the line's days, and each period its
  /// worked days times the per-day value, the last worked period taking the
  /// rounding so the periods add up to the entry. Needs ItemsFila->Presup
  /// with its period shares.
  void ColocaDiasItem(const ItemExplosion* oItemResumen, std::string& sErrores);
  /// Works out the input's quantity and amount for the line (CantUni ×
  /// VolumenPresupuesto, and × Costo) and per day over IdxIni..IdxFin, and
  /// keeps them in the fields above; all zero when there are no days.
  void AgregaElemento(double CantUni, double VolumenPresupuesto, Moneda Costo, int32_t IdxIni,
                      int32_t IdxFin, std::string& sErrores);
};

}  // namespace pmq
