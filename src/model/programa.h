#pragma once
// The root object: options, database settings and every top-level object of
// the model; CalcularPrograma loads and computes the whole work.

#include <promorlaqel/catalogue/conceptos.h>
#include <promorlaqel/catalogue/costos_horarios.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/db/conexion.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>
#include <promorlaqel/model/obra.h>
#include <promorlaqel/reports/program/programas_ctrl.h>
#include <promorlaqel/reports/summary/resumenes_ctrl.h>
#include <promorlaqel/schedule/periodos.h>

#include <cstdint>
#include <memory>
#include <string>

namespace pmq {

class PMQ_API Programa : public Entidad {
 public:
  /// Creates, in this order, the two report controllers, the hourly costs, the
  /// catalogue, the work, the calendar and the descriptor; sets the defaults.
  Programa();
  ~Programa() override;
  Programa(const Programa&) = delete;
  Programa& operator=(const Programa&) = delete;

  std::string Empresa;
  std::string Leyenda1;
  std::string Leyenda2;
  std::unique_ptr<ProgramasCtrl> ProgramasObraCtrl;
  std::unique_ptr<ResumenesCtrl> ResumenesEstCtrl;
  /// The open connection: given by the host (not owned), or opened from Ruta by
  /// CalcularPrograma (then owned by the root and reused by later calls).
  pmq::Conexion* Conexion = nullptr;
  std::string Ruta;
  enumTipoPeriodo TipoPeriodo = enumMensual;
  Cuerpo Des;
  std::unique_ptr<pmq::Obra> Obra;
  std::string ClaveObra;
  bool NombreLargoObra = true;
  bool NombreLargoPartida = true;
  bool NombreLargoConcepto = true;
  bool DesglosarConceptos = true;
  bool DesglosarMaquinaria = false;
  bool UnidadesComerciales = false;
  std::unique_ptr<pmq::Conceptos> Conceptos;
  std::unique_ptr<pmq::CostosHorarios> CostosHorarios;
  double FactorDestajos = 1.3;
  std::unique_ptr<pmq::Periodos> Periodos;
  enumTipoPrograma TipoPrograma = enumTipoPrograma::MaterialesImportes;
  enumTipoCalculoDias TipoCalculoDias = ParaInsumo;
  bool IncluirDesperdicio = true;
  bool IncluirMandoIntermedio = true;
  bool IncluirHerramientaMenor = true;
  bool IncluirIvaMateriales = true;
  bool IncluirIvaSubcontratos = true;
  bool IVA = false;
  /// When set, the last worked period of each line takes the rounding
  /// difference of the per-day spread, so a line's shares add up to its
  /// quantity and amount. Off by default: the even spread stays as it is.
  bool CuadrarCentavos = false;
  /// When cleared before the calculation, the detail that only serves to
  /// break concepts down is dropped once used: each concept's breakdown keeps
  /// its totals but not its lines (`Explosion::Items`), its summaries only as
  /// compact records (`Explosion::CompactaResumenes`: `ResumenMat` to
  /// `Resumen` are then empty, and the budget lines' views read the records),
  /// and the catalogue forgets the analysis rows it read. The reports read
  /// only the lines' views of the summaries, and that detail is the biggest
  /// part of a large work's memory. Set by default, so every accessor, the
  /// JSON dump and the listing see it.
  bool ConservarDesglose = true;
  /// When cleared before the calculation, each estimate's lines
  /// (`Estimacion::ItemsEstimacion`) are dropped as soon as they are read:
  /// the reports read what each line billed (`Presup::EstimacionesPresup`)
  /// and each estimate's own record, and a large work has hundreds of
  /// thousands of estimate lines. They are still read, so what their load
  /// reports is reported the same. Set by default, like ConservarDesglose.
  bool ConservarLineasEstimacion = true;

  /// Loads and computes the whole work. 1 = done, 2 = outdated database (the
  /// user was warned; estimates not loaded), 0 = no usable connection, a
  /// connection lost during the load, or a failure of the driver itself.
  ResultadoCarga CalcularPrograma(std::string& sErrores);
  ResultadoCarga CalcularPrograma() {
    std::string sErrores;
    return CalcularPrograma(sErrores);
  }

 private:
  std::unique_ptr<pmq::Conexion> conexion_propia_;
};

}  // namespace pmq
