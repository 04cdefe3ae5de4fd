#pragma once

#include <promorlaqel/common/api.h>

namespace pmq {

/// Base of every entity that carries a descriptor record (`Cuerpo::Parent`
/// refers to one). It only makes the entity's real class known at run time.
class PMQ_API Entidad {
 public:
  virtual ~Entidad() = default;
};

}  // namespace pmq
