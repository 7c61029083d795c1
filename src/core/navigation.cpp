#include "core/navigation.hpp"

#include <algorithm>

#include "core/about1.hpp"
#include "core/system.hpp"
#include "core/welcome.hpp"
#include "platform/errors.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/security.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv {

void unload_all_and_end(System& sys) {
  FormRegistry& forms = sys.forms;
  skip([&] { forms.unload<About1>(); });
  skip([&] { forms.unload<Diagram>(); });
  skip([&] { forms.unload<Exhibit>(); });
  skip([&] { forms.unload<finalscore>(); });
  skip([&] { forms.unload<pick_a_quiz>(); });
  skip([&] { forms.unload<quest>(); });
  skip([&] { forms.unload<Security>(); });
  skip([&] { forms.unload<theanswer>(); });
  skip([&] { forms.unload<Welcome>(); });
  end_program();
}

void return_to_menu(System& sys) {
  Welcome& welcome = sys.forms.get<Welcome>();
  welcome.set_visible(false);
  welcome.start_quiz_click_sub();
}

void close_windows_titled(System& sys, const std::string& text) {
  sys.g.close_title = text;
  // Only this program's own windows are asked; closing one may close others, so the
  // list is taken first and each window checked again before it is closed.
  for (Form* window : sys.forms.windows_and_hidden()) {
    const std::vector<Form*> live = sys.forms.windows_and_hidden();
    if (std::find(live.begin(), live.end(), window) == live.end()) continue;
    if (!window->is_loaded()) continue;
    const std::string title = left(window->caption(), 255);
    if (title.find(sys.g.close_title) != std::string::npos) window->unload();
  }
}

void fit_list_scroll(ListBox& list, const Screen& screen) {
  const int n = list.list_count();
  int widest = 0;
  for (int i = 0; i < n; ++i)
    if (len(list.list(i)) > len(list.list(widest))) widest = i;
  float width = 0;
  if (list.form() != nullptr) width = list.form()->text_width(list.list(widest) + " ");
  list.horizontal_extent = clng(width) / clng(screen.twips_per_pixel_x());
}

}  // namespace pv
