#pragma once

#include <promorlaqel/common/api.h>

namespace pmq {

class Dias;

/// One day marker: whether the line is worked on that day of the period.
/// Lists keep their markers as bits (see `Dias`); a `Dia` is what they hand out.
class PMQ_API Dia {
 public:
  pmq::Dias* Dias = nullptr;  ///< the list that holds the marker
  bool Barra = false;         ///< true when a bar is drawn for the day
};

}  // namespace pmq
