#pragma once
// The breakdown of a concept into priced inputs, its totals by kind and its
// summaries (one line per input concept).

#include <promorlaqel/catalogue/item_explosion.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/moneda.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pmq {

class Concepto;

/// A summary of a breakdown: nullopt when it was never built.
using ResumenExplosion = std::optional<ColeccionRef<ItemExplosion>>;

/// The lines of a concept's breakdown, their prices, totals and summaries.
/// Every line it holds (breakdown lines, summary lines, scaled copies) is owned
/// by the explosion and lives as long as it does; the collections only refer.
class PMQ_API Explosion {
 public:
  Explosion() = default;
  Explosion(const Explosion&) = delete;
  Explosion& operator=(const Explosion&) = delete;

  ColeccionRef<ItemExplosion> Items;
  ResumenExplosion ResumenMat;
  ResumenExplosion ResumenMaq;
  ResumenExplosion ResumenMdo;
  ResumenExplosion ResumenSub;
  ResumenExplosion ResumenInd;
  ResumenExplosion Resumen;
  double VolumenObra = 0;  ///< not set by the library
  Moneda DestajoUnitario;
  Moneda TotalMateriales;
  Moneda TotalManoDeObra;
  Moneda TotalMaquinaria;
  Moneda TotalSubcontratos;
  Moneda TotalIndirectos;
  Moneda TotalDestajos;
  Moneda Total;  ///< direct cost: materials, labour, machinery and subcontracts

  /// Appends a line to Items and takes ownership of it.
  void Add(std::unique_ptr<ItemExplosion> item, std::string& sErrores);
  /// Appends a new blank line to Items, owned by the explosion, and returns it
  /// for the caller to fill; nullptr (and the failure noted) when it cannot.
  ItemExplosion* AgregaLinea(std::string& sErrores);

  /// Prices every line, sums the totals and builds the summaries.
  /// IVA is a rate in percent, applied to materials and subcontracts when
  /// IVAMat; FactDes multiplies materials and subcontracts (waste), FactMdo
  /// labour; FactDestajo is the piecework rate per unit of labour cost; labour
  /// is priced and summarised only when ObtenerMdeO. A failure leaves totals
  /// and summaries as they were.
  void Opera(double VolumenObra, double IVA, bool IVAMat, double FactDes, double FactMdo,
             double FactDestajo, bool ObtenerMdeO, std::string& sErrores);

  /// A scaled copy of every line of ColRes (quantities × Multiplicador rounded
  /// to 6 decimals, amounts rounded to cents). The copies are owned by this
  /// explosion. nullopt when ColRes is missing or empty.
  ResumenExplosion ImportaResumen(double Multiplicador, const ResumenExplosion& ColRes,
                                  std::string& sErrores);

  /// Drops the breakdown lines (Items empty afterwards) and the memory they
  /// took; totals and summaries stay, for they own their lines.
  void LiberaLineas();

  /// Rebuilds the summaries from Items (the labour one only when ObtenerMdeO).
  void ObtenerResumenes(bool ObtenerMdeO, std::string& sErrores);

  /// One summary line per concept of the given kind, in order of first
  /// occurrence in Items; later lines of a concept (the same code, case
  /// mattering) are merged and marked Resumido.
  ColeccionRef<ItemExplosion> ObtenerResumen(enumTipoConcepto TipoConcepto, std::string& sErrores);

  /// 1-based position of the first line of Coleccion that is not Resumido and
  /// whose concept code equals Concepto's (case matters); -1 when none.
  int32_t BuscaConceptoEnColeccion(const ColeccionRef<ItemExplosion>& Coleccion,
                                   const pmq::Concepto* Concepto, std::string& sErrores);

 private:
  /// Makes room for one more owned line (growing geometrically).
  void ReservaUna();
  /// Takes ownership of a line and returns it.
  ItemExplosion* Guarda(std::unique_ptr<ItemExplosion> item);

  /// Gives a block of n lines, owned by the explosion, for a summary or a
  /// scaled copy: one allocation instead of one per line (a large work holds
  /// millions of such lines).
  ItemExplosion* Bloque(size_t n);

  std::vector<std::unique_ptr<ItemExplosion>> lineas_;  // lines handed in through Add
  std::deque<ItemExplosion> propias_;  // lines made by AgregaLinea, kept in shared blocks
  std::vector<std::unique_ptr<ItemExplosion[]>> bloques_;  // lines the explosion made itself
};

}  // namespace pmq
