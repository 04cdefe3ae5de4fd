#pragma once
// The one database fixture of the tests: a fresh SQLite project database per
// test, a recording host, shorthands that write just the rows a case needs, and
// roots calculated over it.

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "model/programa.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq::prueba {

/// Concept kinds (column TIPO).
constexpr int kMat = 1, kMdo = 2, kMaq = 3, kBas = 4, kPU = 5, kSub = 6, kInd = 7;

/// A recording host that also keeps every progress report as "que n/total".
class HostConProgreso : public HostGrabador {
 public:
  void DoEvents(const Progreso& progreso) override;
  std::vector<std::string> progresos;
};

class ObraCalculada : public ::testing::Test {
 protected:
  /// Header rows of a work (OBRAS, FSR, FSCD, FACMAQ): DESPMAT 5, FACTMI 3, FACTHMT 2, IVA 16,
  /// every machine factor 1 but F_COM 0.8 / F_COME 0.5; dates are SQL literals.
  void Obra(std::string_view obra = "A7", std::string_view inicio = "'2013-03-15'",
            std::string_view final_ = "'2013-05-10'");
  /// A catalogue row.
  void Concepto(std::string_view clave, int tipo, double costo = 0, double fsr = 1,
                double facconv = 1, std::string_view cmaquina = "", int tipocmaq = 0);
  /// An analysis row: `cantidad` (an SQL literal) of `concepto` per unit of `matriz`.
  void Matriz(std::string_view matriz, std::string_view concepto, std::string_view cantidad);
  /// A section of work A7.
  void Partida(std::string_view partida, double importe = 0, std::string_view nombre = "Partida");
  /// A budget line of work A7 (ORDEN follows the calls).
  void Linea(std::string_view partida, std::string_view frente, std::string_view concepto,
             double cantidad, double punit, std::string_view inicio = "2013-03-20",
             std::string_view final_ = "2013-04-19");
  /// What estimate `numero` billed of a line of work A7 (EST2; EST1 gets the estimate once).
  void Cobro(int numero, std::string_view partida, std::string_view frente,
             std::string_view concepto, double cantidad, double punit);
  /// Any other rows or changes.
  void Sql(std::string_view sql);

  /// A root over the database (rows written so far), not yet calculated.
  std::unique_ptr<Programa> Raiz(std::string_view obra = "A7");
  /// A root calculated with `resultado` expected; what it reported is left in errores_.
  std::unique_ptr<Programa> Calculada(std::string_view obra = "A7",
                                      ResultadoCarga resultado = ResultadoCarga::Correcta);
  std::unique_ptr<Programa> Calcula(std::unique_ptr<Programa> p,
                                    ResultadoCarga resultado = ResultadoCarga::Correcta);

  /// Number of recorded message boxes whose text starts with `inicio`.
  int Mensajes(std::string_view inicio) const;

  DirectorioTemporal dir_;
  BaseSqlite base_{dir_.Archivo("obra.db")};
  HostConProgreso host_;
  HostEnUso uso_{host_};
  std::string errores_;

 private:
  void Escribe();
  std::string pendiente_;
  int orden_ = 0;
  std::vector<int> estimaciones_;
};

}  // namespace pmq::prueba
