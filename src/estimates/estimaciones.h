#pragma once

namespace pmq {

class Obra;

/// The progress estimates of the work.
class Estimaciones {
 public:
  pmq::Obra* Obra = nullptr;
};

}  // namespace pmq
