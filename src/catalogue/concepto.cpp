#include "catalogue/concepto.h"

#include "catalogue/conceptos.h"
#include "catalogue/costos_horarios.h"
#include "catalogue/fac_maq.h"
#include "common/error_qel.h"
#include "model/obra.h"
#include "model/programa.h"

#include <fmt/format.h>

#include <algorithm>

namespace pmq {
namespace {

// 2000000 as "2,000,000".
std::string FormatoMiles(int64_t n) {
  const std::string d = std::to_string(n);
  std::string r;
  for (size_t i = 0; i < d.size(); ++i) {
    if (i > 0 && (d.size() - i) % 3 == 0) r += ',';
    r += d[i];
  }
  return r;
}

// Error number of an analysis that reaches itself again: "out of stack
// space", which is what an unbounded breakdown would end in; the breakdown
// stops at the repeated concept and reports it under this number.
constexpr int kReferenciaCircular = 28;

// A breakdown stops, whole, when it goes deeper than this many analyses or
// meets this many inputs and analyses: a chain of analyses thousands of
// levels deep would run the stack out, and analyses that share
// sub-analyses (A uses B twice, B uses C twice, …) double their inputs at
// every level. Real analyses stay far below both.
constexpr size_t kProfundidadMaxima = 1000;
constexpr int64_t kVisitasMaximas = 2'000'000;

// A limit of the breakdown reached: it ends the breakdown of the concept
// asked for, not just the branch where it happened.
class LimiteDesglose : public ErrorQel {
 public:
  using ErrorQel::ErrorQel;
};

std::string Recorta(const std::vector<const Concepto*>& ruta) {
  std::string texto;
  for (size_t i = 0; i < ruta.size(); ++i) {
    if (ruta.size() > 8 && i == 3) {
      texto += "… > ";
      i = ruta.size() - 3;
    }
    texto += ruta[i]->Des.Clave + " > ";
  }
  return texto;
}

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
  if (c.Conceptos == nullptr || c.Conceptos->Programa() == nullptr) {
    throw ErrorQel(errores::kObjeto);
  }
  return *c.Conceptos->Programa();
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
  int64_t visitas = 0;
  try {
    Explota(Conexion, ConceptoOrigen, Cantidad, EsInsumoMaquina, Explo, ruta, visitas, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "Concepto", "ExplotaMe");
    // What was gathered before the limit is no breakdown of the concept.
    Explo = std::make_unique<pmq::Explosion>();
  }
  return false;
}

void Concepto::AgregaLinea(pmq::Concepto* ConceptoOrigen, double Cantidad, bool EsInsumoMaquina,
                           std::unique_ptr<pmq::Explosion>& Explo, std::string& sErrores) {
  ItemExplosion* linea = Explo->AgregaLinea(sErrores);
  if (linea == nullptr) return;
  linea->Explosion = Explo.get();
  linea->Concepto = this;
  linea->Cantidad = Cantidad;
  linea->EsInsumoMaquina = EsInsumoMaquina;
  linea->ConceptoOrigen = ConceptoOrigen;
}

void Concepto::Explota(Conexion* Conexion, pmq::Concepto* ConceptoOrigen, double Cantidad,
                       bool EsInsumoMaquina, std::unique_ptr<pmq::Explosion>& Explo,
                       std::vector<const Concepto*>& ruta, int64_t& visitas,
                       std::string& sErrores) {
  bool en_ruta = false;
  try {
    if (!Explo) Explo = std::make_unique<pmq::Explosion>();
    if (++visitas > kVisitasMaximas) {
      const std::string raiz = ruta.empty() ? Des.Clave : ruta.front()->Des.Clave;
      throw LimiteDesglose(
          errores::kMemoria,
          fmt::format("El desglose de {} pasa de {} insumos y análisis (el límite por concepto): "
                      "sus análisis se repiten unos dentro de otros; no se desglosa",
                      raiz, FormatoMiles(kVisitasMaximas)));
    }
    if (ruta.size() >= kProfundidadMaxima) {
      throw LimiteDesglose(
          kReferenciaCircular,
          fmt::format("El análisis de {} tiene más de {} niveles: {}{}; no se "
                      "desglosa",
                      ruta.front()->Des.Clave, kProfundidadMaxima, Recorta(ruta), Des.Clave));
    }
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
                               ruta, visitas, sErrores);
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
                              Explo, ruta, visitas, sErrores);
        }
        break;
      }

      default:
        break;
    }
  } catch (const LimiteDesglose&) {
    // Up to ExplotaMe, which notes it once.
    if (en_ruta) ruta.pop_back();
    throw;
  } catch (...) {
    AnotaExcepcion(sErrores, "Concepto", "ExplotaMe");
  }
  if (en_ruta) ruta.pop_back();
}

double Concepto::GetFacMaqFactor(std::string_view Nombre, int TipoCostoHorario) {
  std::string sin_lector;  // nobody reads this one's failures
  return Protege<double>(sin_lector, "Concepto", "GetFacMaqFactor", 0, [&]() -> double {
    const std::string_view clave = ClaveFactor(Nombre);
    if (clave.empty()) return FacMaq().Factor(TipoCostoHorario);
    pmq::Programa& programa = ProgramaDe(*this);
    if (!programa.Obra) throw ErrorQel(errores::kObjeto);
    const FacMaq* factores = programa.Obra->FactoresMaquinaria.Item(clave);
    if (factores == nullptr) throw ErrorQel(errores::kLlamadaNoValida);
    return factores->Factor(TipoCostoHorario);
  });
}

}  // namespace pmq
