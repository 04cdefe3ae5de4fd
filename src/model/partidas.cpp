#include "model/partidas.h"

#include "common/error_qel.h"
#include "common/servicios_host.h"
#include "db/utilerias.h"
#include "model/obra.h"
#include "model/presups.h"
#include "model/programa.h"

namespace pmq {

ResultadoCarga Partidas::Carga(Conexion* Conexion, std::string& sErrores) {
  // The lines' billed quantities are read once for the whole work; whatever
  // way the load ends, they are not kept.
  struct Libera {
    FilasEst2& filas;
    ~Libera() { filas.Olvida(); }
  } libera{est2_por_linea_};
  est2_por_linea_.Olvida();
  est2_por_linea_.Habilita();
  try {
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    std::unique_ptr<Recordset> rs =
        GetTabla(Conexion, "select * from PARTIDAS where OBRA = ? order by PARTIDA",
                 {Valor(Obra->Des.Clave)}, sErrores);
    if (rs && rs->RecordCount() >= 1) {
      rs->MoveFirst();
      Obra->ImporteTotal = Moneda();
      const int64_t total = rs->RecordCount();
      const bool nombre_largo = Obra->Programa != nullptr && Obra->Programa->NombreLargoPartida;
      for (int64_t i = 1; i <= total; ++i) {
        auto propia = std::make_unique<Partida>();
        Partida* p = propia.get();
        p->Partidas = this;
        p->Des.Parent = p;
        p->Des.Clave = rs->Fields("PARTIDA").Texto();
        p->Des.Descripcion = rs->Fields("NOMPARTIDA").Texto();
        if (nombre_largo) {
          std::string largo = rs->Fields("PNOM_LARGO").Texto();
          if (!largo.empty()) p->Des.Descripcion = std::move(largo);
        }
        const Valor& inicio = rs->Fields("PI_F");
        p->Des.Inicio = inicio.EsNulo() ? Fecha::Hoy() : inicio.ComoFecha();
        const Valor& final_ = rs->Fields("PT_F");
        p->Des.Final = final_.EsNulo() ? Fecha::Hoy() : final_.ComoFecha();
        p->Des.Importe = rs->Fields("IMPORTE").ComoMoneda();
        Obra->ImporteTotal += p->Des.Importe;
        AddByObject(std::move(propia), sErrores);
        p->Presups->Partida = p;
        if (p->Presups->Carga(Conexion, sErrores) == ResultadoCarga::Desactualizada) {
          RsOut(rs, sErrores);
          return ResultadoCarga::Desactualizada;
        }
        rs->MoveNext();
        CedeAlHost("Partidas", i, total);
      }
    }
    RsOut(rs, sErrores);
    return ResultadoCarga::Correcta;
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "Carga");
    return ResultadoCarga::Fallida;
  }
}

int32_t Partidas::Count(std::string& sErrores) const {
  try {
    return items_.Count();
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "Count");
    return 0;
  }
}

pmq::Programa* Partidas::Programa(std::string& sErrores) const {
  try {
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    return Obra->Programa;
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "Programa");
    return nullptr;
  }
}

void Partidas::AddByObject(std::unique_ptr<Partida> oPartida, std::string& sErrores) {
  try {
    if (!oPartida) return;
    if (Obra == nullptr) throw ErrorQel(errores::kObjeto);
    const std::string clave = "k" + Obra->Des.Clave + oPartida->Des.Clave;
    if (items_.Contiene(clave)) {
      // A section left out of the collection still loads its lines, so it is
      // kept alive here (and never offered through Item).
      fuera_.push_back(std::move(oPartida));
      throw ErrorQel(errores::kClaveDuplicada);
    }
    items_.Add(std::move(oPartida), clave);
  } catch (...) {
    AnotaExcepcion(sErrores, "Partidas", "AddByObject");
  }
}

}  // namespace pmq
