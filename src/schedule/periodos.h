#pragma once

namespace pmq {

class Programa;

/// The calendar of the work cut into periods.
class Periodos {
 public:
  pmq::Programa* Programa = nullptr;
};

}  // namespace pmq
