#pragma once

#include "core/system.hpp"

namespace pv {

class Exhibit final : public SystemForm {
 public:
  explicit Exhibit(System& system) : SystemForm(system, "Exhibit") {
    design(0, 0, 9000, 6600, "Exhibit");
  }
};

}  // namespace pv
