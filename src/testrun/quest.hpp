// The test window.
#pragma once

#include "core/system.hpp"

namespace pv {

class quest final : public SystemForm {
 public:
  explicit quest(System& system) : SystemForm(system, "quest") { design(0, 0, 11970, 8895, ""); }
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
};

}  // namespace pv
