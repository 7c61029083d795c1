// The About box.
#pragma once

#include "core/system.hpp"

namespace pv {

class About1 final : public SystemForm {
 public:
  explicit About1(System& system) : SystemForm(system, "About1") {
    border_style = vbFixedDialog;
    design(0, 0, 5730, 3900, "About");
  }
};

}  // namespace pv
