#include "model/programa.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/conexion.h"
#include "db/recordset.h"

#include <strings.h>

namespace pmq {
namespace {

// The connection text for Ruta: a postgresql:// URI or a text that already
// names its "Data Source" is used as it is; a plain path is wrapped.
std::string TextoConexion(const std::string& ruta) {
  if (pmq::Conexion::EsUriServidor(ruta) || ruta.find("://") != std::string::npos) return ruta;
  for (size_t i = 0; i + 12 <= ruta.size(); ++i) {
    if (strncasecmp(ruta.data() + i, "data source=", 12) == 0) return ruta;
  }
  return "Data Source=" + ruta + ";Persist Security Info=False";
}

// Shows the loader messages at once and clears them.
void MuestraYLimpia(std::string& sErrores) {
  if (!sErrores.empty()) {
    MsgBox(sErrores, kMsgSoloAceptar);
    sErrores.clear();
  }
}

}  // namespace

Programa::Programa() {
  ResumenesEstCtrl = std::make_unique<ResumenesCtrl>();
  ProgramasObraCtrl = std::make_unique<ProgramasCtrl>();
  CostosHorarios = std::make_unique<pmq::CostosHorarios>(this);
  Conceptos = std::make_unique<pmq::Conceptos>(this);
  Obra = std::make_unique<pmq::Obra>(this);
  Periodos = std::make_unique<pmq::Periodos>();
}

Programa::~Programa() = default;

ResultadoCarga Programa::CalcularPrograma(std::string& sErrores) {
  ResultadoCarga resultado = ResultadoCarga::Fallida;
  ServiciosHost& host = Host();
  try {
    host.PunteroRaton(kPunteroEspera);
    if (Conexion == nullptr) {
      conexion_propia_ = std::make_unique<pmq::Conexion>();
      Conexion = conexion_propia_.get();
      Conexion->Open(TextoConexion(Ruta), "", "", -1);
      if (Conexion->State() != kEstadoAbierto) {
        host.PunteroRaton(kPunteroNormal);
        return ResultadoCarga::Fallida;
      }
    }
    if (Conexion->State() != kEstadoAbierto) {
      host.PunteroRaton(kPunteroNormal);
      return ResultadoCarga::Fallida;
    }
    Conceptos->Carga(Conexion, sErrores);
    MuestraYLimpia(sErrores);
    CostosHorarios->Carga(Conexion, sErrores);
    MuestraYLimpia(sErrores);
    Periodos->Programa = this;
    Obra->Des.Clave = ClaveObra;
    resultado = Obra->Carga(Conexion, sErrores) == ResultadoCarga::Desactualizada
                    ? ResultadoCarga::Desactualizada
                    : ResultadoCarga::Correcta;
    // A load cut short by a lost connection is no calculation: nothing of it
    // may be reported as if it were the work.
    if (Conexion->Perdida()) resultado = ResultadoCarga::Fallida;
    if (!ConservarDesglose) Conceptos->OlvidaAnalisis();
    host.PunteroRaton(kPunteroNormal);
    return resultado;
  } catch (...) {
    AnotaExcepcion(sErrores, "Programa", "CalcularPrograma");
    host.PunteroRaton(kPunteroNormal);
    return resultado;
  }
}

}  // namespace pmq
