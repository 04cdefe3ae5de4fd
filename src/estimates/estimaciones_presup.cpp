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
  return Protege<int32_t>(sErrores, "EstimacionesPresup", "Carga", 0, [&]() -> int32_t {
    const pmq::Presup& linea = *Presup();
    if (linea.Concepto == nullptr) return 0;
    // A line on its own (in no list, or in a section in no list) has no work.
    if (linea.Presups == nullptr || linea.Presups->Partida()->Partidas == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    const pmq::Partida& partida = *linea.Presups->Partida();
    // The rows of every line come from one read of the work's EST2 rows; a
    // query per line only when that read could not be made.
    FilasEst2& filas = partida.Partidas->Est2PorLinea();
    const std::string& obra = partida.Partidas->Obra()->Des.Clave;
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
          FilasEst2::Clave({partida.Des.Clave, linea.Concepto->Des.Clave, linea.Des.Frente}));
    } else {
      propio = GetTabla(
          Conexion,
          "select * from EST2 where OBRA = ? and PARTIDA = ? and CONCEPTO = ? and FRENTE = ? "
          "order by ESTIMACION",
          {Valor(obra), Valor(partida.Des.Clave), Valor(linea.Concepto->Des.Clave),
           Valor(linea.Des.Frente)},
          sErrores);
      rs = propio.get();
    }
    if (rs == nullptr || rs->RecordCount() < 1) return 0;
    LectorPorEstimacion lector(*rs);
    auto lee = [&](int64_t i) {
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
      return e;
    };
    int64_t i = 0;
    CargaFilas(i, rs->RecordCount(), "Estimaciones por concepto", sErrores, lee,
               [](EstimacionPresup&) { return true; });
    if (propio) RsOut(propio, sErrores);
    return 0;
  });
}

}  // namespace pmq
