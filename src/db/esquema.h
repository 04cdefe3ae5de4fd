#pragma once

#include <string_view>

namespace pmq {

/// The DDL of the project database (src/db/esquema.sql), embedded at build time.
std::string_view EsquemaSql();

/// The rows of the sample project database (examples/obra_ejemplo.sql: works
/// A7 and CASA01), embedded at build time; runs after EsquemaSql().
std::string_view EjemploSql();

}  // namespace pmq
