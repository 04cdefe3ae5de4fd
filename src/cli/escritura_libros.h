#pragma once
// The two workbooks written the way the user writes them: the program options
// form answered and "A Excel" pressed, the summary form exported. The
// `programa` and `resumen` commands and the web server call these, so every
// host writes the same file.

#include <functional>
#include <string>

namespace pmq {
class Rejilla;
class frmProgramasObra;
}  // namespace pmq

namespace pmq::cli {

class Calculo;

class EscrituraLibros {
 public:
  /// Plays the user of the program options form before it is answered; false
  /// closes the form without writing.
  using Pregunta = std::function<bool(frmProgramasObra&)>;

  /// Runs the program controller on a calculated work and writes `ruta`: kind
  /// `tipo` (unless `pregunta` chooses), quantities when `cantidades`. What the
  /// export and the controller report is added to the calculation's errors.
  /// True when the workbook was written.
  static bool Programa(Calculo& calculo, const std::string& ruta, int tipo, bool cantidades,
                       const Pregunta& pregunta = {});

  /// What the summary controller left.
  struct Resumen {
    bool bien = false;                 ///< the grid was built (and the workbook written)
    std::string errores_resumen;       ///< the controller's errors
    std::string errores_exportacion;   ///< the export's errors
    const Rejilla* rejilla = nullptr;  ///< the grid, owned by the calculation's root
  };
  /// Runs the summary controller on a calculated work; with a `ruta` it also
  /// exports the grid to that workbook.
  static Resumen EscribeResumen(Calculo& calculo, const std::string& ruta,
                                bool punit_por_estimacion);
};

}  // namespace pmq::cli
