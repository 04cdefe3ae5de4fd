#include "reports/summary/dialogo_comun.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"

namespace pmq {

void DialogoComun::Muestra(bool guardar) {
  PeticionDialogo peticion;
  peticion.titulo = DialogTitle;
  peticion.filtro = Filter;
  peticion.patron = FileName;
  peticion.guardar = guardar;
  const RespuestaDialogo respuesta = Host().DialogoArchivo(peticion);
  if (respuesta.cancelado) {
    FileName.clear();
    if (CancelError) throw ErrorQel(errores::kCancelar);
    return;
  }
  FileName = respuesta.ruta;
}

}  // namespace pmq
