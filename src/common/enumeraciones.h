#pragma once
// The enumerations of the library's interface. Names and values are fixed:
// databases and hosts store the values.

#include <cstdint>

namespace pmq {

/// What CalcularPrograma and the loaders of the work (Obra, Partidas, Presups)
/// report. The values are those the JSON dump and the program's exit statuses
/// carry.
enum class [[nodiscard]] ResultadoCarga : int32_t{
    Fallida = 0,         ///< no usable connection, or the database driver itself failed
    Correcta = 1,        ///< loaded (and, for CalcularPrograma, computed)
    Desactualizada = 2,  ///< outdated database: the user was warned; estimates not loaded
};

// The member names of the first three repeat class names of the model
// (CostoHorario) or each other (Ninguno), so they are scoped.

enum class enumTipoConcepto : int {
  Ninguno = 0,
  Material = 1,
  ManoDeObra = 2,
  Maquinaria = 3,
  Basico = 4,
  PrecioUnitario = 5,
  Subcontrato = 6,
  Indirecto = 7,
  Cuadrilla = 8,
  IntegradoIndirecto = 9,
  CostoHorario = 10,
};

enum class enumTipoCostoHorario : int {
  Activo = 1,
  Espera = 2,
  Reserva = 3,
};

enum enumTipoPeriodo : int {
  enumQuincenal = 0,
  enumMensual = 1,
};

enum enumTipoCalculoDias : int {
  ParaInsumo = 1,
  ParaConcepto = 2,
};

enum class enumTipoPrograma : int {
  Ninguno = -1,
  TotalImportes = 0,
  TotalCantidades = 1,
  MaterialesCantidades = 2,
  MaterialesImportes = 3,
  ManoDeObraCantidades = 4,
  ManoDeObraImportes = 5,
  MaquinariaCantidades = 6,
  MaquinariaImportes = 7,
};

enum enumTipoProgramaMensual : int {
  etpAvanceFisico = 0,
  etpAvanceFinanciero = 1,
  etpPorConceptosMateriales = 2,
  etpPorConceptosMaquinaria = 3,
  etpPorConceptosManoDeObra = 4,
};

}  // namespace pmq
