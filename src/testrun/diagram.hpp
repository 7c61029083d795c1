// The diagram window: a question's picture in a browser control, beside the test window.
#pragma once

#include "core/system.hpp"
#include "platform/web_browser.hpp"

namespace pv {

class Diagram final : public SystemForm {
 public:
  explicit Diagram(System& system);
  void Form_Load() override;
  void Form_Resize() override;
  void Command1_Click();

  WebBrowser Image1{"Image1"};
  CommandButton Command1{"Command1"};

  // Layout anchors taken at load.
  float picture_top = 0, picture_left = 0, close_top = 0;
};

}  // namespace pv
