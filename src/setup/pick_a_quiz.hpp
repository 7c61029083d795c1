// The setup window: the test, its categories and options, and the start of a test.
#pragma once

#include "core/system.hpp"

namespace pv {

class pick_a_quiz final : public SystemForm {
 public:
  explicit pick_a_quiz(System& system);

  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  void Form_Terminate() override;
  void cmd_flashcards_Click();

  CommandButton cmd_flashcards{"cmd_flashcards"};
};

}  // namespace pv
