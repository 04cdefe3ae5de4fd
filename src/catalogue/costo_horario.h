#pragma once

#include <promorlaqel/catalogue/info_maquina.h>
#include <promorlaqel/catalogue/item_costo_horario.h>
#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <array>
#include <string_view>

namespace pmq {

class CostosHorarios;

/// A machine's hourly cost analysis with its eight components.
class PMQ_API CostoHorario : public Entidad {
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
