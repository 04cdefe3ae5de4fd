#pragma once
// A streaming JSON writer: the dump of a large work is written as it is walked,
// never held in memory as a document (a buffer of a few kilobytes goes to the
// stream as it fills). Money is written in exact decimal, doubles as the
// shortest text that reads back to the same double.

#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pmq::cli {

/// The name of a member. A name written in the source is measured and checked
/// when the program is compiled (it needs no escaping), so that writing it is
/// a copy; any other name is checked when it is written.
class NombreJson {
 public:
  template <size_t N>
  consteval NombreJson(const char (&nombre)[N]) : texto_(nombre, N - 1), tal_cual_(true) {
    for (size_t i = 0; i + 1 < N; ++i) {
      const auto c = static_cast<unsigned char>(nombre[i]);
      if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\') tal_cual_ = false;
    }
  }
  NombreJson(std::string_view nombre) : texto_(nombre) {}
  NombreJson(const std::string& nombre) : texto_(nombre) {}
  template <class T>
  requires std::same_as<T, const char*> || std::same_as<T, char*> NombreJson(T nombre)
      : texto_(nombre) {}

  std::string_view Texto() const { return texto_; }
  /// True when the name is written as it is, between quotes.
  bool TalCual() const { return tal_cual_; }

 private:
  std::string_view texto_;
  bool tal_cual_ = false;
};

class EscritorJson {
 public:
  /// Writes to `salida`, indenting nested levels by `sangria` blanks; with a
  /// negative `sangria`, compactly (no line breaks and no blanks).
  explicit EscritorJson(std::ostream& salida, int sangria = 2);
  EscritorJson(const EscritorJson&) = delete;
  EscritorJson& operator=(const EscritorJson&) = delete;

  void AbreObjeto();
  void CierraObjeto();
  void AbreLista();
  void CierraLista();
  /// The name of the next member of the open object.
  void Clave(NombreJson nombre);

  void Texto(std::string_view valor);
  void Entero(int64_t valor);
  /// Shortest round-trip text; a value that is not finite is null.
  void Doble(double valor);
  /// Exact decimal of the fixed-point value, at most four decimals ("6200.0", "29.87").
  void Dinero(Moneda valor);
  void Logico(bool valor);
  void Nulo();
  /// "YYYY-MM-DD", or null for an unset date.
  void Dia(Fecha valor);

  // A member and its value at once.
  void Campo(NombreJson nombre, std::string_view valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(NombreJson nombre, const std::string& valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(NombreJson nombre, const char* valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(NombreJson nombre, int32_t valor) {
    Clave(nombre);
    Entero(valor);
  }
  void Campo(NombreJson nombre, int64_t valor) {
    Clave(nombre);
    Entero(valor);
  }
  void Campo(NombreJson nombre, double valor) {
    Clave(nombre);
    Doble(valor);
  }
  void Campo(NombreJson nombre, Moneda valor) {
    Clave(nombre);
    Dinero(valor);
  }
  void Campo(NombreJson nombre, bool valor) {
    Clave(nombre);
    Logico(valor);
  }
  void Campo(NombreJson nombre, Fecha valor) {
    Clave(nombre);
    Dia(valor);
  }

  /// Ends the document with a line break and sends what is buffered.
  void Termina();

  /// The JSON text of a string, quotes included (invalid UTF-8 is replaced).
  static std::string Cadena(std::string_view valor);
  /// The JSON number text of a double (null when not finite).
  static std::string Numero(double valor);
  /// The JSON number text of money.
  static std::string Numero(Moneda valor);

 private:
  static constexpr size_t kTamanoBuffer = 1 << 16;
  struct Nivel {
    bool objeto;
    int64_t miembros = 0;
  };
  void AntesDeValor();
  void Abre(char c, bool objeto);
  void Cierra(char c);
  void NuevaLinea();
  // Appends to the buffer, sent to the stream when it fills.
  void Escribe(std::string_view texto) {
    pendiente_.append(texto);
    if (pendiente_.size() >= kTamanoBuffer) Vacia();
  }
  void Escribe(char c) {
    pendiente_.push_back(c);
    if (pendiente_.size() >= kTamanoBuffer) Vacia();
  }
  void EscribeCadena(std::string_view valor);
  void Vacia();

  std::ostream& salida_;
  int sangria_;
  std::string pendiente_;  // written to salida_ when it fills
  std::vector<Nivel> niveles_;
  bool tras_clave_ = false;
};

}  // namespace pmq::cli
