#include "cli/escritura_libros.h"

#include "cli/calculo.h"
#include "model/programa.h"
#include "reports/program/frm_programas_obra.h"
#include "reports/program/programas_ctrl.h"
#include "reports/summary/frm_resumen_estimaciones.h"
#include "reports/summary/rejilla.h"
#include "reports/summary/resumenes_ctrl.h"

#include <filesystem>

namespace pmq::cli {

bool EscrituraLibros::Programa(Calculo& calculo, const std::string& ruta, int tipo, bool cantidades,
                               const Pregunta& pregunta) {
  pmq::Programa& p = calculo.Raiz();
  HostConsola& consola = calculo.Consola();
  consola.EstableceRutaDialogo(ruta);

  bool escrito = false;
  std::string errores_exportacion;
  consola.EstableceManejadorForma([&](Forma& f) {
    auto* forma = dynamic_cast<frmProgramasObra*>(&f);
    if (forma == nullptr) return;
    if (pregunta && !pregunta(*forma)) {
      forma->cmdCerrar_Click();
      return;
    }
    if (!pregunta) forma->comTipoPrograma.Selecciona(tipo);
    if (cantidades) forma->opCantidades_Click();
    forma->cmdAExcel_Click();
    escrito = forma->ResultadoAExcel;
    errores_exportacion = forma->ErroresAExcel;
  });

  ProgramasCtrl& ctrl = *p.ProgramasObraCtrl;
  ctrl.Programa = &p;
  std::string errores_inicio;
  ctrl.Inicia(errores_inicio);
  consola.EstableceManejadorForma({});
  calculo.Errores() += errores_exportacion + errores_inicio;
  return escrito;
}

EscrituraLibros::Resumen EscrituraLibros::EscribeResumen(Calculo& calculo, const std::string& ruta,
                                                         bool punit_por_estimacion) {
  pmq::Programa& raiz = calculo.Raiz();
  ResumenesCtrl& ctrl = *raiz.ResumenesEstCtrl;
  ctrl.Programa = &raiz;
  ctrl.PUnitPorEstimacion = punit_por_estimacion;

  HostConsola& consola = calculo.Consola();
  Resumen r;
  size_t mensajes_antes = 0;
  bool exportado = false;
  consola.EstableceRutaDialogo(ruta);
  consola.EstableceManejadorForma([&](Forma& forma) {
    auto* frm = dynamic_cast<frmResumenEstimaciones*>(&forma);
    if (frm == nullptr || frm->Controlador == nullptr) return;
    if (!ruta.empty()) {
      mensajes_antes = consola.Mensajes().size();
      frm->Controlador->AExcel(r.errores_exportacion);
      exportado = true;
    }
    frm->cmdCerrar_Click();
  });
  ctrl.Inicia(r.errores_resumen);
  consola.EstableceManejadorForma({});
  r.rejilla = ctrl.Grid();

  r.bien = calculo.Resultado() == 1 && r.errores_resumen.empty();
  if (!ruta.empty()) {
    // A failed final write of the workbook is told in a message box.
    const bool sin_avisos = consola.Mensajes().size() == mensajes_antes;
    r.bien = r.bien && exportado && r.errores_exportacion.empty() && sin_avisos &&
             std::filesystem::exists(ruta);
  }
  return r;
}

}  // namespace pmq::cli
