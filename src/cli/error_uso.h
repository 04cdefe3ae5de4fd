#pragma once
// A usage error of the command line: a bad or missing option. The program
// prints its one-line reason on stderr and exits with 64.

#include <stdexcept>
#include <string>

namespace pmq::cli {

/// Exit status of a usage error.
inline constexpr int kSalidaUso = 64;

class ErrorUso : public std::runtime_error {
 public:
  explicit ErrorUso(const std::string& motivo) : std::runtime_error(motivo) {}
};

}  // namespace pmq::cli
