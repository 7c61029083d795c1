#include "web/input.hpp"

#include <algorithm>

#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/user_input.hpp"
#include "platform/web_browser.hpp"

namespace pv {
namespace {

using nlohmann::json;

Form* window_named(const FormRegistry& forms, const json& event) {
  const std::string name = event.value("window", std::string());
  for (Form* f : forms.windows())
    if (f->name() == name) return f;
  return nullptr;
}

// The control the event names by its number; the name guards against a page drawn from
// an older state of the window.
Control* control_named(const Form& f, const json& event) {
  const int i = event.value("control", -1);
  if (i < 0 || i >= static_cast<int>(f.controls().size())) return nullptr;
  Control* c = f.controls()[static_cast<size_t>(i)];
  return c->name() == event.value("name", std::string()) ? c : nullptr;
}

template <class T>
T* as(Control& c, ControlKind kind) {
  return c.kind() == kind ? static_cast<T*>(&c) : nullptr;
}

ListBox* as_list(Control& c) {
  const bool list = c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox;
  return list ? static_cast<ListBox*>(&c) : nullptr;
}

std::vector<FieldMark> fields_of(const json& fields) {
  std::vector<FieldMark> marks;
  for (const json& f : fields)
    marks.push_back({f.value("id", std::string()), f.value("name", std::string()),
                     f.value("type", std::string()), f.value("value", std::string()),
                     f.value("checked", false)});
  return marks;
}

// The marks the user made in the pages of browser controls since the last event.
void take_marks(UserInput& input, const json& event) {
  const auto it = event.find("marks");
  if (it == event.end() || !it->is_array()) return;
  for (const json& m : *it) {
    Form* f = window_named(input.forms(), m);
    Control* c = f != nullptr ? control_named(*f, m) : nullptr;
    if (auto* b = c != nullptr ? as<WebBrowser>(*c, ControlKind::WebBrowser) : nullptr)
      input.take_marks(*b, m.value("generation", uint64_t{0}),
                       fields_of(m.value("fields", json::array())));
  }
}

void control_event(UserInput& input, Control& c, const std::string& action, const json& e) {
  if (action == "click") {
    input.click(c);
  } else if (action == "dblclick") {
    input.double_click(c);
  } else if (action == "focus") {
    input.focus(c);
  } else if (action == "text") {
    input.type_text(c, e.value("text", std::string()));
  } else if (action == "item") {
    if (ListBox* list = as_list(c))
      input.click_item(*list, e.value("item", -1), e.value("modifiers", 0));
  } else if (action == "scroll") {
    if (auto* bar = as<ScrollBar>(c, ControlKind::ScrollBar))
      input.scroll(*bar, e.value("value", static_cast<int>(bar->value())));
    else if (auto* list = as<ListBox>(c, ControlKind::ListBox))
      input.scroll_list(*list, e.value("topIndex", 0));
  } else if (action == "tab") {
    if (auto* tabs = as<TabbedDialog>(c, ControlKind::TabbedDialog))
      input.click_tab(*tabs, e.value("tab", -1));
  } else if (action == "element") {
    if (auto* b = as<WebBrowser>(c, ControlKind::WebBrowser))
      input.click_element(*b, e.value("element", std::string()));
  } else if (action == "press") {
    input.type_char(c, e.value("keyAscii", 0), e.value("at", 0), e.value("length", 0));
  } else if (action == "menu") {
    if (auto* m = as<Menu>(c, ControlKind::Menu)) input.choose_menu(*m);
  }
}

void window_event(UserInput& input, Form& f, const std::string& action, const json& e) {
  if (action == "key") {
    input.key_down(f, e.value("keyCode", 0), e.value("modifiers", 0));
  } else if (action == "press" && !e.contains("control")) {
    input.key_press(f, e.value("keyAscii", 0));
  } else if (action == "close") {
    input.close(f);
  } else if (action == "state") {
    input.set_window_state(f, e.value("windowState", -1));
  } else if (action == "move") {
    input.move(f, e.value("left", f.left()), e.value("top", f.top()), e.value("width", f.width()),
               e.value("height", f.height()));
  } else if (action == "activate") {
    input.activate(f);
  } else if (Control* c = control_named(f, e)) {
    control_event(input, *c, action, e);
  }
}

}  // namespace

void apply_input(const json& event, UserInput& input, Screen& screen) {
  if (!event.is_object()) return;
  try {
    const std::string action = event.value("action", std::string());
    if (action == "screen") {
      screen.set_size(std::clamp(event.value("width", 1920), 320, 16000),
                      std::clamp(event.value("height", 1080), 240, 16000));
    } else if (action == "answer") {
      input.answer_box(event.value("box", 0), event.value("result", 0),
                       event.value("text", std::string()));
    } else {
      take_marks(input, event);
      if (Form* f = window_named(input.forms(), event)) window_event(input, *f, action, event);
    }
  } catch (const json::exception&) {
    // A malformed event (a field of the wrong type) is dropped.
  }
}

}  // namespace pv
