#include "autorizacion.h"

#include <httplib.h>

#include <random>

namespace pmq::web {

std::string Autorizacion::GeneraToken() {
  std::random_device fuente;  // the system's random source on Linux
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (int i = 0; i < 8; ++i) {
    uint32_t v = fuente();
    for (int k = 0; k < 4; ++k, v >>= 4) token += kHex[v & 0xF];
  }
  return token;
}

// Compares in time independent of where the texts differ.
bool Autorizacion::Igual(std::string_view dado) const {
  if (dado.size() != token_.size()) return false;
  unsigned diferencia = 0;
  for (size_t i = 0; i < dado.size(); ++i) {
    diferencia |= static_cast<unsigned char>(dado[i]) ^ static_cast<unsigned char>(token_[i]);
  }
  return diferencia == 0;
}

Autorizacion::Veredicto Autorizacion::Revisa(const httplib::Request& peticion) const {
  if (!Exige()) return Veredicto::kPasa;
  const std::string cabecera = peticion.get_header_value("Authorization");
  if (cabecera.starts_with("Bearer ") && Igual(std::string_view(cabecera).substr(7))) {
    return Veredicto::kPasa;
  }
  const std::string galletas = peticion.get_header_value("Cookie");
  std::string_view resto = galletas;
  while (!resto.empty()) {
    const size_t fin = resto.find(';');
    std::string_view par = resto.substr(0, fin);
    resto = fin == std::string_view::npos ? std::string_view() : resto.substr(fin + 1);
    while (!par.empty() && par.front() == ' ') par.remove_prefix(1);
    const size_t igual = par.find('=');
    if (igual != std::string_view::npos && par.substr(0, igual) == kNombreCookie &&
        Igual(par.substr(igual + 1))) {
      return Veredicto::kPasa;
    }
  }
  if (peticion.has_param("token") && Igual(peticion.get_param_value("token"))) {
    return Veredicto::kPasaConCookie;
  }
  return Veredicto::kNegado;
}

std::string Autorizacion::Cookie() const {
  return std::string(kNombreCookie) + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict";
}

}  // namespace pmq::web
