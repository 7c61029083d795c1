#pragma once

#include "core/system.hpp"

namespace pv {

class theanswer final : public SystemForm {
 public:
  explicit theanswer(System& system) : SystemForm(system, "theanswer") {
    design(0, 0, 9000, 6600, "Explanation");
  }
};

}  // namespace pv
