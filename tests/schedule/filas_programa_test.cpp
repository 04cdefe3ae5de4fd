// Totals rows of the work and sections, and the row items of a budget line.

#include "modelo_a_mano.h"

#include "catalogue/concepto.h"
#include "schedule/dias.h"
#include "schedule/filas_programa.h"
#include "schedule/items_fila.h"

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
  EXPECT_EQ(ClavesFilas(*obra.FPro), "kTotal|kTotalAcumulado");
  Partida partida;
  EXPECT_EQ(ClavesFilas(*partida.FPro),
            "kTotalMateriales|kTotalManoDeObra|kTotalMaquinaria|kTotalSubcontratos|kTotal|"
            "kTotalAcumulado");
  const FilaPrograma* total = partida.FPro->Item("KTOTAL");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->FilasPrograma, partida.FPro.get());
  EXPECT_EQ(partida.FPro->Item(5), total);

  std::string s = "previo\n";
  EXPECT_EQ(obra.FPro->Add("ktotal", s), nullptr);
  EXPECT_EQ(s,
            "previo\nProMorlaQel.FilaPrograma.Add() arrojó la excepción # 457 "
            "Esta clave ya está asociada con un elemento de esta colección\n");
  EXPECT_EQ(obra.FPro->Count(), 2);
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
  for (const ItemFila* item : items_) {
    EXPECT_EQ(item->ItemsFila, &items_);
    ASSERT_TRUE(item->DiasPorFila);
    EXPECT_EQ(item->DiasPorFila->Count(), 0);
  }
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

TEST_F(ItemsFilaTest, ALineWithoutParentsOrBreakdownIsReported) {
  std::string s;
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  EXPECT_EQ(s,
            "ProMorlaQel.ItemFila.GetIdxs() arrojó la excepción # 91 "
            "Variable de objeto o bloque With no establecido\n"
            "ProMorlaQel.ItemFila.CalculaDias() arrojó la excepción # 91 "
            "Variable de objeto o bloque With no establecido\n");
  s.clear();
  p1_.Explosion.reset();
  items_.Presup = presup_;
  items_.CalculaDias(enumTipoPrograma::MaterialesImportes, ParaInsumo, s);
  EXPECT_EQ(s.rfind("ProMorlaQel.ItemFila.CalculaDias() arrojó la excepción # 91 ", 0), 0u) << s;
  EXPECT_EQ(items_.IdxFinal, 9);
  EXPECT_EQ(items_.Count(), 0);
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

  // A new day list replaces the one the item had.
  item.InicializaDias(s);
  ASSERT_TRUE(item.DiasPorFila);
  Dia dia;
  item.DiasPorFila->Add(dia, s);
  ASSERT_EQ(item.DiasPorFila->Count(), 1);
  item.InicializaDias(s);
  ASSERT_TRUE(item.DiasPorFila);
  EXPECT_EQ(item.DiasPorFila->Count(), 0);
  EXPECT_EQ(s, "");
}

}  // namespace
}  // namespace pmq
