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
class ItemExplosion;
class Obra;
class Partida;
class Presup;
}  // namespace pmq

namespace pmq::cli {

class EscritorJson;

class VolcadoJson {
 public:
  /// What the calculation returned and the message boxes it showed.
  VolcadoJson(const Programa& programa, int32_t resultado, const std::string& sErrores,
              const std::vector<MensajeMostrado>& mensajes);

  /// Writes the dump to `salida`, ending with a line break.
  void Escribe(std::ostream& salida) const;
  /// Writes budget line `n` (1-based, budget order) as the dump writes it;
  /// false, writing nothing, when the work has no such line.
  bool EscribeLinea(std::ostream& salida, int64_t n) const;

 private:
  void EscribeCuerpo(EscritorJson& j, const Cuerpo& des) const;
  void EscribeReferencia(EscritorJson& j, const Concepto* concepto) const;
  void EscribeConceptos(EscritorJson& j) const;
  void EscribeCostosHorarios(EscritorJson& j) const;
  void EscribePeriodos(EscritorJson& j) const;
  void EscribeObra(EscritorJson& j, const Obra& obra) const;
  void EscribePartida(EscritorJson& j, const Partida& partida) const;
  void EscribePresup(EscritorJson& j, const Presup& presup) const;
  void EscribeEstimaciones(EscritorJson& j, const Obra& obra) const;
  void EscribeExplosion(EscritorJson& j, const Explosion* explosion) const;
  void EscribeItem(EscritorJson& j, const ItemExplosion& item) const;

  const Programa& programa_;
  int32_t resultado_;
  const std::string& errores_;
  const std::vector<MensajeMostrado>& mensajes_;
};

}  // namespace pmq::cli
