#include "schedule/dias.h"

#include <gtest/gtest.h>

#include <string>

namespace pmq {
namespace {

TEST(Dias, NewListIsEmpty) {
  Dias d;
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(d.Item(1), nullptr);
  EXPECT_EQ(d.Texto(), "");
  EXPECT_TRUE(d.begin() == d.end());
}

TEST(Dias, AddedMarkersReadBackInOrderLinkedToTheList) {
  Dias d;
  std::string s;
  Dia a, b, c;
  b.Barra = true;
  d.Add(a, s);
  d.Add(b, s);
  d.Add(c, s);
  EXPECT_EQ(s, "");
  EXPECT_EQ(a.Dias, &d);
  EXPECT_EQ(b.Dias, &d);
  ASSERT_EQ(d.Count(), 3);
  ASSERT_NE(d.Item(2), nullptr);
  EXPECT_TRUE(d.Item(2)->Barra);
  EXPECT_EQ(d.Item(2)->Dias, &d);
  EXPECT_FALSE(d.Item(1)->Barra);
  EXPECT_FALSE(d.Item(3)->Barra);
  EXPECT_EQ(d.Item(3)->Dias, &d);
  EXPECT_EQ(d.Item(0), nullptr);
  EXPECT_EQ(d.Item(4), nullptr);
  EXPECT_EQ(d.Item("2"), nullptr);
  EXPECT_EQ(d.Texto(), "010");
}

// Runs of markers across the 64-day words, appended one after another.
TEST(Dias, RunsAcrossWordBoundariesKeepEveryDay) {
  struct Tramo {
    int32_t n, desde, hasta;
  };
  const Tramo tramos[] = {{31, 10, 19}, {28, 0, 0}, {31, 1, 31}, {200, 60, 130},
                          {64, 1, 64},  {3, 3, 1},  {70, 64, 65}, {1, 1, 1}};
  Dias d;
  std::string esperado;
  for (const auto& t : tramos) {
    d.AgregaDias(t.n, t.desde, t.hasta);
    for (int32_t i = 1; i <= t.n; ++i) esperado += (i >= t.desde && i <= t.hasta) ? '1' : '0';
  }
  ASSERT_EQ(d.Count(), static_cast<int32_t>(esperado.size()));
  EXPECT_EQ(d.Texto(), esperado);
  std::string por_item;
  for (const Dia* dia : d) por_item += dia->Barra ? '1' : '0';
  EXPECT_EQ(por_item, esperado);
  // One Add after the runs lands at the end.
  Dia marcado{nullptr, true};
  std::string s;
  d.Add(marcado, s);
  EXPECT_TRUE(d.Item(d.Count())->Barra);
  EXPECT_FALSE(d.Barra(d.Count() + 1));
}

}  // namespace
}  // namespace pmq
