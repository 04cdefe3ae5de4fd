#pragma once

namespace pmq {

/// The program rows of a work or a section (resource programs).
class FilasPrograma {
 public:
};

}  // namespace pmq
