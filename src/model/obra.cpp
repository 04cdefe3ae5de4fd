#include "model/obra.h"

#include "catalogue/concepto.h"
#include "catalogue/explosion.h"
#include "common/error_qel.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "estimates/estimaciones.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "schedule/filas_programa.h"
#include "schedule/periodos.h"

namespace pmq {
namespace {

// Machine factor triples: key, standby column, reserve column.
struct ColumnasFactor {
  const char* clave;
  const char* espera;
  const char* reserva;
};
constexpr ColumnasFactor kFactores[] = {
    {"Dep", "F_DEP", "F_DEPE"}, {"Inv", "F_INV", "F_INVE"}, {"Seg", "F_SEG", "F_SEGE"},
    {"Man", "F_MAN", "F_MANE"}, {"Ope", "F_OPE", "F_OPEE"}, {"Com", "F_COM", "F_COME"},
    {"Lub", "F_LUB", "F_LUBE"}, {"Lla", "F_LLA", "F_LLAE"}, {"Otr", "F_OTR", "F_OTRE"},
};

}  // namespace

Obra::Obra(pmq::Programa* programa) : Programa(programa) {
  for (const auto& f : kFactores) FactoresMaquinaria.Add(std::make_unique<FacMaq>(), f.clave);
  Partidas = std::make_unique<pmq::Partidas>(this);
  Estimaciones = std::make_unique<pmq::Estimaciones>(this);
  FPro = std::make_unique<pmq::FilasPrograma>();
  std::string sin_errores;
  for (const char* fila : {"kTotal", "kTotalAcumulado", "kTotalMateriales", "kTotalManoDeObra",
                           "kTotalMaquinaria", "kTotalSubcontratos"}) {
    FPro->Add(fila, sin_errores);
  }
}

Obra::~Obra() = default;

ResultadoCarga Obra::Carga(Conexion* Conexion, std::string& sErrores) {
  ResultadoCarga resultado = ResultadoCarga::Fallida;
  std::unique_ptr<Recordset> rs;
  return Protege<ResultadoCarga>(sErrores, "Obra", "Carga", resultado, [&]() -> ResultadoCarga {
    NoEstimaciones = 0;
    Encontrada = false;
    // Codes are compared without regard to case: a code typed in another
    // case than the stored one is replaced by the stored one, which every
    // later query binds. An exact match wins over a case-folded one.
    {
      std::unique_ptr<Recordset> exacta =
          GetTabla(Conexion, "select OBRA from OBRAS where OBRA = ?", {Valor(Programa->ClaveObra)},
                   sErrores);
      if (exacta && exacta->RecordCount() == 0) {
        std::unique_ptr<Recordset> parecida =
            GetTabla(Conexion, "select OBRA from OBRAS where upper(OBRA) = upper(?) order by OBRA",
                     {Valor(Programa->ClaveObra)}, sErrores);
        if (parecida && parecida->RecordCount() >= 1) {
          parecida->MoveFirst();
          Programa->ClaveObra = parecida->Fields("OBRA").Texto();
        }
      }
    }
    rs = GetTabla(Conexion,
                  "select * from OBRAS As  O, FSR As  S, FACMAQ As  M, FSCD As  F "
                  "where O.OBRA = S.OBRA and O.OBRA = M.OBRA and O.OBRA = F.OBRA and O.OBRA = ?",
                  {Valor(Programa->ClaveObra)}, sErrores);
    if (!rs || rs->RecordCount() == 0) return ResultadoCarga::Correcta;
    rs->MoveFirst();
    Encontrada = true;
    Des.Clave = Programa->ClaveObra;
    Des.Descripcion = rs->Fields("NOMBREOBRA").Texto();
    Des.Enca1 = rs->Fields("LINHEAD1").Texto();
    Des.Enca2 = rs->Fields("LINHEAD2").Texto();
    Des.Enca3 = rs->Fields("LINHEAD3").Texto();
    if (!rs->Fields("INICIO").EsNulo()) {
      Des.Inicio = rs->Fields("INICIO").ComoFecha();
    } else {
      MsgBox("No se tiene fecha de inicio de obra");
      Programa->TipoPrograma = enumTipoPrograma::Ninguno;
    }
    if (!rs->Fields("FINAL").EsNulo()) {
      Des.Final = rs->Fields("FINAL").ComoFecha();
    } else {
      MsgBox("No se tiene fecha de terminación de obra");
      Programa->TipoPrograma = enumTipoPrograma::Ninguno;
    }
    DiasObra = EnteroPar(static_cast<double>(Des.Final - Des.Inicio) + 1);
    if (Programa->NombreLargoObra) {
      std::string largo = rs->Fields("DESC_OBRA").Texto();
      if (!largo.empty()) Des.Descripcion = std::move(largo);
    }
    for (const auto& f : kFactores) {
      FacMaq* t = FactoresMaquinaria.Item(f.clave);
      t->FAct = 1;
      t->FEsp = rs->Fields(f.espera).Double();
      t->FRes = rs->Fields(f.reserva).Double();
    }
    // The start date is read once more without the null test: a work without
    // a start date fails here and loads nothing further.
    Des.Inicio = rs->Fields("INICIO").ComoFecha();
    IVAMat = rs->Fields("VIVIENDA").Booleano();
    IVA = rs->Fields("IVAAPLIC").Double();
    FacDe = rs->Fields("DESPMAT").Double() * 0.01;
    FacMI = rs->Fields("FACTMI").Double() * 0.01;
    FacHM = rs->Fields("FACTHMT").Double() * 0.01;
    // The calendar comes before the sections: every line gets one share per period.
    Programa->Periodos->GeneraPeriodos(sErrores);
    const ResultadoCarga partidas = Partidas->Carga(Conexion, sErrores);
    // Every line is broken down by now: analysis rows that only served that go
    // before the estimates are read, the largest tables of a work.
    if (!Programa->ConservarDesglose) Programa->Conceptos->OlvidaAnalisis();
    if (partidas == ResultadoCarga::Desactualizada) {
      resultado = ResultadoCarga::Desactualizada;
    } else {
      CalculaTotalesPeriodo();
      Estimaciones->Carga(Conexion, sErrores);
      resultado = ResultadoCarga::Correcta;
    }
    rs.reset();
    return resultado;
  });
}

void Obra::CalculaTotalesPeriodo() {
  const int32_t periodos = Programa->Periodos->Count();
  const bool cuadrar = Programa->CuadrarCentavos;
  FPro->Inicia(periodos);
  for (Partida* partida : *Partidas) {
    if (partida == nullptr) continue;
    partida->FPro->Inicia(periodos);
    if (partida->Presups) {
      for (const Presup* linea : *partida->Presups) {
        if (linea != nullptr) partida->FPro->Suma(*linea, cuadrar);
      }
    }
    partida->FPro->Acumula();
    FPro->Suma(*partida->FPro);
  }
  FPro->Acumula();
}

void Obra::ExplotaConcepto(Conexion* Conexion, pmq::Concepto* Concepto, std::string& sErrores) {
  Protege(sErrores, "Obra", "ExplotaConcepto", [&] {
    if (Programa == nullptr || Concepto == nullptr) throw ErrorQel(errores::kObjeto);
    const pmq::Programa& p = *Programa;
    // Waste of materials, then minor tools and intermediate supervision of labour.
    double desperdicio = 1;
    if (p.IncluirDesperdicio) desperdicio = 1 + FacDe;
    double mano_de_obra = 1;
    if (p.IncluirHerramientaMenor) mano_de_obra = 1 + FacHM;
    if (p.IncluirMandoIntermedio) mano_de_obra = mano_de_obra + FacMI;
    const double iva = p.IncluirIvaMateriales ? IVA : 0.0;
    auto explosion = std::make_unique<pmq::Explosion>();
    Concepto->ExplotaMe(Conexion, Concepto, 1, false, explosion, sErrores);
    explosion->Opera(1, iva, p.IncluirIvaMateriales, desperdicio, mano_de_obra, p.FactorDestajos,
                     true, sErrores);
    if (!p.ConservarDesglose) {
      explosion->LiberaLineas();
      explosion->CompactaResumenes();
    }
    Concepto->Explosion = std::move(explosion);
  });
}

}  // namespace pmq
