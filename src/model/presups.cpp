#include "model/presups.h"

#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/programa.h"

namespace pmq {
namespace {

constexpr std::string_view kAvisoVersion =
    "Parece ser que la versión de la base de datos no es la que se esperaba. Verifique que la base de "
    "datos sea actualizada con la última versión del MorlaQel.";
constexpr std::string_view kTituloAvisoVersion = "ControlQel";

}  // namespace

int32_t Presups::Carga(Conexion* Conexion, std::string& sErrores) {
  int64_t i = 0;
  try {
    pmq::Programa* programa = Programa(sErrores);
    if (programa == nullptr) throw ErrorQel(errores::kObjeto);
    pmq::Obra& obra = *Partida->Partidas->Obra;

    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from PRESUPS where OBRA = ? and PARTIDA = ? order by ORDEN",
                 {Valor(obra.Des.Clave), Valor(Partida->Des.Clave)}, sErrores);
    if (rs && rs->RecordCount() >= 1) {
      const int64_t total = rs->RecordCount();
      const std::string progreso = "Partida " + Partida->Des.Clave;
      rs->MoveFirst();
      for (i = 1; i <= total; ++i) {
        auto p = std::make_unique<Presup>();
        p->Presups = this;
        p->Des.Parent = p.get();
        const std::string concepto = rs->Fields("CONCEPTO").Texto();
        const std::string frente = rs->Fields("FRENTE").Texto();
        p->Des.Clave = rs->Fields("OBRA").Texto() + rs->Fields("PARTIDA").Texto() + frente + concepto;
        const Valor& cantidad = rs->Fields("CANT_PRES");
        p->Des.Cantidad = cantidad.EsNulo() ? 0.0 : cantidad.Double();
        const Valor& aditiva = rs->Fields("ADITIVA");
        p->Des.Aditiva = aditiva.EsNulo() ? 0.0 : aditiva.Double();
        const Valor& deductiva = rs->Fields("DEDUCTIVA");
        p->Des.Deductiva = deductiva.EsNulo() ? 0.0 : deductiva.Double();
        p->Des.Actividad = concepto + frente;
        const Valor& inicio = rs->Fields("FECHA_INI");
        p->Des.Inicio = inicio.EsNulo() ? Fecha::Hoy() : inicio.ComoFecha();
        const Valor& final_ = rs->Fields("FECHA_FIN");
        p->Des.Final = final_.EsNulo() ? Fecha::Hoy() : final_.ComoFecha();
        p->Des.Costo = rs->Fields("PUNIT").ComoMoneda();
        p->Des.Importe = rs->Fields("IMPORTE").ComoMoneda();

        p->Concepto = programa->Conceptos->Item("k" + concepto);
        if (p->Concepto != nullptr) {
          p->Des.Descripcion = p->Concepto->Des.Descripcion;
          p->Des.Unidad = p->Concepto->Des.Unidad;
          p->Des.Importe = Moneda::DesdeDouble(Redondea(p->Des.Costo.ADouble() * p->Des.Cantidad, 2));
        }
        p->Des.Frente = frente;

        AddByObject(std::move(p), sErrores);
        rs->MoveNext();
        CedeAlHost(progreso, i, total);
      }
    }
    RsOut(rs, sErrores);
    return 1;
  } catch (...) {
    const ErrorActual error = ErrorDeExcepcionActual();
    if (error.numero == errores::kCampo) {
      // A column this loader reads is missing: the database predates it.
      MsgBox(kAvisoVersion, kMsgExclamacion, kTituloAvisoVersion);
      return 2;
    }
    sErrores += TextoExcepcion("ProMorlaQel", "Presups", "Carga", error.numero, error.descripcion);
    MsgBox(sErrores + " " + std::to_string(i) + " ");
    return 0;
  }
}

pmq::Programa* Presups::Programa(std::string& sErrores) const {
  try {
    if (Partida == nullptr || Partida->Partidas == nullptr || Partida->Partidas->Obra == nullptr) {
      throw ErrorQel(errores::kObjeto);
    }
    return Partida->Partidas->Obra->Programa;
  } catch (...) {
    AnotaExcepcion(sErrores, "Presups", "Programa");
    return nullptr;
  }
}

void Presups::AddByObject(std::unique_ptr<Presup> oPresup, std::string& sErrores) {
  try {
    if (!oPresup) return;
    const std::string clave = "k" + oPresup->Des.Clave;
    items_.Add(std::move(oPresup), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Presups", "AddByObject");
  }
}

}  // namespace pmq
