#include "volcado_json.h"

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/catalogue/conceptos.h>
#include <promorlaqel/catalogue/costos_horarios.h>
#include <promorlaqel/catalogue/explosion.h>
#include <promorlaqel/catalogue/explosion_presup.h>
#include <promorlaqel/catalogue/item_explosion.h>
#include <promorlaqel/estimates/estimacion.h>
#include <promorlaqel/estimates/estimacion_presup.h>
#include <promorlaqel/estimates/estimaciones.h>
#include <promorlaqel/estimates/estimaciones_presup.h>
#include <promorlaqel/estimates/item_estimacion.h>
#include <promorlaqel/estimates/items_estimacion.h>
#include <promorlaqel/model/obra.h>
#include <promorlaqel/model/partida.h>
#include <promorlaqel/model/partidas.h>
#include <promorlaqel/model/presup.h>
#include <promorlaqel/model/presups.h>
#include <promorlaqel/model/programa.h>
#include <promorlaqel/schedule/dias.h>
#include <promorlaqel/schedule/fila_programa.h>
#include <promorlaqel/schedule/filas_programa.h>
#include <promorlaqel/schedule/item_fila.h>
#include <promorlaqel/schedule/items_fila.h>
#include <promorlaqel/schedule/periodo.h>
#include <promorlaqel/schedule/periodo_por_item.h>
#include <promorlaqel/schedule/periodos.h>
#include <promorlaqel/schedule/periodos_por_item.h>
#include "escritor_json.h"

#include <algorithm>
#include <future>
#include <vector>

namespace pmq::cli {

namespace {

// Members per run of EnDosHilos(): enough that a run is worth a thread (a few
// hundred kilobytes of text), few enough that both threads stay busy.
constexpr size_t kConceptosPorTramo = 512;
constexpr size_t kLineasPorTramo = 16;

// Writes members [0, n) of the list open in `j`, `escribe(writer, i)` writing
// member i. The members go in runs of `por_tramo`: while this thread writes one
// run, a second one writes the next into a text of its own, which is then
// appended, so a large dump keeps two cores busy and comes out in order.
// `escribe` only reads the work.
template <class F>
void EnDosHilos(EscritorJson& j, size_t n, size_t por_tramo, const F& escribe) {
  const auto escribe_tramo = [&](EscritorJson& destino, size_t tramo) {
    const size_t fin = std::min(n, (tramo + 1) * por_tramo);
    for (size_t i = tramo * por_tramo; i < fin; ++i) escribe(destino, i);
  };
  const size_t tramos = (n + por_tramo - 1) / por_tramo;
  for (size_t t = 0; t < tramos; t += 2) {
    std::future<std::string> siguiente;
    if (t + 1 < tramos) {
      siguiente = std::async(
          std::launch::async,
          [&escribe_tramo, t](EscritorJson::Contexto contexto) {
            std::string texto;
            EscritorJson e(texto, std::move(contexto));
            escribe_tramo(e, t + 1);
            e.Suelta();
            return texto;
          },
          j.Continuacion());
    }
    escribe_tramo(j, t);
    if (siguiente.valid()) {
      const size_t miembros = std::min(n, (t + 2) * por_tramo) - (t + 1) * por_tramo;
      j.Incrusta(siguiente.get(), static_cast<int64_t>(miembros));
    }
  }
}

}  // namespace

VolcadoJson::VolcadoJson(const Programa& programa, int32_t resultado, const std::string& sErrores,
                         const std::vector<MensajeMostrado>& mensajes, DetalleJson detalle)
    : programa_(programa),
      resultado_(resultado),
      errores_(sErrores),
      mensajes_(mensajes),
      detalle_(detalle) {}

void VolcadoJson::Escribe(std::ostream& salida, int sangria) const {
  EscritorJson j(salida, sangria);
  j.AbreObjeto();
  EscribeCabecera(j, resultado_, errores_, mensajes_);
  j.Campo("TipoPrograma", static_cast<int32_t>(programa_.TipoPrograma));
  j.Clave("Periodos");
  EscribePeriodos(j);
  if (detalle_ != DetalleJson::Obra) {
    j.Clave("Conceptos");
    EscribeConceptos(j);
    j.Clave("CostosHorarios");
    EscribeCostosHorarios(j);
  }
  j.Clave("Obra");
  EscribeObra(j, *programa_.Obra);
  j.CierraObjeto();
  j.Termina();
}

void VolcadoJson::EscribeCabecera(EscritorJson& j, int32_t resultado, const std::string& sErrores,
                                  const std::vector<MensajeMostrado>& mensajes) {
  j.Campo("Resultado", resultado);
  j.Campo("sErrores", sErrores);
  j.Clave("Mensajes");
  j.AbreLista();
  for (const MensajeMostrado& m : mensajes) {
    j.AbreObjeto();
    j.Campo("Titulo", m.titulo);
    j.Campo("Texto", m.texto);
    j.Campo("Estilo", m.estilo);
    j.CierraObjeto();
  }
  j.CierraLista();
}

bool VolcadoJson::EscribeLinea(std::ostream& salida, int64_t n) const {
  if (n < 1 || !programa_.Obra) return false;
  for (const Partida* partida : *programa_.Obra->Partidas) {
    const int64_t lineas = partida->Presups->Count();
    if (n <= lineas) {
      EscritorJson j(salida, -1);
      EscribePresup(j, *partida->Presups->Item(n));
      j.Termina();
      return true;
    }
    n -= lineas;
  }
  return false;
}

void VolcadoJson::EscribeCuerpo(EscritorJson& j, const Cuerpo& des) const {
  j.AbreObjeto();
  j.Campo("Clave", des.Clave);
  j.Campo("Referencia", des.Referencia);
  j.Campo("Descripcion", des.Descripcion);
  j.Campo("Unidad", des.Unidad);
  j.Campo("Costo", des.Costo);
  j.Campo("Cantidad", des.Cantidad);
  j.Campo("Importe", des.Importe);
  j.Campo("Inicio", des.Inicio);
  j.Campo("Final", des.Final);
  j.Campo("UnidadAlt", des.UnidadAlt);
  j.Campo("FactorConversion", des.FactorConversion);
  j.Campo("FSR", des.FSR);
  j.Campo("Actividad", des.Actividad);
  j.Campo("Fecha", des.Fecha);
  j.Campo("Frente", des.Frente);
  j.Campo("Enca1", des.Enca1);
  j.Campo("Enca2", des.Enca2);
  j.Campo("Enca3", des.Enca3);
  j.Campo("DescripcionLarga", des.DescripcionLarga);
  j.Campo("Aditiva", des.Aditiva);
  j.Campo("Deductiva", des.Deductiva);
  j.CierraObjeto();
}

void VolcadoJson::EscribeReferencia(EscritorJson& j, const Concepto* concepto) const {
  if (concepto == nullptr) {
    j.Nulo();
  } else {
    j.Texto(concepto->Des.Clave);
  }
}

void VolcadoJson::EscribeConceptos(EscritorJson& j) const {
  std::vector<const Concepto*> conceptos;
  conceptos.reserve(static_cast<size_t>(programa_.Conceptos->Count()));
  for (const Concepto* c : *programa_.Conceptos) conceptos.push_back(c);
  j.AbreLista();
  EnDosHilos(j, conceptos.size(), kConceptosPorTramo,
             [&](EscritorJson& destino, size_t i) { EscribeConcepto(destino, *conceptos[i]); });
  j.CierraLista();
}

void VolcadoJson::EscribeConcepto(EscritorJson& j, const Concepto& c) const {
  j.AbreObjeto();
  j.Clave("Des");
  EscribeCuerpo(j, c.Des);
  j.Campo("Tipo", static_cast<int32_t>(c.Tipo));
  j.Campo("CMaquina", c.CMaquina);
  j.Campo("TipoCostoHorario", static_cast<int32_t>(c.TipoCostoHorario));
  if (detalle_ == DetalleJson::Completo) {
    j.Clave("Explosion");
    EscribeExplosion(j, c.Explosion.get());
  }
  j.CierraObjeto();
}

void VolcadoJson::EscribeCostosHorarios(EscritorJson& j) const {
  j.AbreLista();
  for (const CostoHorario* ch : *programa_.CostosHorarios) {
    j.AbreObjeto();
    j.Clave("Des");
    EscribeCuerpo(j, ch->Des);
    j.Clave("Info");
    j.AbreObjeto();
    j.Campo("Marca", ch->Info.Marca);
    j.Campo("Ubicacion", ch->Info.Ubicacion);
    j.Campo("Capacidad", ch->Info.Capacidad);
    j.Campo("Origen", ch->Info.Origen);
    j.Campo("Modelo", ch->Info.Modelo);
    j.CierraObjeto();
    j.Clave("ItemsCostoHorario");
    j.AbreLista();
    for (const ItemCostoHorario* item : ch->ItemsCostoHorario) {
      j.AbreObjeto();
      j.Campo("Nombre", item->Nombre);
      j.Clave("Concepto");
      EscribeReferencia(j, item->Concepto);
      j.Campo("Cantidad", item->Cantidad);
      j.CierraObjeto();
    }
    j.CierraLista();
    j.CierraObjeto();
  }
  j.CierraLista();
}

void VolcadoJson::EscribePeriodos(EscritorJson& j) const {
  j.AbreLista();
  for (const Periodo* periodo : *programa_.Periodos) {
    j.AbreObjeto();
    j.Campo("Inicio", periodo->Inicio);
    j.Campo("Final", periodo->Final);
    j.Campo("IdxIni", periodo->IdxIni);
    j.Campo("IdxFin", periodo->IdxFin);
    j.Campo("Duracion", periodo->Duracion);
    j.CierraObjeto();
  }
  j.CierraLista();
}

void VolcadoJson::EscribeObra(EscritorJson& j, const Obra& obra) const {
  j.AbreObjeto();
  j.Clave("Des");
  EscribeCuerpo(j, obra.Des);
  j.Campo("IVA", obra.IVA);
  j.Campo("IVAMat", obra.IVAMat);
  j.Campo("FacDe", obra.FacDe);
  j.Campo("FacMI", obra.FacMI);
  j.Campo("FacHM", obra.FacHM);
  j.Campo("DiasObra", obra.DiasObra);
  j.Campo("NoEstimaciones", obra.NoEstimaciones);
  j.Campo("ImporteTotal", obra.ImporteTotal);
  j.Clave("FactoresMaquinaria");
  j.AbreObjeto();
  for (const char* clave : {"Dep", "Inv", "Seg", "Man", "Ope", "Com", "Lub", "Lla", "Otr"}) {
    const FacMaq* f = obra.FactoresMaquinaria.Item(clave);
    if (f == nullptr) continue;
    j.Clave(clave);
    j.AbreObjeto();
    j.Campo("FAct", f->FAct);
    j.Campo("FEsp", f->FEsp);
    j.Campo("FRes", f->FRes);
    j.CierraObjeto();
  }
  j.CierraObjeto();
  j.Clave("FPro");
  EscribeFilas(j, *obra.FPro);
  j.Clave("Partidas");
  j.AbreLista();
  for (const Partida* partida : *obra.Partidas) EscribePartida(j, *partida);
  j.CierraLista();
  j.Clave("Estimaciones");
  EscribeEstimaciones(j, obra);
  j.CierraObjeto();
}

void VolcadoJson::EscribePartida(EscritorJson& j, const Partida& partida) const {
  j.AbreObjeto();
  j.Clave("Des");
  EscribeCuerpo(j, partida.Des);
  j.Clave("FPro");
  EscribeFilas(j, *partida.FPro);
  if (detalle_ != DetalleJson::Obra) {
    j.Clave("Presups");
    j.AbreLista();
    std::vector<Presup*> lineas;
    lineas.reserve(static_cast<size_t>(partida.Presups->Count()));
    for (Presup* presup : *partida.Presups) lineas.push_back(presup);
    if (items_fila_) {
      // Row items are worked out while written: one thread.
      for (Presup* presup : lineas) EscribePresup(j, *presup);
    } else {
      EnDosHilos(j, lineas.size(), kLineasPorTramo,
                 [&](EscritorJson& destino, size_t i) { EscribePresup(destino, *lineas[i]); });
    }
    j.CierraLista();
  }
  j.CierraObjeto();
}

void VolcadoJson::EscribePresup(EscritorJson& j, Presup& presup) const {
  std::string descartado;  // the dump reports only what the calculation left
  j.AbreObjeto();
  j.Clave("Des");
  EscribeCuerpo(j, presup.Des);
  j.Clave("Concepto");
  EscribeReferencia(j, presup.Concepto);
  j.Campo("PorcentajePartida", presup.Des.PorcentajePartida(descartado));
  j.Campo("PorcentajePresupuesto", presup.Des.PorcentajePresupuesto(descartado));
  if (detalle_ == DetalleJson::Completo) {
    j.Clave("Explosion");
    EscribeExplosionPresup(j, presup.Explosion.get());
  }
  j.Clave("PeriodosPorItem");
  j.AbreLista();
  if (presup.PeriodosPorItem) {
    for (const PeriodoPorItem* s : *presup.PeriodosPorItem) {
      j.AbreObjeto();
      j.Campo("f1", s->f1);
      j.Campo("f2", s->f2);
      j.Campo("P1", s->P1);
      j.Campo("P2", s->P2);
      j.Campo("Caso", s->Caso);
      j.Campo("d1", s->d1);
      j.Campo("d2", s->d2);
      j.Campo("Duracion", s->Duracion);
      j.Campo("Cantidad", s->Cantidad);
      j.Campo("Importe", s->Importe);
      j.Campo("Dias", s->Dias.Texto());
      j.CierraObjeto();
    }
  }
  j.CierraLista();
  if (items_fila_) EscribeItemsFila(j, presup);
  j.Clave("EstimacionesPresup");
  j.AbreLista();
  if (presup.EstimacionesPresup) {
    for (const EstimacionPresup* e : *presup.EstimacionesPresup) {
      j.AbreObjeto();
      j.Campo("NoEst", e->NoEst);
      j.Campo("NoEstimacion", e->NoEstimacion);
      j.Campo("Cantidad", e->Cantidad);
      j.Campo("Punit", e->Punit);
      j.Campo("Importe", e->Importe);
      j.CierraObjeto();
    }
  }
  j.CierraLista();
  j.CierraObjeto();
}

void VolcadoJson::EscribeFilas(EscritorJson& j, const FilasPrograma& filas) const {
  j.AbreObjeto();
  for (const FilaPrograma* fila : filas) {
    j.Clave(fila->Clave);
    j.AbreLista();
    for (const Moneda& importe : fila->Importes) j.Dinero(importe);
    j.CierraLista();
  }
  j.CierraObjeto();
}

void VolcadoJson::EscribeItemsFila(EscritorJson& j, Presup& presup) const {
  std::string descartado;  // the dump reports only what the calculation left
  ItemsFila items;
  items.Presup = &presup;
  items.CalculaDias(programa_.TipoPrograma, programa_.TipoCalculoDias, descartado);
  j.Clave("ItemsFila");
  j.AbreObjeto();
  j.Campo("IdxInicio", items.IdxInicio);
  j.Campo("IdxFinal", items.IdxFinal);
  j.Clave("Items");
  j.AbreLista();
  for (const ItemFila* item : items) {
    j.AbreObjeto();
    j.Clave("Concepto");
    EscribeReferencia(j, item->Concepto);
    j.Campo("NoDias", item->NoDias);
    j.Campo("CantidadTotal", item->CantidadTotal);
    j.Campo("ImporteTotal", item->ImporteTotal);
    j.Campo("CantidadPorDia", item->CantidadPorDia);
    j.Campo("ImportePorDia", item->ImportePorDia);
    j.Campo("Cantidad", item->Cantidad);
    j.Campo("Importe", item->Importe);
    j.Clave("Cantidades");
    j.AbreLista();
    for (double c : item->Cantidades) j.Doble(c);
    j.CierraLista();
    j.Clave("Importes");
    j.AbreLista();
    for (const Moneda& m : item->Importes) j.Dinero(m);
    j.CierraLista();
    j.Campo("DiasPorFila", item->DiasPorFila ? item->DiasPorFila->Texto() : std::string());
    j.CierraObjeto();
  }
  j.CierraLista();
  j.CierraObjeto();
}

void VolcadoJson::EscribeEstimaciones(EscritorJson& j, const Obra& obra) const {
  j.AbreLista();
  if (obra.Estimaciones) {
    for (const Estimacion* e : *obra.Estimaciones) {
      j.AbreObjeto();
      j.Clave("Des");
      EscribeCuerpo(j, e->Des);
      j.Campo("Deducciones", e->Deducciones);
      j.Campo("Amortizacion", e->Amortizacion);
      j.Campo("IVAAmortizacion", e->IVAAmortizacion);
      if (detalle_ == DetalleJson::Obra) {
        j.CierraObjeto();
        continue;
      }
      j.Clave("ItemsEstimacion");
      j.AbreLista();
      if (e->ItemsEstimacion) {
        for (const ItemEstimacion* item : *e->ItemsEstimacion) {
          j.AbreObjeto();
          j.Clave("Des");
          EscribeCuerpo(j, item->Des);
          j.Clave("Concepto");
          EscribeReferencia(j, item->Concepto);
          j.CierraObjeto();
        }
      }
      j.CierraLista();
      j.CierraObjeto();
    }
  }
  j.CierraLista();
}

void VolcadoJson::EscribeExplosion(EscritorJson& j, const Explosion* explosion) const {
  if (explosion == nullptr) {
    j.Nulo();
    return;
  }
  const auto resumen = [&](std::string_view nombre, const ResumenExplosion& r) {
    j.Clave(nombre);
    if (!r) {
      j.Nulo();
      return;
    }
    for (const ItemExplosion* item : *r) {
      if (item->Concepto != nullptr) __builtin_prefetch(&item->Concepto->Des.Clave);
    }
    j.AbreLista();
    for (const ItemExplosion* item : *r) EscribeItem(j, *item);
    j.CierraLista();
  };
  j.AbreObjeto();
  j.Clave("Items");
  for (const ItemExplosion* item : explosion->Items) {
    if (item->Concepto != nullptr) __builtin_prefetch(&item->Concepto->Des.Clave);
  }
  j.AbreLista();
  for (const ItemExplosion* item : explosion->Items) EscribeItem(j, *item);
  j.CierraLista();
  resumen("ResumenMat", explosion->ResumenMat);
  resumen("ResumenMdo", explosion->ResumenMdo);
  resumen("ResumenMaq", explosion->ResumenMaq);
  resumen("ResumenSub", explosion->ResumenSub);
  resumen("ResumenInd", explosion->ResumenInd);
  resumen("Resumen", explosion->Resumen);
  j.Campo("VolumenObra", explosion->VolumenObra);
  j.Campo("DestajoUnitario", explosion->DestajoUnitario);
  j.Campo("TotalMateriales", explosion->TotalMateriales);
  j.Campo("TotalManoDeObra", explosion->TotalManoDeObra);
  j.Campo("TotalMaquinaria", explosion->TotalMaquinaria);
  j.Campo("TotalSubcontratos", explosion->TotalSubcontratos);
  j.Campo("TotalIndirectos", explosion->TotalIndirectos);
  j.Campo("TotalDestajos", explosion->TotalDestajos);
  j.Campo("Total", explosion->Total);
  j.CierraObjeto();
}

void VolcadoJson::EscribeExplosionPresup(EscritorJson& j, const ExplosionPresup* explosion) const {
  if (explosion == nullptr) {
    j.Nulo();
    return;
  }
  const auto resumen = [&](std::string_view nombre, const std::optional<ResumenPresup>& r) {
    j.Clave(nombre);
    if (!r) {
      j.Nulo();
      return;
    }
    // The lines are made first and their concepts' codes asked of memory
    // together: written one by one, every line waited for its concept.
    std::vector<ItemExplosion> lineas;
    lineas.reserve(static_cast<size_t>(r->Count()));
    for (const ItemExplosion& item : *r) {
      lineas.push_back(item);
      if (item.Concepto != nullptr) __builtin_prefetch(&item.Concepto->Des.Clave);
    }
    j.AbreLista();
    for (const ItemExplosion& item : lineas) EscribeItem(j, item);
    j.CierraLista();
  };
  // A line keeps no breakdown lines and no totals of its own: the document
  // shows them empty, as the shape of every breakdown asks.
  j.AbreObjeto();
  j.Clave("Items");
  j.AbreLista();
  j.CierraLista();
  resumen("ResumenMat", explosion->ResumenMat());
  resumen("ResumenMdo", explosion->ResumenMdo());
  resumen("ResumenMaq", explosion->ResumenMaq());
  resumen("ResumenSub", explosion->ResumenSub());
  resumen("ResumenInd", explosion->ResumenInd());
  resumen("Resumen", explosion->Resumen());
  j.Campo("VolumenObra", 0.0);
  for (const char* total :
       {"DestajoUnitario", "TotalMateriales", "TotalManoDeObra", "TotalMaquinaria",
        "TotalSubcontratos", "TotalIndirectos", "TotalDestajos", "Total"}) {
    j.Campo(total, Moneda());
  }
  j.CierraObjeto();
}

void VolcadoJson::EscribeItem(EscritorJson& j, const ItemExplosion& item) const {
  j.AbreObjeto();
  j.Clave("Concepto");
  EscribeReferencia(j, item.Concepto);
  j.Clave("ConceptoOrigen");
  EscribeReferencia(j, item.ConceptoOrigen);
  j.Campo("Cantidad", item.Cantidad);
  j.Campo("CantidadAlt", item.CantidadAlt);
  j.Campo("Parcial", item.Parcial);
  j.Campo("EsInsumoMaquina", item.EsInsumoMaquina);
  j.Campo("Resumido", item.Resumido);
  j.CierraObjeto();
}

}  // namespace pmq::cli
