#pragma once
// The outcome of writing a workbook: written to its file, or why not (a Spanish
// text for the user). A workbook reaches its file only complete: when the
// outcome is not `escrito`, a file that was already there is as it was.

#include <string>
#include <utility>

namespace pmq {

struct [[nodiscard]] ResultadoEscritura {
  /// True when the complete workbook replaced (or created) the file.
  bool escrito = false;
  /// Why the workbook was not written; empty when it was.
  std::string motivo;

  explicit operator bool() const { return escrito; }

  static ResultadoEscritura Escrito() { return {true, {}}; }
  static ResultadoEscritura NoEscrito(std::string motivo) { return {false, std::move(motivo)}; }
};

}  // namespace pmq
