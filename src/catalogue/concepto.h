#pragma once

#include <promorlaqel/catalogue/explosion.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Conceptos;
class CostoHorario;
class Conexion;

/// One concept of the catalogue: a basic input or a composite with its analysis.
class PMQ_API Concepto : public Entidad {
 public:
  Concepto() = default;

  pmq::Conceptos* Conceptos = nullptr;
  std::unique_ptr<pmq::Explosion> Explosion;  ///< breakdown per one unit, once broken down
  Cuerpo Des;
  enumTipoConcepto Tipo = enumTipoConcepto::Ninguno;
  std::string CMaquina;
  int TipoCostoHorario = 0;  ///< enumTipoCostoHorario value, 0 when the database gives none
  pmq::CostoHorario* CostoHorario = nullptr;  ///< the machine's analysis, once broken down

  /// Breaks this concept down into inputs, appending one line per input reached
  /// to Explo (created when empty): depth first through the analyses (MATRICES)
  /// of composites and, when the root's DesglosarMaquinaria is on, through the
  /// hourly cost components of machines. Cantidad is this concept's quantity
  /// along the path; ConceptoOrigen and EsInsumoMaquina are recorded on the
  /// lines. An analysis that reaches itself again is cut there and reported.
  /// A breakdown deeper than 1,000 analyses (error 28) or of more than
  /// 2,000,000 inputs and analyses (error 7) stops whole, reported once with
  /// the concept's code.
  /// Always returns false.
  bool ExplotaMe(Conexion* Conexion, pmq::Concepto* ConceptoOrigen, double Cantidad,
                 bool EsInsumoMaquina, std::unique_ptr<pmq::Explosion>& Explo,
                 std::string& sErrores);

 private:
  /// ExplotaMe with the composites and machines being broken down above this call.
  void Explota(Conexion* Conexion, pmq::Concepto* ConceptoOrigen, double Cantidad,
               bool EsInsumoMaquina, std::unique_ptr<pmq::Explosion>& Explo,
               std::vector<const Concepto*>& ruta, int64_t& visitas, std::string& sErrores);
  /// Appends the line of an input.
  void AgregaLinea(pmq::Concepto* ConceptoOrigen, double Cantidad, bool EsInsumoMaquina,
                   std::unique_ptr<pmq::Explosion>& Explo, std::string& sErrores);
  /// The work's machine factor for an hourly cost component of this machine
  /// (0 on failure; the failure text goes nowhere).
  double GetFacMaqFactor(std::string_view Nombre, int TipoCostoHorario);
};

}  // namespace pmq
