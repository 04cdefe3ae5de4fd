#include "cli/volcado_json.h"

#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "catalogue/costos_horarios.h"
#include "cli/escritor_json.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"

namespace pmq::cli {

VolcadoJson::VolcadoJson(const Programa& programa, int32_t resultado, const std::string& sErrores,
                         const std::vector<MensajeMostrado>& mensajes)
    : programa_(programa), resultado_(resultado), errores_(sErrores), mensajes_(mensajes) {}

void VolcadoJson::Escribe(std::ostream& salida) const {
  EscritorJson j(salida);
  j.AbreObjeto();
  j.Campo("Resultado", resultado_);
  j.Campo("sErrores", errores_);
  j.Clave("Mensajes");
  j.AbreLista();
  for (const MensajeMostrado& m : mensajes_) {
    j.AbreObjeto();
    j.Campo("Titulo", m.titulo);
    j.Campo("Texto", m.texto);
    j.Campo("Estilo", m.estilo);
    j.CierraObjeto();
  }
  j.CierraLista();
  j.Campo("TipoPrograma", static_cast<int32_t>(programa_.TipoPrograma));
  j.Clave("Periodos");
  EscribePeriodos(j);
  j.Clave("Conceptos");
  EscribeConceptos(j);
  j.Clave("CostosHorarios");
  EscribeCostosHorarios(j);
  j.Clave("Obra");
  EscribeObra(j, *programa_.Obra);
  j.CierraObjeto();
  j.Termina();
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
  j.AbreLista();
  for (const Concepto* c : *programa_.Conceptos) {
    j.AbreObjeto();
    j.Clave("Des");
    EscribeCuerpo(j, c->Des);
    j.Campo("Tipo", static_cast<int32_t>(c->Tipo));
    j.Campo("CMaquina", c->CMaquina);
    j.Campo("TipoCostoHorario", static_cast<int32_t>(c->TipoCostoHorario));
    j.Clave("Explosion");
    EscribeExplosion(j, nullptr);
    j.CierraObjeto();
  }
  j.CierraLista();
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
  j.Clave("Presups");
  j.AbreLista();
  for (const Presup* presup : *partida.Presups) EscribePresup(j, *presup);
  j.CierraLista();
  j.CierraObjeto();
}

void VolcadoJson::EscribePresup(EscritorJson& j, const Presup& presup) const {
  std::string descartado;  // the dump reports only what the calculation left
  j.AbreObjeto();
  j.Clave("Des");
  EscribeCuerpo(j, presup.Des);
  j.Clave("Concepto");
  EscribeReferencia(j, presup.Concepto);
  j.Campo("PorcentajePartida", presup.Des.PorcentajePartida(descartado));
  j.Campo("PorcentajePresupuesto", presup.Des.PorcentajePresupuesto(descartado));
  j.Clave("Explosion");
  EscribeExplosion(j, nullptr);
  j.Clave("PeriodosPorItem");
  j.AbreLista();
  j.CierraLista();
  j.Clave("EstimacionesPresup");
  j.AbreLista();
  j.CierraLista();
  j.CierraObjeto();
}

void VolcadoJson::EscribeEstimaciones(EscritorJson& j, const Obra&) const {
  j.AbreLista();
  j.CierraLista();
}

void VolcadoJson::EscribeExplosion(EscritorJson& j, const Explosion* explosion) const {
  if (explosion == nullptr) {
    j.Nulo();
    return;
  }
}

void VolcadoJson::EscribeItem(EscritorJson&, const ItemExplosion&) const {}

}  // namespace pmq::cli
