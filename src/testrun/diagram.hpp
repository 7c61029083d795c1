#pragma once

#include "core/system.hpp"

namespace pv {

class Diagram final : public SystemForm {
 public:
  explicit Diagram(System& system) : SystemForm(system, "Diagram") {
    design(0, 0, 9000, 6600, "Diagram");
  }
};

}  // namespace pv
