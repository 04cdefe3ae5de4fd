#include "model/presups.h"

#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "catalogue/explosion.h"
#include "catalogue/explosion_presup.h"
#include "catalogue/listado_explosion.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/estimaciones_presup.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/programa.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
#include "schedule/reparto.h"

#include <cstdlib>
#include <iostream>

namespace pmq {
namespace {

constexpr std::string_view kAvisoVersion =
    "Parece ser que la versión de la base de datos no es la que se esperaba. Verifique que la base "
    "de "
    "datos sea actualizada con la última versión del MorlaQel.";
constexpr std::string_view kTituloAvisoVersion = "ControlQel";

}  // namespace

ResultadoCarga Presups::Carga(Conexion* Conexion, std::string& sErrores) {
  int64_t i = 0;
  try {
    pmq::Programa* programa = Programa(sErrores);
    if (programa == nullptr) throw ErrorQel(errores::kObjeto);
    pmq::Obra& obra = *Partida()->Partidas->Obra();

    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from PRESUPS where OBRA = ? and PARTIDA = ? order by ORDEN",
                 {Valor(obra.Des.Clave), Valor(Partida()->Des.Clave)}, sErrores);
    if (rs && rs->RecordCount() >= 1) {
      rs->MoveFirst();
      auto lee = [&](int64_t) {
        auto p = std::make_unique<Presup>(this);
        p->Des.Parent = p.get();
        const std::string concepto = rs->Fields("CONCEPTO").Texto();
        const std::string frente = rs->Fields("FRENTE").Texto();
        p->Des.Clave =
            rs->Fields("OBRA").Texto() + rs->Fields("PARTIDA").Texto() + frente + concepto;
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
          p->Des.Importe =
              Moneda::DesdeDouble(Redondea(p->Des.Costo.ADouble() * p->Des.Cantidad, 2));
          if (programa->DesglosarConceptos) DesglosaLinea(Conexion, *p, sErrores);
        }
        p->Des.Frente = frente;

        // One share per period of the calendar.
        p->PeriodosPorItem->Presup = p.get();
        p->PeriodosPorItem->Reparte(programa->Periodos->Count(sErrores), sErrores);
        if (programa->CuadrarCentavos) {
          Reparto::CuadraPartes(*p->PeriodosPorItem, p->Des.Importe, p->Des.Cantidad);
        }

        // What the estimates billed of the line; the last one is its highest.
        p->EstimacionesPresup->Carga(Conexion, sErrores);
        if (p->EstimacionesPresup->Count() != 0) {
          const EstimacionPresup* ultima =
              p->EstimacionesPresup->Item(p->EstimacionesPresup->Count());
          if (obra.NoEstimaciones < ultima->NoEstimacion)
            obra.NoEstimaciones = ultima->NoEstimacion;
        }
        return p;
      };
      CargaFilas(i, rs->RecordCount(), "Partida " + Partida()->Des.Clave, sErrores, lee,
                 [&](Presup&) {
                   rs->MoveNext();
                   return true;
                 });
    }
    RsOut(rs, sErrores);
    return ResultadoCarga::Correcta;
  } catch (...) {
    const ErrorActual error = ErrorDeExcepcionActual();
    if (error.numero == errores::kCampo) {
      // A column this loader reads is missing: the database predates it.
      MsgBox(kAvisoVersion, kMsgExclamacion, kTituloAvisoVersion);
      return ResultadoCarga::Desactualizada;
    }
    sErrores += TextoExcepcion("ProMorlaQel", "Presups", "Carga", error.numero, error.descripcion);
    MsgBox(sErrores + " " + std::to_string(i) + " ");
    return ResultadoCarga::Fallida;
  }
}

void Presups::DesglosaLinea(Conexion* Conexion, Presup& linea, std::string& sErrores) {
  pmq::Concepto& concepto = *linea.Concepto;
  // The first line of a concept breaks it down once, per unit; every line
  // then reads the concept's summaries scaled by its own quantity.
  if (!concepto.Explosion) {
    Partida()->Partidas->Obra()->ExplotaConcepto(Conexion, &concepto, sErrores);
    ImprimeExplosion(&concepto, sErrores);
  }
  if (!concepto.Explosion) throw ErrorQel(errores::kObjeto);
  linea.Explosion = std::make_unique<ExplosionPresup>(concepto, linea.Des.Cantidad);
}

void Presups::ImprimeExplosion(pmq::Concepto* oConcepto, std::string& sErrores) {
  Protege(sErrores, "Presups", "ImprimeExplosion", [&] {
    if (oConcepto == nullptr) throw ErrorQel(errores::kObjeto);
    // With the diagnostic output off nobody would read the listing, and
    // writing it into a discarded string cannot fail: it is not written.
    if (SalidaDiagnostico()) EscribeExplosion(*oConcepto, std::cerr);
  });
}

bool Presups::SalidaDiagnostico() {
  static const bool activa = [] {
    const char* valor = std::getenv("PMQ_DIAGNOSTICO");
    return valor != nullptr && std::string_view(valor) == "1";
  }();
  return activa;
}

pmq::Programa* Presups::Programa(std::string& sErrores) const {
  return Protege<pmq::Programa*>(sErrores, "Presups", "Programa", nullptr, [&]() -> pmq::Programa* {
    if (Partida()->Partidas == nullptr) throw ErrorQel(errores::kObjeto);
    return Partida()->Partidas->Obra()->Programa;
  });
}

}  // namespace pmq
