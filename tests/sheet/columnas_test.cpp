#include "sheet/columnas.h"
#include "sheet/libro_excel.h"

#include <gtest/gtest.h>

namespace pmq {
namespace {

TEST(ColTrans, ExamplesAndTheTwoLetterRuleAgreeWithGeneralLettersAndRoundTrip) {
  // ColTrans follows the quotient/remainder rule up to ZZ; LetrasColumna is an
  // independent bijective base-26 conversion. Both must agree everywhere, and
  // NumeroColumna must undo them over the whole range of columns.
  for (const auto& [n, letras] : {std::pair<int64_t, const char*>{1, "A"},
                                  {26, "Z"},
                                  {27, "AA"},
                                  {52, "AZ"},
                                  {53, "BA"},
                                  {702, "ZZ"},
                                  {703, "AAA"},
                                  {16384, "XFD"}}) {
    EXPECT_EQ(LibroExcel::ColTrans(n), letras);
  }
  std::string anterior;
  for (int64_t n = 1; n <= kUltimaColumna; ++n) {
    std::string sErrores;
    const std::string letras = LibroExcel::ColTrans(n, sErrores);
    ASSERT_EQ(letras, LetrasColumna(n)) << n;
    ASSERT_EQ(NumeroColumna(letras), n) << letras;
    ASSERT_TRUE(sErrores.empty());
    // Columns sort by length, then alphabetically.
    ASSERT_TRUE(letras.size() > anterior.size() ||
                (letras.size() == anterior.size() && letras > anterior))
        << n;
    anterior = letras;
  }
}

TEST(ColTrans, OutsideTheSheetIsEmptyAndNeverReports) {
  std::string sErrores = "previo\n";
  EXPECT_EQ(LibroExcel::ColTrans(0, sErrores), "");
  EXPECT_EQ(LibroExcel::ColTrans(-3, sErrores), "");
  EXPECT_EQ(LibroExcel::ColTrans(16385, sErrores), "");
  EXPECT_EQ(sErrores, "previo\n");
}

}  // namespace
}  // namespace pmq
