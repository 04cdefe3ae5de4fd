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
  Protege(sErrores, "CostosHorarios", "Carga", [&] {
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from MAQUINA order by MAQUINA", {}, sErrores);
    if (!rs || rs->RecordCount() < 1) return;
    rs->MoveFirst();
    auto lee = [&](int64_t) {
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
        item->Concepto = Programa()->Conceptos->Item(clave);
        item->FactorActivo = 1;
        item->FactorEspera = 1;
        item->FactorReserva = 1;
        item->Cantidad = col.cantidad != nullptr ? rs->Fields(col.cantidad).Double() : 1.0;
      }
      return ch;
    };
    int64_t i = 0;
    CargaFilas(i, rs->RecordCount(), "Costos horarios", sErrores, lee, [&](CostoHorario&) {
      rs->MoveNext();
      return true;
    });
    RsOut(rs, sErrores);
  });
}

}  // namespace pmq
