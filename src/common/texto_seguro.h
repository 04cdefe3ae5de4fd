#pragma once
// Texts that leave the program: never a password, always valid UTF-8.

#include <promorlaqel/common/api.h>

#include <string>
#include <string_view>

namespace pmq {

/// `texto` with every password it carries replaced by "***": the one in the
/// user part of a URI ("scheme://user:pw@host", also without the slashes, as
/// in "postgresql:user:pw@host") and every "password=…" setting (URI query,
/// connection keywords). Everything else is left as it is.
PMQ_API std::string OcultaClaves(std::string_view texto);

/// `texto` as valid UTF-8: every byte that does not start a well-formed
/// sequence (overlong forms, surrogates and values past U+10FFFF included),
/// and every NUL, becomes U+FFFD.
PMQ_API std::string Utf8Valido(std::string_view texto);

/// True when Utf8Valido would return `texto` unchanged.
PMQ_API bool EsUtf8Valido(std::string_view texto);

}  // namespace pmq
