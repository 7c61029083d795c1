// Moving between the system's windows and leaving the program.
#pragma once

#include <string>

namespace pv {

struct System;
class ListBox;
class Screen;

// Unloads every window (failures skipped) and ends the program. Never returns.
[[noreturn]] void unload_all_and_end(System& sys);
// Hides the start window and opens the setup window through start_quiz_click_sub.
void return_to_menu(System& sys);
// Asks every window of this program whose title contains `text` (case-sensitive, the
// first 255 characters of the title) to close.
void close_windows_titled(System& sys, const std::string& text);
// Gives a list box a horizontal scroll range just wide enough for its longest item.
void fit_list_scroll(ListBox& list, const Screen& screen);

}  // namespace pv
