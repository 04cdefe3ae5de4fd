#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

constexpr std::string_view kPrefijoCalcular = "ProMorlaQel.Programa.CalcularPrograma() arrojó la excepción # ";

TEST(Programa, FreshRootHasTheDocumentedDefaults) {
  Programa p;
  EXPECT_DOUBLE_EQ(p.FactorDestajos, 1.3);
  EXPECT_EQ(p.TipoPrograma, enumTipoPrograma::MaterialesImportes);
  EXPECT_EQ(p.TipoPeriodo, enumMensual);
  EXPECT_EQ(p.TipoCalculoDias, ParaInsumo);
  EXPECT_TRUE(p.IncluirDesperdicio && p.IncluirMandoIntermedio && p.IncluirHerramientaMenor &&
              p.IncluirIvaMateriales && p.IncluirIvaSubcontratos);
  EXPECT_FALSE(p.IVA || p.DesglosarMaquinaria || p.UnidadesComerciales);
  EXPECT_TRUE(p.NombreLargoObra && p.NombreLargoPartida && p.NombreLargoConcepto && p.DesglosarConceptos);
  ASSERT_TRUE(p.Obra && p.Conceptos && p.CostosHorarios && p.Periodos && p.ProgramasObraCtrl &&
              p.ResumenesEstCtrl);
  EXPECT_EQ(p.Obra->FactoresMaquinaria.Count(), 9);
  EXPECT_DOUBLE_EQ(p.Obra->FactoresMaquinaria.Item("Otr")->Factor(2), 1.0);
  // Back references to the root are set by the calculation, not by the constructor.
  EXPECT_EQ(p.Obra->Programa, nullptr);
}

TEST(Programa, MissingFileGivesZeroOneMessageAndThePointerBack) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso uso(host);
  Programa p;
  p.Ruta = dir.Archivo("no-existe.mdb");
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), 0);
  EXPECT_EQ(s.rfind(kPrefijoCalcular, 0), 0u) << s;
  EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 1);
  ASSERT_FALSE(host.punteros.empty());
  EXPECT_EQ(host.punteros.front(), 11);
  EXPECT_EQ(host.punteros.back(), 0);
}

TEST(Programa, ClosedConnectionFromTheHostGivesZeroAndLeavesErrorsUntouched) {
  HostGrabador host;
  HostEnUso uso(host);
  Conexion cerrada;
  Programa p;
  p.Conexion = &cerrada;
  std::string s = "del host\n";
  EXPECT_EQ(p.CalcularPrograma(s), 0);
  EXPECT_EQ(s, "del host\n");
  EXPECT_EQ(p.Conceptos->Count(), 0);
  EXPECT_EQ(host.punteros.back(), 0);
}

class ProgramaConBase : public ::testing::Test {
 protected:
  void SetUp() override { base_ = std::make_unique<prueba::BaseSqlite>(dir_.Archivo("obra.db")); }
  prueba::DirectorioTemporal dir_;
  std::unique_ptr<prueba::BaseSqlite> base_;
  HostGrabador host_;
  HostEnUso uso_{host_};
};

TEST_F(ProgramaConBase, LoadsTheHeaderAndFactorsOfTheWork) {
  prueba::InsertaObra(*base_, "A7", "'2013-01-01'", "'2013-03-31 00:00:00'");
  base_->Ejecuta("update OBRAS set DESC_OBRA = 'Nombre largo' where OBRA = 'A7'");
  Programa p;
  p.Ruta = base_->Ruta();
  p.ClaveObra = "A7";
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
  const Obra& o = *p.Obra;
  EXPECT_EQ(o.DiasObra, 90);
  EXPECT_DOUBLE_EQ(o.FacDe, 0.05);
  EXPECT_DOUBLE_EQ(o.FacMI, 0.03);
  EXPECT_DOUBLE_EQ(o.FacHM, 0.02);
  EXPECT_DOUBLE_EQ(o.IVA, 16);
  EXPECT_EQ(o.Des.Descripcion, "Nombre largo");
  EXPECT_EQ(o.Des.Enca1, "Encabezado 1");
  EXPECT_EQ(o.Des.Enca3, "");
  const FacMaq* com = o.FactoresMaquinaria.Item("Com");
  EXPECT_DOUBLE_EQ(com->FAct, 1);
  EXPECT_DOUBLE_EQ(com->FEsp, 0.8);
  EXPECT_DOUBLE_EQ(com->FRes, 0.5);
  // The connection opened from Ruta stays and is reused.
  ASSERT_NE(p.Conexion, nullptr);
  EXPECT_EQ(p.Conexion->State(), 1);
}

TEST_F(ProgramaConBase, ShortNameWhenLongNamesAreOffAndUnknownWorkLoadsNothing) {
  prueba::InsertaObra(*base_, "A7", "'2013-01-01'", "'2013-01-01'");
  base_->Ejecuta("update OBRAS set DESC_OBRA = 'Nombre largo' where OBRA = 'A7'");
  Programa p;
  p.Ruta = "Provider=Cualquiera;Data Source=" + base_->Ruta() + ";Persist Security Info=False";
  p.ClaveObra = "A7";
  p.NombreLargoObra = false;
  EXPECT_EQ(p.CalcularPrograma(), 1);
  EXPECT_EQ(p.Obra->Des.Descripcion, "Obra de prueba");
  EXPECT_EQ(p.Obra->DiasObra, 1);

  Programa q;
  q.Ruta = base_->Ruta();
  q.ClaveObra = "ZZ";
  std::string s;
  EXPECT_EQ(q.CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
  EXPECT_EQ(q.Obra->DiasObra, 0);
  EXPECT_EQ(q.Obra->NoEstimaciones, 0);
}

TEST_F(ProgramaConBase, MissingStartDateWarnsAndFailsTheWorkLoad) {
  prueba::InsertaObra(*base_, "A7", "NULL", "'2013-03-31'");
  Programa p;
  p.Ruta = base_->Ruta();
  p.ClaveObra = "A7";
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), 1);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, "No se tiene fecha de inicio de obra");
  EXPECT_EQ(p.TipoPrograma, enumTipoPrograma::Ninguno);
  EXPECT_EQ(s.rfind("ProMorlaQel.Obra.Carga() arrojó la excepción # 94 ", 0), 0u) << s;
}

TEST_F(ProgramaConBase, CatalogueMessagesAreShownAtOnceAndCleared) {
  prueba::InsertaObra(*base_, "A7", "'2013-03-15'", "'2013-05-10'");
  base_->Ejecuta(
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, NOM_LARGO, TIPO, TIPOCMAQ) values "
      "('M-1','kg',10,0,NULL,'Cemento','Cemento gris',1,NULL),"
      "('m-1','kg',11,2,1.5,'Duplicado',NULL,1,NULL),"
      "('MO-1','jor',100,1,1.5,'Peón','',NULL,2);");
  Programa p;
  p.Ruta = base_->Ruta();
  p.ClaveObra = "A7";
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), 1);
  EXPECT_EQ(s, "");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto.rfind("ProMorlaQel.Conceptos.AddByObject() arrojó la excepción # 457 ", 0), 0u);
  EXPECT_EQ(p.Conceptos->Count(), 2);
  const Concepto* m1 = p.Conceptos->Item("KM-1");
  ASSERT_NE(m1, nullptr);
  EXPECT_EQ(m1->Des.Descripcion, "Cemento gris");
  EXPECT_EQ(m1->Des.Referencia, "Cemento");
  EXPECT_DOUBLE_EQ(m1->Des.FactorConversion, 1);
  EXPECT_DOUBLE_EQ(m1->Des.FSR, 1);
  EXPECT_EQ(m1->Des.Fecha, Fecha::Hoy());
  const Concepto* mo = p.Conceptos->Item("kMO-1");
  EXPECT_EQ(mo->Tipo, enumTipoConcepto::Material);  // a null TIPO is a material
  EXPECT_EQ(mo->TipoCostoHorario, 2);
  EXPECT_EQ(mo->Des.Descripcion, "Peón");
}

TEST_F(ProgramaConBase, HourlyCostsKeepEightComponentsInTheirOrder) {
  prueba::InsertaObra(*base_, "A7", "'2013-03-15'", "'2013-05-10'");
  base_->Ejecuta(
      "insert into CONCEPTO (CONCEPTO, COSTO, TIPO) values ('DIE',20,1),('OPE',500,2);"
      "insert into MAQUINA (MAQUINA, VAL_A1, DIESEL, CANT_DIE, CANT_GAS, C_OTRAS, CANT_ACEI, CANT_LLAN, "
      "CANT_PZAS, CUADRILLA, CANT_OPER, O_CONSUM, MARCA) values "
      "('RETRO', 500000, 'DIE', 10, 0, 0, 0, 0, 0, 'OPE', 0.125, 'NADA', 'Marca');");
  Programa p;
  p.Ruta = base_->Ruta();
  p.ClaveObra = "A7";
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), 1);
  EXPECT_TRUE(host_.mensajes.empty());
  const CostoHorario* ch = p.CostosHorarios->Item("kRETRO");
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(ch->Des.Descripcion, "  ");
  EXPECT_EQ(ch->Info.Marca, "Marca");
  EXPECT_EQ(ch->Tipo, enumTipoConcepto::CostoHorario);
  ASSERT_EQ(ch->ItemsCostoHorario.Count(), 8);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(1)->Nombre, "Gasolina");
  EXPECT_EQ(ch->ItemsCostoHorario.Item(1)->Concepto, nullptr);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(2)->Concepto, p.Conceptos->Item("kDIE"));
  EXPECT_DOUBLE_EQ(ch->ItemsCostoHorario.Item(2)->Cantidad, 10);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(4)->Nombre, "OtrosConsumos");
  EXPECT_DOUBLE_EQ(ch->ItemsCostoHorario.Item(4)->Cantidad, 1);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(4)->Concepto, nullptr);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(8)->Concepto, p.Conceptos->Item("kOPE"));
}

// A section and a line linked by hand, as the loaders link them.
struct Cadena {
  Cadena(double seccion, double linea, double total) {
    obra.ImporteTotal = Moneda::DesdeDouble(total);
    obra.Partidas->Obra = &obra;
    auto partida = std::make_unique<Partida>();
    partida->Partidas = obra.Partidas.get();
    partida->Des.Clave = "01";
    partida->Des.Importe = Moneda::DesdeDouble(seccion);
    partida->Presups->Partida = partida.get();
    auto presup = std::make_unique<Presup>();
    presup->Presups = partida->Presups.get();
    presup->Des.Parent = presup.get();
    presup->Des.Importe = Moneda::DesdeDouble(linea);
    linea_ = presup.get();
    std::string s;
    partida->Presups->AddByObject(std::move(presup), s);
    obra.Partidas->AddByObject(std::move(partida), s);
  }
  Cuerpo& Des() { return linea_->Des; }
  Obra obra;
  Presup* linea_ = nullptr;
};

TEST(Cuerpo, SectionPercentageIsPaddedToThreeDecimals) {
  std::string s;
  EXPECT_EQ(Cadena(1000, 250, 1).Des().PorcentajePartida(s), "25.000");
  EXPECT_EQ(Cadena(5000, 5000, 1).Des().PorcentajePartida(s), "100.000");
  EXPECT_EQ(Cadena(10, 12345.67, 1).Des().PorcentajePartida(s), "123,456.700");
  EXPECT_EQ(Cadena(0, 12, 1).Des().PorcentajePartida(s), "0.000");
  EXPECT_EQ(s, "");
}

TEST(Cuerpo, BudgetPercentageIsAPlainNumberOrEmpty) {
  std::string s;
  EXPECT_EQ(Cadena(1, 1, 3).Des().PorcentajePresupuesto(s), "33.3333");
  EXPECT_EQ(Cadena(1, 1, 0).Des().PorcentajePresupuesto(s), "");
  EXPECT_EQ(s, "");
}

TEST(Cuerpo, WithoutParentOrWithAParentThatIsNotALine) {
  std::string s;
  Cuerpo suelto;
  EXPECT_EQ(suelto.PorcentajePartida(s), "#DivByZero");
  EXPECT_EQ(suelto.PorcentajePresupuesto(s), "#DivByZero");
  EXPECT_EQ(s, "");
  Partida seccion;
  seccion.Des.Parent = &seccion;
  EXPECT_EQ(seccion.Des.PorcentajePartida(s), "");
  EXPECT_EQ(s.rfind("ProMorlaQel.Cuerpo.PorcentajePartida() arrojó la excepción # ", 0), 0u);
  EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 1);
}

}  // namespace
}  // namespace pmq
