#pragma once
// The file dialog of the summary form (`Diag`): title, filter, default pattern,
// cancel reporting, open and save modes, and the chosen full path. It asks the
// host in force, which shows a real dialog or answers as scripted.

#include <string>

namespace pmq {

class DialogoComun {
 public:
  /// Title shown on the dialog.
  std::string DialogTitle;
  /// Filter: "Description (*.ext)|*.ext".
  std::string Filter;
  /// Before showing: the default name or pattern; after: the chosen full path.
  std::string FileName;
  /// When true, cancelling throws ErrorQel 32755; when false it leaves FileName empty.
  bool CancelError = false;

  /// Asks for an existing file to open.
  void ShowOpen() { Muestra(false); }
  /// Asks for the name to save under.
  void ShowSave() { Muestra(true); }

 private:
  void Muestra(bool guardar);
};

}  // namespace pmq
