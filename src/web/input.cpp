#include "web/input.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "platform/form.hpp"
#include "platform/user_input.hpp"
#include "platform/web_browser.hpp"

namespace pv {
namespace {

using nlohmann::json;

struct Range {
  int64_t lo, hi;
};

constexpr Range kControls{0, 65535};
constexpr Range kIndexes{-1, INT_MAX};
constexpr Range kCounts{0, INT_MAX};
constexpr Range kModifiers{0, vbShiftMask | vbCtrlMask | vbAltMask};
constexpr Range kScrollValues{-32768, 32767};
constexpr Range kKeyCodes{0, 65535};
constexpr Range kCharacters{0, 0x10FFFF};
constexpr Range kWindowStates{0, 2};
constexpr Range kBoxResults{0, 65535};
constexpr Range kScreenPixels{0, 1000000};
constexpr std::string_view kActions[] = {
    "screen", "answer",  "click",     "dblclick",  "focus",     "text",     "item",  "scroll",
    "tab",    "element", "key",       "press",     "menu",      "activate", "close", "state",
    "move",   "size",    "mousemove", "menulight", "menuclose", "marks"};
constexpr Range kButtons{0, 3};
// Far beyond any screen, yet well within what a float holds exactly enough.
constexpr double kMaxTwips = 1e7;

// Every whole number of an event is read here: outside its range it refuses the event.
int whole_number(const json& e, const char* key, int fallback, Range range) {
  const auto it = e.find(key);
  if (it == e.end()) return fallback;
  if (!it->is_number_integer()) throw BadEvent(std::string(key) + " is not a whole number");
  const bool in_range = it->is_number_unsigned()
                            ? it->get<uint64_t>() <= static_cast<uint64_t>(range.hi)
                            : it->get<int64_t>() >= range.lo && it->get<int64_t>() <= range.hi;
  if (!in_range)
    throw BadEvent(std::string(key) + " is out of its range " + std::to_string(range.lo) + ".." +
                   std::to_string(range.hi));
  return static_cast<int>(it->get<int64_t>());
}

std::optional<int> optional_number(const json& e, const char* key, Range range) {
  if (!e.contains(key)) return std::nullopt;
  return whole_number(e, key, 0, range);
}

uint64_t counter(const json& e, const char* key) {
  const auto it = e.find(key);
  if (it == e.end()) return 0;
  if (!it->is_number_unsigned()) throw BadEvent(std::string(key) + " is not a counter");
  return it->get<uint64_t>();
}

// A field its action cannot do without.
const json& required(const json& e, const char* key) {
  const auto it = e.find(key);
  if (it == e.end()) throw BadEvent(e.value("action", std::string()) + " needs " + key);
  return *it;
}

float twips(const json& e, const char* key) {
  const json& v = required(e, key);
  if (!v.is_number()) throw BadEvent(std::string(key) + " is not a number");
  const double d = v.get<double>();
  if (!std::isfinite(d) || std::fabs(d) > kMaxTwips)
    throw BadEvent(std::string(key) + " is out of its range");
  return static_cast<float>(d);
}

std::string text(const json& e, const char* key) {
  const auto it = e.find(key);
  if (it == e.end()) return {};
  if (!it->is_string()) throw BadEvent(std::string(key) + " is not a text");
  return it->get<std::string>();
}

bool flag(const json& e, const char* key) {
  const auto it = e.find(key);
  if (it == e.end()) return false;
  if (!it->is_boolean()) throw BadEvent(std::string(key) + " is not true or false");
  return it->get<bool>();
}

const json* list(const json& e, const char* key) {
  const auto it = e.find(key);
  if (it == e.end()) return nullptr;
  if (!it->is_array()) throw BadEvent(std::string(key) + " is not a list");
  return &*it;
}

const json& object(const json& e, const char* what) {
  if (!e.is_object()) throw BadEvent(std::string(what) + " is not an object");
  return e;
}

std::vector<FieldMark> decode_fields(const json& m) {
  std::vector<FieldMark> fields;
  if (const json* all = list(m, "fields"))
    for (const json& f : *all) {
      object(f, "a field");
      fields.push_back(
          {text(f, "id"), text(f, "name"), text(f, "type"), text(f, "value"), flag(f, "checked")});
    }
  return fields;
}

std::vector<PageMarks> decode_marks(const json& e) {
  std::vector<PageMarks> marks;
  if (const json* all = list(e, "marks"))
    for (const json& m : *all) {
      object(m, "a mark");
      marks.push_back({text(m, "window"), whole_number(m, "control", -1, kControls),
                       text(m, "name"), counter(m, "generation"), decode_fields(m)});
    }
  return marks;
}

Form* window_named(const FormRegistry& forms, const std::string& name) {
  for (Form* f : forms.z_order())
    if (f->name() == name) return f;
  return nullptr;
}

// The control the event names by its number; the name guards against a page drawn from
// an older state of the window.
Control* control_named(const Form& f, int i, const std::string& name) {
  if (i < 0 || i >= static_cast<int>(f.controls().size())) return nullptr;
  Control* c = f.controls()[static_cast<size_t>(i)];
  return c->name() == name ? c : nullptr;
}

template <class T>
T* as(Control& c, ControlKind kind) {
  return c.kind() == kind ? static_cast<T*>(&c) : nullptr;
}

ListBox* as_list(Control& c) {
  const bool is_list = c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox;
  return is_list ? static_cast<ListBox*>(&c) : nullptr;
}

// The marks the user made in the pages of browser controls since the last event.
void take_marks(UserInput& input, const InputEvent& e) {
  for (const PageMarks& m : e.marks) {
    Form* f = window_named(input.forms(), m.window);
    Control* c = f != nullptr ? control_named(*f, m.control, m.name) : nullptr;
    if (auto* b = c != nullptr ? as<WebBrowser>(*c, ControlKind::WebBrowser) : nullptr)
      input.take_marks(*b, m.generation, m.fields);
  }
}

void control_event(UserInput& input, Control& c, const InputEvent& e) {
  const std::string& action = e.action;
  if (action == "click") {
    input.click(c);
  } else if (action == "dblclick") {
    input.double_click(c);
  } else if (action == "focus") {
    input.focus(c);
  } else if (action == "text") {
    input.type_text(c, e.text);
  } else if (action == "item") {
    if (ListBox* l = as_list(c)) input.click_item(*l, e.item, e.modifiers);
  } else if (action == "scroll") {
    if (auto* bar = as<ScrollBar>(c, ControlKind::ScrollBar))
      input.scroll(*bar, e.value.value_or(bar->value()));
    else if (auto* l = as<ListBox>(c, ControlKind::ListBox))
      input.scroll_list(*l, e.top_index);
  } else if (action == "tab") {
    if (auto* tabs = as<TabbedDialog>(c, ControlKind::TabbedDialog)) input.click_tab(*tabs, e.tab);
  } else if (action == "element") {
    if (auto* b = as<WebBrowser>(c, ControlKind::WebBrowser)) input.click_element(*b, e.element);
  } else if (action == "press") {
    input.type_char(c, e.key_ascii, e.at, e.length);
  } else if (action == "menu") {
    if (auto* m = as<Menu>(c, ControlKind::Menu)) input.click_menu(*m);
  } else if (action == "menulight") {
    if (auto* m = as<Menu>(c, ControlKind::Menu)) input.light_menu(*m);
  } else if (action == "mousemove") {
    input.mouse_move(c, e.x, e.y, e.button, e.modifiers);
  }
}

void window_event(UserInput& input, Form& f, const InputEvent& e) {
  const std::string& action = e.action;
  if (action == "key") {
    input.key_down(f, e.key_code, e.modifiers);
  } else if (action == "press" && e.control < 0) {
    input.key_press(f, e.key_ascii);
  } else if (action == "close") {
    input.close(f);
  } else if (action == "state") {
    input.set_window_state(f, e.window_state);
  } else if (action == "move") {
    input.move(f, e.left, e.top);
  } else if (action == "size") {
    input.size(f, e.width, e.height);
  } else if (action == "activate") {
    input.activate(f);
  } else if (action == "menuclose") {
    input.close_menu(f);
  } else if (Control* c = control_named(f, e.control, e.name)) {
    control_event(input, *c, e);
  }
}

}  // namespace

InputEvent decode_input(const json& event) {
  const json& e = object(event, "an event");
  InputEvent d;
  d.action = text(e, "action");
  d.page_id = text(e, "pageId");
  if (e.contains("sequence")) d.sequence = counter(e, "sequence");
  d.marks = decode_marks(e);
  d.window = text(e, "window");
  d.control = whole_number(e, "control", -1, kControls);
  d.name = text(e, "name");
  d.text = text(e, "text");
  d.element = text(e, "element");
  d.item = whole_number(e, "item", -1, kIndexes);
  d.modifiers = whole_number(e, "modifiers", 0, kModifiers);
  d.value = optional_number(e, "value", kScrollValues);
  d.top_index = whole_number(e, "topIndex", 0, kCounts);
  d.tab = whole_number(e, "tab", -1, kIndexes);
  d.key_code = whole_number(e, "keyCode", 0, kKeyCodes);
  d.key_ascii = whole_number(e, "keyAscii", 0, kCharacters);
  d.at = whole_number(e, "at", 0, kCounts);
  d.length = whole_number(e, "length", 0, kCounts);
  d.window_state = whole_number(e, "windowState", -1, kWindowStates);
  d.box = whole_number(e, "box", 0, kCounts);
  d.result = whole_number(e, "result", 0, kBoxResults);
  if (std::find(std::begin(kActions), std::end(kActions), d.action) == std::end(kActions))
    throw BadEvent("action \"" + d.action + "\" is not an action of the page");
  if (d.action == "screen") {
    required(e, "viewportWidth");
    required(e, "viewportHeight");
    d.viewport_width = whole_number(e, "viewportWidth", 0, kScreenPixels);
    d.viewport_height = whole_number(e, "viewportHeight", 0, kScreenPixels);
  } else if (d.action == "move") {
    d.left = twips(e, "left");
    d.top = twips(e, "top");
  } else if (d.action == "size") {
    d.width = twips(e, "width");
    d.height = twips(e, "height");
  } else if (d.action == "mousemove") {
    d.x = twips(e, "x");
    d.y = twips(e, "y");
    d.button = whole_number(e, "button", 0, kButtons);
  }
  return d;
}

void apply_input(const InputEvent& e, UserInput& input) {
  if (e.action == "screen") {
    input.resize_screen(std::clamp(e.viewport_width, 320, 16000),
                        std::clamp(e.viewport_height, 240, 16000));
  } else if (e.action == "answer") {
    input.answer_box(e.box, e.result, e.text);
  } else {
    take_marks(input, e);
    if (Form* f = window_named(input.forms(), e.window)) window_event(input, *f, e);
  }
}

}  // namespace pv
