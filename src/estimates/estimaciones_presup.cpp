#include "estimates/estimaciones_presup.h"

#include "catalogue/concepto.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/filas_est2.h"
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
    if (presups == nullptr || presups->Partida == nullptr ||
        presups->Partida->Partidas == nullptr || presups->Partida->Partidas->Obra == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    const pmq::Partida& partida = *presups->Partida;
    // The rows of every line come from one read of the work's EST2 rows; a
    // query per line only when that read could not be made.
    FilasEst2& filas = partida.Partidas->Est2PorLinea();
    const std::string& obra = partida.Partidas->Obra->Des.Clave;
    if (filas.Habilitada() && !filas.Intentada(Conexion)) {
      filas.Lee(Conexion, obra,
                {{"PARTIDA", "CONCEPTO", "FRENTE"},
                 false,
                 "ESTIMACION",
                 {"ESTIMACION", "CANT_EST", "PUNIT", "IMPORTE"}});
    }
    std::unique_ptr<Recordset> propio;
    Recordset* rs = nullptr;
    if (filas.Leida()) {
      rs = filas.Busca(
          FilasEst2::Clave({partida.Des.Clave, Presup->Concepto->Des.Clave, Presup->Des.Frente}));
    } else {
      propio = GetTabla(
          Conexion,
          "select * from EST2 where OBRA = ? and PARTIDA = ? and CONCEPTO = ? and FRENTE = ? "
          "order by ESTIMACION",
          {Valor(obra), Valor(partida.Des.Clave), Valor(Presup->Concepto->Des.Clave),
           Valor(Presup->Des.Frente)},
          sErrores);
      rs = propio.get();
    }
    if (rs == nullptr || rs->RecordCount() < 1) return 0;
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
    if (propio) RsOut(propio, sErrores);
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

void EstimacionesPresup::AddByObject(std::unique_ptr<EstimacionPresup> oItem,
                                     std::string& sErrores) {
  try {
    if (!oItem) return;
    const std::string clave = "k" + oItem->NoEst;
    items_.Add(std::move(oItem), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "EstimacionesPresup", "AddByObject");
  }
}

}  // namespace pmq
