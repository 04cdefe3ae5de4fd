#pragma once
// The dump of `calcular --json`: the whole computed model, field for field,
// every list in collection order.

#include "host_consola.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pmq {
class Programa;
class Cuerpo;
class Concepto;
class Explosion;
class ExplosionPresup;
class ItemExplosion;
class Obra;
class Partida;
class Presup;
class FilasPrograma;
}  // namespace pmq

namespace pmq::cli {

class EscritorJson;

/// How much of the model the dump carries.
enum class DetalleJson {
  Obra,      ///< the work, its calendar, sections and estimates, without lines or catalogue
  Lineas,    ///< everything but the breakdowns (no "Explosion" member anywhere)
  Completo,  ///< the whole model
};

class VolcadoJson {
 public:
  /// What the calculation returned and the message boxes it showed, with
  /// as much of the model as `detalle` asks.
  VolcadoJson(const Programa& programa, int32_t resultado, const std::string& sErrores,
              const std::vector<MensajeMostrado>& mensajes,
              DetalleJson detalle = DetalleJson::Completo);

  /// With `si`, every line carries its row items ("ItemsFila") for the root's
  /// TipoPrograma and TipoCalculoDias.
  void ConItemsFila(bool si) { items_fila_ = si; }

  /// Writes the dump to `salida`, ending with a line break: indented by
  /// `sangria` blanks, or compact when it is negative.
  void Escribe(std::ostream& salida, int sangria = 2) const;
  /// Writes budget line `n` (1-based, budget order) as the dump writes it, compact;
  /// false, writing nothing, when the work has no such line.
  bool EscribeLinea(std::ostream& salida, int64_t n) const;
  /// The members every document of a calculation opens with: "Resultado",
  /// "sErrores" and the message boxes shown ("Mensajes"), into an open object.
  static void EscribeCabecera(EscritorJson& j, int32_t resultado, const std::string& sErrores,
                              const std::vector<MensajeMostrado>& mensajes);

 private:
  void EscribeCuerpo(EscritorJson& j, const Cuerpo& des) const;
  void EscribeReferencia(EscritorJson& j, const Concepto* concepto) const;
  void EscribeConceptos(EscritorJson& j) const;
  void EscribeConcepto(EscritorJson& j, const Concepto& c) const;
  void EscribeCostosHorarios(EscritorJson& j) const;
  void EscribePeriodos(EscritorJson& j) const;
  void EscribeObra(EscritorJson& j, const Obra& obra) const;
  void EscribePartida(EscritorJson& j, const Partida& partida) const;
  void EscribePresup(EscritorJson& j, Presup& presup) const;
  void EscribeEstimaciones(EscritorJson& j, const Obra& obra) const;
  void EscribeExplosion(EscritorJson& j, const Explosion* explosion) const;
  void EscribeExplosionPresup(EscritorJson& j, const ExplosionPresup* explosion) const;
  void EscribeItem(EscritorJson& j, const ItemExplosion& item) const;
  void EscribeFilas(EscritorJson& j, const FilasPrograma& filas) const;
  void EscribeItemsFila(EscritorJson& j, Presup& presup) const;

  const Programa& programa_;
  int32_t resultado_;
  const std::string& errores_;
  const std::vector<MensajeMostrado>& mensajes_;
  DetalleJson detalle_;
  bool items_fila_ = false;
};

}  // namespace pmq::cli
