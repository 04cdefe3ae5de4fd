#include "estimates/estimaciones.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/items_estimacion.h"
#include "estimates/lector_por_estimacion.h"
#include "model/obra.h"
#include "model/programa.h"

namespace pmq {
namespace {

Fecha FechaOHoy(const Valor& v) {
  return v.EsNulo() ? Fecha::Hoy() : v.ComoFecha();
}

}  // namespace

void Estimaciones::Carga(Conexion* Conexion, std::string& sErrores) {
  // The estimates' lines are read once for the whole work and not kept.
  struct Libera {
    FilasEst2& filas;
    ~Libera() { filas.Olvida(); }
  } libera{est2_por_estimacion_};
  est2_por_estimacion_.Olvida();
  est2_por_estimacion_.Habilita();
  Protege(sErrores, "Estimaciones", "Carga", [&] {
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from EST1 where OBRA = ? order by ESTIMACION",
                 {Valor(Obra()->Des.Clave)}, sErrores);
    if (!rs || rs->RecordCount() < 1) return;
    LectorPorEstimacion lector(*rs);
    auto lee = [&](int64_t i) {
      lector.VeA(i);
      auto e = std::make_unique<Estimacion>(this);
      e->Des.Clave = rs->Fields("ESTIMACION").Texto();
      e->Des.Fecha = FechaOHoy(rs->Fields("FECHA_EST"));
      e->Des.Inicio = FechaOHoy(rs->Fields("INI_EST"));
      e->Des.Final = FechaOHoy(rs->Fields("FIN_EST"));
      e->Deducciones = rs->Fields("DEDUC_EST").ComoMoneda();
      e->Amortizacion = rs->Fields("AMORT_EST").ComoMoneda();
      e->IVAAmortizacion = rs->Fields("IVA_AMORT").ComoMoneda();
      return e;
    };
    // A rejected estimate (its number repeated) still loads its lines.
    const pmq::Programa* programa = Obra()->Programa;
    const bool conservar = programa == nullptr || programa->ConservarLineasEstimacion;
    auto tras = [&](Estimacion& e) {
      e.ItemsEstimacion->Carga(Conexion, sErrores);
      if (!conservar) e.ItemsEstimacion = std::make_unique<pmq::ItemsEstimacion>(&e);
      return true;
    };
    int64_t i = 0;
    CargaFilas(i, rs->RecordCount(), "Estimaciones", sErrores, lee, tras);
    RsOut(rs, sErrores);
  });
}

pmq::Programa* Estimaciones::Programa(std::string& /*sErrores*/) const {
  return Obra()->Programa;
}

std::string Estimaciones::Clave(const Estimacion& e) const {
  return "k" + Obra()->Des.Clave + e.Des.Clave;
}

}  // namespace pmq
