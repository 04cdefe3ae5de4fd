#pragma once
// A streaming JSON writer: the dump of a large work is written as it is walked,
// never held in memory as a document (a buffer of 256 KB goes to the stream as
// it fills). Money is written in exact decimal, doubles as the shortest text
// that reads back to the same double. A writer can also write into a text, to
// be appended later by the writer it continues (see Continuacion).

#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <memory>
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
  struct Nivel {
    bool objeto;
    int64_t miembros = 0;
  };

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

  /// Where a writer stands inside its document. A writer made from it, see
  /// below, writes further members of the list or object that is open here.
  struct Contexto {
    int sangria;
    std::vector<Nivel> niveles;
  };
  /// The state for members that follow at least one more member of the open
  /// level (they are preceded by a comma).
  Contexto Continuacion() const;
  /// Writes into `destino`, as the writer that gave `contexto` would have
  /// written at that point; what it writes goes back with Incrusta().
  EscritorJson(std::string& destino, Contexto contexto);
  /// Appends the text of a writer made from Continuacion(), which wrote
  /// `miembros` members of the open level.
  void Incrusta(std::string_view texto, int64_t miembros);
  /// Sends what is buffered to the stream or text written to.
  void Suelta() { Vacia(); }

  /// The JSON text of a string, quotes included (invalid UTF-8 is replaced).
  static std::string Cadena(std::string_view valor);
  /// The JSON number text of a double (null when not finite).
  static std::string Numero(double valor);
  /// The JSON number text of money.
  static std::string Numero(Moneda valor);

 private:
  // The buffer is sent to the stream when a write would pass its end; every
  // write of bounded size (punctuation, a number, a known name) asks for its
  // room once and is copied in place.
  static constexpr size_t kTamanoBuffer = 1 << 18;
  // Room that a number or a piece of punctuation never exceeds.
  static constexpr size_t kHuecoNumero = 64;
  // Names up to this length take the single-copy path.
  static constexpr size_t kNombreCorto = 192;
  void AntesDeValor();
  void Abre(char c, bool objeto);
  void Cierra(char c);
  void NuevaLinea();
  // `n` bytes of room at the end of the buffer (n no larger than the buffer);
  // the caller writes there and then calls Avanza() with the new end.
  char* Hueco(size_t n) {
    if (usado_ + n > kTamanoBuffer) Vacia();
    return buffer_.get() + usado_;
  }
  void Avanza(const char* fin) { usado_ = static_cast<size_t>(fin - buffer_.get()); }
  void Escribe(std::string_view texto);
  void Escribe(char c) {
    *Hueco(1) = c;
    ++usado_;
  }
  void EscribeCadena(std::string_view valor);
  void Vacia();

  std::ostream* salida_ = nullptr;  // the stream written to, or else
  std::string* texto_ = nullptr;    // the text written to
  int sangria_;
  std::unique_ptr<char[]> buffer_;
  size_t usado_ = 0;  // bytes of buffer_ not yet sent on
  std::vector<Nivel> niveles_;
  bool tras_clave_ = false;
  // The last double written and its text: a breakdown line's two quantities
  // are often the same number, and its shortest text is the costly part.
  uint64_t ultimo_doble_ = 0;
  char ultimo_texto_[kHuecoNumero] = {};
  size_t ultimo_largo_ = 0;
};

}  // namespace pmq::cli
