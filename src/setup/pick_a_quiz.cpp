#include "setup/pick_a_quiz.hpp"

#include "core/navigation.hpp"
#include "core/welcome.hpp"
#include "platform/errors.hpp"
#include "studysaver/security.hpp"

namespace pv {

pick_a_quiz::pick_a_quiz(System& system) : SystemForm(system, "pick_a_quiz") {
  border_style = vbFixedSingle;
  design(0, 0, 9585, 7185, "Select Test Options");
  cmd_flashcards.caption = "Flash Cards";
  cmd_flashcards.move(7440, 6240, 1815, 495);
  add(cmd_flashcards);
  cmd_flashcards.on_click = [this] { cmd_flashcards_Click(); };
}

void pick_a_quiz::Form_Load() {
  Trap step(sys.error_log, "pick_a_quiz form load()", "pick_a_quiz.frm");
  (void)step;
}

void pick_a_quiz::Form_Unload(int&) {
  skip([&] { sys.forms.unload<Welcome>(); });
}

void pick_a_quiz::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
}

void pick_a_quiz::cmd_flashcards_Click() {
  skip([&] { sys.forms.get<Security>().show(); });
  skip([&] { unload(); });
}

}  // namespace pv
