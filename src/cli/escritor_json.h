#pragma once
// A streaming JSON writer: the dump of a large work is written as it is walked,
// never held in memory as a document (a buffer of a few kilobytes goes to the
// stream as it fills). Money is written in exact decimal, doubles as the
// shortest text that reads back to the same double.

#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace pmq::cli {

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
  void Clave(std::string_view nombre);

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
  void Campo(std::string_view nombre, std::string_view valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(std::string_view nombre, const std::string& valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(std::string_view nombre, const char* valor) {
    Clave(nombre);
    Texto(valor);
  }
  void Campo(std::string_view nombre, int32_t valor) {
    Clave(nombre);
    Entero(valor);
  }
  void Campo(std::string_view nombre, int64_t valor) {
    Clave(nombre);
    Entero(valor);
  }
  void Campo(std::string_view nombre, double valor) {
    Clave(nombre);
    Doble(valor);
  }
  void Campo(std::string_view nombre, Moneda valor) {
    Clave(nombre);
    Dinero(valor);
  }
  void Campo(std::string_view nombre, bool valor) {
    Clave(nombre);
    Logico(valor);
  }
  void Campo(std::string_view nombre, Fecha valor) {
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
  struct Nivel {
    bool objeto;
    int64_t miembros = 0;
  };
  void AntesDeValor();
  void Abre(char c, bool objeto);
  void Cierra(char c);
  void NuevaLinea();
  void Escribe(std::string_view texto);
  void Escribe(char c);
  void EscribeCadena(std::string_view valor);
  void Vacia();

  std::ostream& salida_;
  int sangria_;
  std::string pendiente_;  // written to salida_ when it fills
  std::vector<Nivel> niveles_;
  bool tras_clave_ = false;
};

}  // namespace pmq::cli
