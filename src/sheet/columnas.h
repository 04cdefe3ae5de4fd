#pragma once
// Column letters and the limits of a worksheet: columns run from A (1) to XFD
// (16,384), rows from 1 to 1,048,576.

#include <cstdint>
#include <string>
#include <string_view>

namespace pmq {

inline constexpr int32_t kUltimaFila = 1048576;
inline constexpr int32_t kUltimaColumna = 16384;

/// The letters of a column: 1 → "A", 26 → "Z", 27 → "AA", 702 → "ZZ",
/// 703 → "AAA", 16384 → "XFD". Empty for a number outside 1 to 16,384.
std::string LetrasColumna(int64_t columna);

/// The number of a column from its letters, in either case ("A" → 1, "xfd" →
/// 16384). 0 when the text is not one to three letters naming a column.
int32_t NumeroColumna(std::string_view letras);

}  // namespace pmq
