#include "catalogue/concepto.h"

#include "catalogue/conceptos.h"
#include "catalogue/costos_horarios.h"
#include "catalogue/fac_maq.h"
#include "common/error_qel.h"
#include "model/obra.h"
#include "model/programa.h"

#include <algorithm>

namespace pmq {
namespace {

// Error number of an analysis that reaches itself again: "out of stack
// space", which is what an unbounded breakdown would end in; the breakdown
// stops at the repeated concept and reports it under this number.
constexpr int kReferenciaCircular = 28;

// Key of the work's machine factors for an hourly cost component ("" = none).
std::string_view ClaveFactor(std::string_view nombre) {
  if (nombre == "Gasolina" || nombre == "Diesel" || nombre == "OtrasFuentes") return "Com";
  if (nombre == "Aceite") return "Lub";
  if (nombre == "Cuadrilla") return "Ope";
  if (nombre == "PzasEspeciales" || nombre == "OtrosConsumos") return "Otr";
  if (nombre == "Llantas") return "Lla";
  return {};
}

pmq::Programa& ProgramaDe(const Concepto& c) {
  if (c.Conceptos == nullptr || c.Conceptos->Programa == nullptr) throw ErrorQel(errores::kObjeto);
  return *c.Conceptos->Programa;
}

// "Referencia circular: A > B > A" for a concept met again on the path.
[[noreturn]] void FallaCiclo(const std::vector<const Concepto*>& ruta, const Concepto& repetido) {
  std::string texto = "Referencia circular: ";
  for (const Concepto* c : ruta) texto += c->Des.Clave + " > ";
  texto += repetido.Des.Clave;
  throw ErrorQel(kReferenciaCircular, std::move(texto));
}

}  // namespace

bool Concepto::ExplotaMe(Conexion* Conexion, pmq::Concepto* ConceptoOrigen, double Cantidad,
                         bool EsInsumoMaquina, std::unique_ptr<pmq::Explosion>& Explo,
                         std::string& sErrores) {
  std::vector<const Concepto*> ruta;
  Explota(Conexion, ConceptoOrigen, Cantidad, EsInsumoMaquina, Explo, ruta, sErrores);
  return false;
}

void Concepto::AgregaLinea(pmq::Concepto* ConceptoOrigen, double Cantidad, bool EsInsumoMaquina,
                           std::unique_ptr<pmq::Explosion>& Explo, std::string& sErrores) {
  auto linea = std::make_unique<ItemExplosion>();
  linea->Explosion = Explo.get();
  linea->Concepto = this;
  linea->Cantidad = Cantidad;
  linea->EsInsumoMaquina = EsInsumoMaquina;
  linea->ConceptoOrigen = ConceptoOrigen;
  Explo->Add(std::move(linea), sErrores);
}

void Concepto::Explota(Conexion* Conexion, pmq::Concepto* ConceptoOrigen, double Cantidad,
                       bool EsInsumoMaquina, std::unique_ptr<pmq::Explosion>& Explo,
                       std::vector<const Concepto*>& ruta, std::string& sErrores) {
  bool en_ruta = false;
  try {
    if (!Explo) Explo = std::make_unique<pmq::Explosion>();
    switch (Tipo) {
      case enumTipoConcepto::Material:
      case enumTipoConcepto::ManoDeObra:
      case enumTipoConcepto::Subcontrato:
      case enumTipoConcepto::Indirecto:
        AgregaLinea(ConceptoOrigen, Cantidad, EsInsumoMaquina, Explo, sErrores);
        break;

      case enumTipoConcepto::Maquinaria: {
        if (CMaquina.empty() || !ProgramaDe(*this).DesglosarMaquinaria) {
          AgregaLinea(ConceptoOrigen, Cantidad, EsInsumoMaquina, Explo, sErrores);
          break;
        }
        pmq::Programa& programa = ProgramaDe(*this);
        if (!programa.CostosHorarios) throw ErrorQel(errores::kObjeto);
        CostoHorario = programa.CostosHorarios->Item("k" + CMaquina);
        if (CostoHorario == nullptr) break;
        if (std::find(ruta.begin(), ruta.end(), this) != ruta.end()) FallaCiclo(ruta, *this);
        ruta.push_back(this);
        en_ruta = true;
        const pmq::CostoHorario& analisis = *CostoHorario;
        for (int32_t i = 1; i <= analisis.ItemsCostoHorario.Count(); ++i) {
          const ItemCostoHorario* k = analisis.ItemsCostoHorario.Item(static_cast<int64_t>(i));
          if (k == nullptr || k->Concepto == nullptr) continue;
          const double f = GetFacMaqFactor(k->Nombre, TipoCostoHorario);
          k->Concepto->Explota(Conexion, ConceptoOrigen, k->Cantidad * Cantidad * f, true, Explo,
                               ruta, sErrores);
        }
        break;
      }

      case enumTipoConcepto::Basico:
      case enumTipoConcepto::PrecioUnitario:
      case enumTipoConcepto::Cuadrilla:
      case enumTipoConcepto::IntegradoIndirecto: {
        if (Conceptos == nullptr) throw ErrorQel(errores::kObjeto);
        if (std::find(ruta.begin(), ruta.end(), this) != ruta.end()) FallaCiclo(ruta, *this);
        const std::vector<FilaMatriz>* filas =
            Conceptos->FilasAnalisis(Conexion, Des.Clave, sErrores);
        if (filas == nullptr || filas->empty()) break;
        ruta.push_back(this);
        en_ruta = true;
        for (const FilaMatriz& fila : *filas) {
          if (!fila.Buscado) {
            fila.Componente = Conceptos->Item("k" + fila.Concepto);
            fila.Buscado = true;
          }
          pmq::Concepto* componente = fila.Componente;
          if (componente == nullptr) continue;
          componente->Explota(Conexion, this, fila.Cantidad.Double() * Cantidad, EsInsumoMaquina,
                              Explo, ruta, sErrores);
        }
        break;
      }

      default:
        break;
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "Concepto", "ExplotaMe");
  }
  if (en_ruta) ruta.pop_back();
}

double Concepto::GetFacMaqFactor(std::string_view Nombre, int TipoCostoHorario) {
  std::string sin_lector;  // nobody reads this one's failures
  try {
    const std::string_view clave = ClaveFactor(Nombre);
    if (clave.empty()) return FacMaq().Factor(TipoCostoHorario);
    pmq::Programa& programa = ProgramaDe(*this);
    if (!programa.Obra) throw ErrorQel(errores::kObjeto);
    const FacMaq* factores = programa.Obra->FactoresMaquinaria.Item(clave);
    if (factores == nullptr) throw ErrorQel(errores::kLlamadaNoValida);
    return factores->Factor(TipoCostoHorario);
  } catch (...) {
    AnotaExcepcion(sin_lector, "Concepto", "GetFacMaqFactor");
    return 0;
  }
}

}  // namespace pmq
