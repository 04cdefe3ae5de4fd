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
    const bool nombre_largo = Programa != nullptr && Programa->NombreLargoConcepto;
    const int64_t total = rs->RecordCount();
    items_.Reserva(static_cast<size_t>(total));
    rs->MoveFirst();
    for (i = 1; i <= total; ++i) {
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
      AddByObject(std::move(c), sErrores);
      rs->MoveNext();
      CedeAlHost("Conceptos", i, total);
    }
    RsOut(rs, sErrores);
  } catch (...) {
    AnotaExcepcion(sErrores, "Conceptos", "Carga");
    MsgBox(std::to_string(i) + " " + sErrores);
  }
}

int32_t Conceptos::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "Conceptos", "Count");
    return 0;
  }
}

void Conceptos::AddByObject(std::unique_ptr<Concepto> oConcepto, std::string& sErrores) {
  try {
    if (!oConcepto) return;
    const std::string clave = "k" + oConcepto->Des.Clave;
    items_.Add(std::move(oConcepto), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Conceptos", "AddByObject");
  }
}

void Conceptos::ExplotaConceptos(Conexion* Conexion, std::string& sErrores) {
  try {
    const int32_t total = items_.Count();
    for (int32_t i = 1; i <= total; ++i) {
      Concepto* c = items_.Item(static_cast<int64_t>(i));
      if (c != nullptr && (c->Tipo == enumTipoConcepto::PrecioUnitario ||
                           c->Tipo == enumTipoConcepto::IntegradoIndirecto)) {
        std::unique_ptr<Explosion> explosion = std::make_unique<Explosion>();
        c->ExplotaMe(Conexion, c, 1, false, explosion, sErrores);
        c->Explosion = std::move(explosion);
      }
      CedeAlHost("Explosión de conceptos", i, total);
    }
  } catch (...) {
    AnotaExcepcion(sErrores, "Conceptos", "ExplotaConceptos");
  }
}

const std::vector<FilaMatriz>* Conceptos::FilasAnalisis(Conexion* Conexion,
                                                        const std::string& codigo,
                                                        std::string& sErrores) {
  return matrices_.Filas(Conexion, codigo, items_.Count(), sErrores);
}

}  // namespace pmq
