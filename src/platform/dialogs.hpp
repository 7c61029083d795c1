// Message boxes and input boxes. They are modal: the caller waits for the answer.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pv {

// Button sets, icons and answers, with the runtime's values.
enum MsgStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
};

enum MsgResult : int {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7
};

struct MessageBoxCall {
  std::string text;
  int style = 0;
  std::string title;
};

struct InputBoxCall {
  std::string prompt;
  std::string title;
  std::string default_text;
};

// A box without a title of its own shows `default_title`, the program's title.
class Dialogs {
 public:
  explicit Dialogs(std::string default_title) : default_title_(std::move(default_title)) {}
  virtual ~Dialogs() = default;
  int msgbox(const std::string& text, int style = vbOKOnly) {
    return show_msgbox(text, style, default_title_);
  }
  int msgbox(const std::string& text, int style, const std::string& title) {
    return show_msgbox(text, style, title);
  }
  // The typed text, or "" when the user cancels.
  std::string inputbox(const std::string& prompt) {
    return show_inputbox(prompt, default_title_, "");
  }
  std::string inputbox(const std::string& prompt, const std::string& title,
                       const std::string& default_text = "") {
    return show_inputbox(prompt, title, default_text);
  }

 protected:
  virtual int show_msgbox(const std::string& text, int style, const std::string& title) = 0;
  virtual std::string show_inputbox(const std::string& prompt, const std::string& title,
                                    const std::string& default_text) = 0;

 private:
  std::string default_title_;
};

class EventLoop;

// A button of a message box: its caption ("&" before its access key) and its answer.
struct BoxButton {
  const char* caption;
  int result;
};
// The buttons of a message box of that style, in order.
std::vector<BoxButton> message_box_buttons(int style);
// The number of the button that has the focus when the box opens (the style's
// default-button bits, 256 for the second button, 512 for the third).
int default_button(int style);
// What Escape and the box's close button answer: Cancel when the box has it, else the
// answer of a box's only button, else 0 (they do nothing).
int cancel_result(int style);

// Boxes shown on the desktop: each open box waits in a nested event loop until the user
// answers it from the front-end.
class DesktopDialogs final : public Dialogs {
 public:
  struct OpenBox {
    int id = 0;
    bool is_input = false;
    MessageBoxCall message;
    InputBoxCall input;
    bool answered = false;
    int result = 0;
    std::string text;
  };

  DesktopDialogs(EventLoop& loop, std::string default_title)
      : Dialogs(std::move(default_title)), loop_(loop) {}

  // Open boxes, the newest last. Engine thread only.
  const std::vector<OpenBox>& open_boxes() const { return boxes_; }
  // The user's answer to box `id` (ignored when that box is not open).
  void answer(int id, int result, const std::string& text = "");

 private:
  int show_msgbox(const std::string& text, int style, const std::string& title) override;
  std::string show_inputbox(const std::string& prompt, const std::string& title,
                            const std::string& default_text) override;
  OpenBox& wait_for(int id);
  EventLoop& loop_;
  std::vector<OpenBox> boxes_;
  int next_id_ = 1;
};

}  // namespace pv
