#include "core/navigation.hpp"

#include <algorithm>

#include "core/system.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"

namespace pv {

void close_windows_titled(System& sys, const std::string& text) {
  sys.g.close_title = text;
  // Only this program's own windows are asked. Closing one takes it out of the registry's
  // list and may close others, so the walk goes over a copy and checks each window again.
  const std::vector<Form*> windows = sys.forms.creation_order();
  for (Form* window : windows) {
    const std::vector<Form*> live = sys.forms.creation_order();
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
