#pragma once
// The two record-set operations every loader uses.

#include "db/conexion.h"
#include "db/recordset.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace pmq {

/// Opens a static record set on `sql` with its parameters bound in order, when
/// `conexion` is set and open; otherwise returns none. On failure appends
/// "ProMorlaQel.Utilerias.GetTabla() arrojó la excepción # …" to sErrores,
/// shows the whole of sErrores in a message box and returns none.
std::unique_ptr<Recordset> GetTabla(Conexion* conexion, std::string_view sql,
                                    std::initializer_list<Valor> parametros, std::string& sErrores);

/// Closes an open record set and releases it. On failure appends
/// "ProMorlaQel.Utilerias.RsOut() arrojó la excepción # …" without a message box.
void RsOut(std::unique_ptr<Recordset>& rs, std::string& sErrores);

}  // namespace pmq
