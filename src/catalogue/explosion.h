#pragma once
// The breakdown of a concept into priced inputs, its totals by kind and its
// summaries (one line per input concept).

#include <promorlaqel/catalogue/item_explosion.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/moneda.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pmq {

class Concepto;

/// A summary of a breakdown: nullopt when it was never built.
using ResumenExplosion = std::optional<ColeccionRef<ItemExplosion>>;

/// Which summary of a breakdown.
enum class TipoResumen { Mat, Mdo, Maq, Sub, Ind, Todo };

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

  /// A summary line reduced to the fields a summary fills; every other field
  /// of such a line is empty.
  struct LineaResumen {
    pmq::Concepto* Concepto = nullptr;
    double Cantidad = 0;
    double CantidadAlt = 0;
    Moneda Parcial;
  };

  /// Keeps the summaries as compact records instead of lines: a summary line
  /// takes 64 bytes and a pointer in one or two collections, a record 32, and
  /// a large work holds over a million of them. Afterwards ResumenMat to
  /// Resumen are empty (nullopt) and the summary lines are gone; the records
  /// are read through ResumenCompacto, and a budget line's view
  /// (ExplosionPresup) reads them as it read the lines. Done only when every
  /// summary line is one a record gives back exactly (no UnidadAlt, no origin,
  /// no flag; Resumen the kinds' lines in turn); otherwise nothing changes and
  /// false is returned. The copies ImportaResumen made stay.
  bool CompactaResumenes();
  /// True once CompactaResumenes has replaced the summaries.
  bool ResumenesCompactos() const { return compactos_; }
  /// The records of one summary (all of them, in turn, for Todo); empty when
  /// the summaries were not compacted.
  std::span<const LineaResumen> ResumenCompacto(TipoResumen tipo) const;

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

  /// Gives a block of n lines, kept in `dueno`, for a summary or a scaled
  /// copy: one allocation instead of one per line (a large work holds
  /// millions of such lines).
  static ItemExplosion* Bloque(size_t n, std::vector<std::unique_ptr<ItemExplosion[]>>& dueno);

  std::vector<std::unique_ptr<ItemExplosion>> lineas_;  // lines handed in through Add
  // Lines made by AgregaLinea, kept in shared blocks; made on the first line,
  // for even an empty deque takes over 500 bytes and a work has thousands of
  // breakdowns whose lines are dropped.
  std::unique_ptr<std::deque<ItemExplosion>> propias_;
  std::vector<std::unique_ptr<ItemExplosion[]>> bloques_;  // summary lines
  std::vector<std::unique_ptr<ItemExplosion[]>> copias_;   // lines ImportaResumen made
  std::vector<LineaResumen> compactas_;  // Mat, Mdo, Maq, Sub, Ind in turn, once compacted
  std::array<uint32_t, 6> limites_{};    // where each kind's records start; the last, their end
  bool compactos_ = false;
};

}  // namespace pmq
