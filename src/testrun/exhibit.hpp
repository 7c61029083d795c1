// The exhibit window: a question's text exhibit in a text box, beside the test window.
#pragma once

#include "core/system.hpp"

namespace pv {

class Exhibit final : public SystemForm {
 public:
  explicit Exhibit(System& system);
  void Form_Load() override;
  void Form_Resize() override;
  void Command1_Click();

  TextBox text1{"text1"};
  CommandButton Command1{"Command1"};

  // Layout anchors taken at load.
  float text_top = 0, text_left = 0, close_top = 0;
};

}  // namespace pv
