#pragma once

#include "catalogue/info_maquina.h"
#include "catalogue/item_costo_horario.h"
#include "common/coleccion.h"
#include "common/enumeraciones.h"
#include "model/cuerpo.h"
#include "model/entidad.h"

#include <array>
#include <string_view>

namespace pmq {

class CostosHorarios;

/// A machine's hourly cost analysis with its eight components.
class CostoHorario : public Entidad {
 public:
  /// The component names in the order the breakdown visits them.
  static constexpr std::array<std::string_view, 8> kComponentes = {
      "Gasolina", "Diesel",  "OtrasFuentes",   "OtrosConsumos",
      "Aceite",   "Llantas", "PzasEspeciales", "Cuadrilla"};

  /// Creates the descriptor, the machine data and the eight empty components.
  CostoHorario();
  ~CostoHorario() override = default;

  pmq::CostosHorarios* CostosHorarios = nullptr;
  Cuerpo Des;
  InfoMaquina Info;
  Coleccion<ItemCostoHorario> ItemsCostoHorario;
  enumTipoConcepto Tipo = enumTipoConcepto::Ninguno;
};

}  // namespace pmq
