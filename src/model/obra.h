#pragma once
// The construction work: header, cost factors, length, sections and estimates.

#include <promorlaqel/catalogue/fac_maq.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <cstdint>
#include <memory>
#include <string>

namespace pmq {

class Programa;
class Partidas;
class Estimaciones;
class FilasPrograma;
class Conexion;
class Concepto;

class PMQ_API Obra : public Entidad {
 public:
  /// Creates the nine factor triples, the sections, estimates, descriptor and program rows.
  /// `programa` is the root that owns the work (none for a work on its own).
  explicit Obra(pmq::Programa* programa = nullptr);
  ~Obra() override;

  pmq::Programa* Programa = nullptr;
  std::unique_ptr<pmq::Partidas> Partidas;
  std::unique_ptr<pmq::Estimaciones> Estimaciones;
  Cuerpo Des;
  double IVA = 0;
  bool IVAMat = false;
  double FacDe = 0;
  double FacMI = 0;
  double FacHM = 0;
  std::unique_ptr<pmq::FilasPrograma> FPro;
  Coleccion<FacMaq> FactoresMaquinaria;
  int32_t DiasObra = 0;
  int32_t NoEstimaciones = 0;
  Moneda ImporteTotal;
  /// True once Carga found the work's header row.
  bool Encontrada = false;

  /// Loads the header row, builds the calendar, loads sections (with their
  /// lines) and estimates. 1 = done (also when there is no header row),
  /// 2 = outdated database, 0 = failed before the end. The work code is
  /// matched without regard to case: ClaveObra "a7" loads work "A7", and the
  /// root's ClaveObra and Des.Clave take the code as stored.
  ResultadoCarga Carga(Conexion* Conexion, std::string& sErrores);

  /// Breaks a concept down per one unit and prices it the way a budget line of
  /// this work does (Opera with volume 1, the work's tax, waste and labour
  /// factors as the root's options select them, and FactorDestajos), then
  /// keeps the breakdown on the concept, replacing any earlier one.
  void ExplotaConcepto(Conexion* Conexion, pmq::Concepto* Concepto, std::string& sErrores);
};

}  // namespace pmq
