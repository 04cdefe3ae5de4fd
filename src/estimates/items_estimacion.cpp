#include "estimates/items_estimacion.h"

#include "catalogue/conceptos.h"
#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/estimacion.h"
#include "estimates/estimaciones.h"
#include "estimates/filas_est2.h"
#include "model/obra.h"
#include "model/programa.h"

namespace pmq {

void ItemsEstimacion::Carga(Conexion* Conexion, std::string& sErrores) {
  Protege(sErrores, "ItemsEstimacion", "Carga", [&] {
    std::string sin_uso;
    pmq::Programa* programa = Programa(sin_uso);
    if (programa == nullptr || !programa->Obra) throw ErrorQel(errores::kObjeto);
    const std::string& obra = programa->Obra->Des.Clave;
    // The rows of every estimate come from one read of the work's EST2 rows
    // when the estimate's number is a plain whole number; else from a query.
    std::unique_ptr<Recordset> propio;
    Recordset* rs = nullptr;
    const std::string& numero = Estimacion()->Des.Clave;
    pmq::Estimaciones* estimaciones = Estimacion()->Estimaciones;
    const bool numero_simple = !numero.empty() && numero.size() < 18 &&
                               numero.find_first_not_of("0123456789") == std::string::npos &&
                               (numero == "0" || numero[0] != '0');
    FilasEst2* filas = estimaciones != nullptr ? &estimaciones->Est2PorEstimacion() : nullptr;
    if (filas != nullptr && numero_simple && filas->Habilitada() && !filas->Intentada(Conexion)) {
      filas->Lee(Conexion, obra,
                 {{"ESTIMACION"},
                  true,
                  "ORDEN",
                  {"CONCEPTO", "OBRA", "PARTIDA", "FRENTE", "CANT_EST", "PUNIT", "IMPORTE"}});
    }
    if (filas != nullptr && numero_simple && filas->Intentada(Conexion) && filas->Leida()) {
      rs = filas->Busca(FilasEst2::Clave({numero}));
    } else {
      propio =
          GetTabla(Conexion, "select * from EST2 where OBRA = ? and ESTIMACION = ? order by ORDEN",
                   {Valor(obra), Valor(numero)}, sErrores);
      rs = propio.get();
    }
    if (rs == nullptr || rs->RecordCount() < 1) return;
    rs->MoveFirst();
    auto lee = [&](int64_t) {
      auto linea = std::make_unique<ItemEstimacion>();
      linea->ItemsEstimacion = this;
      const std::string concepto = rs->Fields("CONCEPTO").Texto();
      linea->Des.Clave = rs->Fields("OBRA").Texto() + rs->Fields("PARTIDA").Texto() +
                         rs->Fields("FRENTE").Texto() + concepto;
      linea->Des.Cantidad = rs->Fields("CANT_EST").Double();
      linea->Des.Costo = rs->Fields("PUNIT").ComoMoneda();
      linea->Des.Importe = rs->Fields("IMPORTE").ComoMoneda();
      if (programa->Conceptos) linea->Concepto = programa->Conceptos->Item("k" + concepto);
      return linea;
    };
    int64_t i = 0;
    CargaFilas(i, rs->RecordCount(), "Estimación " + Estimacion()->Des.Clave, sErrores, lee,
               [&](ItemEstimacion&) {
                 rs->MoveNext();
                 return true;
               });
    if (propio) RsOut(propio, sErrores);
  });
}

pmq::Programa* ItemsEstimacion::Programa(std::string& sErrores) const {
  return Protege<pmq::Programa*>(sErrores, "ItemsEstimacion", "Programa", nullptr,
                                 [&]() -> pmq::Programa* {
                                   if (Estimacion()->Estimaciones == nullptr)
                                     throw ErrorQel(errores::kObjeto);
                                   return Estimacion()->Estimaciones->Obra()->Programa;
                                 });
}

}  // namespace pmq
