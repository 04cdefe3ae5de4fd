#include "common/texto_seguro.h"

#include <strings.h>

#include <cctype>

namespace pmq {
namespace {

constexpr std::string_view kOculta = "***";
constexpr std::string_view kReemplazo = "\xEF\xBF\xBD";  // U+FFFD

bool LetraDeEsquema(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

bool Blanco(char c) {
  return std::isspace(static_cast<unsigned char>(c)) || c == '\'' || c == '"';
}

// Length of the well-formed sequence at `i`, or 0.
size_t Secuencia(std::string_view t, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char c = b(i);
  if (c == 0) return 0;
  if (c < 0x80) return 1;
  size_t n = 0;
  unsigned char min = 0x80, max = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) min = 0xA0;  // overlong
    if (c == 0xED) max = 0x9F;  // surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) min = 0x90;  // overlong
    if (c == 0xF4) max = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (i + n > t.size()) return 0;
  if (b(i + 1) < min || b(i + 1) > max) return 0;
  for (size_t k = 2; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

std::string OcultaClaves(std::string_view t) {
  std::string r;
  r.reserve(t.size());
  size_t i = 0;
  while (i < t.size()) {
    // "password=…" up to the next separator.
    if (i + 9 <= t.size() && strncasecmp(t.data() + i, "password=", 9) == 0 &&
        (i == 0 || !std::isalnum(static_cast<unsigned char>(t[i - 1])))) {
      r.append(t.substr(i, 9));
      i += 9;
      size_t fin = i;
      while (fin < t.size() && t[fin] != '&' && t[fin] != ';' && !Blanco(t[fin])) ++fin;
      if (fin > i) r.append(kOculta);
      i = fin;
      continue;
    }
    // "scheme:" (a letter first) followed by an optional "//", a user, ":",
    // the password and "@".
    if (t[i] == ':' && i > 0 && LetraDeEsquema(t[i - 1])) {
      size_t inicio = i;
      while (inicio > 0 && LetraDeEsquema(t[inicio - 1])) --inicio;
      if (std::isalpha(static_cast<unsigned char>(t[inicio]))) {
        size_t k = i + 1;
        if (t.substr(k, 2) == "//") k += 2;
        size_t usuario = k;
        while (usuario < t.size() && t[usuario] != ':' && t[usuario] != '/' && t[usuario] != '@' &&
               !Blanco(t[usuario]))
          ++usuario;
        if (usuario < t.size() && t[usuario] == ':') {
          size_t arroba = usuario + 1;
          while (arroba < t.size() && t[arroba] != '@' && t[arroba] != '/' && !Blanco(t[arroba]))
            ++arroba;
          if (arroba < t.size() && t[arroba] == '@') {
            r.append(t.substr(i, usuario + 1 - i));
            r.append(kOculta);
            i = arroba;
            continue;
          }
        }
      }
    }
    r.push_back(t[i]);
    ++i;
  }
  return r;
}

std::string Utf8Valido(std::string_view t) {
  if (EsUtf8Valido(t)) return std::string(t);
  std::string r;
  r.reserve(t.size() + 8);
  size_t i = 0;
  while (i < t.size()) {
    const size_t n = Secuencia(t, i);
    if (n == 0) {
      r.append(kReemplazo);
      ++i;
    } else {
      r.append(t.substr(i, n));
      i += n;
    }
  }
  return r;
}

bool EsUtf8Valido(std::string_view t) {
  size_t i = 0;
  while (i < t.size()) {
    const auto c = static_cast<unsigned char>(t[i]);
    if (c != 0 && c < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Secuencia(t, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

}  // namespace pmq
