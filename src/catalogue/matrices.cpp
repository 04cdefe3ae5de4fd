#include "catalogue/matrices.h"

#include "db/utilerias.h"

namespace pmq {
namespace {

const std::vector<FilaMatriz> kSinFilas;

}  // namespace

void Matrices::Olvida() {
  conexion_ = nullptr;
  precargada_ = false;
  precarga_intentada_ = false;
  // Swapped out rather than cleared, so that the memory goes too.
  std::unordered_map<std::string, std::vector<FilaMatriz>>().swap(filas_);
}

bool Matrices::Precarga(Conexion* conexion) {
  precarga_intentada_ = true;
  std::unordered_map<std::string, std::vector<FilaMatriz>> todas;
  try {
    ++consultas_;
    std::unique_ptr<Recordset> rs = conexion->Ejecuta("select * from MATRICES");
    const int matriz = rs->IndiceColumna("MATRIZ");
    const int concepto = rs->IndiceColumna("CONCEPTO");
    const int cantidad = rs->IndiceColumna("CANTIDAD");
    if (matriz < 0 || concepto < 0 || cantidad < 0) return false;
    const int64_t total = rs->RecordCount();
    rs->MoveFirst();
    for (int64_t i = 0; i < total; ++i) {
      const Valor& clave = rs->Fields(matriz);
      if (!clave.EsNulo()) {
        todas[clave.Texto()].push_back({rs->Fields(concepto).Texto(), rs->Fields(cantidad)});
      }
      rs->MoveNext();
    }
  } catch (...) {
    // The per-composite queries that follow report the failure in their usual way.
    return false;
  }
  // The rows stay for the whole load: without the room their growth left.
  for (auto& [matriz, filas] : todas) filas.shrink_to_fit();
  filas_ = std::move(todas);
  precargada_ = true;
  return true;
}

const std::vector<FilaMatriz>* Matrices::Filas(Conexion* conexion, const std::string& matriz,
                                               int32_t conceptos_en_catalogo,
                                               std::string& sErrores) {
  if (conexion != conexion_) {
    Olvida();
    conexion_ = conexion;
  }
  if (!precargada_ && !precarga_intentada_ && conceptos_en_catalogo >= kUmbralPrecarga &&
      conexion != nullptr && conexion->State() == kEstadoAbierto) {
    Precarga(conexion);
  }
  if (auto it = filas_.find(matriz); it != filas_.end()) return &it->second;
  if (precargada_) return &kSinFilas;

  ++consultas_;
  std::unique_ptr<Recordset> rs =
      GetTabla(conexion, "select * from MATRICES where MATRIZ = ?", {Valor(matriz)}, sErrores);
  if (!rs) return nullptr;
  std::vector<FilaMatriz> filas;
  const int64_t total = rs->RecordCount();
  if (total > 0) {
    filas.reserve(static_cast<size_t>(total));
    rs->MoveFirst();
    for (int64_t i = 0; i < total; ++i) {
      filas.push_back({rs->Fields("CONCEPTO").Texto(), rs->Fields("CANTIDAD")});
      rs->MoveNext();
    }
  }
  RsOut(rs, sErrores);
  return &filas_.emplace(matriz, std::move(filas)).first->second;
}

}  // namespace pmq
