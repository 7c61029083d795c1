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
  // Adds this test's entry to the score history; the history is not built yet, so until
  // then it only counts its calls.
  void save_history();
  int save_history_calls = 0;

  CommandButton Command1{"Command1"};
};

}  // namespace pv
