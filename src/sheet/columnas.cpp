#include "sheet/columnas.h"

namespace pmq {

std::string LetrasColumna(int64_t columna) {
  if (columna < 1 || columna > kUltimaColumna) return {};
  std::string letras;
  // Bijective base 26: there is no zero digit, Z is 26.
  while (columna > 0) {
    const int64_t resto = (columna - 1) % 26;
    letras.insert(letras.begin(), static_cast<char>('A' + resto));
    columna = (columna - 1) / 26;
  }
  return letras;
}

int32_t NumeroColumna(std::string_view letras) {
  if (letras.empty() || letras.size() > 3) return 0;
  int32_t numero = 0;
  for (char ch : letras) {
    int32_t digito = 0;
    if (ch >= 'A' && ch <= 'Z') {
      digito = ch - 'A' + 1;
    } else if (ch >= 'a' && ch <= 'z') {
      digito = ch - 'a' + 1;
    } else {
      return 0;
    }
    numero = numero * 26 + digito;
  }
  return numero <= kUltimaColumna ? numero : 0;
}

}  // namespace pmq
