#include "studysaver/security.hpp"

#include "core/navigation.hpp"
#include "core/welcome.hpp"
#include "platform/errors.hpp"
#include "platform/screen.hpp"

namespace pv {

Security::Security(System& system) : SystemForm(system, "Security") {
  design(0, 0, 9600, 7200, "velto_study_saver");
  Command3.caption = "Exit";
  Command3.move(240, 6240, 1215, 495);
  add(Command3);
  Command3.on_click = [this] { Command3_Click(); };
}

void Security::Form_Load() {
  if (g.study_saver_mode != 1) return;
  // Full screen, above every other window, without a pointer.
  border_style = vbBSNone;
  topmost = true;
  move(0, 0, sys.screen.width(), sys.screen.height());
  sys.screen.show_cursor(false);
}

void Security::Form_Unload(int&) {
  skip([&] { sys.screen.show_cursor(true); });
  skip([&] { hide(); });
  skip([&] { unload(); });
}

void Security::Command3_Click() {
  skip([&] { sys.forms.get<Welcome>().load(); });
  skip([&] { return_to_menu(sys); });
  skip([&] { unload(); });
}

}  // namespace pv
