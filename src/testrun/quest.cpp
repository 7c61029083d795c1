#include "testrun/quest.hpp"

#include "core/navigation.hpp"
#include "platform/errors.hpp"
#include "setup/pick_a_quiz.hpp"

namespace pv {

void quest::Form_Unload(int&) {
  skip([&] { sys.forms.unload<pick_a_quiz>(); });
}

void quest::show_quest() { ++show_quest_calls; }

void quest::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
}

}  // namespace pv
