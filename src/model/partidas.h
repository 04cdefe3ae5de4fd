#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/coleccion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/estimates/filas_est2.h>
#include <promorlaqel/model/partida.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class Obra;
class Programa;
class Conexion;

/// The budget sections of the work, in code order.
class PMQ_API Partidas {
 public:
  pmq::Obra* Obra = nullptr;

  /// Loads the sections of the work in code order, each with its lines, and
  /// sets Obra.ImporteTotal to the sum of their stored amounts. 1 = loaded,
  /// 2 = a section's lines found an outdated database (later sections are not
  /// read), 0 = failed.
  ResultadoCarga Carga(Conexion* Conexion, std::string& sErrores);
  /// The section at a 1-based position or under its key; nullptr when none.
  Partida* Item(int64_t posicion) const { return items_.Item(posicion); }
  Partida* Item(std::string_view clave) const { return items_.Item(clave); }
  /// Number of sections.
  int32_t Count(std::string& sErrores) const;
  int32_t Count() const { return items_.Count(); }
  /// The root (Obra.Programa).
  pmq::Programa* Programa(std::string& sErrores) const;
  /// Appends a section under "k" + work code + section code. A section whose
  /// key is taken is reported and kept out of the collection (but alive, so
  /// that its lines can still load).
  void AddByObject(std::unique_ptr<Partida> oPartida, std::string& sErrores);

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  /// The work's EST2 rows by budget line, read once while the lines load
  /// (EstimacionesPresup::Carga) and freed when Carga ends.
  FilasEst2& Est2PorLinea() { return est2_por_linea_; }

 private:
  Coleccion<Partida> items_;
  FilasEst2 est2_por_linea_;
  std::vector<std::unique_ptr<Partida>> fuera_;
};

}  // namespace pmq
