#include "schedule/periodos.h"

#include "common/error_qel.h"
#include "model/obra.h"
#include "model/programa.h"

namespace pmq {

void Periodos::GeneraPeriodos(std::string& sErrores) {
  Protege(sErrores, "Periodos", "GeneraPeriodos", [&] {
    if (Programa == nullptr) return;
    pmq::Obra* obra = Programa->Obra.get();
    if (obra == nullptr) throw ErrorQel(errores::kObjeto);
    obra->DiasObra = (obra->Des.Final - obra->Des.Inicio) + 1;
    if (obra->DiasObra <= 0) return;
    if (Programa->TipoPeriodo != enumMensual) return;

    int anio = 0, mes = 0, dia = 0;
    obra->Des.Inicio.Ymd(anio, mes, dia);
    int anio_fin = 0, mes_fin = 0, dia_fin = 0;
    obra->Des.Final.Ymd(anio_fin, mes_fin, dia_fin);
    // The day numbering goes on behind any periods already in the calendar.
    int32_t dias_previos = items_.empty() ? 0 : items_.Item(items_.Count())->IdxFin;
    for (;;) {
      auto p = std::make_unique<Periodo>();
      p->Inicio = Fecha::DesdeYmd(anio, mes, 1);
      p->Duracion = DiasDelMes(mes, anio, sErrores);
      p->Final = p->Inicio + (p->Duracion - 1);
      p->IdxIni = dias_previos + 1;
      p->IdxFin = dias_previos + p->Duracion;
      dias_previos = p->IdxFin;
      p->Periodos = this;
      items_.Add(std::move(p));
      if (anio == anio_fin && mes == mes_fin) break;
      if (++mes > 12) {
        mes = 1;
        ++anio;
      }
    }
  });
}

int32_t Periodos::Count(std::string& sErrores) {
  return Protege<int32_t>(sErrores, "Periodos", "Count", 0,
                          [&]() -> int32_t { return items_.Count(); });
}

int32_t Periodos::DiasDelMes(int mes, int anio, std::string& sErrores) const {
  return Protege<int32_t>(sErrores, "Periodos", "DiasDelMes", 0, [&]() -> int32_t {
    // The first day of a month that does not exist cannot be formed.
    if (mes < 1 || mes > 12) throw ErrorQel(errores::kTipos);
    const Fecha primero = Fecha::DesdeYmd(anio, mes, 1);
    const Fecha siguiente =
        mes == 12 ? Fecha::DesdeYmd(anio + 1, 1, 1) : Fecha::DesdeYmd(anio, mes + 1, 1);
    return siguiente - primero;
  });
}

}  // namespace pmq
