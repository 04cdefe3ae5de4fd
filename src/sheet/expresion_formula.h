#pragma once
// The formulas a worksheet accepts: "=" followed by A1 references (optionally
// with "$", and optionally on another sheet: 'Programa Obra (02)'!H17 or
// Hoja1!H17), numbers, "+", "-", "*", "/", unary signs, parentheses and the
// function SUM over references and ranges ("SUM(H10:H3009,H3012)", up to 255 of
// them). Anything else (an empty "=", a dangling operator, "()" with nothing
// inside, a reference past the last column or row, names, other functions,
// other operators) is refused with error 1004, as the spreadsheet refuses it.
// SUM is there so that a sum of thousands of cells fits the 8,192 characters a
// formula may hold.

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
    uint32_t hoja = 0;          ///< 0: the formula's own sheet; n: Hojas()[n - 1]
  };

  /// The error values a formula can produce.
  enum class Error : uint8_t { kNinguno, kValor, kNumero, kDivision };

  /// The value of a formula or of an operand: a number or an error. `texto`
  /// marks the value of a text cell: "+" reads it as a number, SUM skips it.
  struct Resultado {
    double valor = 0;
    Error error = Error::kNinguno;
    bool texto = false;
  };

  /// The most cells one formula may read through its ranges.
  static constexpr size_t kCeldasMaximas = 1'048'576;

  /// Parses a formula. Throws ErrorQel 1004 when a spreadsheet would refuse it,
  /// also when it is longer than 8,192 characters or nests more than 64 levels.
  static ExpresionFormula Analiza(std::string_view texto);

  /// The formula's text as the sheet keeps it: "=", no blanks, references in
  /// capitals ("= h17 + am17" → "=H17+AM17").
  std::string Texto() const;

  /// Every cell the formula reads, in the order written; a range contributes
  /// each of its cells, row by row.
  const std::vector<Referencia>& Referencias() const { return referencias_; }
  /// The other sheets the references name, as written (without quotes).
  const std::vector<std::string>& Hojas() const { return hojas_; }

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
    enum class Tipo : uint8_t {
      kNumero,
      kReferencia,
      kRango,
      kOperador,
      kAbre,
      kCierra,
      kSuma,
      kComa
    } tipo;
    char operador = 0;
    uint32_t indice = 0;  // number text, reference or range
  };
  // A range as written: its two corners.
  struct Rango {
    Referencia desde;
    Referencia hasta;
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
      kNegativo,
      kFuncionSuma  // SUM of the references indice .. indice + cuenta - 1
    } tipo;
    double numero = 0;
    uint32_t indice = 0;
    uint32_t cuenta = 0;
  };
  class Analizador;

  std::vector<Pieza> piezas_;
  std::vector<std::string> numeros_;
  std::vector<Referencia> referencias_;
  std::vector<std::string> hojas_;
  std::vector<Rango> rangos_;
  std::vector<Paso> programa_;
};

}  // namespace pmq
