#include "platform/dialogs.hpp"

#include <algorithm>

#include "platform/event_loop.hpp"
#include "platform/scope_guard.hpp"

namespace pv {

void DesktopDialogs::answer(int id, int result, const std::string& text) {
  for (auto& box : boxes_) {
    if (box.id == id && !box.answered) {
      box.answered = true;
      box.result = result;
      box.text = text;
    }
  }
}

DesktopDialogs::OpenBox& DesktopDialogs::wait_for(int id) {
  auto find = [this, id]() -> OpenBox& {
    return *std::find_if(boxes_.begin(), boxes_.end(),
                         [id](const OpenBox& b) { return b.id == id; });
  };
  {
    // A box left by an exception is closed: nobody is left to answer it.
    const auto close = on_scope_failure(
        [this, id] { std::erase_if(boxes_, [id](const OpenBox& b) { return b.id == id; }); });
    loop_.run_until([&] { return find().answered; });
  }
  return find();
}

int DesktopDialogs::show_msgbox(const std::string& text, int style, const std::string& title) {
  OpenBox box;
  box.id = next_id_++;
  box.message = {text, style, title};
  boxes_.push_back(box);
  const int result = wait_for(box.id).result;
  std::erase_if(boxes_, [&](const OpenBox& b) { return b.id == box.id; });
  return result;
}

std::string DesktopDialogs::show_inputbox(const std::string& prompt, const std::string& title,
                                          const std::string& default_text) {
  OpenBox box;
  box.id = next_id_++;
  box.is_input = true;
  box.input = {prompt, title, default_text};
  boxes_.push_back(box);
  OpenBox& done = wait_for(box.id);
  const std::string text = done.result == vbOK ? done.text : std::string();
  std::erase_if(boxes_, [&](const OpenBox& b) { return b.id == box.id; });
  return text;
}

std::vector<BoxButton> message_box_buttons(int style) {
  switch (style & 7) {
    case vbOKCancel:
      return {{"OK", vbOK}, {"Cancel", vbCancel}};
    case vbAbortRetryIgnore:
      return {{"&Abort", vbAbort}, {"&Retry", vbRetry}, {"&Ignore", vbIgnore}};
    case vbYesNoCancel:
      return {{"&Yes", vbYes}, {"&No", vbNo}, {"Cancel", vbCancel}};
    case vbYesNo:
      return {{"&Yes", vbYes}, {"&No", vbNo}};
    case vbRetryCancel:
      return {{"&Retry", vbRetry}, {"Cancel", vbCancel}};
    default:
      return {{"OK", vbOK}};
  }
}

int default_button(int style) {
  const int buttons = static_cast<int>(message_box_buttons(style).size());
  return std::min(buttons - 1, (style >> 8) & 3);
}

int cancel_result(int style) {
  const std::vector<BoxButton> buttons = message_box_buttons(style);
  for (const BoxButton& b : buttons)
    if (b.result == vbCancel) return vbCancel;
  return buttons.size() == 1 ? buttons[0].result : 0;
}

}  // namespace pv
