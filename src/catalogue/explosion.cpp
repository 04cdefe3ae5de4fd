#include "catalogue/explosion.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/redondeo.h"

#include <iterator>
#include <string_view>
#include <unordered_map>

namespace pmq {
namespace {

// Rounding to cents of every price.
double R2(double x) {
  return Redondea(x, 2);
}

const Concepto& ConceptoDe(const ItemExplosion& linea) {
  if (linea.Concepto == nullptr) throw ErrorQel(errores::kObjeto);
  return *linea.Concepto;
}

}  // namespace

void Explosion::ReservaUna() {
  // Room for one more line before it is referred to, so that keeping it cannot
  // fail; the room grows geometrically, as push_back's would.
  if (lineas_.size() == lineas_.capacity())
    lineas_.reserve(lineas_.empty() ? 8 : 2 * lineas_.size());
}

ItemExplosion* Explosion::Bloque(size_t n, std::vector<std::unique_ptr<ItemExplosion[]>>& dueno) {
  if (n == 0) return nullptr;
  auto bloque = std::make_unique<ItemExplosion[]>(n);
  ItemExplosion* primera = bloque.get();
  dueno.push_back(std::move(bloque));
  return primera;
}

ItemExplosion* Explosion::Guarda(std::unique_ptr<ItemExplosion> item) {
  lineas_.push_back(std::move(item));
  return lineas_.back().get();
}

void Explosion::Add(std::unique_ptr<ItemExplosion> item, std::string& sErrores) {
  try {
    if (!item) throw ErrorQel(errores::kObjeto);
    ReservaUna();
    Items.Add(item.get());
    Guarda(std::move(item));
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "Add");
  }
}

ItemExplosion* Explosion::AgregaLinea(std::string& sErrores) {
  try {
    // A breakdown of a large work holds millions of lines: one allocation per
    // block of lines, not one per line.
    if (!propias_) propias_ = std::make_unique<std::deque<ItemExplosion>>();
    ItemExplosion& linea = propias_->emplace_back();
    try {
      Items.Add(&linea);
    } catch (...) {
      propias_->pop_back();
      throw;
    }
    return &linea;
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "Add");
  }
  return nullptr;
}

void Explosion::LiberaLineas() {
  Items = ColeccionRef<ItemExplosion>();
  std::vector<std::unique_ptr<ItemExplosion>>().swap(lineas_);
  propias_.reset();
}

bool Explosion::CompactaResumenes() {
  if (compactos_) return true;
  ResumenExplosion* partes[] = {&ResumenMat, &ResumenMdo, &ResumenMaq, &ResumenSub, &ResumenInd};
  // A record gives back a line with its concept, quantities and amount and
  // nothing else: any other field set keeps the lines as they are. The whole
  // summary must be the kinds' lines in turn, as ObtenerResumenes builds it
  // (the labour one left out when labour was not summarised).
  std::vector<LineaResumen> compactas;
  std::array<uint32_t, 6> limites{};
  const int32_t en_todo = Resumen ? Resumen->Count() : 0;
  for (size_t k = 0; k < std::size(partes); ++k) {
    limites[k] = static_cast<uint32_t>(compactas.size());
    if (!*partes[k]) continue;
    for (const ItemExplosion* l : **partes[k]) {
      if (l == nullptr || l->Explosion != nullptr || l->ConceptoOrigen != nullptr ||
          !l->UnidadAlt.empty() || l->EsInsumoMaquina || l->Resumido) {
        return false;
      }
      const auto posicion = static_cast<int64_t>(compactas.size()) + 1;
      if (posicion > en_todo || Resumen->Item(posicion) != l) return false;
      compactas.push_back({l->Concepto, l->Cantidad, l->CantidadAlt, l->Parcial});
    }
  }
  if (static_cast<int32_t>(compactas.size()) != en_todo) return false;
  limites[5] = static_cast<uint32_t>(compactas.size());
  compactas.shrink_to_fit();
  compactas_ = std::move(compactas);
  limites_ = limites;
  compactos_ = true;
  for (ResumenExplosion* parte : partes) parte->reset();
  Resumen.reset();
  std::vector<std::unique_ptr<ItemExplosion[]>>().swap(bloques_);
  return true;
}

std::span<const Explosion::LineaResumen> Explosion::ResumenCompacto(TipoResumen tipo) const {
  if (!compactos_) return {};
  const std::span<const LineaResumen> todas(compactas_);
  if (tipo == TipoResumen::Todo) return todas;
  const auto k = static_cast<size_t>(tipo);
  return todas.subspan(limites_[k], limites_[k + 1] - limites_[k]);
}

void Explosion::Opera(double VolumenObra, double IVA, bool IVAMat, double FactDes, double FactMdo,
                      double FactDestajo, bool ObtenerMdeO, std::string& sErrores) {
  try {
    Moneda materiales, mano_de_obra, maquinaria, subcontratos, indirectos;
    double destajos = 0;
    const double factor_iva = IVA * 0.01 + 1;
    for (ItemExplosion* linea : Items) {
      const Concepto& c = ConceptoDe(*linea);
      const double q = linea->Cantidad;
      const double k = c.Des.Costo.ADouble();
      linea->CantidadAlt = c.Des.FactorConversion * q;
      switch (c.Tipo) {
        case enumTipoConcepto::Material: {
          double p = R2(k * (q * FactDes));
          if (IVAMat) p = R2(factor_iva * p);
          linea->Parcial = Moneda::DesdeDouble(p);
          materiales += linea->Parcial;
          break;
        }
        case enumTipoConcepto::ManoDeObra: {
          if (!ObtenerMdeO) break;
          const double tarifa_destajo = R2(k * FactDestajo);
          destajos += R2(q * FactMdo * tarifa_destajo);
          const double salario = R2(k * c.Des.FSR);
          const double salario_cargado = R2(salario * FactMdo);
          linea->Parcial = Moneda::DesdeDouble(R2(q * salario_cargado));
          mano_de_obra += linea->Parcial;
          break;
        }
        case enumTipoConcepto::Maquinaria:
          linea->Parcial = Moneda::DesdeDouble(R2(k * q));
          maquinaria += linea->Parcial;
          break;
        case enumTipoConcepto::Subcontrato: {
          const double costo = R2(k * FactDes);
          double p = R2(q * costo);
          if (IVAMat) p = R2(factor_iva * p);
          linea->Parcial = Moneda::DesdeDouble(p);
          subcontratos += linea->Parcial;
          break;
        }
        case enumTipoConcepto::Indirecto:
          linea->Parcial = Moneda::DesdeDouble(R2(k * q));
          indirectos += linea->Parcial;
          break;
        default:
          break;
      }
    }
    // Everything that can fail is computed before the totals change.
    const Moneda destajo_unitario =
        VolumenObra == 0 ? Moneda() : Moneda::DesdeDouble(destajos / VolumenObra);
    const Moneda total_destajos = Moneda::DesdeDouble(destajos);
    Moneda total = materiales + maquinaria + subcontratos;
    if (ObtenerMdeO) total += mano_de_obra;

    DestajoUnitario = destajo_unitario;
    TotalMateriales = materiales;
    TotalMaquinaria = maquinaria;
    TotalSubcontratos = subcontratos;
    TotalIndirectos = indirectos;
    TotalDestajos = total_destajos;
    if (ObtenerMdeO) TotalManoDeObra = mano_de_obra;
    Total = total;
    ObtenerResumenes(ObtenerMdeO, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "Opera");
  }
}

void Explosion::ObtenerResumenes(bool ObtenerMdeO, std::string& sErrores) {
  try {
    // Summaries rebuilt as lines replace any compact records.
    compactos_ = false;
    std::vector<LineaResumen>().swap(compactas_);
    for (ItemExplosion* linea : Items) linea->Resumido = false;
    ResumenMat = ObtenerResumen(enumTipoConcepto::Material, sErrores);
    if (ObtenerMdeO) ResumenMdo = ObtenerResumen(enumTipoConcepto::ManoDeObra, sErrores);
    ResumenMaq = ObtenerResumen(enumTipoConcepto::Maquinaria, sErrores);
    ResumenSub = ObtenerResumen(enumTipoConcepto::Subcontrato, sErrores);
    ResumenInd = ObtenerResumen(enumTipoConcepto::Indirecto, sErrores);

    ColeccionRef<ItemExplosion> todo;
    auto agrega = [&todo](const ResumenExplosion& parte) {
      if (!parte) return;
      for (ItemExplosion* linea : *parte) todo.Add(linea);
    };
    agrega(ResumenMat);
    if (ObtenerMdeO) agrega(ResumenMdo);
    agrega(ResumenMaq);
    agrega(ResumenSub);
    agrega(ResumenInd);
    Resumen = std::move(todo);
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "ObtenerResumenes");
  }
}

ColeccionRef<ItemExplosion> Explosion::ObtenerResumen(enumTipoConcepto TipoConcepto,
                                                      std::string& sErrores) {
  ColeccionRef<ItemExplosion> resumen;
  try {
    // Position of each code's summary line: a lookup instead of a scan of the
    // lines already summarised (a breakdown may hold hundreds of inputs). A
    // first pass numbers the codes, so that the summary lines take one block
    // of exactly their number.
    std::unordered_map<std::string_view, int32_t> posiciones;
    for (const ItemExplosion* linea : Items) {
      if (linea->Concepto == nullptr) break;  // the second pass fails there
      if (linea->Concepto->Tipo != TipoConcepto) continue;
      posiciones.try_emplace(linea->Concepto->Des.Clave, static_cast<int32_t>(posiciones.size()));
    }
    ItemExplosion* libres = Bloque(posiciones.size(), bloques_);
    resumen.Reserva(posiciones.size());
    for (ItemExplosion* linea : Items) {
      if (ConceptoDe(*linea).Tipo != TipoConcepto) continue;
      const int32_t posicion = posiciones.find(linea->Concepto->Des.Clave)->second;
      if (posicion == resumen.Count()) {
        ItemExplosion* nueva = libres++;
        nueva->Concepto = linea->Concepto;
        nueva->CantidadAlt = linea->CantidadAlt;
        nueva->Cantidad = linea->Cantidad;
        nueva->Parcial = linea->Parcial;
        nueva->UnidadAlt = linea->UnidadAlt;
        resumen.Add(nueva);
      } else {
        ItemExplosion* destino = resumen.Item(static_cast<int64_t>(posicion) + 1);
        if (destino == nullptr) throw ErrorQel(errores::kSubindice);
        destino->Cantidad += linea->Cantidad;
        destino->CantidadAlt += linea->CantidadAlt;
        destino->Parcial += linea->Parcial;
        linea->Resumido = true;
      }
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "ObtenerResumen");
  }
  return resumen;
}

int32_t Explosion::BuscaConceptoEnColeccion(const ColeccionRef<ItemExplosion>& Coleccion,
                                            const pmq::Concepto* Concepto, std::string& sErrores) {
  try {
    if (Concepto == nullptr) throw ErrorQel(errores::kObjeto);
    for (int32_t i = 1; i <= Coleccion.Count(); ++i) {
      const ItemExplosion* linea = Coleccion.Item(static_cast<int64_t>(i));
      if (linea->Resumido) continue;
      if (ConceptoDe(*linea).Des.Clave == Concepto->Des.Clave) return i;
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "Explosion", "BuscaConceptoEnColeccion");
  }
  return -1;
}

ResumenExplosion Explosion::ImportaResumen(double Multiplicador, const ResumenExplosion& ColRes,
                                           std::string& sErrores) {
  if (!ColRes || ColRes->empty()) return std::nullopt;
  ColeccionRef<ItemExplosion> copia;
  try {
    copia.Reserva(static_cast<size_t>(ColRes->Count()));
    ItemExplosion* libres = Bloque(static_cast<size_t>(ColRes->Count()), copias_);
    for (const ItemExplosion* s : *ColRes) {
      if (s == nullptr) throw ErrorQel(errores::kObjeto);
      ItemExplosion* nueva = libres++;
      nueva->Cantidad = RedondeaPar(s->Cantidad * Multiplicador, 6);
      nueva->CantidadAlt = RedondeaPar(s->CantidadAlt * Multiplicador, 6);
      nueva->Parcial = Moneda::DesdeDouble(R2(s->Parcial.ADouble() * Multiplicador));
      nueva->Resumido = s->Resumido;
      nueva->UnidadAlt = s->UnidadAlt;
      nueva->EsInsumoMaquina = s->EsInsumoMaquina;
      nueva->Concepto = s->Concepto;
      nueva->ConceptoOrigen = s->ConceptoOrigen;
      nueva->Explosion = this;
      copia.Add(nueva);
    }
  } catch (...) {
    AnotaExcepcionConPrefijo(sErrores, "ProMorlaControl", "Explosion", "ImportaResumen");
  }
  return copia;
}

}  // namespace pmq
