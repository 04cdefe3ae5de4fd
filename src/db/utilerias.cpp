#include "db/utilerias.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"

#include <vector>

namespace pmq {

std::unique_ptr<Recordset> GetTabla(Conexion* conexion, std::string_view sql,
                                    std::initializer_list<Valor> parametros,
                                    std::string& sErrores) {
  try {
    if (conexion == nullptr || conexion->State() != kEstadoAbierto) return nullptr;
    // After the link to the database is lost every query would fail the same
    // way: the first failure was noted, the rest of the load finds nothing.
    if (conexion->Perdida()) return nullptr;
    const std::vector<Valor> lista(parametros);
    return conexion->Ejecuta(sql, lista);
  } catch (...) {
    AnotaExcepcion(sErrores, "Utilerias", "GetTabla");
    // A lost link is said once, at the end of the load, not in a box each time.
    if (conexion == nullptr || !conexion->Perdida()) MsgBox(sErrores, kMsgSoloAceptar);
    return nullptr;
  }
}

void RsOut(std::unique_ptr<Recordset>& rs, std::string& sErrores) {
  try {
    if (rs && rs->State() == kEstadoAbierto) {
      rs->Close();
      rs.reset();
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "Utilerias", "RsOut");
  }
}

}  // namespace pmq
