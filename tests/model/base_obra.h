#pragma once
// Fixture of the loader tests: a real SQLite project database with work A7
// (2013-03-15 to 2013-05-10), a recording host, and a root ready to calculate.
// Every model test starts from it.

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "model/programa.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pmq::prueba {

/// A recording host that also keeps every progress report.
class HostConProgreso : public HostGrabador {
 public:
  void DoEvents(const Progreso& progreso) override {
    HostGrabador::DoEvents(progreso);
    progresos.push_back(std::string(progreso.que) + " " + std::to_string(progreso.registro) + "/" +
                        std::to_string(progreso.total));
  }
  std::vector<std::string> progresos;
};

class BaseObra : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = std::make_unique<BaseSqlite>(dir_.Archivo("obra.db"));
    InsertaObra(*base_, "A7", "'2013-03-15'", "'2013-05-10'");
  }

  /// A root pointed at the fixture's database, loading work `obra`.
  std::unique_ptr<Programa> Raiz(std::string_view obra = "A7") {
    auto p = std::make_unique<Programa>();
    p->Ruta = base_->Ruta();
    p->ClaveObra = std::string(obra);
    return p;
  }

  /// Calculates `p`, expecting `resultado`; returns what it left in sErrores.
  static std::string Calcula(Programa& p, ResultadoCarga resultado = ResultadoCarga::Correcta) {
    std::string s;
    EXPECT_EQ(p.CalcularPrograma(s), resultado) << s;
    return s;
  }

  /// Number of recorded message boxes whose text starts with `inicio`.
  int MensajesQueEmpiezan(std::string_view inicio) const {
    int n = 0;
    for (const auto& m : host_.mensajes) n += m.texto.rfind(inicio, 0) == 0 ? 1 : 0;
    return n;
  }

  DirectorioTemporal dir_;
  std::unique_ptr<BaseSqlite> base_;
  HostConProgreso host_;
  HostEnUso uso_{host_};
};

}  // namespace pmq::prueba
