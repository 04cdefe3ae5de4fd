#include "catalogue/conceptos.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "model/programa.h"

namespace pmq {

void Conceptos::Carga(Conexion* Conexion, std::string& sErrores) {
  int64_t i = 0;
  try {
    matrices_.Olvida();
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from CONCEPTO order by TIPO, CONCEPTO", {}, sErrores);
    if (!rs || rs->RecordCount() < 1) return;
    const bool nombre_largo = Programa() != nullptr && Programa()->NombreLargoConcepto;
    rs->MoveFirst();
    auto lee = [&](int64_t) {
      auto c = std::make_unique<Concepto>();
      c->Conceptos = this;
      c->Des.Clave = rs->Fields("CONCEPTO").Texto();
      c->Des.Unidad = rs->Fields("UNIDAD").Texto();
      c->Des.Costo = rs->Fields("COSTO").ComoMoneda();
      const Valor& actualizado = rs->Fields("ACTUALIZAD");
      c->Des.Fecha = actualizado.EsNulo() ? Fecha::Hoy() : actualizado.ComoFecha();
      const Valor& factor = rs->Fields("FACCONV");
      c->Des.FactorConversion = factor.EsNulo() ? 1.0 : factor.Double();
      if (c->Des.FactorConversion == 0.0) c->Des.FactorConversion = 1.0;
      c->Des.UnidadAlt = rs->Fields("UNICOM").Texto();
      const Valor& fsr = rs->Fields("FSREAL_MO");
      c->Des.FSR = fsr.EsNulo() ? 1.0 : fsr.Double();
      if (c->Des.FSR == 0.0) c->Des.FSR = 1.0;
      c->Des.Referencia = rs->Fields("NOM_CORTO").Texto();
      c->Des.Descripcion = c->Des.Referencia;
      if (nombre_largo) {
        std::string largo = rs->Fields("NOM_LARGO").Texto();
        if (!largo.empty()) c->Des.Descripcion = std::move(largo);
      }
      c->CMaquina = rs->Fields("CMAQUINA").Texto();
      const Valor& tipo_ch = rs->Fields("TIPOCMAQ");
      c->TipoCostoHorario = tipo_ch.EsNulo() ? 0 : static_cast<int>(tipo_ch.Entero());
      const Valor& tipo = rs->Fields("TIPO");
      c->Tipo =
          tipo.EsNulo() ? enumTipoConcepto::Material : static_cast<enumTipoConcepto>(tipo.Entero());
      return c;
    };
    CargaFilas(i, rs->RecordCount(), "Conceptos", sErrores, lee, [&](Concepto&) {
      rs->MoveNext();
      return true;
    });
    RsOut(rs, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "Conceptos", "Carga");
    MsgBox(std::to_string(i) + " " + sErrores);
  }
}

void Conceptos::ExplotaConceptos(Conexion* Conexion, std::string& sErrores) {
  Protege(sErrores, "Conceptos", "ExplotaConceptos", [&] {
    const int32_t total = Count();
    for (int32_t i = 1; i <= total; ++i) {
      Concepto* c = Item(static_cast<int64_t>(i));
      if (c != nullptr && (c->Tipo == enumTipoConcepto::PrecioUnitario ||
                           c->Tipo == enumTipoConcepto::IntegradoIndirecto)) {
        std::unique_ptr<Explosion> explosion = std::make_unique<Explosion>();
        c->ExplotaMe(Conexion, c, 1, false, explosion, sErrores);
        c->Explosion = std::move(explosion);
      }
      CedeAlHost("Explosión de conceptos", i, total);
    }
  });
}

const std::vector<FilaMatriz>* Conceptos::FilasAnalisis(Conexion* Conexion,
                                                        const std::string& codigo,
                                                        std::string& sErrores) {
  return matrices_.Filas(Conexion, codigo, Count(), sErrores);
}

}  // namespace pmq
