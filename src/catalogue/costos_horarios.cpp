#include "catalogue/costos_horarios.h"

#include "catalogue/conceptos.h"
#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "model/programa.h"

namespace pmq {
namespace {

// Components in the order they are filled: name, concept column, quantity column.
struct ColumnasComponente {
  const char* nombre;
  const char* concepto;
  const char* cantidad;  // nullptr: the quantity is always 1
};
constexpr ColumnasComponente kColumnas[] = {
    {"Gasolina", "GASOLINA", "CANT_GAS"},        {"Diesel", "DIESEL", "CANT_DIE"},
    {"Aceite", "ACEITE", "CANT_ACEI"},           {"Cuadrilla", "CUADRILLA", "CANT_OPER"},
    {"PzasEspeciales", "PZAS_ESP", "CANT_PZAS"}, {"Llantas", "LLANTAS", "CANT_LLAN"},
    {"OtrosConsumos", "O_CONSUM", nullptr},      {"OtrasFuentes", "O_FUENTES", "C_OTRAS"},
};

}  // namespace

void CostosHorarios::Carga(Conexion* Conexion, std::string& sErrores) {
  try {
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from MAQUINA order by MAQUINA", {}, sErrores);
    if (!rs || rs->RecordCount() < 1) return;
    const int64_t total = rs->RecordCount();
    rs->MoveFirst();
    for (int64_t i = 1; i <= total; ++i) {
      auto ch = std::make_unique<CostoHorario>();
      ch->CostosHorarios = this;
      ch->Des.Clave = rs->Fields("MAQUINA").Texto();
      ch->Des.Unidad = rs->Fields("UNIDAD").Texto();
      ch->Des.Costo = rs->Fields("VAL_A1").ComoMoneda();
      ch->Des.Descripcion = rs->Fields("NOMBRE1").Texto() + " " + rs->Fields("NOMBRE2").Texto() +
                            " " + rs->Fields("NOMBRE3").Texto();
      ch->Info.Capacidad = rs->Fields("CAPACIDAD").Texto();
      ch->Info.Marca = rs->Fields("MARCA").Texto();
      ch->Info.Modelo = rs->Fields("MODELO").Texto();
      ch->Info.Origen = rs->Fields("ORIGEN").Texto();
      ch->Info.Ubicacion = rs->Fields("UBICACION").Texto();
      ch->Tipo = enumTipoConcepto::CostoHorario;
      for (const auto& col : kColumnas) {
        ItemCostoHorario* item = ch->ItemsCostoHorario.Item(col.nombre);
        item->Nombre = col.nombre;
        // Appending rather than "k" + text: GCC 12 at -O3 misreports the
        // latter as an overlapping copy (a -Wrestrict false positive).
        std::string clave(1, 'k');
        clave += rs->Fields(col.concepto).Texto();
        item->Concepto = Programa->Conceptos->Item(clave);
        item->FactorActivo = 1;
        item->FactorEspera = 1;
        item->FactorReserva = 1;
        item->Cantidad = col.cantidad != nullptr ? rs->Fields(col.cantidad).Double() : 1.0;
      }
      AddByObject(std::move(ch), sErrores);
      rs->MoveNext();
      CedeAlHost("Costos horarios", i, total);
    }
    RsOut(rs, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "CostosHorarios", "Carga");
  }
}

int32_t CostosHorarios::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "CostosHorarios", "Count");
    return 0;
  }
}

void CostosHorarios::AddByObject(std::unique_ptr<CostoHorario> oCostoHorario,
                                 std::string& sErrores) {
  try {
    if (!oCostoHorario) return;
    const std::string clave = "k" + oCostoHorario->Des.Clave;
    items_.Add(std::move(oCostoHorario), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "CostosHorarios", "AddByObject");
  }
}

}  // namespace pmq
