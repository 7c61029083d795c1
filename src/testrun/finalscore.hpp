// The score report.
#pragma once

#include "core/system.hpp"

namespace pv {

class finalscore final : public SystemForm {
 public:
  explicit finalscore(System& system);
  void Form_Load() override;
  void Form_Terminate() override;
  // "&Quit to Menu".
  void Command1_Click();

  CommandButton Command1{"Command1"};
};

}  // namespace pv
