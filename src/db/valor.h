#pragma once
// A field value as the database gave it: null, whole number, double or text,
// with the conversions the loaders use.

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/moneda.h>

#include <cstdint>
#include <string>
#include <variant>

namespace pmq {

class PMQ_API Valor {
 public:
  Valor() = default;
  Valor(std::nullptr_t) {}
  Valor(int64_t v) : v_(v) {}
  Valor(int v) : v_(static_cast<int64_t>(v)) {}
  Valor(double v) : v_(v) {}
  Valor(std::string v) : v_(std::move(v)) {}
  Valor(const char* v) : v_(std::string(v)) {}

  bool EsNulo() const { return std::holds_alternative<std::monostate>(v_); }
  bool EsEntero() const { return std::holds_alternative<int64_t>(v_); }
  bool EsDouble() const { return std::holds_alternative<double>(v_); }
  bool EsTexto() const { return std::holds_alternative<std::string>(v_); }

  /// Text of the value; null gives the empty text, numbers their general text.
  std::string Texto() const;
  /// The value as a double. Null fails with 94; a text that is not a number, 13.
  double Double() const;
  /// The value as a whole number (doubles round halves to even). Null: 94.
  int64_t Entero() const;
  /// The value as money (four decimals, halves to even). Null: 94.
  Moneda ComoMoneda() const;
  /// The value as a date: ISO text "YYYY-MM-DD[ time]". Null: 94; other text or
  /// a number: 13.
  Fecha ComoFecha() const;
  /// The value as a boolean: non-zero is true. Null: 94.
  bool Booleano() const;

  /// The raw text when the value is text (no conversion).
  const std::string* TextoCrudo() const { return std::get_if<std::string>(&v_); }

  bool operator==(const Valor&) const = default;

 private:
  std::variant<std::monostate, int64_t, double, std::string> v_;
};

/// The number at the start of a text, blanks ignored ("07" → 7, "3a" → 3,
/// "" or "a3" → 0).
PMQ_API double Val(std::string_view texto);

}  // namespace pmq
