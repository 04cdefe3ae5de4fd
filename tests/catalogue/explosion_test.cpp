// Pricing a breakdown, its totals and summaries, and the copies scaled to a
// budget line's quantity.

#include "catalogo.h"

namespace pmq {
namespace {

using namespace prueba;

Moneda Pesos(double v) {
  return Moneda::DesdeDouble(v);
}

class Opera : public CatalogoConBase {};

// P-1: 2.5 of material M-1 (10.00, 2 commercial units per unit) and 0.2 of
// labour MO-1 (wage 100.00, real-wage factor 1.5), priced with tax 16 %,
// waste 3 %, labour factor 1.05 and piecework share 0.6.
class OperaPU : public Opera {
 protected:
  void SetUp() override {
    Concepto("M-1", kMat, 10, 1, 2);
    Concepto("MO-1", kMdo, 100, 1.5);
    Concepto("P-1", kPU);
    Matrices({{"P-1", "M-1", "2.5"}, {"P-1", "MO-1", "0.2"}});
    Carga();
    e_ = Explota("P-1", s_);
    e_->Opera(1, 16, true, 1.03, 1.05, 0.6, true, s_);
    ASSERT_EQ(s_, "");
  }
  std::string s_;
  std::unique_ptr<Explosion> e_;
};

TEST_F(OperaPU, MaterialRoundsOnceAfterWasteThenTaxAndLabourKeepsPieceworkApart) {
  Explosion& e = *e_;
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

TEST_F(OperaPU, LinesOfOneConceptGetTheirOwnSummariesScaledByTheirQuantities) {
  const Explosion& base = *e_;
  for (auto [q, materiales, mano_de_obra] :
       {std::tuple{2.0, 59.74, 63.00}, {5.0, 149.35, 157.50}}) {
    Explosion linea;
    for (auto resumen : {&Explosion::Resumen, &Explosion::ResumenMat, &Explosion::ResumenMdo,
                         &Explosion::ResumenMaq}) {
      linea.*resumen = linea.ImportaResumen(q, base.*resumen, s_);
    }
    EXPECT_EQ(s_, "");
    ASSERT_EQ(Claves(*linea.Resumen), "M-1|MO-1");
    const ItemExplosion& m = *linea.ResumenMat->Item(1);
    EXPECT_DOUBLE_EQ(m.Cantidad, 2.5 * q);
    EXPECT_EQ(m.Parcial, Pesos(materiales));
    EXPECT_EQ(linea.ResumenMdo->Item(1)->Parcial, Pesos(mano_de_obra));
    // Copies of its own; the concept's breakdown is untouched; empty summaries give none.
    EXPECT_NE(&m, base.ResumenMat->Item(1));
    EXPECT_DOUBLE_EQ(base.ResumenMat->Item(1)->Cantidad, 2.5);
    EXPECT_FALSE(linea.ResumenMaq.has_value());
  }
}

TEST_F(Opera, EachKindHasItsRuleAndTheDirectCostLeavesIndirectsOut) {
  Concepto("M", kMat, 1.004);
  Concepto("S", kSub, 1.004);
  Concepto("MQ", kMaq, 2.345);
  Concepto("IND", kInd, 0.125);
  Concepto("OTRO", kBas);  // an empty composite: nothing to price
  Concepto("P", kPU);
  Matrices({{"P", "M", "10"},
            {"P", "S", "10"},
            {"P", "MQ", "3"},
            {"P", "IND", "1"},
            {"P", "OTRO", "1"}});
  Carga();
  std::string s;
  std::unique_ptr<Explosion> e = Explota("P", s);
  e->Opera(1, 16, true, 1.03, 1, 1, true, s);
  EXPECT_EQ(s, "");
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
  Matrices({{"P", "B-1", "1"},
            {"P", "M-2", "1"},
            {"P", "B-2", "1"},
            {"P", "MQ-1", "1"},
            {"B-1", "MO-1", "0.5"},
            {"B-1", "M-1", "0.5"},
            {"B-2", "M-1", "0.25"}});
  Carga();
  std::string s;
  std::unique_ptr<Explosion> e = Explota("P", s);
  ASSERT_EQ(Claves(e->Items), "MO-1|M-1|M-2|M-1|MQ-1");
  for (int vez = 0; vez < 2; ++vez) {  // a second Opera recomputes, it does not add up again
    e->Opera(1, 0, false, 1, 1, 1, true, s);
    EXPECT_EQ(s, "");
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

}  // namespace
}  // namespace pmq
