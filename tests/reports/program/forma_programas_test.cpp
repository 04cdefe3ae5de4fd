// The options form as a host sees and drives it, and the outcomes of an export.

#include "reports/program/frm_programas_obra.h"
#include "reports/program/obra_programa.h"
#include "reports/program/programas_ctrl.h"

#include <functional>
#include <vector>

namespace pmq {
namespace {

class FormaProgramas : public prueba::ObraPrograma {
 protected:
  void SetUp() override {
    Obra("2013-03-15", "2013-05-10", "('01','Preliminares',1000)",
         "('01','F1','C-1',10,100,1,'2013-03-20','2013-04-19')");
  }

  /// Plays the user of the next form shown: notes what it shows, then does `accion`.
  void Usuario(std::function<void(frmProgramasObra&)> accion) {
    host_.manejador_forma = [this, accion](Forma& f) {
      auto& forma = dynamic_cast<frmProgramasObra&>(f);
      visto_ = forma;
      accion(forma);
      cerrada_ = !forma.Visible();
    };
  }

  std::string Mensaje(size_t i) const {
    const auto& m = host_.mensajes.at(i);
    return "[" + m.titulo + "/" + std::to_string(m.estilo) + "] " + m.texto;
  }

  frmProgramasObra visto_;
  bool cerrada_ = false;
};

TEST_F(FormaProgramas, EveryKindIsWrittenAndTheFormCloses) {
  const std::vector<std::pair<int32_t, nlohmann::json>> casos = {
      {0, nlohmann::json::array({"Programa Obra"})},
      {2, nlohmann::json::array({"Programa Obra", "Consolidado"})},
      {3, nlohmann::json::array({"Programa Obra", "Consolidado"})},
      {4, nlohmann::json::array({"Programa Obra", "Consolidado"})}};
  for (const auto& [tipo, hojas] : casos) {
    host_.mensajes.clear();
    const std::string ruta = dir_.Archivo("tipo" + std::to_string(tipo) + ".xlsx");
    host_.respuestas_dialogo.push_back({false, ruta});
    Usuario([tipo = tipo](frmProgramasObra& f) {
      f.comTipoPrograma.Selecciona(tipo);
      f.opCantidades_Click();
      f.cmdAExcel_Click();
    });
    p_->ProgramasObraCtrl->Inicia();
    EXPECT_TRUE(cerrada_);
    EXPECT_TRUE(host_.mensajes.empty());
    EXPECT_TRUE(p_->ProgramasObraCtrl->Forma->ResultadoAExcel);
    const auto libro = prueba::LeeLibro(ruta);
    EXPECT_EQ(libro["hojas"], hojas);
    EXPECT_EQ(libro["celdas"]["Programa Obra!A4"]["valor"],
              std::string(ProgramasCtrl::TituloPrograma(tipo)));
  }
  // Opened again, it shows the financial program and "Importes" again.
  Usuario([](frmProgramasObra& f) { f.cmdCerrar_Click(); });
  p_->ProgramasObraCtrl->Inicia();
  EXPECT_EQ(visto_.comTipoPrograma.Text, "Programa Mensual de Avance Financiero");
  EXPECT_TRUE(visto_.opImportes && cerrada_);
}

TEST_F(FormaProgramas, ACancelledNonXlsxOrUnwritableFileNameStopsTheExport) {
  for (const RespuestaDialogo& r :
       std::vector<RespuestaDialogo>{{true, ""},
                                     {false, dir_.Archivo("viejo.xls")},
                                     {false, dir_.Archivo("no/hay/programa.xlsx")}}) {
    host_.mensajes.clear();
    host_.respuestas_dialogo.push_back(r);
    EXPECT_FALSE(p_->ProgramasObraCtrl->AExcel(etpAvanceFinanciero, true));
    ASSERT_EQ(host_.mensajes.size(), 1u) << r.ruta;
    EXPECT_EQ(Mensaje(0), "[MorlaQel/16] El Libro de Microsoft Excel no se pudo abrir");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("viejo.xls")));
}

}  // namespace
}  // namespace pmq
