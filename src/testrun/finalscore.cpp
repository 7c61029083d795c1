#include "testrun/finalscore.hpp"

#include "core/navigation.hpp"
#include "core/welcome.hpp"
#include "platform/errors.hpp"
#include "testrun/quest.hpp"

namespace pv {

finalscore::finalscore(System& system) : SystemForm(system, "finalscore") {
  border_style = vbFixedSingle;
  design(0, 0, 9000, 7200, "");
  Command1.caption = "&Quit to Menu";
  Command1.move(240, 6240, 1815, 495);
  add(Command1);
  Command1.on_click = [this] { Command1_Click(); };
}

void finalscore::Form_Load() {
  Trap step(sys.error_log, "finalscore form load()", "finalscore.frm");
  step([&] { set_caption("Score Report"); });
  // The end-of-test cascade: the test window closes the setup and start windows.
  step([&] { sys.forms.unload<quest>(); });
}

void finalscore::Command1_Click() {
  sys.forms.get<Welcome>().show();
  return_to_menu(sys);
  hide();
}

void finalscore::save_history() {
  ++save_history_calls;
}

void finalscore::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
  end_program();
}

}  // namespace pv
