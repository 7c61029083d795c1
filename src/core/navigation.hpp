// Shared procedures over the system's windows that name none of them: closing windows by
// title and fitting a list's scroll range.
#pragma once

#include <string>

namespace pv {

struct System;
class ListBox;
class Screen;

// Asks every window of this program whose title contains `text` (case-sensitive, the
// first 255 characters of the title) to close.
void close_windows_titled(System& sys, const std::string& text);
// Gives a list box a horizontal scroll range just wide enough for its longest item.
void fit_list_scroll(ListBox& list, const Screen& screen);

}  // namespace pv
