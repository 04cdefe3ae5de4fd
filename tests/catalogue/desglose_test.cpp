// Breaking concepts down into inputs through their analyses and machines.

#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "catalogue/costos_horarios.h"
#include "catalogue/listado_explosion.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>

namespace pmq {
namespace {

using namespace prueba;

constexpr int kCua = 8;

// Rows written through the shared fixture, work A7 loaded into a root, and
// shorthands to reach a concept and break it down.
class CatalogoConBase : public ObraCalculada {
 protected:
  void Conceptos(std::initializer_list<std::string_view> claves, int tipo, double costo = 0) {
    for (std::string_view c : claves) Concepto(c, tipo, costo);
  }
  /// Analysis rows written as "MATRIZ CONCEPTO CANTIDAD, …" (a quantity is an SQL literal).
  void Matrices(const std::string& filas) {
    std::istringstream in(filas);
    for (std::string matriz, concepto, cantidad; in >> matriz >> concepto >> cantidad;) {
      if (cantidad.back() == ',') cantidad.pop_back();
      Matriz(matriz, concepto, cantidad);
    }
  }
  /// Loads catalogue, hourly costs and work A7 (machine factors "Com": 1 / 0.8 / 0.5);
  /// `ajustes` is SQL run on the header rows first.
  void Carga(std::string_view ajustes = "") {
    Obra();
    if (!ajustes.empty()) Sql(ajustes);
    p_.Ruta = base_.Ruta();
    p_.ClaveObra = "A7";
    std::string s;
    ASSERT_EQ(p_.CalcularPrograma(s), ResultadoCarga::Correcta);
    ASSERT_EQ(s, "");
    ASSERT_TRUE(host_.mensajes.empty()) << host_.mensajes.front().texto;
  }
  pmq::Concepto* C(std::string_view clave) const {
    return p_.Conceptos->Item("k" + std::string(clave));
  }
  /// The top-level breakdown of a concept, as a budget line asks for it.
  std::unique_ptr<Explosion> Explota(std::string_view clave) {
    std::unique_ptr<Explosion> e;
    pmq::Concepto* c = C(clave);
    EXPECT_NE(c, nullptr) << clave;
    if (c != nullptr) c->ExplotaMe(p_.Conexion, c, 1, false, e, s_);
    return e;
  }
  /// Machine `clave` with the given columns; the quantities not given are 0.
  void Maquina(std::string_view clave, std::string columnas, std::string valores) {
    for (const char* q :
         {"CANT_GAS", "CANT_DIE", "C_OTRAS", "CANT_ACEI", "CANT_LLAN", "CANT_PZAS", "CANT_OPER"}) {
      if (columnas.find(q) == std::string::npos) {
        columnas += std::string(", ") + q;
        valores += ", 0";
      }
    }
    Sql("insert into MAQUINA (MAQUINA, VAL_A1, " + columnas + ") values ('" + std::string(clave) +
        "', 1, " + valores + ")");
  }

  Programa p_;
  std::string s_;  ///< what the breakdowns and pricings reported
};

/// Codes of the input concepts of a collection, "|"-joined.
std::string Claves(const ColeccionRef<ItemExplosion>& lineas) {
  std::string r;
  for (const ItemExplosion* l : lineas) {
    if (!r.empty()) r.push_back('|');
    r += l->Concepto ? l->Concepto->Des.Clave : std::string("?");
  }
  return r;
}

class ExplotaMe : public CatalogoConBase {};

TEST_F(ExplotaMe, QuantitiesMultiplyAlongThePathAndLinesComeDepthFirstInTableOrder) {
  Concepto("P-1", kPU);
  Concepto("B-1", kBas);
  Conceptos({"M-1", "M-2"}, kMat, 10);
  Concepto("MO-1", kMdo, 100);
  // Rows of P-1 deliberately out of code order, with B-1's rows in between.
  Matrices("P-1 MO-1 0.25, B-1 M-1 0.5, P-1 B-1 2, P-1 NO-EXISTE 7, B-1 M-2 4, P-1 M-1 1.5");
  Carga();
  std::unique_ptr<Explosion> e = Explota("P-1");
  EXPECT_EQ(s_, "");
  ASSERT_EQ(Claves(e->Items), "MO-1|M-1|M-2|M-1");
  const double cantidades[] = {0.25, 1.0, 8.0, 1.5};
  const char* origenes[] = {"P-1", "B-1", "B-1", "P-1"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(e->Items.Item(i + 1)->Cantidad, cantidades[i]) << i;
    EXPECT_EQ(e->Items.Item(i + 1)->ConceptoOrigen, C(origenes[i])) << i;
  }
  // An existing explosion is filled further, at the quantity given.
  C("B-1")->ExplotaMe(p_.Conexion, C("P-1"), 3, false, e, s_);
  ASSERT_EQ(Claves(e->Items), "MO-1|M-1|M-2|M-1|M-1|M-2");
  EXPECT_DOUBLE_EQ(e->Items.Item(5)->Cantidad, 1.5);
}

// Cut analyses keep the lines before and after the cut, at every level.
TEST_F(ExplotaMe, ANullQuantityOrACircularAnalysisEndsThatAnalysisOnly) {
  Conceptos({"P-1", "X-1"}, kPU);
  Conceptos({"B-1", "X-2", "X-3"}, kBas);
  Conceptos({"M-1", "M-2", "M-3"}, kMat, 1);
  Matrices(
      "P-1 B-1 1, P-1 M-3 1, B-1 M-1 1, B-1 M-2 NULL, B-1 M-1 1, X-1 M-1 1, X-1 X-2 2, X-1 M-3 1, "
      "X-2 M-2 1, X-2 X-1 1, X-2 M-2 5, X-3 X-3 1");
  Carga();
  const std::string prefijo = "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # ";
  const struct {
    const char *clave, *lineas, *error;
  } casos[] = {{"P-1", "M-1|M-3", "94 Uso no válido de Null"},
               {"X-1", "M-1|M-2|M-2|M-3", "28 Referencia circular: X-1 > X-2 > X-1"},
               {"X-3", "", "28 Referencia circular: X-3 > X-3"}};
  for (const auto& c : casos) {
    s_.clear();
    std::unique_ptr<Explosion> e = Explota(c.clave);
    EXPECT_EQ(Claves(e->Items), c.lineas);
    EXPECT_EQ(s_, prefijo + c.error + "\n");
  }
}

// Machine RETRO: diesel 0.1 per hour, an operator crew 0.125, tyres 0.002.
class ExplotaMeMaquina : public ExplotaMe {
 protected:
  void SetUp() override {
    Concepto("U", kPU);
    Concepto("MQ-1", kMaq, 900, 1, 1, "RETRO", 2);
    Concepto("DIE", kMat, 20);
    Concepto("LLA", kMat, 3000);
    Concepto("CUA-OP", kCua);
    Concepto("MO-OP", kMdo, 400);
    Matrices("U MQ-1 3, CUA-OP MO-OP 1");
    Maquina("RETRO", "DIESEL, CANT_DIE, LLANTAS, CANT_LLAN, CUADRILLA, CANT_OPER",
            "'DIE', 0.1, 'LLA', 0.002, 'CUA-OP', 0.125");
  }
};

TEST_F(ExplotaMeMaquina, OnlyAWholeMachineLineWhenMachinesAreNotBrokenDown) {
  Carga();
  std::unique_ptr<Explosion> e = Explota("U");
  ASSERT_EQ(Claves(e->Items), "MQ-1");
  EXPECT_DOUBLE_EQ(e->Items.Item(1)->Cantidad, 3);
  EXPECT_EQ(C("MQ-1")->CostoHorario, nullptr);
  EXPECT_EQ(s_, "");
}

TEST_F(ExplotaMeMaquina, BrokenDownIntoItsComponentsWithTheWorksStandbyFactors) {
  p_.DesglosarMaquinaria = true;
  Carga("update FACMAQ set F_LLA = 0.7, F_OPE = 0.9");
  std::unique_ptr<Explosion> e = Explota("U");
  EXPECT_EQ(s_, "");
  // Component order: Diesel, Llantas, Cuadrilla; the machine itself has no line.
  ASSERT_EQ(Claves(e->Items), "DIE|LLA|MO-OP");
  const ItemExplosion& diesel = *e->Items.Item(1);
  EXPECT_DOUBLE_EQ(diesel.Cantidad, 0.1 * 3 * 0.8);  // "Com", standby
  EXPECT_TRUE(diesel.EsInsumoMaquina);
  EXPECT_EQ(diesel.ConceptoOrigen, C("U"));
  EXPECT_DOUBLE_EQ(e->Items.Item(2)->Cantidad, 0.002 * 3 * 0.7);  // "Lla"
  // The crew is a composite: its analysis names the origin, and the machine mark is kept.
  const ItemExplosion& operador = *e->Items.Item(3);
  EXPECT_DOUBLE_EQ(operador.Cantidad, 0.125 * 3 * 0.9);  // "Ope"
  EXPECT_TRUE(operador.EsInsumoMaquina);
  EXPECT_EQ(operador.ConceptoOrigen, C("CUA-OP"));
}

TEST_F(ExplotaMe, EachHourlyCostComponentTakesTheFactorOfItsGroupAndCrewsCannotLoop) {
  Conceptos({"GAS", "DIE", "OFU", "OCO", "ACE", "LLA", "PZA", "CUA"}, kMat, 1);
  Concepto("MQ", kMaq, 1, 1, 1, "EQ", 3);  // reserve hours
  Maquina("EQ",
          "GASOLINA, CANT_GAS, DIESEL, CANT_DIE, O_FUENTES, C_OTRAS, O_CONSUM, ACEITE, CANT_ACEI, "
          "LLANTAS, CANT_LLAN, PZAS_ESP, CANT_PZAS, CUADRILLA, CANT_OPER",
          "'GAS', 1, 'DIE', 1, 'OFU', 1, 'OCO', 'ACE', 1, 'LLA', 1, 'PZA', 1, 'CUA', 1");
  // A machine whose crew uses the machine again.
  Concepto("MQ2", kMaq, 1, 1, 1, "EQ2", 1);
  Concepto("CUA2", kCua);
  Matrices("CUA2 DIE 1, CUA2 MQ2 1");
  Maquina("EQ2", "CUADRILLA, CANT_OPER", "'CUA2', 2");
  p_.DesglosarMaquinaria = true;
  Carga(
      "update FACMAQ set F_DEPE = 0.12, F_INVE = 0.13, F_SEGE = 0.14, F_MANE = 0.16, F_OPEE = "
      "0.15, F_COME = 0.11, F_LUBE = 0.17, F_LLAE = 0.18, F_OTRE = 0.19");
  std::unique_ptr<Explosion> e = Explota("MQ");
  EXPECT_EQ(s_, "");
  ASSERT_EQ(Claves(e->Items), "GAS|DIE|OFU|OCO|ACE|LLA|PZA|CUA");
  const double esperado[] = {0.11, 0.11, 0.11, 0.19,
                             0.17, 0.18, 0.19, 0.15};  // Com Com Com Otr Lub Lla Otr Ope
  for (int i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(e->Items.Item(i + 1)->Cantidad, esperado[i]) << i;
  e = Explota("MQ2");
  EXPECT_EQ(Claves(e->Items), "DIE");
  EXPECT_EQ(s_,
            "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 28 Referencia circular: "
            "MQ2 > CUA2 > MQ2\n");
}

// Same breakdowns with one query per composite and with the whole table read once.
TEST_F(ExplotaMe, ALargeCatalogueReadsTheTableOnceAndKeepsEachAnalysisInItsOrder) {
  Conceptos({"P-1", "P-2"}, kPU);
  Concepto("B-1", kBas);
  Conceptos({"M-1", "M-2", "M-3"}, kMat, 1);
  Matrices("P-1 M-3 1, P-2 B-1 2, B-1 M-2 1, P-1 B-1 1, B-1 M-1 1, P-1 M-1 1");
  Carga();
  std::string s;
  const auto ambas = [&](Programa& p) {
    std::string r;
    for (const char* clave : {"P-1", "P-2"}) {
      std::unique_ptr<Explosion> e;
      pmq::Concepto* c = p.Conceptos->Item("k" + std::string(clave));
      c->ExplotaMe(p.Conexion, c, 1, false, e, s);
      r += Claves(e->Items);
      r.push_back('/');
    }
    return r;
  };
  EXPECT_EQ(ambas(p_), "M-3|M-2|M-1|M-1/M-2|M-1/");
  EXPECT_FALSE(p_.Conceptos->Analisis().Precargada());
  Sql("with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
      std::to_string(Matrices::kUmbralPrecarga) +
      ") insert into CONCEPTO (CONCEPTO, COSTO, TIPO) select 'R-' || i, 1, 1 from n");
  Programa grande;
  grande.Ruta = base_.Ruta();
  grande.ClaveObra = "A7";
  ASSERT_EQ(grande.CalcularPrograma(s), ResultadoCarga::Correcta);
  EXPECT_EQ(ambas(grande), "M-3|M-2|M-1|M-1/M-2|M-1/");
  EXPECT_TRUE(grande.Conceptos->Analisis().Precargada());
  EXPECT_EQ(s, "");
}

class LimitesDesglose : public CatalogoConBase {};

// A chain deeper than the stack allows, and analyses that share
// sub-analyses so that their inputs double at every level: each breakdown
// stops whole, told once with the concept's code, and keeps nothing.
TEST_F(LimitesDesglose, DeepChainsAndSharedSubAnalysesStopWholeWithOneMessage) {
  Sql("with recursive n(i) as (select 1 union all select i + 1 from n where i < 1500) "
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) "
      "select 'K' || i, 'u', 1, 'K', case when i = 1500 then 1 else 4 end from n;"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1499) "
      "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) select 'K' || i, 'K' || (i + 1), 1 "
      "from n;"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 23) "
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, TIPO) "
      "select 'D' || i, 'u', 1, 'D', case when i = 23 then 1 else 4 end from n;"
      "with recursive n(i) as (select 1 union all select i + 1 from n where i < 22) "
      "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) "
      "select 'D' || i, 'D' || (i + 1), 1 from n union all select 'D' || i, 'D' || (i + 1), 2 "
      "from n;");
  Carga();
  struct Caso {
    const char* clave;
    const char* mensaje;
    int64_t items;
  };
  for (const Caso& c :
       {Caso{"K1",
             "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 28 El análisis de K1 "
             "tiene más de 1000 niveles: K1 > K2 > K3 > … > K998 > K999 > K1000 > K1001; "
             "no se desglosa\n",
             0},
        Caso{"K600", "", 1}, Caso{"D20", "", 8},
        Caso{"D1",
             "ProMorlaQel.Concepto.ExplotaMe() arrojó la excepción # 7 El desglose de D1 "
             "pasa de 2,000,000 insumos y análisis (el límite por concepto): sus análisis "
             "se repiten unos dentro de otros; no se desglosa\n",
             0}}) {
    s_.clear();
    std::unique_ptr<Explosion> e = Explota(c.clave);
    EXPECT_EQ(s_, c.mensaje) << c.clave;
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Items.Count(), c.items) << c.clave;
  }
}

// Pricing a breakdown, its totals and summaries, and the copies scaled to a
// budget line's quantity.

Moneda Pesos(double v) {
  return Moneda::DesdeDouble(v);
}

class Opera : public CatalogoConBase {};

// P-1: 2.5 of material M-1 (10.00, 2 commercial units per unit) and 0.2 of
// labour MO-1 (wage 100.00, real-wage factor 1.5), priced with tax 16 %,
// waste 3 %, labour factor 1.05 and piecework share 0.6.
TEST_F(Opera, MaterialRoundsOnceAfterWasteThenTaxAndLabourKeepsPieceworkApart) {
  Concepto("M-1", kMat, 10, 1, 2);
  Concepto("MO-1", kMdo, 100, 1.5);
  Concepto("P-1", kPU);
  Matrices("P-1 M-1 2.5, P-1 MO-1 0.2");
  Carga();
  std::unique_ptr<Explosion> explosion = Explota("P-1");
  Explosion& e = *explosion;
  e.Opera(1, 16, true, 1.03, 1.05, 0.6, true, s_);
  ASSERT_EQ(s_, "");
  const ItemExplosion& m = *e.Items.Item(1);
  EXPECT_EQ(m.Parcial, Pesos(29.87));  // R2(10 × 2.575) = 25.75, R2(1.16 × 25.75)
  EXPECT_DOUBLE_EQ(m.CantidadAlt, 5.0);
  EXPECT_EQ(e.TotalMateriales, Pesos(29.87));
  EXPECT_EQ(e.Items.Item(2)->Parcial, Pesos(31.50));  // wage 150, charged 157.50
  EXPECT_EQ(e.TotalManoDeObra, Pesos(31.50));
  EXPECT_EQ(e.TotalDestajos, Pesos(12.60));  // R2(0.2 × 1.05 × R2(100 × 0.6))
  EXPECT_EQ(e.DestajoUnitario, Pesos(12.60));
  EXPECT_EQ(e.Total, Pesos(61.37));
  e.Opera(1, 16, false, 1.03, 1.05, 0.6, true, s_);
  EXPECT_EQ(m.Parcial, Pesos(25.75));
  e.Opera(2, 16, true, 1.03, 1.05, 0.6, true, s_);
  EXPECT_EQ(e.DestajoUnitario, Pesos(6.30));
  e.Opera(0, 16, true, 1.03, 1.05, 0.6, true, s_);
  EXPECT_TRUE(e.DestajoUnitario.EsCero());
  EXPECT_EQ(e.TotalDestajos, Pesos(12.60));

  // Without labour: lines keep their price, the labour total and summary stay
  // as they were, and the direct cost leaves labour out.
  const ItemExplosion* resumen_mdo = e.ResumenMdo->Item(1);
  e.Opera(1, 16, true, 1.03, 2.0, 0.6, false, s_);
  EXPECT_EQ(e.Items.Item(2)->Parcial, Pesos(31.50));
  EXPECT_EQ(e.TotalManoDeObra, Pesos(31.50));
  EXPECT_EQ(e.ResumenMdo->Item(1), resumen_mdo);
  EXPECT_EQ(e.Total, Pesos(29.87));
  EXPECT_TRUE(e.TotalDestajos.EsCero());
  EXPECT_EQ(Claves(*e.Resumen), "M-1");
}

TEST_F(Opera, EachKindHasItsRuleAndTheDirectCostLeavesIndirectsOut) {
  Concepto("M", kMat, 1.004);
  Concepto("S", kSub, 1.004);
  Concepto("MQ", kMaq, 2.345);
  Concepto("IND", kInd, 0.125);
  Concepto("OTRO", kBas);  // an empty composite: nothing to price
  Concepto("P", kPU);
  Matrices("P M 10, P S 10, P MQ 3, P IND 1, P OTRO 1");
  Carga();
  std::unique_ptr<Explosion> e = Explota("P");
  e->Opera(1, 16, true, 1.03, 1, 1, true, s_);
  EXPECT_EQ(s_, "");
  // Material: R2(1.004 × 10.3) = 10.34, with tax 11.99. Subcontract: R2(1.004 × 1.03)
  // = 1.03 first, then 10.30, with tax 11.95.
  EXPECT_EQ(e->TotalMateriales, Pesos(11.99));
  EXPECT_EQ(e->TotalSubcontratos, Pesos(11.95));
  EXPECT_EQ(e->TotalMaquinaria, Pesos(7.04));  // R2(7.035): halves go up
  EXPECT_EQ(e->TotalIndirectos, Pesos(0.13));
  EXPECT_EQ(e->Total, Pesos(11.99 + 11.95 + 7.04));
  EXPECT_TRUE(e->TotalDestajos.EsCero());
}

TEST_F(Opera, SummariesMergeAConceptIntoItsFirstLineAndShareLinesWithTheWholeSummary) {
  Concepto("P", kPU);
  Conceptos({"B-1", "B-2"}, kBas);
  Concepto("M-1", kMat, 10, 1, 3);
  Concepto("M-2", kMat, 4);
  Concepto("MO-1", kMdo, 100);
  Concepto("MQ-1", kMaq, 50);
  Matrices("P B-1 1, P M-2 1, P B-2 1, P MQ-1 1, B-1 MO-1 0.5, B-1 M-1 0.5, B-2 M-1 0.25");
  Carga();
  std::unique_ptr<Explosion> e = Explota("P");
  ASSERT_EQ(Claves(e->Items), "MO-1|M-1|M-2|M-1|MQ-1");
  for (int vez = 0; vez < 2; ++vez) {  // a second Opera recomputes, it does not add up again
    e->Opera(1, 0, false, 1, 1, 1, true, s_);
    EXPECT_EQ(s_, "");
    ASSERT_EQ(Claves(*e->ResumenMat), "M-1|M-2");
    const ItemExplosion& m1 = *e->ResumenMat->Item(1);
    EXPECT_DOUBLE_EQ(m1.Cantidad, 0.75);
    EXPECT_DOUBLE_EQ(m1.CantidadAlt, 2.25);
    EXPECT_EQ(m1.Parcial, Pesos(7.50));
    EXPECT_EQ(m1.Explosion, nullptr);
    EXPECT_EQ(m1.ConceptoOrigen, nullptr);
    EXPECT_FALSE(e->Items.Item(2)->Resumido);
    EXPECT_TRUE(e->Items.Item(4)->Resumido);
    EXPECT_FALSE(e->Items.Item(3)->Resumido);
    // Materials, labour, machinery, subcontracts, indirects: the same line objects.
    ASSERT_EQ(Claves(*e->Resumen), "M-1|M-2|MO-1|MQ-1");
    EXPECT_EQ(e->Resumen->Item(1), e->ResumenMat->Item(1));
    EXPECT_EQ(e->Resumen->Item(3), e->ResumenMdo->Item(1));
    EXPECT_EQ(e->Resumen->Item(4), e->ResumenMaq->Item(1));
    ASSERT_TRUE(e->ResumenSub.has_value() && e->ResumenInd.has_value());
    EXPECT_EQ(e->ResumenSub->Count(), 0);
    EXPECT_EQ(e->ResumenInd->Count(), 0);
  }
}

// The diagnostic listing of a concept's breakdown.

std::string Listado(const Concepto& c) {
  std::ostringstream out;
  EscribeExplosion(c, out);
  return out.str();
}

// A concept of unit "m3" named after its code.
struct ConceptoDe : Concepto {
  ConceptoDe(std::string clave, enumTipoConcepto tipo) {
    Des.Clave = std::move(clave);
    Tipo = tipo;
    Des.Descripcion = "Descripción de " + Des.Clave;
    Des.Unidad = "m3";
  }
};

void Agrega(Explosion& e, Concepto* c, Concepto* origen, double q, double alt, double parcial,
            bool maquina) {
  auto l = std::make_unique<ItemExplosion>();
  l->Concepto = c;
  l->ConceptoOrigen = origen;
  l->Cantidad = q;
  l->CantidadAlt = alt;
  l->Parcial = Moneda::DesdeDouble(parcial);
  l->EsInsumoMaquina = maquina;
  std::string s;
  e.Add(std::move(l), s);
  ASSERT_EQ(s, "");
}

TEST(ListadoExplosion, RowsAreRightAlignedInTheirColumnsAndTotalsCloseTheListing) {
  ConceptoDe p("P-1", enumTipoConcepto::PrecioUnitario);
  ConceptoDe m("M-1", enumTipoConcepto::Material);
  ConceptoDe largo("DIESEL-LARGO", enumTipoConcepto::Material);
  EXPECT_EQ(Listado(p), "P-1 NO TIENE EXPLOSION!!!\n");
  p.Explosion = std::make_unique<Explosion>();
  Explosion& e = *p.Explosion;
  Agrega(e, &m, &p, 2.5, 5, 29.87, false);
  Agrega(e, &largo, &p, 1234567.1234567, 0.0000005, 1234567.891, true);
  e.DestajoUnitario = Moneda::DesdeDouble(1234.5);
  e.TotalMateriales = Moneda::DesdeDouble(1234567.89);
  e.TotalManoDeObra = Moneda::DesdeDouble(31.5);
  e.Total = Moneda::DesdeDouble(-2.5);
  e.TotalDestajos = Moneda::DesdeDouble(12.6);

  // A code wider than its column is written whole; machine inputs end with "*".
  EXPECT_EQ(Listado(p),
            R"( Explosión de P-1 Descripción de P-1 Unidad m3 Volumen 0.000000 Destajo $ 1,234.50
---------------------------------------------------------------------------------------------------
 ORIGEN     CONCEPTO    CANTIDAD     CANTIDAD ALT.   PARCIAL
---------------------------------------------------------------------------------------------------
     P-1      M-1        2.500000        5.000000         $ 29.87
     P-1 DIESEL-LARGO 1,234,567.123457        0.000001  $ 1,234,567.89 *
---------------------------------------------------------------------------------------------------
 RESUMEN
Materiales     :  $ 1,234,567.89
ManoDeObra     :         $ 31.50
Maquinaria     :          $ 0.00
Subcontratos   :          $ 0.00
Indirectos     :          $ 0.00
CostoDirecto   :         -$ 2.50
Destajos       :         $ 12.60
)");
}

}  // namespace
}  // namespace pmq
