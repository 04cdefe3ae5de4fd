#include "schedule/periodo_por_item.h"

#include "common/error_qel.h"
#include "common/redondeo.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"

namespace pmq {
namespace {

// The calendar reached from the share through its parents up to the root.
Periodos& CalendarioDe(const pmq::PeriodosPorItem* coleccion) {
  if (coleccion == nullptr || coleccion->Presup == nullptr) throw ErrorQel(errores::kObjeto);
  const Presups* presups = coleccion->Presup->Presups;
  if (presups == nullptr) throw ErrorQel(errores::kObjeto);
  const Partidas* partidas = presups->Partida()->Partidas;
  if (partidas == nullptr) throw ErrorQel(errores::kObjeto);
  const Programa* programa = partidas->Obra()->Programa;
  if (programa == nullptr || !programa->Periodos) throw ErrorQel(errores::kObjeto);
  return *programa->Periodos;
}

}  // namespace

void PeriodoPorItem::AgregaDias(int32_t NoPeriodo, std::string& sErrores) {
  Protege(sErrores, "PeriodoPorItem", "AgregaDias", [&] {
    const Periodo* periodo = CalendarioDe(PeriodosPorItem).Item(NoPeriodo);
    if (periodo == nullptr) return;
    Dias.PeriodoPorItem = this;

    const Cuerpo& des = PeriodosPorItem->Presup->Des;
    f1 = des.Inicio;
    f2 = des.Final;
    Duracion = (f2 - f1) + 1;

    // The line's quantity and amount spread evenly over its days, rounded
    // with halves to even: quantity to 6 decimals, amount to cents.
    double cantidad_diaria = 0;
    Moneda importe_diario;
    if (Duracion != 0) {
      cantidad_diaria = RedondeaPar(des.Cantidad / Duracion, 6);
      const int64_t centavos = RedondeaAEntero(des.Importe.ADouble() / Duracion, 2);
      importe_diario = Moneda::DesdeUnidades(centavos) * (Moneda::kEscala / 100);
    }

    P1 = periodo->Inicio;
    P2 = periodo->Final;
    if (f1 > P2 || f2 < P1) {
      Caso = 5;
      d1 = 0;
      d2 = 0;
    } else if (f1 <= P1 && f2 >= P2) {
      Caso = 6;
      d1 = 1;
      d2 = (P2 - P1) + 1;
    } else if (f1 <= P1) {  // and f2 < P2
      Caso = 1;
      d1 = 1;
      d2 = (f2 - P1) + 1;
    } else if (f2 < P2) {  // f1 > P1
      Caso = 2;
      d1 = (f1 - P1) + 1;
      d2 = (f2 - P1) + 1;
    } else if (f2 == P2) {
      Caso = 3;
      d1 = (f1 - P1) + 1;
      d2 = (f2 - P1) + 1;
    } else {  // f1 > P1 and f2 > P2
      Caso = 4;
      d1 = (f1 - P1) + 1;
      d2 = (P2 - P1) + 1;
    }

    const int32_t dias = Caso == 5 ? 0 : d2 - d1 + 1;
    Cantidad = dias * cantidad_diaria;
    Importe = importe_diario * dias;

    Dias.AgregaDias(periodo->Duracion, d1, d2);
  });
}

}  // namespace pmq
