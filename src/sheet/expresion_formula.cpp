#include "sheet/expresion_formula.h"

#include "common/error_qel.h"
#include "sheet/columnas.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace pmq {
namespace {

constexpr size_t kLongitudMaxima = 8192;
constexpr int kAnidamientoMaximo = 64;
constexpr size_t kArgumentosMaximos = 255;

[[noreturn]] void Rechaza() {
  throw ErrorQel(errores::kAplicacion);
}

bool EsBlanco(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}
bool EsLetra(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
bool EsDigito(char ch) {
  return ch >= '0' && ch <= '9';
}

}  // namespace

// Recursive descent over the text after "=":
//   suma     := producto (("+" | "-") producto)*
//   producto := signo ("*" signo)*
//   signo    := ("+" | "-") signo | primario
//   primario := número | referencia | "(" suma ")" | "SUM(" celdas ("," celdas)* ")"
//   celdas   := referencia | referencia ":" referencia
// A unary sign binds tighter than "*", as in the spreadsheet.
class ExpresionFormula::Analizador {
 public:
  Analizador(std::string_view texto, ExpresionFormula& f) : t_(texto), f_(f) {}

  void Todo() {
    Suma(0);
    SaltaBlancos();
    if (p_ != t_.size()) Rechaza();
  }

 private:
  void SaltaBlancos() {
    while (p_ < t_.size() && EsBlanco(t_[p_])) ++p_;
  }
  char Actual() {
    SaltaBlancos();
    return p_ < t_.size() ? t_[p_] : '\0';
  }
  void Operador(char op) { f_.piezas_.push_back({Pieza::Tipo::kOperador, op, 0}); }

  void Suma(int nivel) {
    Producto(nivel);
    for (char op = Actual(); op == '+' || op == '-'; op = Actual()) {
      ++p_;
      Operador(op);
      Producto(nivel);
      f_.programa_.push_back({op == '+' ? Paso::Tipo::kSuma : Paso::Tipo::kResta, 0, 0});
    }
  }

  void Producto(int nivel) {
    Signo(nivel);
    for (char op = Actual(); op == '*' || op == '/'; op = Actual()) {
      ++p_;
      Operador(op);
      Signo(nivel);
      f_.programa_.push_back({op == '*' ? Paso::Tipo::kProducto : Paso::Tipo::kCociente, 0, 0});
    }
  }

  void Signo(int nivel) {
    if (nivel > kAnidamientoMaximo) Rechaza();
    const char op = Actual();
    if (op == '+' || op == '-') {
      ++p_;
      Operador(op);
      Signo(nivel + 1);
      if (op == '-') f_.programa_.push_back({Paso::Tipo::kNegativo, 0, 0});
      return;
    }
    Primario(nivel);
  }

  void Primario(int nivel) {
    const char ch = Actual();
    if (ch == '(') {
      ++p_;
      f_.piezas_.push_back({Pieza::Tipo::kAbre, 0, 0});
      Suma(nivel + 1);
      if (Actual() != ')') Rechaza();
      ++p_;
      f_.piezas_.push_back({Pieza::Tipo::kCierra, 0, 0});
    } else if (EsDigito(ch) || ch == '.') {
      Numero();
    } else if (EsFuncionSuma()) {
      FuncionSuma();
    } else if (EsLetra(ch) || ch == '$' || ch == '\'') {
      Referencia();
    } else {
      Rechaza();  // end of text, ")" or an operator where an operand belongs
    }
  }

  void Numero() {
    const size_t inicio = p_;
    size_t digitos = 0;
    while (p_ < t_.size() && EsDigito(t_[p_])) ++p_, ++digitos;
    if (p_ < t_.size() && t_[p_] == '.') {
      ++p_;
      while (p_ < t_.size() && EsDigito(t_[p_])) ++p_, ++digitos;
    }
    if (digitos == 0) Rechaza();
    if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
      ++p_;
      if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-')) ++p_;
      size_t exponente = 0;
      while (p_ < t_.size() && EsDigito(t_[p_])) ++p_, ++exponente;
      if (exponente == 0) Rechaza();
    }
    if (p_ < t_.size() && (EsLetra(t_[p_]) || t_[p_] == '$' || t_[p_] == '(' || t_[p_] == '.'))
      Rechaza();
    std::string texto(t_.substr(inicio, p_ - inicio));
    for (char& c : texto) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const double valor = std::strtod(texto.c_str(), nullptr);
    if (!std::isfinite(valor)) Rechaza();
    f_.piezas_.push_back({Pieza::Tipo::kNumero, 0, static_cast<uint32_t>(f_.numeros_.size())});
    f_.numeros_.push_back(std::move(texto));
    f_.programa_.push_back({Paso::Tipo::kNumero, valor, 0});
  }

  // "SUM" in any case, then "(" (blanks allowed between).
  bool EsFuncionSuma() {
    if (t_.size() - p_ < 3) return false;
    for (size_t i = 0; i < 3; ++i) {
      if (std::toupper(static_cast<unsigned char>(t_[p_ + i])) != "SUM"[i]) return false;
    }
    size_t q = p_ + 3;
    while (q < t_.size() && EsBlanco(t_[q])) ++q;
    return q < t_.size() && t_[q] == '(';
  }

  void FuncionSuma() {
    p_ += 3;
    SaltaBlancos();
    ++p_;  // "("
    f_.piezas_.push_back({Pieza::Tipo::kSuma, 0, 0});
    const auto primera = static_cast<uint32_t>(f_.referencias_.size());
    size_t argumentos = 0;
    while (true) {
      SaltaBlancos();
      if (!(p_ < t_.size() && (EsLetra(t_[p_]) || t_[p_] == '$' || t_[p_] == '\''))) Rechaza();
      const ExpresionFormula::Referencia desde = LeeReferencia(true);
      if (Actual() == ':') {
        ++p_;
        SaltaBlancos();
        if (!(p_ < t_.size() && (EsLetra(t_[p_]) || t_[p_] == '$'))) Rechaza();
        const ExpresionFormula::Referencia hasta = LeeReferencia(false);
        AgregaRango(desde, hasta);
      } else {
        const auto indice = static_cast<uint32_t>(f_.referencias_.size());
        f_.referencias_.push_back(desde);
        f_.piezas_.push_back({Pieza::Tipo::kReferencia, 0, indice});
      }
      if (++argumentos > kArgumentosMaximos) Rechaza();
      const char sigue = Actual();
      if (sigue == ')') break;
      if (sigue != ',') Rechaza();
      ++p_;
      f_.piezas_.push_back({Pieza::Tipo::kComa, 0, 0});
    }
    ++p_;
    f_.piezas_.push_back({Pieza::Tipo::kCierra, 0, 0});
    const auto cuenta = static_cast<uint32_t>(f_.referencias_.size()) - primera;
    f_.programa_.push_back({Paso::Tipo::kFuncionSuma, 0, primera, cuenta});
  }

  // Every cell of the block between two corners, row by row.
  void AgregaRango(const ExpresionFormula::Referencia& a, const ExpresionFormula::Referencia& b) {
    const int32_t f1 = std::min(a.fila, b.fila), f2 = std::max(a.fila, b.fila);
    const int32_t c1 = std::min(a.columna, b.columna), c2 = std::max(a.columna, b.columna);
    const auto celdas = static_cast<size_t>(f2 - f1 + 1) * static_cast<size_t>(c2 - c1 + 1);
    if (f_.referencias_.size() + celdas > kCeldasMaximas) Rechaza();
    f_.piezas_.push_back({Pieza::Tipo::kRango, 0, static_cast<uint32_t>(f_.rangos_.size())});
    f_.rangos_.push_back({a, b});
    // The second corner is on the first one's sheet ('Hoja'!A1:B2).
    if (b.hoja != 0 && b.hoja != a.hoja) Rechaza();
    for (int32_t fila = f1; fila <= f2; ++fila) {
      for (int32_t columna = c1; columna <= c2; ++columna) {
        f_.referencias_.push_back({fila, columna, false, false, a.hoja});
      }
    }
  }

  void Referencia() {
    const ExpresionFormula::Referencia r = LeeReferencia(false);
    const auto indice = static_cast<uint32_t>(f_.referencias_.size());
    f_.referencias_.push_back(r);
    f_.piezas_.push_back({Pieza::Tipo::kReferencia, 0, indice});
    f_.programa_.push_back({Paso::Tipo::kReferencia, 0, indice});
  }

  // One reference; `rango` lets a ":" follow it (the first corner of a range).
  ExpresionFormula::Referencia LeeReferencia(bool rango) {
    ExpresionFormula::Referencia r;
    r.hoja = LeeHoja();
    if (p_ >= t_.size()) Rechaza();
    if (t_[p_] == '$') {
      r.columna_fija = true;
      ++p_;
    }
    const size_t inicio_letras = p_;
    while (p_ < t_.size() && EsLetra(t_[p_])) ++p_;
    const std::string_view letras = t_.substr(inicio_letras, p_ - inicio_letras);
    if (p_ < t_.size() && t_[p_] == '$') {
      r.fila_fija = true;
      ++p_;
    }
    const size_t inicio_digitos = p_;
    while (p_ < t_.size() && EsDigito(t_[p_])) ++p_;
    const std::string_view digitos = t_.substr(inicio_digitos, p_ - inicio_digitos);
    // A name, a function, a range or a reference past the sheet's edges.
    if (letras.empty() || digitos.empty() || digitos.size() > 7) Rechaza();
    if (p_ < t_.size() && (EsLetra(t_[p_]) || t_[p_] == '$' || t_[p_] == '(' ||
                           (t_[p_] == ':' && !rango) || t_[p_] == '!' || t_[p_] == '.')) {
      Rechaza();
    }
    r.columna = NumeroColumna(letras);
    std::from_chars(digitos.data(), digitos.data() + digitos.size(), r.fila);
    if (r.columna == 0 || r.fila < 1 || r.fila > kUltimaFila) Rechaza();
    return r;
  }

  // The sheet before a reference, if any: 'Programa Obra (02)'! (a quote
  // inside doubled) or Hoja2! Returns 0 for none, else its number in hojas_.
  uint32_t LeeHoja() {
    std::string nombre;
    if (t_[p_] == '\'') {
      size_t q = p_ + 1;
      while (true) {
        if (q >= t_.size()) Rechaza();
        if (t_[q] == '\'') {
          if (q + 1 < t_.size() && t_[q + 1] == '\'') {
            nombre += '\'';
            q += 2;
            continue;
          }
          break;
        }
        nombre += t_[q++];
      }
      if (nombre.empty() || q + 1 >= t_.size() || t_[q + 1] != '!') Rechaza();
      p_ = q + 2;
    } else {
      size_t q = p_;
      while (q < t_.size() && (EsLetra(t_[q]) || EsDigito(t_[q]) || t_[q] == '_' || t_[q] == '.'))
        ++q;
      if (q == p_ || q >= t_.size() || t_[q] != '!') return 0;
      nombre = std::string(t_.substr(p_, q - p_));
      p_ = q + 1;
    }
    auto& hojas = f_.hojas_;
    const auto it = std::find(hojas.begin(), hojas.end(), nombre);
    if (it != hojas.end()) return static_cast<uint32_t>(it - hojas.begin()) + 1;
    hojas.push_back(std::move(nombre));
    return static_cast<uint32_t>(hojas.size());
  }

  std::string_view t_;
  ExpresionFormula& f_;
  size_t p_ = 0;
};

namespace {

void TextoReferencia(std::string& texto, const ExpresionFormula::Referencia& r,
                     const std::vector<std::string>& hojas) {
  if (r.hoja != 0) {
    texto += '\'';
    for (char ch : hojas[r.hoja - 1]) {
      if (ch == '\'') texto += '\'';
      texto += ch;
    }
    texto += "'!";
  }
  if (r.columna_fija) texto += '$';
  texto += LetrasColumna(r.columna);
  if (r.fila_fija) texto += '$';
  texto += std::to_string(r.fila);
}

}  // namespace

ExpresionFormula ExpresionFormula::Analiza(std::string_view texto) {
  if (texto.size() > kLongitudMaxima || texto.empty() || texto[0] != '=') Rechaza();
  ExpresionFormula f;
  Analizador(texto.substr(1), f).Todo();
  return f;
}

std::string ExpresionFormula::Texto() const {
  std::string texto = "=";
  for (const Pieza& p : piezas_) {
    switch (p.tipo) {
      case Pieza::Tipo::kNumero:
        texto += numeros_[p.indice];
        break;
      case Pieza::Tipo::kReferencia:
        TextoReferencia(texto, referencias_[p.indice], hojas_);
        break;
      case Pieza::Tipo::kRango:
        TextoReferencia(texto, rangos_[p.indice].desde, hojas_);
        texto += ':';
        {
          Referencia hasta = rangos_[p.indice].hasta;
          hasta.hoja = 0;  // named once, before the first corner
          TextoReferencia(texto, hasta, hojas_);
        }
        break;
      case Pieza::Tipo::kSuma:
        texto += "SUM(";
        break;
      case Pieza::Tipo::kComa:
        texto += ',';
        break;
      case Pieza::Tipo::kOperador:
        texto += p.operador;
        break;
      case Pieza::Tipo::kAbre:
        texto += '(';
        break;
      case Pieza::Tipo::kCierra:
        texto += ')';
        break;
    }
  }
  return texto;
}

ExpresionFormula ExpresionFormula::Desplazada(int32_t filas, int32_t columnas) const {
  ExpresionFormula f = *this;
  auto mueve = [&](Referencia& r) {
    const int64_t fila = r.fila + (r.fila_fija ? 0 : static_cast<int64_t>(filas));
    const int64_t columna = r.columna + (r.columna_fija ? 0 : static_cast<int64_t>(columnas));
    if (fila < 1 || fila > kUltimaFila || columna < 1 || columna > kUltimaColumna) Rechaza();
    r.fila = static_cast<int32_t>(fila);
    r.columna = static_cast<int32_t>(columna);
  };
  if (rangos_.empty()) {
    for (Referencia& r : f.referencias_) mueve(r);
    return f;
  }
  // A range's corners move on their own (one may be fixed, the other not):
  // the moved text is read again to list the cells anew.
  for (const Pieza& p : f.piezas_) {
    if (p.tipo == Pieza::Tipo::kReferencia) mueve(f.referencias_[p.indice]);
  }
  for (Rango& r : f.rangos_) {
    mueve(r.desde);
    mueve(r.hasta);
  }
  return Analiza(f.Texto());
}

ExpresionFormula::Resultado ExpresionFormula::Evalua(const std::vector<Resultado>& valores) const {
  std::vector<Resultado> pila;
  pila.reserve(programa_.size());
  for (const Paso& paso : programa_) {
    switch (paso.tipo) {
      case Paso::Tipo::kNumero:
        pila.push_back({paso.numero, Error::kNinguno});
        continue;
      case Paso::Tipo::kReferencia:
        pila.push_back(paso.indice < valores.size() ? valores[paso.indice] : Resultado{});
        continue;
      case Paso::Tipo::kNegativo:
        pila.back().valor = -pila.back().valor;
        continue;
      case Paso::Tipo::kFuncionSuma: {
        // Text and empty cells add nothing; the first error wins.
        Resultado suma;
        for (uint32_t i = paso.indice; i < paso.indice + paso.cuenta && i < valores.size(); ++i) {
          const Resultado& v = valores[i];
          if (v.error != Error::kNinguno) {
            if (!v.texto) {
              suma = {0, v.error};
              break;
            }
            continue;
          }
          if (!v.texto) suma.valor += v.valor;
        }
        if (suma.error == Error::kNinguno && !std::isfinite(suma.valor)) suma = {0, Error::kNumero};
        pila.push_back(suma);
        continue;
      }
      default:
        break;
    }
    const Resultado b = pila.back();
    pila.pop_back();
    Resultado& a = pila.back();
    if (a.error != Error::kNinguno) continue;
    if (b.error != Error::kNinguno) {
      a = b;
      continue;
    }
    if (paso.tipo == Paso::Tipo::kSuma) {
      a.valor += b.valor;
    } else if (paso.tipo == Paso::Tipo::kResta) {
      a.valor -= b.valor;
    } else if (paso.tipo == Paso::Tipo::kProducto) {
      a.valor *= b.valor;
    } else if (b.valor == 0) {
      a = {0, Error::kDivision};
      continue;
    } else {
      a.valor /= b.valor;
    }
    if (!std::isfinite(a.valor)) a = {0, Error::kNumero};
  }
  Resultado r = pila.empty() ? Resultado{} : pila.back();
  if (r.error == Error::kNinguno && r.valor == 0) r.valor = 0;  // no negative zero
  return r;
}

std::string_view ExpresionFormula::TextoError(Error error) {
  switch (error) {
    case Error::kValor:
      return "#VALUE!";
    case Error::kNumero:
      return "#NUM!";
    case Error::kDivision:
      return "#DIV/0!";
    case Error::kNinguno:
      break;
  }
  return "";
}

}  // namespace pmq
