#include "documento_presupuesto.h"

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/model/obra.h>
#include <promorlaqel/model/partida.h>
#include <promorlaqel/model/partidas.h>
#include <promorlaqel/model/presup.h>
#include <promorlaqel/model/presups.h>
#include <promorlaqel/model/programa.h>
#include <promorlaqel/reports/program/programas_ctrl.h>
#include <promorlaqel/schedule/periodo.h>
#include <promorlaqel/schedule/periodo_por_item.h>
#include <promorlaqel/schedule/periodos.h>
#include <promorlaqel/schedule/periodos_por_item.h>
#include "escritor_json.h"
#include "opciones_comunes.h"
#include "volcado_json.h"

#include <map>

namespace pmq::web {
namespace {

// The position of every period by its first day: a line's shares are matched
// to the calendar by date, not by their place in the line's list.
std::map<Fecha, size_t> PosicionPeriodos(const Programa& p) {
  std::map<Fecha, size_t> posicion;
  if (!p.Periodos) return posicion;
  size_t i = 0;
  for (const Periodo* periodo : *p.Periodos) posicion.emplace(periodo->Inicio, i++);
  return posicion;
}

// The shares of a line aligned with the calendar; nullptr where it has none.
std::vector<const PeriodoPorItem*> Reparto(const Presup& linea,
                                           const std::map<Fecha, size_t>& posicion) {
  std::vector<const PeriodoPorItem*> reparto(posicion.size(), nullptr);
  if (!linea.PeriodosPorItem) return reparto;
  for (const PeriodoPorItem* s : *linea.PeriodosPorItem) {
    auto it = posicion.find(s->P1);
    if (it != posicion.end()) reparto[it->second] = s;
  }
  return reparto;
}

}  // namespace

std::vector<Moneda> DocumentoPresupuesto::TotalesPorPeriodo(const Programa& p) {
  const std::map<Fecha, size_t> posicion = PosicionPeriodos(p);
  std::vector<Moneda> totales(posicion.size());
  if (!p.Obra) return totales;
  for (const Partida* partida : *p.Obra->Partidas) {
    for (const Presup* linea : *partida->Presups) {
      const auto reparto = Reparto(*linea, posicion);
      for (size_t i = 0; i < reparto.size(); ++i) {
        if (reparto[i] != nullptr) totales[i] += reparto[i]->Importe;
      }
    }
  }
  return totales;
}

std::vector<std::string> DocumentoPresupuesto::TiposPrograma() {
  std::vector<std::string> tipos;
  for (int32_t i = 0; !ProgramasCtrl::NombreTipoPrograma(i).empty(); ++i) {
    tipos.emplace_back(ProgramasCtrl::NombreTipoPrograma(i));
  }
  return tipos;
}

int64_t DocumentoPresupuesto::Escribe(const Programa& p, int32_t resultado,
                                      const std::string& sErrores,
                                      const std::vector<MensajeMostrado>& mensajes,
                                      std::ostream& salida) {
  cli::EscritorJson j(salida, 0);
  int64_t lineas = 0;
  j.AbreObjeto();
  cli::VolcadoJson::EscribeCabecera(j, resultado, sErrores, mensajes);

  j.Clave("Opciones");
  j.AbreObjeto();
  for (const auto& [nombre, valor] : cli::OpcionesComunes::Valores(p)) j.Campo(nombre, valor);
  j.CierraObjeto();
  j.Clave("OpcionesPredeterminadas");
  j.AbreObjeto();
  for (const auto& [nombre, valor] : cli::OpcionesComunes::Valores(Programa())) {
    j.Campo(nombre, valor);
  }
  j.CierraObjeto();
  j.Clave("TiposPrograma");
  j.AbreLista();
  for (const std::string& tipo : TiposPrograma()) j.Texto(tipo);
  j.CierraLista();

  const std::map<Fecha, size_t> posicion = PosicionPeriodos(p);
  j.Clave("Periodos");
  j.AbreLista();
  if (p.Periodos) {
    for (const Periodo* periodo : *p.Periodos) {
      j.AbreObjeto();
      j.Campo("Inicio", periodo->Inicio);
      j.Campo("Final", periodo->Final);
      j.Campo("Duracion", periodo->Duracion);
      j.CierraObjeto();
    }
  }
  j.CierraLista();
  j.Clave("TotalesPeriodo");
  j.AbreLista();
  for (Moneda total : TotalesPorPeriodo(p)) j.Dinero(total);
  j.CierraLista();

  j.Clave("Obra");
  j.AbreObjeto();
  if (p.Obra) {
    const Obra& o = *p.Obra;
    j.Campo("Clave", o.Des.Clave);
    j.Campo("Descripcion", o.Des.Descripcion);
    j.Campo("Inicio", o.Des.Inicio);
    j.Campo("Final", o.Des.Final);
    j.Campo("DiasObra", o.DiasObra);
    j.Campo("IVA", o.IVA);
    j.Campo("IVAMat", o.IVAMat);
    j.Campo("FacDe", o.FacDe);
    j.Campo("FacMI", o.FacMI);
    j.Campo("FacHM", o.FacHM);
    j.Campo("NoEstimaciones", o.NoEstimaciones);
    j.Campo("ImporteTotal", o.ImporteTotal);
    j.Clave("Partidas");
    j.AbreLista();
    std::string descartado;
    for (const Partida* partida : *o.Partidas) {
      j.AbreObjeto();
      j.Campo("Clave", partida->Des.Clave);
      j.Campo("Descripcion", partida->Des.Descripcion);
      j.Campo("Importe", partida->Des.Importe);
      j.Clave("Presups");
      j.AbreLista();
      for (const Presup* linea : *partida->Presups) {
        const Cuerpo& d = linea->Des;
        j.AbreObjeto();
        j.Campo("N", ++lineas);
        j.Campo("Clave", d.Clave);
        j.Campo("Concepto",
                linea->Concepto != nullptr ? linea->Concepto->Des.Clave : std::string());
        j.Campo("Descripcion", d.Descripcion);
        j.Campo("Unidad", d.Unidad);
        j.Campo("Cantidad", d.Cantidad);
        j.Campo("Costo", d.Costo);
        j.Campo("Importe", d.Importe);
        j.Campo("PorcentajePartida", d.PorcentajePartida(descartado));
        j.Campo("PorcentajePresupuesto", d.PorcentajePresupuesto(descartado));
        j.Campo("Frente", d.Frente);
        j.Campo("Inicio", d.Inicio);
        j.Campo("Final", d.Final);
        // Only the periods the line works in: a long work's lines touch few.
        j.Clave("Periodos");
        j.AbreLista();
        const auto reparto = Reparto(*linea, posicion);
        for (size_t i = 0; i < reparto.size(); ++i) {
          const PeriodoPorItem* s = reparto[i];
          if (s == nullptr || (s->d1 == 0 && s->Importe == Moneda() && s->Cantidad == 0)) continue;
          j.AbreObjeto();
          j.Campo("P", static_cast<int32_t>(i));
          j.Campo("Importe", s->Importe);
          j.Campo("Cantidad", s->Cantidad);
          j.Campo("d1", s->d1);
          j.Campo("d2", s->d2);
          j.CierraObjeto();
        }
        j.CierraLista();
        j.CierraObjeto();
      }
      j.CierraLista();
      j.CierraObjeto();
    }
    j.CierraLista();
  }
  j.CierraObjeto();
  j.CierraObjeto();
  j.Termina();
  return lineas;
}

}  // namespace pmq::web
