#include "web/input.hpp"

#include <algorithm>
#include <cctype>

#include "platform/dialogs.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/web_browser.hpp"

namespace pv {
namespace {

using nlohmann::json;

constexpr int kAltMask = 4;  // the Alt bit of a key's shift state
constexpr int kKeyReturn = 13, kKeyEscape = 27;

bool any_box_open(const DesktopDialogs* dialogs) {
  if (dialogs == nullptr) return false;
  return std::any_of(dialogs->open_boxes().begin(), dialogs->open_boxes().end(),
                     [](const DesktopDialogs::OpenBox& b) { return !b.answered; });
}

// The visible window named `name` that takes input: the topmost modal window, when one is
// shown, takes it alone.
Form* input_window(const FormRegistry& forms, const std::string& name) {
  const std::vector<Form*> windows = forms.windows();
  Form* found = nullptr;
  Form* modal = nullptr;
  for (Form* f : windows) {
    if (!f->is_loaded() || !f->visible()) continue;
    if (f->name() == name) found = f;
    if (f->modal) modal = f;
  }
  if (modal != nullptr && found != modal) return nullptr;
  return found;
}

// Visible and enabled, and so is every container up to the window; on a tabbed dialog,
// on the page that is shown.
bool reachable(const Control& c) {
  for (const Control* x = &c; x != nullptr; x = x->container) {
    if (!x->visible || !x->enabled) return false;
    if (x->container != nullptr && x->container->kind() == ControlKind::TabbedDialog &&
        x->tab_page >= 0 && static_cast<const TabbedDialog*>(x->container)->tab() != x->tab_page)
      return false;
  }
  return true;
}

Control* control_of(Form& f, const json& event) {
  const int i = event.value("c", -1);
  if (i < 0 || i >= static_cast<int>(f.controls().size())) return nullptr;
  Control* c = f.controls()[static_cast<size_t>(i)];
  // The name guards against a page drawn from an older state of the window.
  return c->name() == event.value("n", std::string()) ? c : nullptr;
}

bool can_focus(const Control& c) {
  switch (c.kind()) {
    case ControlKind::CommandButton:
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::ScrollBar:
    case ControlKind::TabbedDialog:
    case ControlKind::WebBrowser:
      return c.tab_stop || c.kind() != ControlKind::CommandButton;
    default:
      return false;
  }
}

void focus(Form& f, Control& c) {
  if (can_focus(c) && f.active_control() != &c) c.set_focus();
}

// The letter after a single "&" of a caption, upper-cased, or 0.
char access_key(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

// What a click does to each kind of control.
void click(Form& f, Control& c) {
  focus(f, c);
  switch (c.kind()) {
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(c);
      box.set_value(box.value() == 1 ? 0 : 1);
      break;
    }
    case ControlKind::OptionButton:
      static_cast<OptionButton&>(c).set_value(true);
      break;
    case ControlKind::TextBox:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::ScrollBar:
    case ControlKind::TabbedDialog:
      break;  // their own events carry what the user did
    default:
      c.click();
  }
}

// The access key of a control: buttons, check boxes and option buttons act; a label or a
// frame passes the focus to the next control in tab order.
bool press_access_key(Form& f, char key) {
  const auto& controls = f.controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    Control& c = *controls[i];
    if (c.kind() == ControlKind::Menu || !reachable(c)) continue;
    if (c.kind() == ControlKind::TabbedDialog) {
      auto& tabs = static_cast<TabbedDialog&>(c);
      for (int k = 0; k < tabs.tabs(); ++k)
        if (tabs.tab_visible(k) && tabs.tab_enabled(k) && access_key(tabs.tab_caption(k)) == key) {
          tabs.set_tab(k);
          return true;
        }
      continue;
    }
    if (access_key(c.caption) != key) continue;
    switch (c.kind()) {
      case ControlKind::CommandButton:
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        click(f, c);
        return true;
      case ControlKind::Label:
      case ControlKind::Frame: {
        Control* next = nullptr;
        for (Control* o : controls)
          if (o->tab_index > c.tab_index && can_focus(*o) && reachable(*o) &&
              (next == nullptr || o->tab_index < next->tab_index))
            next = o;
        if (next != nullptr) next->set_focus();
        return true;
      }
      default:
        break;
    }
  }
  return false;
}

CommandButton* button_where(Form& f, bool CommandButton::*flag) {
  for (Control* c : f.controls())
    if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->*flag &&
        reachable(*c))
      return static_cast<CommandButton*>(c);
  return nullptr;
}

void key_down(Form& f, int code, int shift) {
  if (f.key_preview) f.run_handler([&] { f.Form_KeyDown(code, shift); });
  if (code == 0) return;
  if (Control* c = f.active_control(); c != nullptr && c->on_key_down)
    c->fire([&] { c->on_key_down(code, shift); });
  if (code == 0) return;
  if ((shift & kAltMask) != 0 && std::isalnum(code)) {
    press_access_key(f, static_cast<char>(code));
    return;
  }
  const Control* active = f.active_control();
  const bool multi_line = active != nullptr && active->kind() == ControlKind::TextBox &&
                          static_cast<const TextBox*>(active)->multi_line;
  CommandButton* b = nullptr;
  if (code == kKeyReturn && !multi_line) b = button_where(f, &CommandButton::is_default);
  if (code == kKeyEscape) b = button_where(f, &CommandButton::cancel);
  if (b != nullptr) click(f, *b);
}

std::string utf8(int code_point) {
  std::string s;
  const auto cp = static_cast<uint32_t>(code_point);
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x110000) {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

// Byte offset of code point `n` of a UTF-8 text (its end when the text is shorter).
size_t offset_of(const std::string& text, int n) {
  size_t i = 0;
  for (int k = 0; i < text.size() && k < n; ++k) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

// A typed character: the window's and the control's key-press handlers may change or
// swallow it; what is left replaces the `length` characters of a text box from `at` on
// (counted in characters, as the page counts them). Backspace deletes them, or the one before.
void key_press(Form& f, Control* c, int ascii, int at, int length) {
  if (f.key_preview) f.run_handler([&] { f.Form_KeyPress(ascii); });
  if (ascii == 0 || c == nullptr) return;
  if (c->on_key_press) c->fire([&] { c->on_key_press(ascii); });
  if (ascii <= 0 || ascii == '\r' || ascii == 27) return;
  if (c->kind() != ControlKind::TextBox || static_cast<TextBox*>(c)->locked) return;
  auto& box = *static_cast<TextBox*>(c);
  if (ascii == 8 && length == 0) {
    if (at == 0) return;
    --at;
    length = 1;
  }
  std::string text = box.text();
  const size_t from = offset_of(text, std::max(0, at));
  const size_t to = offset_of(text, std::max(0, at) + std::max(0, length));
  text.replace(from, to - from, ascii == 8 ? std::string() : utf8(ascii));
  box.set_text(std::move(text));
}

// The menu entry and all its parents are visible and enabled.
bool menu_reachable(const Menu& m) {
  for (const Menu* x = &m; x != nullptr; x = x->parent)
    if (!x->visible || !x->enabled) return false;
  return true;
}

std::vector<FieldMark> marks_of(const json& fields) {
  std::vector<FieldMark> marks;
  for (const json& f : fields)
    marks.push_back({f.value("id", std::string()), f.value("name", std::string()),
                     f.value("type", std::string()), f.value("value", std::string()),
                     f.value("checked", false)});
  return marks;
}

// The marks the user made in the pages of browser controls since the last event.
void take_marks(const FormRegistry& forms, const json& event) {
  const auto it = event.find("marks");
  if (it == event.end() || !it->is_array()) return;
  for (const json& m : *it) {
    Form* f = input_window(forms, m.value("w", std::string()));
    Control* c = f != nullptr ? control_of(*f, m) : nullptr;
    if (c == nullptr || c->kind() != ControlKind::WebBrowser) continue;
    auto& doc = static_cast<WebBrowser*>(c)->document;
    if (m.value("gen", uint64_t{0}) == doc.generation())
      doc.take_marks(marks_of(m.value("fields", json::array())));
  }
}

void control_event(Form& f, Control& c, const std::string& action, const json& e) {
  if (action == "click") {
    click(f, c);
  } else if (action == "dblclick") {
    c.fire(c.on_dbl_click);
  } else if (action == "focus") {
    focus(f, c);
  } else if (action == "text") {
    const std::string text = e.value("text", std::string());
    if (c.kind() == ControlKind::TextBox && !static_cast<TextBox&>(c).locked)
      static_cast<TextBox&>(c).set_text(text);
    else if (c.kind() == ControlKind::ComboBox)
      static_cast<ComboBox&>(c).set_text(text);
  } else if (action == "item") {
    if (c.kind() != ControlKind::ListBox && c.kind() != ControlKind::ComboBox) return;
    auto& list = static_cast<ListBox&>(c);
    const int item = e.value("item", -1);
    if (item < 0 || item >= list.list_count()) return;
    focus(f, c);
    if (c.kind() == ControlKind::ComboBox) {
      c.caption = list.list(item);  // picking from the list sets the text without a change event
      list.set_list_index(item);
    } else {
      list.click_item(item, (e.value("shift", false) ? 1 : 0) | (e.value("ctrl", false) ? 2 : 0));
    }
  } else if (action == "scroll") {
    if (c.kind() == ControlKind::ListBox) {
      static_cast<ListBox&>(c).top_index = std::max(0, e.value("top", 0));
      return;
    }
    if (c.kind() != ControlKind::ScrollBar) return;
    auto& bar = static_cast<ScrollBar&>(c);
    focus(f, c);
    const int lo = std::min(bar.min, bar.max), hi = std::max(bar.min, bar.max);
    bar.set_value(std::clamp(e.value("value", static_cast<int>(bar.value())), lo, hi));
  } else if (action == "tab") {
    if (c.kind() != ControlKind::TabbedDialog) return;
    auto& tabs = static_cast<TabbedDialog&>(c);
    const int k = e.value("tab", -1);
    if (k < 0 || k >= tabs.tabs() || !tabs.tab_visible(k) || !tabs.tab_enabled(k)) return;
    tabs.set_tab(k);
  } else if (action == "element") {
    if (c.kind() == ControlKind::WebBrowser)
      static_cast<WebBrowser&>(c).click_element(e.value("id", std::string()));
  } else if (action == "press") {
    key_press(f, &c, e.value("ascii", 0), e.value("at", 0), e.value("length", 0));
  }
}

void window_event(const InputTarget& t, Form& f, const std::string& action, const json& e) {
  if (action == "key") {
    key_down(f, e.value("code", 0), e.value("shift", 0));
  } else if (action == "press" && !e.contains("c")) {
    key_press(f, nullptr, e.value("ascii", 0), 0, 0);
  } else if (action == "menu") {
    const int i = e.value("c", -1);
    if (i < 0 || i >= static_cast<int>(f.controls().size())) return;
    Control* c = f.controls()[static_cast<size_t>(i)];
    if (c->kind() != ControlKind::Menu || c->name() != e.value("n", std::string()) ||
        !menu_reachable(*static_cast<Menu*>(c)))
      return;
    c->click();
  } else if (action == "close") {
    if (f.control_box) f.unload();
  } else if (action == "state") {
    const int state = e.value("state", -1);
    if (state < vbNormal || state > vbMaximized) return;
    if ((state == vbMinimized && !f.min_button) || (state == vbMaximized && !f.max_button)) return;
    f.set_window_state(state);
  } else if (action == "move") {
    if (f.border_style == vbBSNone || f.window_state() != vbNormal) return;
    const bool sizable = f.border_style == vbSizable;
    const float w = sizable ? std::max(0.0f, e.value("w", f.width())) : f.width();
    const float h = sizable ? std::max(0.0f, e.value("h", f.height())) : f.height();
    f.move(e.value("l", f.left()), e.value("t", f.top()), w, h);
  } else if (action == "activate") {
    const std::vector<Form*> windows = t.forms.windows();
    if (!windows.empty() && windows.back() == &f) return;
    t.forms.bring_to_front(f);
    f.run_handler([&] { f.Form_Activate(); });
  } else if (Control* c = control_of(f, e); c != nullptr && reachable(*c)) {
    control_event(f, *c, action, e);
  }
}

}  // namespace

void apply_input(const json& event, const InputTarget& target) {
  if (!event.is_object()) return;
  try {
    const std::string action = event.value("a", std::string());
    if (action == "screen") {
      target.screen.set_size(std::clamp(event.value("w", 1920), 320, 16000),
                             std::clamp(event.value("h", 1080), 240, 16000));
      return;
    }
    if (action == "answer") {
      if (target.dialogs != nullptr)
        target.dialogs->answer(event.value("id", 0), event.value("result", 0),
                               event.value("text", std::string()));
      return;
    }
    // An open message or input box takes all the input until it is answered.
    if (any_box_open(target.dialogs)) return;
    take_marks(target.forms, event);
    Form* f = input_window(target.forms, event.value("w", std::string()));
    if (f != nullptr) window_event(target, *f, action, event);
  } catch (const json::exception&) {
    // A malformed event (a field of the wrong type) is dropped.
  }
}

}  // namespace pv
