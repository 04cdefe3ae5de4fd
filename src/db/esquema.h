#pragma once

#include <string_view>

namespace pmq {

/// The DDL of the project database (src/db/esquema.sql), embedded at build time.
std::string_view EsquemaSql();

}  // namespace pmq
