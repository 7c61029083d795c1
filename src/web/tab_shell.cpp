#include "web/tab_shell.hpp"

#include "platform/vbtext.hpp"

namespace pv {

int BrowserTabShell::open(const ShellCall& call) {
  // A viewer page shows its PDF with the desktop's viewer, as before.
  const bool viewer_page = iequals(right(call.target, 4), ".hta");
  if (!looks_like_link(call.target) && !viewer_page && open_tab_ && open_tab_(call.target))
    return kShellOpened;
  return desktop_->open(call);
}

int BrowserTabShell::start(const std::vector<std::string>& argv, int window_style) {
  return desktop_->start(argv, window_style);
}

}  // namespace pv
