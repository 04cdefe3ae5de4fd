#include "estimates/estimaciones.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/items_estimacion.h"
#include "estimates/lector_por_estimacion.h"
#include "model/obra.h"

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
  try {
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from EST1 where OBRA = ? order by ESTIMACION",
                 {Valor(Obra->Des.Clave)}, sErrores);
    if (!rs || rs->RecordCount() < 1) return;
    const int64_t total = rs->RecordCount();
    LectorPorEstimacion lector(*rs);
    for (int64_t i = 1; i <= total; ++i) {
      lector.VeA(i);
      auto e = std::make_unique<Estimacion>();
      e->Estimaciones = this;
      e->Des.Clave = rs->Fields("ESTIMACION").Texto();
      e->Des.Fecha = FechaOHoy(rs->Fields("FECHA_EST"));
      e->Des.Inicio = FechaOHoy(rs->Fields("INI_EST"));
      e->Des.Final = FechaOHoy(rs->Fields("FIN_EST"));
      e->Deducciones = rs->Fields("DEDUC_EST").ComoMoneda();
      e->Amortizacion = rs->Fields("AMORT_EST").ComoMoneda();
      e->IVAAmortizacion = rs->Fields("IVA_AMORT").ComoMoneda();
      Estimacion* estimacion = e.get();
      AddByObject(std::move(e), sErrores);
      // A rejected estimate (its number repeated) still loads its lines, then is dropped.
      estimacion->ItemsEstimacion->Estimacion = estimacion;
      estimacion->ItemsEstimacion->Carga(Conexion, sErrores);
      CedeAlHost("Estimaciones", i, total);
    }
    RsOut(rs, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "Estimaciones", "Carga");
  }
}

int32_t Estimaciones::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "Estimaciones", "Count");
    return 0;
  }
}

pmq::Programa* Estimaciones::Programa(std::string& sErrores) const {
  try {
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    return Obra->Programa;
  } catch (...) {
    AnotaExcepcion(sErrores, "Estimaciones", "Programa");
    return nullptr;
  }
}

void Estimaciones::AddByObject(std::unique_ptr<Estimacion>&& oEstimacion, std::string& sErrores) {
  try {
    if (!oEstimacion) return;
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    const std::string clave = "k" + Obra->Des.Clave + oEstimacion->Des.Clave;
    if (items_.Contiene(clave)) throw ErrorQel(errores::kClaveDuplicada);
    items_.Add(std::move(oEstimacion), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Estimaciones", "AddByObject");
  }
}

}  // namespace pmq
