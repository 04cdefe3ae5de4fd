#include "model/base_obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

using prueba::BaseObra;

TEST(Programa, FreshRootHasTheDocumentedDefaults) {
  Programa p;
  EXPECT_DOUBLE_EQ(p.FactorDestajos, 1.3);
  EXPECT_EQ(p.TipoPrograma, enumTipoPrograma::MaterialesImportes);
  EXPECT_EQ(p.TipoPeriodo, enumMensual);
  EXPECT_EQ(p.TipoCalculoDias, ParaInsumo);
  EXPECT_TRUE(p.IncluirDesperdicio && p.IncluirMandoIntermedio && p.IncluirHerramientaMenor &&
              p.IncluirIvaMateriales && p.IncluirIvaSubcontratos);
  EXPECT_FALSE(p.IVA || p.DesglosarMaquinaria || p.UnidadesComerciales);
  EXPECT_TRUE(p.NombreLargoObra && p.NombreLargoPartida && p.NombreLargoConcepto &&
              p.DesglosarConceptos);
  EXPECT_EQ(p.Obra->FactoresMaquinaria.Count(), 9);
  EXPECT_DOUBLE_EQ(p.Obra->FactoresMaquinaria.Item("Otr")->Factor(2), 1.0);
}

TEST(Programa, WithoutADatabaseTheResultIsZeroAndThePointerIsRestored) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso uso(host);
  Programa p;
  p.Ruta = dir.Archivo("no-existe.mdb");
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s.rfind("ProMorlaQel.Programa.CalcularPrograma() arrojó la excepción # ", 0), 0u) << s;
  EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 1);
  ASSERT_FALSE(host.punteros.empty());
  EXPECT_EQ(host.punteros.front(), 11);
  EXPECT_EQ(host.punteros.back(), 0);
  // A closed connection given by the host: zero, and the errors text untouched.
  Conexion cerrada;
  Programa q;
  q.Conexion = &cerrada;
  s = "del host\n";
  EXPECT_EQ(q.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s, "del host\n");
  EXPECT_EQ(q.Conceptos->Count(), 0);
}

class Programa_ : public BaseObra {};

TEST_F(Programa_, LoadsTheHeaderAndFactorsOfTheWork) {
  base_->Ejecuta("update OBRAS set DESC_OBRA = 'Nombre largo' where OBRA = 'A7'");
  auto p = Raiz();
  EXPECT_EQ(Calcula(*p), "");
  const Obra& o = *p->Obra;
  EXPECT_EQ(o.DiasObra, 57);
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
  ASSERT_NE(p->Conexion, nullptr);
  EXPECT_EQ(p->Conexion->State(), 1);

  // A connection text, long names off; an unknown work loads nothing.
  auto corto = Raiz();
  corto->Ruta = "Provider=Cualquiera;Data Source=" + base_->Ruta() + ";Persist Security Info=False";
  corto->NombreLargoObra = false;
  Calcula(*corto);
  EXPECT_EQ(corto->Obra->Des.Descripcion, "Obra de prueba");
  auto otra = Raiz("ZZ");
  EXPECT_EQ(Calcula(*otra), "");
  EXPECT_EQ(otra->Obra->DiasObra, 0);
  EXPECT_EQ(otra->Obra->NoEstimaciones, 0);
}

TEST_F(Programa_, MissingStartDateWarnsAndFailsTheWorkLoad) {
  base_->Ejecuta("update OBRAS set INICIO = NULL");
  auto p = Raiz();
  const std::string s = Calcula(*p);
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto, "No se tiene fecha de inicio de obra");
  EXPECT_EQ(p->TipoPrograma, enumTipoPrograma::Ninguno);
  EXPECT_EQ(s.rfind("ProMorlaQel.Obra.Carga() arrojó la excepción # 94 ", 0), 0u) << s;
}

TEST_F(Programa_, CatalogueMessagesAreShownAtOnceAndCleared) {
  base_->Ejecuta(
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, NOM_LARGO, "
      "TIPO, TIPOCMAQ) values "
      "('M-1','kg',10,0,NULL,'Cemento','Cemento gris',1,NULL),"
      "('m-1','kg',11,2,1.5,'Duplicado',NULL,1,NULL),"
      "('MO-1','jor',100,1,1.5,'Peón','',NULL,2);");
  auto p = Raiz();
  EXPECT_EQ(Calcula(*p), "");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(host_.mensajes[0].texto.rfind(
                "ProMorlaQel.Conceptos.AddByObject() arrojó la excepción # 457 ", 0),
            0u);
  EXPECT_EQ(p->Conceptos->Count(), 2);
  const Concepto* m1 = p->Conceptos->Item("KM-1");
  ASSERT_NE(m1, nullptr);
  EXPECT_EQ(m1->Des.Descripcion, "Cemento gris");
  EXPECT_EQ(m1->Des.Referencia, "Cemento");
  EXPECT_DOUBLE_EQ(m1->Des.FactorConversion, 1);
  EXPECT_DOUBLE_EQ(m1->Des.FSR, 1);
  EXPECT_EQ(m1->Des.Fecha, Fecha::Hoy());
  const Concepto* mo = p->Conceptos->Item("kMO-1");
  EXPECT_EQ(mo->Tipo, enumTipoConcepto::Material);  // a null TIPO is a material
  EXPECT_EQ(mo->TipoCostoHorario, 2);
  EXPECT_EQ(mo->Des.Descripcion, "Peón");
}

TEST_F(Programa_, HourlyCostsKeepEightComponentsInTheirOrder) {
  base_->Ejecuta(
      "insert into CONCEPTO (CONCEPTO, COSTO, TIPO) values ('DIE',20,1),('OPE',500,2);"
      "insert into MAQUINA (MAQUINA, VAL_A1, DIESEL, CANT_DIE, CANT_GAS, C_OTRAS, CANT_ACEI, "
      "CANT_LLAN, "
      "CANT_PZAS, CUADRILLA, CANT_OPER, O_CONSUM, MARCA) values "
      "('RETRO', 500000, 'DIE', 10, 0, 0, 0, 0, 0, 'OPE', 0.125, 'NADA', 'Marca');");
  auto p = Raiz();
  Calcula(*p);
  EXPECT_TRUE(host_.mensajes.empty());
  const CostoHorario* ch = p->CostosHorarios->Item("kRETRO");
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(ch->Des.Descripcion, "  ");
  EXPECT_EQ(ch->Info.Marca, "Marca");
  ASSERT_EQ(ch->ItemsCostoHorario.Count(), 8);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(1)->Nombre, "Gasolina");
  EXPECT_EQ(ch->ItemsCostoHorario.Item(1)->Concepto, nullptr);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(2)->Concepto, p->Conceptos->Item("kDIE"));
  EXPECT_DOUBLE_EQ(ch->ItemsCostoHorario.Item(2)->Cantidad, 10);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(4)->Nombre, "OtrosConsumos");
  EXPECT_DOUBLE_EQ(ch->ItemsCostoHorario.Item(4)->Cantidad, 1);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(4)->Concepto, nullptr);
  EXPECT_EQ(ch->ItemsCostoHorario.Item(8)->Concepto, p->Conceptos->Item("kOPE"));
}

// A section and a line linked by hand, as the loaders link them.
struct Cadena {
  Cadena(double seccion, double linea, double total) {
    obra.ImporteTotal = Moneda::DesdeDouble(total);
    partida_.Des.Importe = Moneda::DesdeDouble(seccion);
    linea_.Des.Parent = &linea_;
    linea_.Des.Importe = Moneda::DesdeDouble(linea);
  }
  Obra obra;
  Partida partida_{obra.Partidas.get()};
  Presup linea_{partida_.Presups.get()};
};

TEST(Cuerpo, PercentagesOfTheSectionAndOfTheBudget) {
  const struct {
    double seccion, linea, total;
    const char *de_partida, *de_presupuesto;
  } casos[] = {
      {1000, 250, 1, "25.000", "25000"},
      {5000, 5000, 1, "100.000", "500000"},
      {10, 12345.67, 1, "123,456.700", "1234567"},
      {0, 12, 1, "0.000", "1200"},
      {1, 1, 3, "100.000", "33.3333"},
      {1, 1, 0, "100.000", ""},
  };
  std::string s;
  for (const auto& c : casos) {
    Cadena cadena(c.seccion, c.linea, c.total);
    EXPECT_EQ(cadena.linea_.Des.PorcentajePartida(s), c.de_partida) << c.linea;
    EXPECT_EQ(cadena.linea_.Des.PorcentajePresupuesto(s), c.de_presupuesto) << c.linea;
  }
  EXPECT_EQ(s, "");
  // Without parent, or with a parent that is not a line.
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
