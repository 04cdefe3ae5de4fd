#pragma once
// Writing a new SQLite project database (the sample, or an empty one with the
// schema). The only place the library writes a database: loading always opens
// read-only.

#include <promorlaqel/common/api.h>
#include <string>
#include <string_view>

namespace pmq {

/// Writes a new SQLite database at `ruta` by running `sql` (the schema and
/// rows, several statements) in one transaction. Never overwrites: an existing
/// `ruta` is error 58 and is left as it was. Written atomically: the database is
/// built in a temporary file of the same folder and linked into place only when
/// complete, so a failure leaves nothing at `ruta`. Returns true when written;
/// failures are appended to sErrores as "ProMorlaQel.BaseNueva.CreaBaseSqlite()…".
PMQ_API bool CreaBaseSqlite(const std::string& ruta, std::string_view sql, std::string& sErrores);

/// The schema followed by the sample rows: works A7 and CASA01.
PMQ_API std::string SqlBaseEjemplo();

}  // namespace pmq
