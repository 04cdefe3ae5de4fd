#pragma once
// A text field that is almost always empty, in the room of one pointer: the
// text lives on the heap only once something is put in it. A std::string takes
// 32 bytes even empty, and a large work holds millions of such fields.

#include <promorlaqel/common/api.h>

#include <memory>
#include <string>
#include <string_view>

namespace pmq {

class PMQ_API TextoOcasional {
 public:
  TextoOcasional() = default;
  TextoOcasional(std::string_view texto) { Asigna(texto); }    // NOLINT: reads as a text
  TextoOcasional(const char* texto) { Asigna(texto); }         // NOLINT
  TextoOcasional(const std::string& texto) { Asigna(texto); }  // NOLINT
  TextoOcasional(const TextoOcasional& otro) { Asigna(otro.Texto()); }
  TextoOcasional(TextoOcasional&&) noexcept = default;
  TextoOcasional& operator=(const TextoOcasional& otro) {
    if (this != &otro) Asigna(otro.Texto());
    return *this;
  }
  TextoOcasional& operator=(TextoOcasional&&) noexcept = default;
  TextoOcasional& operator=(std::string_view texto) { return Asigna(texto); }
  TextoOcasional& operator=(const char* texto) { return Asigna(texto); }
  TextoOcasional& operator=(const std::string& texto) { return Asigna(texto); }

  /// The text; an empty one when nothing was put in.
  const std::string& Texto() const {
    static const std::string vacio;
    return texto_ ? *texto_ : vacio;
  }
  operator const std::string&() const { return Texto(); }  // NOLINT
  bool empty() const { return !texto_; }

  friend bool operator==(const TextoOcasional& a, const TextoOcasional& b) {
    return a.Texto() == b.Texto();
  }
  friend bool operator==(const TextoOcasional& a, std::string_view b) { return a.Texto() == b; }
  friend bool operator==(const TextoOcasional& a, const char* b) {
    return a.Texto() == std::string_view(b);
  }
  friend bool operator==(const TextoOcasional& a, const std::string& b) { return a.Texto() == b; }

 private:
  TextoOcasional& Asigna(std::string_view texto) {
    // An empty text frees the room, so that empty is the same whichever way it came.
    texto_ = texto.empty() ? nullptr : std::make_unique<std::string>(texto);
    return *this;
  }

  std::unique_ptr<std::string> texto_;
};

}  // namespace pmq
