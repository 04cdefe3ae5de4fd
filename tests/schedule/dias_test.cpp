#include "schedule/dias.h"

#include <gtest/gtest.h>

#include <string>

namespace pmq {
namespace {

TEST(Dias, MarkersReadBackInOrderAcrossWordBoundaries) {
  Dias d;
  EXPECT_EQ(d.Item(1), nullptr);
  std::string s;
  Dia a, b{nullptr, true};
  d.Add(a, s);
  d.Add(b, s);
  EXPECT_EQ(b.Dias, &d);
  ASSERT_EQ(d.Count(), 2);
  EXPECT_TRUE(d.Item(2)->Barra);
  EXPECT_FALSE(d.Item(1)->Barra);
  EXPECT_EQ(d.Item(1)->Dias, &d);
  EXPECT_EQ(d.Item(0), nullptr);
  EXPECT_EQ(d.Item(3), nullptr);
  EXPECT_EQ(d.Item("2"), nullptr);

  const int32_t tramos[][3] = {{31, 10, 19}, {28, 0, 0}, {200, 60, 130},
                               {64, 1, 64},  {3, 3, 1},  {70, 64, 65}};
  std::string esperado = "01";
  for (const auto& t : tramos) {
    d.AgregaDias(t[0], t[1], t[2]);
    for (int32_t i = 1; i <= t[0]; ++i) esperado += (i >= t[1] && i <= t[2]) ? '1' : '0';
  }
  EXPECT_EQ(d.Texto(), esperado);
  std::string por_item;
  for (const Dia* dia : d) por_item += dia->Barra ? '1' : '0';
  EXPECT_EQ(por_item, esperado);
}

}  // namespace
}  // namespace pmq
