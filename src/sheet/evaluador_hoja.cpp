#include "sheet/evaluador_hoja.h"

#include "common/error_qel.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace pmq {
namespace {

using Resultado = ExpresionFormula::Resultado;
using Error = ExpresionFormula::Error;

Resultado NumeroDeTexto(const std::string& texto) {
  const size_t inicio = texto.find_first_not_of(" \t");
  if (inicio == std::string::npos) return {0, Error::kValor};
  const size_t fin = texto.find_last_not_of(" \t");
  const std::string recorte = texto.substr(inicio, fin - inicio + 1);
  char* resto = nullptr;
  const double valor = std::strtod(recorte.c_str(), &resto);
  if (resto == recorte.c_str() || *resto != '\0' || !std::isfinite(valor))
    return {0, Error::kValor};
  // strtod also reads "inf", "nan" and hexadecimal text, which a spreadsheet does not.
  if (recorte.find_first_of("xXnNiI") != std::string::npos) return {0, Error::kValor};
  return {valor, Error::kNinguno};
}

struct Marco {
  int32_t fila;
  int32_t columna;
  ExpresionFormula expresion;
  size_t siguiente = 0;
  std::vector<Resultado> valores;
};

}  // namespace

Resultado EvaluadorHoja::ValorDe(const Celda* celda, const CeldasHoja& celdas) {
  if (celda == nullptr) return {};
  switch (celda->tipo) {
    case TipoCelda::kVacia:
      return {};
    case TipoCelda::kNumero:
      return {celda->numero, Error::kNinguno};
    case TipoCelda::kEntero:
      return {static_cast<double>(celda->entero), Error::kNinguno};
    case TipoCelda::kMoneda:
      return {Moneda::DesdeUnidades(celda->entero).ADouble(), Error::kNinguno};
    case TipoCelda::kTexto: {
      Resultado r = NumeroDeTexto(celdas.Texto(*celda));
      r.texto = true;
      return r;
    }
    case TipoCelda::kFormula:
      if (celda->estado != kCalculada) return {};  // circular reference
      return {celdas.Resultado(*celda), static_cast<Error>(celda->error)};
  }
  return {};
}

bool EvaluadorHoja::Resuelve(CeldasHoja& celdas, int32_t fila, int32_t columna,
                             const Externa& externa) {
  bool otra_hoja = false;
  std::vector<Marco> pila;
  auto empieza = [&](int32_t f, int32_t c) {
    Celda* celda = celdas.Busca(f, c);
    celda->estado = kEnCurso;
    Marco m{f, c, {}, 0, {}};
    try {
      m.expresion = ExpresionFormula::Analiza(celdas.Texto(*celda));
    } catch (const ErrorQel&) {
      // A stored formula was accepted when written; a text that no longer
      // parses evaluates to the value error.
      celda->estado = kCalculada;
      celda->error = static_cast<uint8_t>(Error::kValor);
      celdas.PonResultado(*celda, 0);
      return;
    }
    pila.push_back(std::move(m));
  };
  empieza(fila, columna);
  while (!pila.empty()) {
    const size_t tope = pila.size() - 1;
    bool apilada = false;
    while (pila[tope].siguiente < pila[tope].expresion.Referencias().size()) {
      const ExpresionFormula::Referencia r =
          pila[tope].expresion.Referencias()[pila[tope].siguiente];
      if (r.hoja != 0) {
        otra_hoja = true;
        const std::string& nombre = pila[tope].expresion.Hojas()[r.hoja - 1];
        pila[tope].valores.push_back(externa ? externa(nombre, r.fila, r.columna)
                                             : Resultado{0, Error::kValor});
        ++pila[tope].siguiente;
        continue;
      }
      const Celda* celda = celdas.Busca(r.fila, r.columna);
      if (celda != nullptr && celda->tipo == TipoCelda::kFormula && celda->estado == kPendiente) {
        empieza(r.fila, r.columna);
        apilada = pila.size() > tope + 1;
        if (apilada) break;
        celda = celdas.Busca(r.fila, r.columna);  // resolved at once (unparsable)
      }
      pila[tope].valores.push_back(ValorDe(celda, celdas));
      ++pila[tope].siguiente;
    }
    if (apilada) continue;
    Marco& m = pila[tope];
    const Resultado r = m.expresion.Evalua(m.valores);
    Celda* celda = celdas.Busca(m.fila, m.columna);
    celdas.PonResultado(*celda, r.valor);
    celda->error = static_cast<uint8_t>(r.error);
    celda->estado = kCalculada;
    pila.pop_back();
  }
  return otra_hoja;
}

bool EvaluadorHoja::Evalua(CeldasHoja& celdas, const Externa& externa) {
  bool otra_hoja = false;
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
    for (Celda& celda : celdas.Fila(fila)) {
      if (celda.tipo == TipoCelda::kFormula) celda.estado = kPendiente;
    }
  }
  for (int32_t fila = 1; fila <= celdas.UltimaFila(); ++fila) {
    const std::vector<Celda>& cells = celdas.Fila(fila);
    for (size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].tipo == TipoCelda::kFormula && cells[i].estado == kPendiente) {
        otra_hoja |= Resuelve(celdas, fila, cells[i].columna, externa);
      }
    }
  }
  return otra_hoja;
}

}  // namespace pmq
