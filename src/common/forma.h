#pragma once
// Base of the form models (options form of the program report, estimates
// summary form). A host renders a form and drives it through its own members;
// the library only asks the host to show it modally.

#include <promorlaqel/common/api.h>
#include <string>

namespace pmq {

class PMQ_API Forma {
 public:
  virtual ~Forma() = default;

  /// The form's class name ("frmProgramasObra", "frmResumenEstimaciones").
  virtual std::string Nombre() const = 0;
  /// The form's caption.
  virtual std::string Caption() const = 0;

  /// True while the form is shown; Cierra() hides it and ends the modal loop.
  bool Visible() const { return visible_; }
  void Muestra() { visible_ = true; }
  void Cierra() { visible_ = false; }

 private:
  bool visible_ = false;
};

}  // namespace pmq
