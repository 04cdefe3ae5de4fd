#include "estimates/estimaciones_presup.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/lector_por_estimacion.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {

int32_t EstimacionesPresup::Carga(Conexion* Conexion, std::string& sErrores) {
  try {
    if (Presup == nullptr) throw ErrorQel(errores::kObjeto);
    if (Presup->Concepto == nullptr) return 0;
    const pmq::Presups* presups = Presup->Presups;
    if (presups == nullptr || presups->Partida == nullptr || presups->Partida->Partidas == nullptr ||
        presups->Partida->Partidas->Obra == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    const pmq::Partida& partida = *presups->Partida;
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion,
                 "select * from EST2 where OBRA = ? and PARTIDA = ? and CONCEPTO = ? and FRENTE = ? "
                 "order by ESTIMACION",
                 {Valor(partida.Partidas->Obra->Des.Clave), Valor(partida.Des.Clave),
                  Valor(Presup->Concepto->Des.Clave), Valor(Presup->Des.Frente)},
                 sErrores);
    if (!rs || rs->RecordCount() < 1) return 0;
    const int64_t total = rs->RecordCount();
    LectorPorEstimacion lector(*rs);
    for (int64_t i = 1; i <= total; ++i) {
      lector.VeA(i);
      auto e = std::make_unique<EstimacionPresup>();
      e->EstimacionesPresup = this;
      e->NoEst = rs->Fields("ESTIMACION").Texto();
      e->NoEstimacion = EnteroPar(Val(e->NoEst));
      const Valor& cantidad = rs->Fields("CANT_EST");
      e->Cantidad = cantidad.EsNulo() ? 0.0 : cantidad.Double();
      const Valor& punit = rs->Fields("PUNIT");
      e->Punit = punit.EsNulo() ? Moneda() : punit.ComoMoneda();
      const Valor& importe = rs->Fields("IMPORTE");
      e->Importe = importe.EsNulo() ? Moneda() : importe.ComoMoneda();
      AddByObject(std::move(e), sErrores);
      CedeAlHost("Estimaciones por concepto", i, total);
    }
    RsOut(rs, sErrores);
    return 0;
  } catch (...) {
    AnotaExcepcion(sErrores, "EstimacionesPresup", "Carga");
    return 0;
  }
}

int32_t EstimacionesPresup::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "EstimacionesPresup", "Count");
    return 0;
  }
}

void EstimacionesPresup::AddByObject(std::unique_ptr<EstimacionPresup> oItem, std::string& sErrores) {
  try {
    if (!oItem) return;
    const std::string clave = "k" + oItem->NoEst;
    items_.Add(std::move(oItem), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "EstimacionesPresup", "AddByObject");
  }
}

}  // namespace pmq
