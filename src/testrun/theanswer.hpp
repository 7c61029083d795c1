// The explanation window: one explanation page in its browser control, with Close, Print
// and the page's web link under it. The test window's show_answer loads it afresh for
// every explanation, hands it the page body and shows it modally or has it print.
#pragma once

#include <string>

#include "core/system.hpp"
#include "platform/web_browser.hpp"

namespace pv {

class theanswer final : public SystemForm {
 public:
  explicit theanswer(System& system);

  void Form_Load() override;
  void Form_Resize() override;

  // Completes the page body in place (style block, question id, diagrams, tutor, script)
  // and writes it into the browser control.
  void set_wow_explanation_html(std::string& htm);
  // A click on the page's exhibit link "1", "2" or "3".
  void HTML_Click1(const std::string& which);
  // Print: the page through the print dialog.
  void Command2_Click();
  void Closeb_Click();
  void webcmd_Click();

  // Controls, in the order of the window's description.
  WebBrowser text1{"text1"};
  Frame Frame1{"Frame1"};
  CommandButton Command1{"Command1"}, webcmd{"webcmd"}, Command2{"Command2"}, cmdtutor{"cmdtutor"},
      Closeb{"Closeb"};

  // Layout anchors taken at load.
  float browser_top = 0, browser_left = 0;
  float width_margin = 0;   // window width less the browser's
  float height_margin = 0;  // window height less the browser's
  float frame_bottom = 0;   // window height less the frame's top

 private:
  void hook_exhibit_links();
  // Unloaded while one of its waits pumped the events: nothing more is done.
  bool closed() const { return state() != FormState::Loaded; }
};

}  // namespace pv
