#include "escritor_json.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace pmq::cli {

EscritorJson::EscritorJson(std::ostream& salida, int sangria)
    : salida_(salida), sangria_(sangria) {}

void EscritorJson::NuevaLinea() {
  salida_.put('\n');
  const size_t blancos = niveles_.size() * static_cast<size_t>(sangria_);
  for (size_t i = 0; i < blancos; ++i) salida_.put(' ');
}

void EscritorJson::AntesDeValor() {
  if (tras_clave_) {
    tras_clave_ = false;
    return;
  }
  if (!niveles_.empty()) {
    if (niveles_.back().miembros++ > 0) salida_.put(',');
    NuevaLinea();
  }
}

void EscritorJson::Clave(std::string_view nombre) {
  if (!niveles_.empty() && niveles_.back().miembros++ > 0) salida_.put(',');
  NuevaLinea();
  salida_ << Cadena(nombre) << ": ";
  tras_clave_ = true;
}

void EscritorJson::Abre(char c, bool objeto) {
  AntesDeValor();
  salida_.put(c);
  niveles_.push_back({objeto});
}

void EscritorJson::Cierra(char c) {
  const bool vacio = niveles_.back().miembros == 0;
  niveles_.pop_back();
  if (!vacio) NuevaLinea();
  salida_.put(c);
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

void EscritorJson::Texto(std::string_view valor) {
  AntesDeValor();
  salida_ << Cadena(valor);
}

void EscritorJson::Entero(int64_t valor) {
  AntesDeValor();
  salida_ << valor;
}

void EscritorJson::Doble(double valor) {
  AntesDeValor();
  salida_ << Numero(valor);
}

void EscritorJson::Dinero(Moneda valor) {
  AntesDeValor();
  salida_ << Numero(valor);
}

void EscritorJson::Logico(bool valor) {
  AntesDeValor();
  salida_ << (valor ? "true" : "false");
}

void EscritorJson::Nulo() {
  AntesDeValor();
  salida_ << "null";
}

void EscritorJson::Dia(Fecha valor) {
  if (valor.EsNula()) {
    Nulo();
  } else {
    Texto(valor.Iso());
  }
}

void EscritorJson::Termina() {
  salida_.put('\n');
  salida_.flush();
}

std::string EscritorJson::Cadena(std::string_view valor) {
  return nlohmann::json(std::string(valor))
      .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
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
