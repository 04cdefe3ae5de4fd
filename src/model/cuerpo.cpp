#include "model/cuerpo.h"

#include "common/error_qel.h"
#include "common/formato.h"
#include "common/redondeo.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

const Presup& LineaDe(Entidad* parent) {
  const auto* linea = dynamic_cast<const Presup*>(parent);
  if (linea == nullptr) throw ErrorQel(errores::kSinMetodo);
  return *linea;
}

template <class T>
T& Requiere(T* p) {
  if (p == nullptr) throw ErrorQel(errores::kObjeto);
  return *p;
}

}  // namespace

std::string Cuerpo::PorcentajePartida(std::string& sErrores) const {
  return Protege<std::string>(sErrores, "Cuerpo", "PorcentajePartida", {}, [&]() -> std::string {
    if (Parent == nullptr) return "#DivByZero";
    const Presup& linea = LineaDe(Parent);
    const Moneda seccion = Requiere(linea.Presups).Partida()->Des.Importe;
    double p = 0;
    if (!seccion.EsCero()) {
      p = RedondeaPar((Importe * 100).ADouble() / seccion.ADouble(), 4);
    }
    return FormatoNumero(p, "###,##0.000");
  });
}

std::string Cuerpo::PorcentajePresupuesto(std::string& sErrores) const {
  return Protege<std::string>(
      sErrores, "Cuerpo", "PorcentajePresupuesto", {}, [&]() -> std::string {
        if (Parent == nullptr) return "#DivByZero";
        const Presup& linea = LineaDe(Parent);
        const Partida& seccion = *Requiere(linea.Presups).Partida();
        const Moneda total = Requiere(seccion.Partidas).Obra()->ImporteTotal;
        if (total.EsCero()) return {};
        return TextoGeneral(RedondeaPar((Importe * 100).ADouble() / total.ADouble(), 4));
      });
}

}  // namespace pmq
