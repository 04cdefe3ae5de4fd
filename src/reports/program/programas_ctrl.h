#pragma once

namespace pmq {

class Programa;

/// Controller of the monthly work program reports.
class ProgramasCtrl {
 public:
  pmq::Programa* Programa = nullptr;
};

}  // namespace pmq
