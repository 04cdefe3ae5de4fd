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
  return Protege<ResultadoCarga>(
      sErrores, "Partidas", "Carga", ResultadoCarga::Fallida, [&]() -> ResultadoCarga {
        std::unique_ptr<Recordset> rs =
            GetTabla(Conexion, "select * from PARTIDAS where OBRA = ? order by PARTIDA",
                     {Valor(Obra()->Des.Clave)}, sErrores);
        if (rs && rs->RecordCount() >= 1) {
          rs->MoveFirst();
          Obra()->ImporteTotal = Moneda();
          const bool nombre_largo =
              Obra()->Programa != nullptr && Obra()->Programa->NombreLargoPartida;
          auto lee = [&](int64_t) {
            auto p = std::make_unique<Partida>(this);
            p->Des.Parent = p.get();
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
            Obra()->ImporteTotal += p->Des.Importe;
            return p;
          };
          // A section left out of the collection still loads its lines.
          auto tras = [&](Partida& p) {
            if (p.Presups->Carga(Conexion, sErrores) == ResultadoCarga::Desactualizada)
              return false;
            rs->MoveNext();
            return true;
          };
          int64_t i = 0;
          if (!CargaFilas(i, rs->RecordCount(), "Partidas", sErrores, lee, tras)) {
            RsOut(rs, sErrores);
            return ResultadoCarga::Desactualizada;
          }
        }
        RsOut(rs, sErrores);
        return ResultadoCarga::Correcta;
      });
}

pmq::Programa* Partidas::Programa(std::string& /*sErrores*/) const {
  return Obra()->Programa;
}

std::string Partidas::Clave(const Partida& p) const {
  return "k" + Obra()->Des.Clave + p.Des.Clave;
}

}  // namespace pmq
