#pragma once
// Display formats: the number patterns the reports use, the "general number"
// text of a double, and the date pattern "dd/mmm/yyyy".

#include <promorlaqel/common/api.h>
#include <promorlaqel/common/fecha.h>

#include <string>
#include <string_view>

namespace pmq {

/// Separators of the user's locale. The host may change them.
struct PMQ_API ConfiguracionRegional {
  std::string separador_miles = ",";
  std::string separador_decimal = ".";
};

/// The separators in force (process-wide).
PMQ_API const ConfiguracionRegional& Regional();
/// Replaces the separators in force.
PMQ_API void EstableceRegional(ConfiguracionRegional regional);

/// `valor` formatted with a pattern such as "###,##0.000", "#,##0.0000" or
/// "$ ###,###,##0.00": literal text before the first digit placeholder is kept,
/// "," in the integer part groups thousands, "0" is a digit always shown, "#" a
/// digit shown only when significant, and the digits after "." are fixed.
/// Display rounding is half away from zero (0.0125 with three decimals is
/// "0.013"). Negative values get a leading "-".
PMQ_API std::string FormatoNumero(double valor, std::string_view patron);

/// The general number text of a double: no grouping, no trailing zeros, no
/// trailing decimal separator, at most 15 significant digits (33.3333, 3100,
/// 0.13); very large or very small magnitudes use the exponent form ("1E+20").
PMQ_API std::string TextoGeneral(double valor);

/// Spanish three-letter lowercase month abbreviation (1 → "ene", 12 → "dic").
PMQ_API std::string_view MesCorto(int mes);

/// A date with the pattern "dd/mmm/yyyy" (the only date pattern the reports
/// use): "15/mar/2013". Other patterns throw ErrorQel 5.
PMQ_API std::string FormatoFecha(Fecha fecha, std::string_view patron);

}  // namespace pmq
