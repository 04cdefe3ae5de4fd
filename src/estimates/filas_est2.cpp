#include "estimates/filas_est2.h"

#include "db/conexion.h"

namespace pmq {

std::string FilasEst2::Clave(std::initializer_list<std::string_view> valores) {
  std::string clave;
  for (std::string_view v : valores) {
    clave += v;
    clave += '\x1f';
  }
  return clave;
}

void FilasEst2::Olvida() {
  habilitada_ = false;
  conexion_ = nullptr;
  intentada_ = false;
  leida_ = false;
  grupos_.clear();
}

Recordset* FilasEst2::Busca(const std::string& clave) const {
  auto it = grupos_.find(clave);
  return it == grupos_.end() ? nullptr : it->second.get();
}

bool FilasEst2::Lee(Conexion* conexion, const std::string& obra, const Forma& forma) {
  if (!habilitada_) return false;
  Olvida();
  habilitada_ = true;
  conexion_ = conexion;
  intentada_ = true;
  if (conexion == nullptr || conexion->State() != kEstadoAbierto) return false;
  // Each group is a view over the rows of the one result: its row numbers.
  std::unordered_map<std::string, std::vector<int64_t>> filas;
  std::shared_ptr<const Recordset> todas;
  try {
    const Valor parametros[] = {Valor(obra)};
    std::unique_ptr<Recordset> rs =
        conexion->Ejecuta("select * from EST2 where OBRA = ? order by " + forma.orden, parametros);
    std::vector<int> claves;
    for (const std::string& c : forma.claves) claves.push_back(rs->IndiceColumna(c));
    for (int i : claves) {
      if (i < 0) return false;
    }
    for (const std::string& c : forma.columnas) {
      if (rs->IndiceColumna(c) < 0) return false;
    }
    const int64_t total = rs->RecordCount();
    rs->MoveFirst();
    std::string clave;
    for (int64_t fila = 0; fila < total; ++fila, rs->MoveNext()) {
      clave.clear();
      bool coincide = true;
      for (int i : claves) {
        const Valor v = rs->Fields(i);
        if (v.EsNulo()) {
          coincide = false;  // "= ?" never matches a null
          break;
        }
        if (forma.clave_entera) {
          if (!v.EsEntero()) return false;
          clave += std::to_string(v.Entero());
        } else {
          if (!v.EsTexto()) return false;
          clave += *v.TextoCrudo();
        }
        clave += '\x1f';
      }
      if (!coincide) continue;
      filas[clave].push_back(fila);
    }
    todas = std::move(rs);
    for (auto& [clave_grupo, numeros] : filas) {
      grupos_.emplace(clave_grupo, Recordset::Vista(todas, forma.columnas, std::move(numeros)));
    }
  } catch (...) {
    grupos_.clear();
    return false;
  }
  leida_ = true;
  return true;
}

}  // namespace pmq
