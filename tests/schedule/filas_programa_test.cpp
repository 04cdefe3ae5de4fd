// Totals rows of the work and sections, and the row items of a budget line.

#include "modelo_a_mano.h"

#include "catalogue/concepto.h"
#include "catalogue/explosion_presup.h"
#include "schedule/dias.h"
#include "schedule/filas_programa.h"
#include "schedule/items_fila.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"
#include "schedule/reparto.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pmq {
namespace {

std::string ClavesFilas(const FilasPrograma& f) {
  std::string r;
  for (const FilaPrograma* fila : f) {
    if (!r.empty()) r.push_back('|');
    r += fila->Clave;
  }
  return r;
}

TEST(FilasPrograma, TheWorkAndEverySectionStartWithTheirTotalsRows) {
  Obra obra;
  EXPECT_EQ(ClavesFilas(*obra.FPro),
            "kTotal|kTotalAcumulado|kTotalMateriales|kTotalManoDeObra|kTotalMaquinaria|"
            "kTotalSubcontratos");
  Partida partida;
  EXPECT_EQ(ClavesFilas(*partida.FPro),
            "kTotalMateriales|kTotalManoDeObra|kTotalMaquinaria|kTotalSubcontratos|kTotal|"
            "kTotalAcumulado");
}

// A work starting 2013-01-01 with one section and one line of concept P-1,
// whose per-unit breakdown has three materials, one labour input and one machine.
class ItemsFilaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_.Obra().Des.Inicio = Fecha::DesdeYmd(2013, 1, 1);
    presup_ = &m_.Linea("", "P-1", Fecha::DesdeYmd(2013, 1, 1), Fecha::DesdeYmd(2013, 1, 10), 4);
    presup_->Concepto = &p1_;
    p1_.Des.Costo = Moneda::DesdeDouble(100);
    const struct {
      enumTipoConcepto tipo;
      double cantidad;
    } insumos[] = {{enumTipoConcepto::Material, 2.5},
                   {enumTipoConcepto::Material, 1},
                   {enumTipoConcepto::ManoDeObra, 0.2},
                   {enumTipoConcepto::Material, 1.0 / 7},
                   {enumTipoConcepto::Maquinaria, 0.05}};
    auto e = std::make_unique<Explosion>();
    std::string s;
    for (const auto& i : insumos) {
      auto c = std::make_unique<Concepto>();
      c->Des.Clave = "I-" + std::to_string(insumos_.size());
      c->Tipo = i.tipo;
      c->Des.FactorConversion = c->Des.FSR = 1;
      c->Des.Costo = Moneda::DesdeDouble(12.34 + static_cast<double>(insumos_.size()));
      auto l = std::make_unique<ItemExplosion>();
      l->Concepto = c.get();
      l->Cantidad = i.cantidad;
      e->Add(std::move(l), s);
      insumos_.push_back(std::move(c));
    }
    e->Opera(1, 0, false, 1, 1, 1, true, s);
    ASSERT_EQ(s, "");
    p1_.Explosion = std::move(e);
  }

  prueba::ModeloAMano m_;
  Concepto p1_;
  std::vector<std::unique_ptr<Concepto>> insumos_;
  Presup* presup_ = nullptr;
  ItemsFila items_;
};

TEST_F(ItemsFilaTest, OneItemPerSummaryEntryOfTheChosenKindOrOnlyTheDayOffsetsPerConcept) {
  items_.Presup = presup_;
  std::string s;
  EXPECT_FALSE(items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s));
  EXPECT_EQ(s, "");
  EXPECT_EQ(items_.IdxInicio, 0);  // starts on the work's first day
  EXPECT_EQ(items_.IdxFinal, 9);
  ASSERT_EQ(items_.Count(), 3);
  // 2.5 per unit × 4 units over 10 days; the amount uses the line concept's cost.
  const ItemFila& m1 = *items_.Item(1);
  EXPECT_EQ(m1.NoDias, 10);
  EXPECT_DOUBLE_EQ(m1.CantidadTotal, 10);
  EXPECT_EQ(m1.ImporteTotal, Moneda::DesdeDouble(1000));
  EXPECT_DOUBLE_EQ(m1.CantidadPorDia, 1);
  EXPECT_EQ(m1.ImportePorDia, Moneda::DesdeDouble(100));
  const ItemFila& m3 = *items_.Item(3);  // 4/7 of a unit
  EXPECT_DOUBLE_EQ(m3.CantidadTotal, 0.571429);
  EXPECT_DOUBLE_EQ(m3.CantidadPorDia, 0.057143);
  EXPECT_EQ(m3.ImporteTotal, Moneda::DesdeDouble(57.14));
  EXPECT_EQ(m3.ImportePorDia, Moneda::DesdeDouble(5.71));

  // Quantity and amount variants walk the same summary; each call starts afresh.
  items_.CalculaDias(enumTipoPrograma::MaterialesCantidades, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 3);
  items_.CalculaDias(enumTipoPrograma::ManoDeObraCantidades, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 1);
  items_.CalculaDias(enumTipoPrograma::MaquinariaImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 1);
  EXPECT_DOUBLE_EQ(items_.Item(1)->CantidadTotal, 0.2);
  items_.CalculaDias(enumTipoPrograma::TotalImportes, ParaInsumo, s);
  EXPECT_EQ(items_.Count(), 0);

  // Per concept only the day offsets are set, from the line's own dates.
  presup_->Des.Inicio = Fecha::DesdeYmd(2013, 2, 1);
  presup_->Des.Final = Fecha::DesdeYmd(2013, 2, 28);
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 3);
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaConcepto, s);
  EXPECT_EQ(items_.IdxInicio, 31);
  EXPECT_EQ(items_.IdxFinal, 58);
  EXPECT_EQ(items_.Count(), 0);
  EXPECT_EQ(s, "");
}

TEST_F(ItemsFilaTest, ItemsAndTotalsRowsSpreadOverTheLinesDaysAndAddUp) {
  // January and February; the line works 22 January to 10 February (20 days).
  m_.Calendario(Fecha::DesdeYmd(2013, 1, 1), Fecha::DesdeYmd(2013, 2, 28));
  presup_->Des.Inicio = Fecha::DesdeYmd(2013, 1, 22);
  presup_->Des.Final = Fecha::DesdeYmd(2013, 2, 10);
  presup_->Des.Importe = Moneda::DesdeDouble(1000.07);
  std::string s;
  presup_->PeriodosPorItem->Presup = presup_;
  for (int32_t k = 1; k <= 2; ++k) {
    auto parte = std::make_unique<PeriodoPorItem>();
    parte->PeriodosPorItem = presup_->PeriodosPorItem.get();
    parte->AgregaDias(k, s);
    presup_->PeriodosPorItem->Add(std::move(parte), s);
  }
  presup_->Explosion = std::make_unique<ExplosionPresup>(p1_, 4);

  items_.Presup = presup_;
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  ASSERT_EQ(items_.Count(), 3);
  const std::string dias = std::string(21, '0') + std::string(20, '1') + std::string(18, '0');
  for (const ItemFila* item : items_) {
    SCOPED_TRACE(item->Concepto->Des.Clave);
    ASSERT_EQ(item->Importes.size(), 2u);
    EXPECT_EQ(item->Importes[0] + item->Importes[1], item->Importe);
    EXPECT_NEAR(item->Cantidades[0] + item->Cantidades[1], item->Cantidad, 1e-9);
    EXPECT_EQ(item->DiasPorFila->Texto(), dias);
  }
  // 4/7 × 4 = 0.571429 at 0.028571 a day: January 10 days, February the rest.
  EXPECT_DOUBLE_EQ(items_.Item(3)->Cantidades[0], 0.28571);
  EXPECT_NEAR(items_.Item(3)->Cantidades[1], 0.285719, 1e-12);

  // Totals rows: kTotal the shares, the resource rows each kind spread the
  // same way, kTotalAcumulado the running sum.
  Partida seccion;
  FilasPrograma& f = *seccion.FPro;
  for (const bool cuadrar : {false, true}) {
    f.Inicia(2);
    f.Suma(*presup_, cuadrar);
    f.Acumula();
    const auto& total = f.Item("kTotal")->Importes;
    EXPECT_EQ(total[0], presup_->PeriodosPorItem->Item(1)->Importe);
    EXPECT_EQ(total[1], presup_->PeriodosPorItem->Item(2)->Importe);
    EXPECT_EQ(f.Item("kTotalAcumulado")->Importes[1], total[0] + total[1]);
    Moneda materiales;
    const auto resumen = presup_->Explosion->ResumenMat();
    for (const ItemExplosion& e : *resumen) materiales += e.Parcial;
    const auto& mat = f.Item("kTotalMateriales")->Importes;
    EXPECT_EQ(mat[0], Reparto::ImporteDiario(materiales, 20) * 10);
    ASSERT_FALSE(materiales.EsCero());
    if (cuadrar) {
      EXPECT_EQ(mat[0] + mat[1], materiales);
    }
    EXPECT_TRUE(f.Item("kTotalSubcontratos")->Importes[1].EsCero());
  }

  // Squaring the shares: 1,000.07 at 50.00 a day gives 1,000.00 over the two
  // months; February takes the 0.07.
  Reparto::CuadraPartes(*presup_->PeriodosPorItem, presup_->Des.Importe, presup_->Des.Cantidad);
  EXPECT_EQ(presup_->PeriodosPorItem->Item(1)->Importe, Moneda::DesdeDouble(500));
  EXPECT_EQ(presup_->PeriodosPorItem->Item(2)->Importe, Moneda::DesdeDouble(500.07));
  EXPECT_EQ(s, "");
}

TEST(ItemFila, ElementValuesRoundWithTheLibrarysRounding) {
  ItemFila item;
  std::string s;
  item.AgregaElemento(1, 1, Moneda::DesdeUnidades(1250), 0, 0, s);  // 0.125
  EXPECT_EQ(item.ImporteTotal, Moneda::DesdeDouble(0.13));
  item.AgregaElemento(1, 100, Moneda::DesdeDouble(1), 5, 7, s);  // 100.00 over 3 days
  EXPECT_EQ(item.NoDias, 3);
  EXPECT_DOUBLE_EQ(item.CantidadPorDia, 33.333333);
  EXPECT_EQ(item.ImportePorDia, Moneda::DesdeDouble(33.33));
  item.AgregaElemento(1, 100, Moneda::DesdeDouble(1), 8, 7, s);  // no days: nothing
  EXPECT_EQ(item.NoDias, 0);
  EXPECT_TRUE(item.ImporteTotal.EsCero() && item.ImportePorDia.EsCero());
  EXPECT_EQ(item.CantidadTotal, 0);
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace pmq
