#include "web/snapshot.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <type_traits>
#include <unordered_map>

#include "platform/dialogs.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/web_browser.hpp"
#include "web/state_patch.hpp"

namespace pv {
namespace {

using nlohmann::json;

// The access key of a caption, upper-cased, or "" for none.
std::string access_key_text(std::string_view caption) {
  const char key = access_key(caption);
  if (key == 0 || static_cast<unsigned char>(key) >= 0x80) return {};
  return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(key))));
}

std::string colour(uint32_t c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", c & 0xFFFFFFu);
  return buf;
}

// A colour as the sinks take it: written as "#rrggbb", compared as its number.
struct Colour {
  uint32_t value;
};

// Writes what the builders below give into a JSON value (an object, or an array when the
// keys are null).
class JsonSink {
 public:
  explicit JsonSink(json& j) : j_(j) {}
  template <class T>
  void put(const char* key, const T& v) {
    place(key, json(v));
  }
  void put(const char* key, Colour c) { place(key, colour(c.value)); }
  template <class F>
  void object(const char* key, F&& fill) {
    nest(key, json::object(), fill);
  }
  template <class F>
  void array(const char* key, F&& fill) {
    nest(key, json::array(), fill);
  }

 private:
  template <class F>
  void nest(const char* key, json inner, F& fill) {
    JsonSink sink(inner);
    fill(sink);
    place(key, std::move(inner));
  }
  void place(const char* key, json v) {
    if (key == nullptr)
      j_.push_back(std::move(v));
    else
      j_[key] = std::move(v);
  }
  json& j_;
};

// Writes the same values as bytes that differ whenever the JSON would: each value tagged
// with its size, each text with its length. Far cheaper than the JSON, it tells which
// parts of the model changed since the last publish.
class KeySink {
 public:
  explicit KeySink(std::string& out) : out_(out) {}
  template <class T>
  requires std::is_arithmetic_v<T>
  void put(const char*, T v) {
    out_ += static_cast<char>(sizeof v);
    out_.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  void put(const char*, std::string_view text) {
    put(nullptr, text.size());
    out_.append(text);
  }
  void put(const char* key, Colour c) { put(key, c.value); }
  template <class F>
  void object(const char*, F&& fill) {
    out_ += '{';
    fill(*this);
    out_ += '}';
  }
  template <class F>
  void array(const char*, F&& fill) {
    out_ += '[';
    fill(*this);
    out_ += ']';
  }

 private:
  std::string& out_;
};

using Positions = std::unordered_map<const Control*, int>;

int position(const Positions& pos, const Control* c) {
  const auto at = c != nullptr ? pos.find(c) : pos.end();
  return at != pos.end() ? at->second : -1;
}

template <class S>
void font_fields(S& s, const Font& f) {
  s.put("name", f.name);
  s.put("size", f.size);
  s.put("bold", f.bold);
  s.put("italic", f.italic);
  s.put("underline", f.underline);
  s.put("strikethrough", f.strikethrough);
}

const char* kind_name(ControlKind k) {
  switch (k) {
    case ControlKind::CommandButton:
      return "button";
    case ControlKind::Label:
      return "label";
    case ControlKind::TextBox:
      return "text";
    case ControlKind::CheckBox:
      return "check";
    case ControlKind::OptionButton:
      return "option";
    case ControlKind::ListBox:
      return "list";
    case ControlKind::ComboBox:
      return "combo";
    case ControlKind::PictureBox:
      return "picturebox";
    case ControlKind::Image:
      return "image";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::ScrollBar:
      return "scroll";
    case ControlKind::Timer:
      return "timer";
    case ControlKind::Menu:
      return "menu";
    case ControlKind::TabbedDialog:
      return "tabs";
    case ControlKind::Line:
      return "line";
    case ControlKind::WebBrowser:
      return "browser";
  }
  return "?";
}

template <class S>
void list_fields(S& s, const ListBox& l) {
  s.array("items", [&](S& a) {
    for (int i = 0; i < l.list_count(); ++i) a.put(nullptr, l.list(i));
  });
  s.array("selected", [&](S& a) {
    for (int i = 0; i < l.list_count(); ++i)
      if (l.selected(i)) a.put(nullptr, i);
  });
  s.put("listIndex", l.list_index());
  s.put("topIndex", l.top_index);
  s.put("multiSelect", l.multi_select);
  s.put("style", l.style);
  s.put("horizontalExtent", l.horizontal_extent);
}

template <class S>
void browser_fields(S& s, const WebBrowser& b) {
  const HtmlDocument& d = b.document;
  s.object("document", [&](S& doc) {
    doc.put("generation", d.generation());
    doc.put("html", d.html());
    doc.put("marksGeneration", d.marks_generation());
    doc.array("fields", [&](S& a) {
      for (const HtmlElement& f : d.fields())
        a.object(nullptr, [&](S& o) {
          o.put("id", f.id);
          o.put("name", f.name);
          o.put("type", f.type);
          o.put("value", f.value);
          o.put("checked", f.checked);
        });
    });
    doc.array("clicks", [&](S& a) {
      for (const auto& [id, handler] : d.click_handlers())
        if (handler) a.put(nullptr, id);
    });
    doc.put("base", b.base_folder);
  });
}

template <class S>
void tabs_fields(S& s, const TabbedDialog& t) {
  s.array("tabs", [&](S& a) {
    for (int k = 0; k < t.tabs(); ++k)
      a.object(nullptr, [&](S& o) {
        o.put("caption", t.tab_caption(k));
        o.put("enabled", t.tab_enabled(k));
        o.put("visible", t.tab_visible(k));
      });
  });
  s.put("tab", t.tab());
  s.put("tabsPerRow", t.tabs_per_row);
}

// What the controls that show text add to their common properties.
template <class S>
void text_kind_fields(S& s, const Control& c) {
  if (c.kind() == ControlKind::CommandButton) {
    const auto& b = static_cast<const CommandButton&>(c);
    s.put("default", b.is_default);
    s.put("cancel", b.cancel);
    s.put("style", b.style);
    s.put("picture", b.picture);
  } else if (c.kind() == ControlKind::Label) {
    const auto& l = static_cast<const Label&>(c);
    s.put("alignment", l.alignment);
    s.put("backStyle", l.back_style);
    s.put("borderStyle", l.border_style);
    s.put("autoSize", l.auto_size);
    s.put("wordWrap", l.word_wrap);
  } else if (c.kind() == ControlKind::TextBox) {
    const auto& t = static_cast<const TextBox&>(c);
    s.put("multiLine", t.multi_line);
    s.put("scrollBars", t.scroll_bars);
    s.put("locked", t.locked);
    s.put("password", !t.password_char.empty());
    s.put("maxLength", t.max_length);
    s.put("alignment", t.alignment);
    s.put("borderStyle", t.border_style);
  }
}

// What the pictures, scroll bars and lines add.
template <class S>
void drawn_kind_fields(S& s, const Control& c) {
  if (c.kind() == ControlKind::PictureBox) {
    const auto& p = static_cast<const PictureBox&>(c);
    s.put("picture", p.picture);
    s.put("borderStyle", p.border_style);
  } else if (c.kind() == ControlKind::Image) {
    const auto& m = static_cast<const Image&>(c);
    s.put("picture", m.picture);
    s.put("stretch", m.stretch);
    s.put("borderStyle", m.border_style);
  } else if (c.kind() == ControlKind::ScrollBar) {
    const auto& b = static_cast<const ScrollBar&>(c);
    s.put("vertical", b.vertical);
    s.put("min", b.min);
    s.put("max", b.max);
    s.put("smallChange", b.small_change);
    s.put("largeChange", b.large_change);
    s.put("value", b.value());
  } else if (c.kind() == ControlKind::Line) {
    const auto& l = static_cast<const Line&>(c);
    s.put("x1", l.x1);
    s.put("y1", l.y1);
    s.put("x2", l.x2);
    s.put("y2", l.y2);
    s.put("borderColor", Colour{l.border_color});
    s.put("borderWidth", l.border_width);
  }
}

// What a control of each kind adds to its common properties.
template <class S>
void kind_fields(S& s, const Control& c) {
  switch (c.kind()) {
    case ControlKind::CommandButton:
    case ControlKind::Label:
    case ControlKind::TextBox:
      text_kind_fields(s, c);
      break;
    case ControlKind::PictureBox:
    case ControlKind::Image:
    case ControlKind::ScrollBar:
    case ControlKind::Line:
      drawn_kind_fields(s, c);
      break;
    case ControlKind::CheckBox:
      s.put("value", static_cast<const CheckBox&>(c).value());
      break;
    case ControlKind::OptionButton:
      s.put("value", static_cast<const OptionButton&>(c).value());
      break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      list_fields(s, static_cast<const ListBox&>(c));
      break;
    case ControlKind::Frame:
      s.put("borderStyle", static_cast<const Frame&>(c).border_style);
      break;
    case ControlKind::TabbedDialog:
      tabs_fields(s, static_cast<const TabbedDialog&>(c));
      break;
    case ControlKind::WebBrowser:
      browser_fields(s, static_cast<const WebBrowser&>(c));
      break;
    case ControlKind::Timer:
    case ControlKind::Menu:
      break;
  }
}

template <class S>
void control_fields(S& s, const Control& c, int i, const Positions& pos) {
  s.put("control", i);
  s.put("name", c.name());
  s.put("index", c.index());
  s.put("kind", kind_name(c.kind()));
  s.put("parent", position(pos, c.container));
  s.put("page", c.tab_page);
  s.put("left", c.left);
  s.put("top", c.top);
  s.put("width", c.width);
  s.put("height", c.height);
  s.put("visible", c.visible);
  s.put("enabled", c.enabled);
  s.put("caption", c.caption);
  s.put("toolTip", c.tooltip);
  s.put("foreColor", Colour{c.fore_color});
  s.put("backColor", Colour{c.back_color});
  s.put("pointer", c.mouse_pointer);
  s.put("icon", c.mouse_icon);
  s.put("tabIndex", c.tab_index);
  s.put("handlesClick", static_cast<bool>(c.on_click));
  s.put("handlesDblClick", static_cast<bool>(c.on_dbl_click));
  s.put("handlesKeys", static_cast<bool>(c.on_key_press) || static_cast<bool>(c.on_key_down));
  s.put("handlesMouseMove", static_cast<bool>(c.on_mouse_move));
  if (c.has_font) s.object("font", [&](S& f) { font_fields(f, c.font); });
  kind_fields(s, c);
}

template <class S>
void menu_fields(S& s, const Menu& m, const Positions& pos) {
  s.put("control", position(pos, &m));
  s.put("name", m.name());
  s.put("handlesClick", static_cast<bool>(m.on_click));
  s.put("caption", m.caption);
  s.put("accessKey", access_key_text(m.caption));
  s.put("enabled", m.enabled);
  s.put("visible", m.visible);
  s.put("checked", m.checked);
  s.put("shortcut", m.shortcut);
  s.array("items", [&](S& a) {
    for (const Menu* item : m.items) a.object(nullptr, [&](S& o) { menu_fields(o, *item, pos); });
  });
}

// A window's own properties: all but its controls.
template <class S>
void window_fields(S& s, const Form& f, const Positions& pos) {
  s.put("name", f.name());
  s.put("caption", f.caption());
  s.put("left", f.left());
  s.put("top", f.top());
  s.put("width", f.width());
  s.put("height", f.height());
  s.put("frameWidth", f.frame_width());
  s.put("titleHeight", f.title_height());
  s.put("borderStyle", f.border_style);
  s.put("controlBox", f.control_box);
  s.put("minButton", f.min_button);
  s.put("maxButton", f.max_button);
  s.put("windowState", f.window_state());
  s.put("backColor", Colour{f.back_color()});
  s.object("font", [&](S& o) { font_fields(o, f.font); });
  s.put("picture", f.picture);
  s.put("modal", f.modal);
  s.put("topmost", f.topmost);
  s.put("pointer", f.mouse_pointer);
  s.put("keyPreview", f.key_preview);
  s.put("focus", position(pos, f.active_control()));
  s.array("menus", [&](S& a) {
    for (const Menu* m : f.menus())
      if (pos.contains(m)) a.object(nullptr, [&](S& o) { menu_fields(o, *m, pos); });
  });
  // The open menu as the numbers of its menus and of its lit entry.
  s.array("openMenus", [&](S& a) {
    for (const Menu* m : f.open_menu.open)
      if (pos.contains(m)) a.put(nullptr, pos.at(m));
  });
  s.put("litMenu", position(pos, f.open_menu.lit));
}

// The controls a window draws, by their positions in its control list: all but timers
// and menus.
std::vector<int> drawn_controls(const Form& f) {
  std::vector<int> drawn;
  const auto& controls = f.controls();
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i]->kind() != ControlKind::Timer && controls[i]->kind() != ControlKind::Menu)
      drawn.push_back(static_cast<int>(i));
  return drawn;
}

Positions positions(const Form& f) {
  Positions pos;
  const auto& controls = f.controls();
  for (size_t i = 0; i < controls.size(); ++i) pos[controls[i]] = static_cast<int>(i);
  return pos;
}

json window_json(const Form& f) {
  const Positions pos = positions(f);
  json j = json::object();
  JsonSink s(j);
  window_fields(s, f, pos);
  s.array("controls", [&](JsonSink& a) {
    for (const int i : drawn_controls(f))
      a.object(nullptr, [&](JsonSink& o) { control_fields(o, *f.controls()[i], i, pos); });
  });
  return j;
}

json box_json(const DesktopDialogs::OpenBox& b) {
  // An input box has the buttons of an OK and Cancel message box.
  const int style = b.is_input ? vbOKCancel : b.message.style;
  json buttons = json::array();
  for (const BoxButton& button : message_box_buttons(style))
    buttons.push_back({{"caption", button.caption},
                       {"result", button.result},
                       {"accessKey", access_key_text(button.caption)}});
  json box = {{"box", b.id},
              {"input", b.is_input},
              {"buttons", std::move(buttons)},
              {"defaultButton", default_button(style)},
              {"cancelResult", cancel_result(style)}};
  if (b.is_input) {
    box["text"] = b.input.prompt;
    box["title"] = b.input.title;
    box["default"] = b.input.default_text;
  } else {
    box["text"] = b.message.text;
    box["title"] = b.message.title;
    box["style"] = style;
  }
  return box;
}

}  // namespace

json snapshot_rest(const Screen& screen, const DesktopDialogs* dialogs) {
  json boxes = json::array();
  if (dialogs != nullptr) {
    for (const auto& b : dialogs->open_boxes())
      if (!b.answered) boxes.push_back(box_json(b));
  }
  return {{"screen",
           {{"width", screen.width() / static_cast<float>(screen.twips_per_pixel_x())},
            {"height", screen.height() / static_cast<float>(screen.twips_per_pixel_y())}}},
          {"pointer", screen.mouse_pointer},
          {"cursorShown", screen.cursor_count() >= 0},
          {"boxes", std::move(boxes)}};
}

json snapshot_json(const FormRegistry& forms, const Screen& screen, const DesktopDialogs* dialogs) {
  json state = snapshot_rest(screen, dialogs);
  json& windows = state["windows"] = json::array();
  for (const Form* f : forms.z_order())
    if (f->is_loaded() && f->visible()) windows.push_back(window_json(*f));
  return state;
}

using Part = std::shared_ptr<const json>;

struct SnapshotKeeper::Window {
  const Form* form = nullptr;
  std::string name;
  std::vector<Control*> controls;
  Positions pos;
  std::vector<int> drawn;
  // The bytes last compared and the JSON last built: the window's own, then each drawn
  // control's.
  std::string head_key;
  Part head;
  std::vector<std::string> keys;
  std::vector<Part> parts;
};

struct SnapshotKeeper::Published {
  struct Window {
    Part head;
    std::vector<Part> parts;
  };
  Part rest;
  std::vector<Window> windows;

  static std::string text(const json& j) {
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
  }
  // An object's text ready for one more member.
  static std::string opened(const json& j) {
    std::string t = text(j);
    t.pop_back();
    if (t.size() > 1) t += ',';
    return t;
  }
  std::string write() const {
    std::string out = opened(*rest) + "\"windows\":[";
    for (size_t w = 0; w < windows.size(); ++w) {
      if (w > 0) out += ',';
      out += opened(*windows[w].head) + "\"controls\":[";
      for (size_t k = 0; k < windows[w].parts.size(); ++k) {
        if (k > 0) out += ',';
        out += text(*windows[w].parts[k]);
      }
      out += "]}";
    }
    return out + "]}";
  }
  json window_tree(size_t w) const {
    json j = *windows[w].head;
    json& controls = j["controls"] = json::array();
    for (const Part& p : windows[w].parts) controls.push_back(*p);
    return j;
  }
};

namespace {

// Adds `changes` (as state_patch gives them) to `out`, each path below `prefix`.
void add_below(const json& prefix, json changes, json& out) {
  for (json& c : changes) {
    json path = prefix;
    for (json& step : c[0]) path.push_back(std::move(step));
    c[0] = std::move(path);
    out.push_back(std::move(c));
  }
}

// Builds a part again when its bytes changed, adding its changes below `path` when asked.
template <class Fill>
void renew(std::string& key, Part& part, std::string& scratch, const Fill& fill, const json& path,
           json* changes) {
  scratch.clear();
  KeySink keys(scratch);
  fill(keys);
  if (part && scratch == key) return;
  auto made = std::make_shared<json>(json::object());
  JsonSink sink(*made);
  fill(sink);
  if (changes != nullptr && part) add_below(path, state_patch(*part, *made), *changes);
  part = std::move(made);
  key.swap(scratch);
}

// Whether the windows have names of their own.
template <class W>
bool unique(const std::vector<W>& windows) {
  std::vector<std::string_view> names;
  for (const W& w : windows) names.push_back(w.name);
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) == names.end();
}

}  // namespace

SnapshotKeeper::SnapshotKeeper() = default;
SnapshotKeeper::~SnapshotKeeper() = default;

void SnapshotKeeper::refresh(Window& w, const Form& f, size_t at, json* changes) {
  const json path = {"windows", at};
  renew(
      w.head_key, w.head, scratch_, [&](auto& s) { window_fields(s, f, w.pos); }, path, changes);
  for (size_t k = 0; k < w.drawn.size(); ++k) {
    const int i = w.drawn[k];
    renew(
        w.keys[k], w.parts[k], scratch_,
        [&](auto& s) { control_fields(s, *w.controls[i], i, w.pos); },
        {"windows", at, "controls", k}, changes);
  }
}

// The change to the list of windows when some opened, closed or moved: each kept window
// by its name, each new one whole; nothing when the list kept its order.
json SnapshotKeeper::windows_change(const std::vector<bool>& kept) const {
  json items = json::array();
  for (size_t w = 0; w < windows_.size(); ++w)
    items.push_back(kept[w] ? json(windows_[w].name) : published_->window_tree(w));
  return json::array({json::array({"windows"}), std::move(items), "names"});
}

json SnapshotKeeper::update(const FormRegistry& forms, json rest) {
  const bool first = published_ == nullptr;
  std::vector<Window> last = std::move(windows_);
  windows_.clear();
  const bool named_before = unique(last);
  std::vector<bool> kept;
  json window_changes = json::array();
  bool moved = false;
  for (const Form* f : forms.z_order()) {
    if (!f->is_loaded() || !f->visible()) continue;
    const auto held = std::find_if(last.begin(), last.end(), [&](const Window& w) {
      return w.form == f && w.name == f->name() && w.controls == f->controls();
    });
    Window w;
    if (held != last.end()) {
      moved = moved || held - last.begin() != static_cast<std::ptrdiff_t>(windows_.size());
      w = std::move(*held);
      held->form = nullptr;
    } else {
      w.form = f;
      w.name = f->name();
      w.controls = f->controls();
      w.pos = positions(*f);
      w.drawn = drawn_controls(*f);
      w.keys.resize(w.drawn.size());
      w.parts.resize(w.drawn.size());
    }
    kept.push_back(held != last.end());
    refresh(w, *f, windows_.size(), kept.back() ? &window_changes : nullptr);
    windows_.push_back(std::move(w));
  }
  const bool listed_as_before = !moved && windows_.size() == last.size() &&
                                std::find(kept.begin(), kept.end(), false) == kept.end();
  const Part old_rest = rest_;
  rest_ = std::make_shared<const json>(std::move(rest));
  auto published = std::make_shared<Published>();
  published->rest = rest_;
  for (const Window& w : windows_) published->windows.push_back({w.head, w.parts});
  published_ = published;
  if (first) return nullptr;

  // The page finds kept windows by name; members it cannot match are sent whole.
  bool same_members = old_rest->size() == rest_->size();
  for (auto a = old_rest->begin(), b = rest_->begin(); same_members && b != rest_->end(); ++a, ++b)
    same_members = a.key() == b.key();
  if (!same_members || !named_before || !unique(windows_))
    return json::array({json::array({json::array(), tree()})});
  json changes = state_patch(*old_rest, *rest_);
  if (!listed_as_before) changes.push_back(windows_change(kept));
  for (json& c : window_changes) changes.push_back(std::move(c));
  return changes;
}

std::function<std::string()> SnapshotKeeper::writer() const {
  std::shared_ptr<const Published> published = published_;
  return [published] { return published ? published->write() : std::string("{}"); };
}

json SnapshotKeeper::tree() const {
  if (!published_) return json::object();
  json state = *published_->rest;
  json& windows = state["windows"] = json::array();
  for (size_t w = 0; w < published_->windows.size(); ++w)
    windows.push_back(published_->window_tree(w));
  return state;
}

}  // namespace pv
