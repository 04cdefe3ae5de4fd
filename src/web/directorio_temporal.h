#pragma once
// A private folder (mode 0700, made by mkdtemp under the system's temporary
// folder) for the workbooks a request writes; it and what it holds are removed
// when the object goes.

#include <string>

namespace pmq::web {

class DirectorioTemporal {
 public:
  /// Throws std::runtime_error when the folder cannot be made.
  DirectorioTemporal();
  ~DirectorioTemporal();
  DirectorioTemporal(const DirectorioTemporal&) = delete;
  DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;

  const std::string& Ruta() const { return ruta_; }

  /// The whole content of a file of the folder.
  std::string Lee(const std::string& nombre) const;

 private:
  std::string ruta_;
};

}  // namespace pmq::web
