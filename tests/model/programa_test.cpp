#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "catalogue/explosion.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"

namespace pmq {
namespace {

using prueba::kBas;
using prueba::kMat;
using prueba::kMdo;
using prueba::kPU;

TEST(Programa, WithoutADatabaseTheResultIsZeroAndThePointerIsRestored) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso uso(host);
  Programa p;
  p.Ruta = dir.Archivo("no-existe.mdb");
  std::string s;
  EXPECT_EQ(p.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s.rfind("ProMorlaQel.Programa.CalcularPrograma() arrojó la excepción # ", 0), 0u) << s;
  EXPECT_EQ(host.punteros, (std::vector<int>{11, 0}));
  // A closed connection given by the host: zero, and the errors text untouched.
  Conexion cerrada;
  Programa q;
  q.Conexion = &cerrada;
  s = "del host\n";
  EXPECT_EQ(q.CalcularPrograma(s), ResultadoCarga::Fallida);
  EXPECT_EQ(s, "del host\n");
}

class Programa_ : public prueba::ObraCalculada {};

TEST_F(Programa_, LoadsTheHeaderAndFactorsOfTheWork) {
  Obra();
  Sql("update OBRAS set DESC_OBRA = 'Nombre largo' where OBRA = 'A7'");
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  const pmq::Obra& o = *p->Obra;
  EXPECT_EQ(o.DiasObra, 57);
  EXPECT_DOUBLE_EQ(o.FacDe, 0.05);
  EXPECT_DOUBLE_EQ(o.FacMI, 0.03);
  EXPECT_DOUBLE_EQ(o.FacHM, 0.02);
  EXPECT_EQ(o.Des.Descripcion, "Nombre largo");
  const FacMaq* com = o.FactoresMaquinaria.Item("Com");
  EXPECT_EQ(std::vector<double>({com->FAct, com->FEsp, com->FRes}),
            std::vector<double>({1, 0.8, 0.5}));
  // A connection text, long names off; an unknown work loads nothing.
  auto corto = Raiz();
  corto->Ruta = "Provider=X;Data Source=" + base_.Ruta() + " ;Persist Security Info=False";
  corto->NombreLargoObra = false;
  EXPECT_EQ(Calcula(std::move(corto))->Obra->Des.Descripcion, "Obra de prueba");
  EXPECT_EQ(Calculada("ZZ")->Obra->DiasObra, 0);
}

TEST_F(Programa_, CatalogueRowsNullRulesAndMessagesShownAtOnce) {
  Obra();
  Sql("insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, NOM_LARGO, "
      "TIPO, TIPOCMAQ) values ('M-1','kg',10,0,0,'Cemento','Cemento gris',1,NULL),"
      "('m-1','kg',11,2,1.5,'Duplicado',NULL,1,NULL),('MO-1','jor',100,NULL,NULL,'Peón','',NULL,"
      "2)");
  auto p = Calculada();
  EXPECT_EQ(errores_, "");
  ASSERT_EQ(host_.mensajes.size(), 1u);
  EXPECT_EQ(Mensajes("ProMorlaQel.Conceptos.AddByObject() arrojó la excepción # 457 "), 1);
  ASSERT_EQ(p->Conceptos->Count(), 2);
  const pmq::Concepto* m1 = p->Conceptos->Item("KM-1");
  EXPECT_EQ(m1->Des.Descripcion, "Cemento gris");
  EXPECT_EQ(m1->Des.Referencia, "Cemento");
  EXPECT_EQ(m1->Des.Fecha, Fecha::Hoy());
  const pmq::Concepto* mo = p->Conceptos->Item("kMO-1");
  EXPECT_EQ(mo->Tipo, enumTipoConcepto::Material);  // a null TIPO is a material
  EXPECT_EQ(mo->Des.Descripcion, "Peón");
  // Zero or null factors are 1.
  for (const pmq::Concepto* c : {m1, mo}) {
    EXPECT_DOUBLE_EQ(c->Des.FactorConversion, 1) << c->Des.Clave;
    EXPECT_DOUBLE_EQ(c->Des.FSR, 1) << c->Des.Clave;
  }
}

TEST_F(Programa_, HourlyCostsKeepEightComponentsInTheirOrder) {
  Obra();
  Concepto("DIE", kMat, 20);
  Concepto("GAS", kMat, 20);
  Sql("insert into MAQUINA (MAQUINA, VAL_A1, GASOLINA, DIESEL, CANT_DIE, CANT_GAS, C_OTRAS, "
      "CANT_ACEI, CANT_LLAN, CANT_PZAS, CANT_OPER, O_CONSUM, MARCA) values ('RETRO', 500000, "
      "'GAS', 'DIE', 10, 3, 0, 0, 0, 0, 0.125, 'NADA', 'Marca')");
  auto p = Calculada();
  EXPECT_TRUE(host_.mensajes.empty());
  const CostoHorario* ch = p->CostosHorarios->Item("kRETRO");
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(ch->Info.Marca, "Marca");
  ASSERT_EQ(ch->ItemsCostoHorario.Count(), 8);
  const struct {
    int i;
    const char* nombre;
    const char* concepto;
    double cantidad;
  } casos[] = {{1, "Gasolina", "kGAS", 3},
               {2, "Diesel", "kDIE", 10},
               {4, "OtrosConsumos", nullptr, 1},
               {3, "OtrasFuentes", nullptr, 0}};
  for (const auto& c : casos) {
    const ItemCostoHorario* k = ch->ItemsCostoHorario.Item(c.i);
    EXPECT_EQ(k->Nombre, c.nombre);
    EXPECT_EQ(k->Concepto, c.concepto ? p->Conceptos->Item(c.concepto) : nullptr) << c.nombre;
    EXPECT_DOUBLE_EQ(k->Cantidad, c.cantidad) << c.nombre;
  }
}

// Without the breakdown detail a concept keeps the same totals and summaries
// (the same inputs, quantities and amounts), only its breakdown lines go.
TEST_F(Programa_, DroppingTheBreakdownDetailKeepsTotalsAndSummaries) {
  Obra();
  Concepto("CEM", kMat, 180.5);
  Concepto("ARE", kMat, 12.25);
  Concepto("PEON", kMdo, 350, 1.7);
  Concepto("MORT", kBas);
  Matriz("MORT", "CEM", "0.3");
  Matriz("MORT", "ARE", "1.1");
  Matriz("MORT", "PEON", "0.2");
  Concepto("MURO", kPU);
  Matriz("MURO", "MORT", "0.04");
  Matriz("MURO", "CEM", "0.5");
  Matriz("MURO", "PEON", "0.125");
  Partida("P1");
  Linea("P1", "F1", "MURO", 37, 1000);
  auto completa = Calculada();
  auto sin_detalle = Raiz();
  sin_detalle->ConservarDesglose = false;
  sin_detalle = Calcula(std::move(sin_detalle));
  const Explosion& a = *completa->Conceptos->Item("kMURO")->Explosion;
  const Explosion& b = *sin_detalle->Conceptos->Item("kMURO")->Explosion;
  EXPECT_EQ(a.Items.Count(), 5);  // CEM, ARE and PEON through MORT, then CEM and PEON
  EXPECT_EQ(b.Items.Count(), 0);
  EXPECT_EQ(std::vector<Moneda>({a.Total, a.TotalMateriales, a.TotalManoDeObra, a.TotalDestajos}),
            std::vector<Moneda>({b.Total, b.TotalMateriales, b.TotalManoDeObra, b.TotalDestajos}));
  ASSERT_TRUE(a.Resumen && b.Resumen);
  ASSERT_EQ(a.Resumen->Count(), 3);
  ASSERT_EQ(b.Resumen->Count(), 3);
  for (int i = 1; i <= 3; ++i) {
    const ItemExplosion& x = *a.Resumen->Item(i);
    const ItemExplosion& y = *b.Resumen->Item(i);
    EXPECT_EQ(x.Concepto->Des.Clave, y.Concepto->Des.Clave);
    EXPECT_EQ(x.Cantidad, y.Cantidad) << i;
    EXPECT_EQ(x.Parcial, y.Parcial) << i;
  }
}

// A section and a line linked by hand, as the loaders link them.
struct Cadena {
  Cadena(double seccion, double linea, double total) {
    obra.ImporteTotal = Moneda::DesdeDouble(total);
    partida_.Des.Importe = Moneda::DesdeDouble(seccion);
    linea_.Des.Parent = &linea_;
    linea_.Des.Importe = Moneda::DesdeDouble(linea);
  }
  pmq::Obra obra;
  Partida partida_{obra.Partidas.get()};
  Presup linea_{partida_.Presups.get()};
};

TEST(Cuerpo, PercentagesOfTheSectionAndOfTheBudget) {
  const struct {
    double seccion, linea, total;
    const char *de_partida, *de_presupuesto;
  } casos[] = {
      {1000, 250, 1, "25.000", "25000"}, {10, 12345.67, 1, "123,456.700", "1234567"},
      {0, 12, 1, "0.000", "1200"},       {1, 1, 3, "100.000", "33.3333"},
      {1, 1, 0, "100.000", ""},
  };
  std::string s;
  for (const auto& c : casos) {
    Cadena cadena(c.seccion, c.linea, c.total);
    EXPECT_EQ(cadena.linea_.Des.PorcentajePartida(s), c.de_partida) << c.linea;
    EXPECT_EQ(cadena.linea_.Des.PorcentajePresupuesto(s), c.de_presupuesto) << c.linea;
  }
  Cuerpo suelto;
  EXPECT_EQ(suelto.PorcentajePartida(s), "#DivByZero");
  EXPECT_EQ(s, "");
  Partida seccion;
  seccion.Des.Parent = &seccion;
  EXPECT_EQ(seccion.Des.PorcentajePartida(s), "");
  EXPECT_EQ(s.rfind("ProMorlaQel.Cuerpo.PorcentajePartida() arrojó la excepción # ", 0), 0u);
}

}  // namespace
}  // namespace pmq
