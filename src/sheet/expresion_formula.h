#pragma once
// The formulas a worksheet accepts: "=" followed by A1 references (optionally
// with "$"), numbers, "+", "-", "*", "/", unary signs and parentheses. Anything else
// (an empty "=", a dangling operator, "()" with nothing inside, a reference past
// the last column or row, names, functions, other operators) is refused with
// error 1004, as the spreadsheet refuses it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pmq {

class ExpresionFormula {
 public:
  /// One cell reference as written.
  struct Referencia {
    int32_t fila = 0;           ///< 1-based
    int32_t columna = 0;        ///< 1-based
    bool fila_fija = false;     ///< "$" before the row
    bool columna_fija = false;  ///< "$" before the column
  };

  /// The error values a formula can produce.
  enum class Error : uint8_t { kNinguno, kValor, kNumero, kDivision };

  /// The value of a formula or of an operand: a number or an error.
  struct Resultado {
    double valor = 0;
    Error error = Error::kNinguno;
  };

  /// Parses a formula. Throws ErrorQel 1004 when a spreadsheet would refuse it,
  /// also when it is longer than 8,192 characters or nests more than 64 levels.
  static ExpresionFormula Analiza(std::string_view texto);

  /// The formula's text as the sheet keeps it: "=", no blanks, references in
  /// capitals ("= h17 + am17" → "=H17+AM17").
  std::string Texto() const;

  /// The references in the order written.
  const std::vector<Referencia>& Referencias() const { return referencias_; }

  /// The same formula copied `filas` rows down and `columnas` columns right:
  /// relative references move, fixed ones stay. Throws ErrorQel 1004 when a
  /// reference would leave the sheet.
  ExpresionFormula Desplazada(int32_t filas, int32_t columnas) const;

  /// The formula's value, given the value of each reference in the order of
  /// Referencias(). Errors propagate; an overflow is the number error.
  Resultado Evalua(const std::vector<Resultado>& valores) const;

  /// The text a spreadsheet shows for an error ("#VALUE!", "#NUM!", "#DIV/0!").
  static std::string_view TextoError(Error error);

 private:
  // Infix pieces, kept to rebuild the text.
  struct Pieza {
    enum class Tipo : uint8_t { kNumero, kReferencia, kOperador, kAbre, kCierra } tipo;
    char operador = 0;
    uint32_t indice = 0;  // number text or reference
  };
  // Postfix program for the evaluation.
  struct Paso {
    enum class Tipo : uint8_t {
      kNumero,
      kReferencia,
      kSuma,
      kResta,
      kProducto,
      kCociente,
      kNegativo
    } tipo;
    double numero = 0;
    uint32_t indice = 0;
  };
  class Analizador;

  std::vector<Pieza> piezas_;
  std::vector<std::string> numeros_;
  std::vector<Referencia> referencias_;
  std::vector<Paso> programa_;
};

}  // namespace pmq
