#include "platform/dialogs.hpp"

namespace pv {

int first_button(int style) {
  switch (style & 7) {
    case vbOKCancel:
      return vbOK;
    case vbAbortRetryIgnore:
      return vbAbort;
    case vbYesNoCancel:
    case vbYesNo:
      return vbYes;
    case vbRetryCancel:
      return vbRetry;
    default:
      return vbOK;
  }
}

int FakeDialogs::msgbox(const std::string& text, int style, const std::string& title) {
  messages.push_back({text, style, title});
  if (answers.empty()) return first_button(style);
  const int a = answers.front();
  answers.pop_front();
  return a;
}

std::string FakeDialogs::inputbox(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) {
  inputs.push_back({prompt, title, default_text});
  if (typed.empty()) return default_text;
  std::string t = typed.front();
  typed.pop_front();
  return t;
}

}  // namespace pv

#include <algorithm>

#include "platform/event_loop.hpp"

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
  try {
    loop_.run_until([&] { return find().answered; });
  } catch (...) {
    std::erase_if(boxes_, [id](const OpenBox& b) { return b.id == id; });
    throw;
  }
  return find();
}

int DesktopDialogs::msgbox(const std::string& text, int style, const std::string& title) {
  OpenBox box;
  box.id = next_id_++;
  box.message = {text, style, title};
  boxes_.push_back(box);
  const int result = wait_for(box.id).result;
  std::erase_if(boxes_, [&](const OpenBox& b) { return b.id == box.id; });
  return result;
}

std::string DesktopDialogs::inputbox(const std::string& prompt, const std::string& title,
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

}  // namespace pv
