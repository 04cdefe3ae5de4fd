#pragma once

namespace pmq {

class Programa;

/// Controller of the estimates summary.
class ResumenesCtrl {
 public:
  pmq::Programa* Programa = nullptr;
};

}  // namespace pmq
