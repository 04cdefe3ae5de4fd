#pragma once
// Who may use the server. On the loopback address anyone on this computer may;
// on any other address every request carries the token: as
// "Authorization: Bearer T", in the cookie the server sets on the first visit,
// or once in the address (`?token=T`) that the server prints.

#include <string>
#include <string_view>

namespace httplib {
struct Request;
}

namespace pmq::web {

class Autorizacion {
 public:
  /// An empty `token` lets every request in.
  explicit Autorizacion(std::string token) : token_(std::move(token)) {}

  /// 32 random hexadecimal digits from the system's random source.
  static std::string GeneraToken();

  enum class Veredicto {
    kPasa,           ///< allowed
    kPasaConCookie,  ///< allowed by the address's token: the answer sets the cookie
    kNegado,
  };
  Veredicto Revisa(const httplib::Request& peticion) const;

  /// The Set-Cookie value that keeps the token in the browser.
  std::string Cookie() const;

  bool Exige() const { return !token_.empty(); }
  const std::string& Token() const { return token_; }

  static constexpr std::string_view kNombreCookie = "pmq_token";

 private:
  bool Igual(std::string_view dado) const;

  std::string token_;
};

}  // namespace pmq::web
