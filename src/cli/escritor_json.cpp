#include "escritor_json.h"

#include <promorlaqel/common/texto_seguro.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace pmq::cli {

namespace {

// True when `t` is well-formed UTF-8 (no overlong forms, no surrogates, nothing
// past U+10FFFF) and holds nothing JSON escapes: such a text is written as it is.
bool SeEscribeTalCual(std::string_view t) {
  const auto* p = reinterpret_cast<const unsigned char*>(t.data());
  const auto* fin = p + t.size();
  while (p < fin) {
    const unsigned char c = *p;
    if (c < 0x80) {
      if (c < 0x20 || c == '"' || c == '\\') return false;
      ++p;
      continue;
    }
    size_t n = 0;
    unsigned char bajo = 0x80, alto = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      if (c == 0xE0) bajo = 0xA0;
      if (c == 0xED) alto = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      if (c == 0xF0) bajo = 0x90;
      if (c == 0xF4) alto = 0x8F;
    } else {
      return false;
    }
    if (static_cast<size_t>(fin - p) <= n) return false;
    if (p[1] < bajo || p[1] > alto) return false;
    for (size_t k = 2; k <= n; ++k) {
      if (p[k] < 0x80 || p[k] > 0xBF) return false;
    }
    p += n + 1;
  }
  return true;
}

}  // namespace

EscritorJson::EscritorJson(std::ostream& salida, int sangria)
    : salida_(&salida),
      sangria_(sangria),
      buffer_(std::make_unique_for_overwrite<char[]>(kTamanoBuffer)) {}

EscritorJson::EscritorJson(std::string& destino, Contexto contexto)
    : texto_(&destino),
      sangria_(contexto.sangria),
      buffer_(std::make_unique_for_overwrite<char[]>(kTamanoBuffer)),
      niveles_(std::move(contexto.niveles)) {}

EscritorJson::Contexto EscritorJson::Continuacion() const {
  Contexto contexto{sangria_, niveles_};
  if (!contexto.niveles.empty() && contexto.niveles.back().miembros == 0) {
    contexto.niveles.back().miembros = 1;
  }
  return contexto;
}

void EscritorJson::Incrusta(std::string_view texto, int64_t miembros) {
  Escribe(texto);
  if (!niveles_.empty()) niveles_.back().miembros += miembros;
}

void EscritorJson::Vacia() {
  if (texto_ != nullptr) {
    texto_->append(buffer_.get(), usado_);
  } else {
    salida_->write(buffer_.get(), static_cast<std::streamsize>(usado_));
  }
  usado_ = 0;
}

void EscritorJson::Escribe(std::string_view texto) {
  if (usado_ + texto.size() > kTamanoBuffer) {
    Vacia();
    if (texto.size() > kTamanoBuffer) {
      if (texto_ != nullptr) {
        texto_->append(texto);
      } else {
        salida_->write(texto.data(), static_cast<std::streamsize>(texto.size()));
      }
      return;
    }
  }
  std::memcpy(buffer_.get() + usado_, texto.data(), texto.size());
  usado_ += texto.size();
}

void EscritorJson::NuevaLinea() {
  if (sangria_ < 0) return;
  Escribe('\n');
  for (size_t blancos = niveles_.size() * static_cast<size_t>(sangria_); blancos > 0;) {
    const size_t n = std::min(blancos, kHuecoNumero);
    char* p = Hueco(n);
    std::memset(p, ' ', n);
    Avanza(p + n);
    blancos -= n;
  }
}

void EscritorJson::AntesDeValor() {
  if (tras_clave_) {
    tras_clave_ = false;
    return;
  }
  if (!niveles_.empty()) {
    if (niveles_.back().miembros++ > 0) Escribe(',');
    NuevaLinea();
  }
}

void EscritorJson::Clave(NombreJson nombre) {
  const bool coma = !niveles_.empty() && niveles_.back().miembros++ > 0;
  tras_clave_ = true;
  const std::string_view texto = nombre.Texto();
  if (sangria_ < 0 && nombre.TalCual() && texto.size() <= kNombreCorto) {
    // The common case of a compact document: `,"Name":` in one copy.
    char* p = Hueco(texto.size() + 4);
    if (coma) *p++ = ',';
    *p++ = '"';
    std::memcpy(p, texto.data(), texto.size());
    p += texto.size();
    *p++ = '"';
    *p++ = ':';
    Avanza(p);
    return;
  }
  if (coma) Escribe(',');
  NuevaLinea();
  if (nombre.TalCual()) {
    Escribe('"');
    Escribe(texto);
    Escribe('"');
  } else {
    EscribeCadena(texto);
  }
  Escribe(sangria_ < 0 ? ":" : ": ");
}

void EscritorJson::Abre(char c, bool objeto) {
  AntesDeValor();
  Escribe(c);
  niveles_.push_back({objeto});
}

void EscritorJson::Cierra(char c) {
  const bool vacio = niveles_.back().miembros == 0;
  niveles_.pop_back();
  if (!vacio) NuevaLinea();
  Escribe(c);
}

void EscritorJson::AbreObjeto() {
  Abre('{', true);
}
void EscritorJson::CierraObjeto() {
  Cierra('}');
}
void EscritorJson::AbreLista() {
  Abre('[', false);
}
void EscritorJson::CierraLista() {
  Cierra(']');
}

void EscritorJson::EscribeCadena(std::string_view valor) {
  if (SeEscribeTalCual(valor)) {
    Escribe('"');
    Escribe(valor);
    Escribe('"');
  } else {
    Escribe(Cadena(valor));
  }
}

void EscritorJson::Texto(std::string_view valor) {
  AntesDeValor();
  EscribeCadena(valor);
}

void EscritorJson::Entero(int64_t valor) {
  AntesDeValor();
  char* p = Hueco(kHuecoNumero);
  Avanza(std::to_chars(p, p + kHuecoNumero, valor).ptr);
}

void EscritorJson::Doble(double valor) {
  AntesDeValor();
  if (!std::isfinite(valor)) {
    Escribe("null");
    return;
  }
  char* p = Hueco(kHuecoNumero);
  const auto bits = std::bit_cast<uint64_t>(valor);
  if (ultimo_largo_ == 0 || bits != ultimo_doble_) {
    // The same digits as Numero(): the JSON library's shortest round-trip text.
    const char* fin =
        nlohmann::detail::to_chars(ultimo_texto_, ultimo_texto_ + kHuecoNumero, valor);
    ultimo_largo_ = static_cast<size_t>(fin - ultimo_texto_);
    ultimo_doble_ = bits;
  }
  std::memcpy(p, ultimo_texto_, ultimo_largo_);
  Avanza(p + ultimo_largo_);
}

void EscritorJson::Dinero(Moneda valor) {
  AntesDeValor();
  // Money.Texto() with ".0" on whole values, without a temporary text.
  const int64_t unidades = valor.Unidades();
  const bool negativo = unidades < 0;
  const uint64_t magnitud =
      negativo ? 0 - static_cast<uint64_t>(unidades) : static_cast<uint64_t>(unidades);
  char* const inicio = Hueco(kHuecoNumero);
  char* p = inicio;
  if (negativo) *p++ = '-';
  p = std::to_chars(p, inicio + kHuecoNumero, magnitud / Moneda::kEscala).ptr;
  *p++ = '.';
  uint64_t fraccion = magnitud % Moneda::kEscala;
  if (fraccion == 0) {
    *p++ = '0';
  } else {
    for (uint64_t d = Moneda::kEscala / 10; d > 0 && fraccion != 0; d /= 10) {
      *p++ = static_cast<char>('0' + fraccion / d);
      fraccion %= d;
    }
  }
  Avanza(p);
}

void EscritorJson::Logico(bool valor) {
  AntesDeValor();
  Escribe(valor ? "true" : "false");
}

void EscritorJson::Nulo() {
  AntesDeValor();
  Escribe("null");
}

void EscritorJson::Dia(Fecha valor) {
  if (valor.EsNula()) {
    Nulo();
  } else {
    Texto(valor.Iso());
  }
}

void EscritorJson::Termina() {
  Escribe('\n');
  Vacia();
  if (salida_ != nullptr) salida_->flush();
}

std::string EscritorJson::Cadena(std::string_view valor) {
  // The same valid UTF-8 a workbook gets: a bad byte or a NUL is U+FFFD.
  return nlohmann::json(Utf8Valido(valor)).dump();
}

std::string EscritorJson::Numero(double valor) {
  if (!std::isfinite(valor)) return "null";
  return nlohmann::json(valor).dump();
}

std::string EscritorJson::Numero(Moneda valor) {
  std::string texto = valor.Texto();
  if (texto.find('.') == std::string::npos) texto += ".0";
  return texto;
}

}  // namespace pmq::cli
