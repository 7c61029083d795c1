#include "web/snapshot.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
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

using Part = std::shared_ptr<const json>;
// An object kept as its members, each built and shared on its own, so that a change to one
// member leaves the others as they were.
using Members = std::vector<std::pair<const char*, Part>>;

// Writes what the builders below give into a JSON value (an object, or an array when the
// keys are null), or only the members an object's `pick` wants, each on its own.
class JsonSink {
 public:
  explicit JsonSink(json& j) : j_(&j) {}
  JsonSink(const std::vector<bool>& pick, Members& members) : pick_(&pick), members_(&members) {}
  template <class T>
  void put(const char* key, const T& v) {
    if (wanted()) place(key, json(v));
  }
  void put(const char* key, Colour c) {
    if (wanted()) place(key, colour(c.value));
  }
  template <class F>
  void object(const char* key, F&& fill) {
    if (wanted()) nest(key, json::object(), fill);
  }
  template <class F>
  void array(const char* key, F&& fill) {
    if (wanted()) nest(key, json::array(), fill);
  }

 private:
  bool wanted() { return pick_ == nullptr || (next_ < pick_->size() && (*pick_)[next_++]); }
  template <class F>
  void nest(const char* key, json inner, F& fill) {
    JsonSink sink(inner);
    fill(sink);
    place(key, std::move(inner));
  }
  void place(const char* key, json v) {
    if (members_ != nullptr)
      members_->emplace_back(key, std::make_shared<const json>(std::move(v)));
    else if (key == nullptr)
      j_->push_back(std::move(v));
    else
      (*j_)[key] = std::move(v);
  }
  json* j_ = nullptr;
  const std::vector<bool>* pick_ = nullptr;
  Members* members_ = nullptr;
  size_t next_ = 0;
};

// Where each member of an object starts in its bytes, and its name.
struct Mark {
  const char* name;
  size_t at;
};

// Writes the same values as bytes that differ whenever the JSON would: each value tagged
// with its size, each text with its length. Far cheaper than the JSON, it tells which
// parts of the model changed since the last publish, and (by `marks`) which members.
class KeySink {
 public:
  KeySink(std::string& out, std::vector<Mark>& marks) : out_(out), marks_(marks) {}
  template <class T>
  requires std::is_arithmetic_v<T>
  void put(const char* key, T v) {
    mark(key);
    raw(v);
  }
  void put(const char* key, std::string_view text) {
    mark(key);
    raw(text.size());
    out_.append(text);
  }
  void put(const char* key, Colour c) { put(key, c.value); }
  template <class F>
  void object(const char* key, F&& fill) {
    nest(key, '{', '}', fill);
  }
  template <class F>
  void array(const char* key, F&& fill) {
    nest(key, '[', ']', fill);
  }

 private:
  void mark(const char* key) {
    if (depth_ == 0) marks_.push_back({key, out_.size()});
  }
  template <class T>
  void raw(T v) {
    out_ += static_cast<char>(sizeof v);
    out_.append(reinterpret_cast<const char*>(&v), sizeof v);
  }
  template <class F>
  void nest(const char* key, char open, char close, F& fill) {
    mark(key);
    out_ += open;
    ++depth_;
    fill(*this);
    --depth_;
    out_ += close;
  }
  std::string& out_;
  std::vector<Mark>& marks_;
  int depth_ = 0;
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

namespace {

json object_of(const Members& members) {
  json j = json::object();
  for (const auto& [name, value] : members) j[name] = *value;
  return j;
}

// Whether two parts have the same members in the same order.
bool same_members(const std::vector<Mark>& a, const std::vector<Mark>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Mark& x, const Mark& y) {
    return x.name == y.name ||
           (x.name != nullptr && y.name != nullptr && !std::strcmp(x.name, y.name));
  });
}

// The bytes of member `m` of a part.
std::string_view member_bytes(const std::string& key, const std::vector<Mark>& marks, size_t m) {
  const size_t end = m + 1 < marks.size() ? marks[m + 1].at : key.size();
  return std::string_view(key).substr(marks[m].at, end - marks[m].at);
}

// Adds `changes` (as state_patch gives them) to `out`, each path below `prefix`.
void add_below(const json& prefix, json changes, json& out) {
  for (json& c : changes) {
    json path = prefix;
    for (json& step : c[0]) path.push_back(std::move(step));
    c[0] = std::move(path);
    out.push_back(std::move(c));
  }
}

}  // namespace

// A part of the state (a window's own properties or a control) as last compared and
// built: its bytes, where its members start in them, and its members.
struct SnapshotKeeper::Kept {
  std::string key;
  std::vector<Mark> marks;
  std::shared_ptr<const Members> members;
};

struct SnapshotKeeper::Window {
  const Form* form = nullptr;
  std::string name;
  std::vector<Control*> controls;
  Positions pos;
  std::vector<int> drawn;
  // The window's own properties, then each drawn control's.
  Kept head;
  std::vector<Kept> parts;
};

struct SnapshotKeeper::Published {
  using Object = std::shared_ptr<const Members>;
  struct Window {
    Object head;
    std::vector<Object> parts;
  };
  std::shared_ptr<const json> rest;
  std::vector<Window> windows;

  static std::string text(const json& j) {
    return j.dump(-1, ' ', false, json::error_handler_t::replace);
  }
  // The members of an object as text, each followed by a comma.
  static void write_members(const Members& members, std::string& out) {
    for (const auto& [name, value] : members) {
      out += '"';
      out += name;
      out += "\":";
      out += text(*value);
      out += ',';
    }
  }
  std::string write() const {
    std::string out = text(*rest);
    out.pop_back();
    out += out.size() > 1 ? ",\"windows\":[" : "\"windows\":[";
    for (size_t w = 0; w < windows.size(); ++w) {
      out += w > 0 ? ",{" : "{";
      write_members(*windows[w].head, out);
      out += "\"controls\":[";
      for (size_t k = 0; k < windows[w].parts.size(); ++k) {
        out += k > 0 ? ",{" : "{";
        write_members(*windows[w].parts[k], out);
        if (out.back() == ',') out.pop_back();
        out += '}';
      }
      out += "]}";
    }
    return out + "]}";
  }
  json window_tree(size_t w) const {
    json j = object_of(*windows[w].head);
    json& controls = j["controls"] = json::array();
    for (const Object& p : windows[w].parts) controls.push_back(object_of(*p));
    return j;
  }
};

namespace {

// Whether the windows have names of their own.
template <class W>
bool unique(const std::vector<W>& windows) {
  std::vector<std::string_view> names;
  for (const W& w : windows) names.push_back(w.name);
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) == names.end();
}

}  // namespace

SnapshotKeeper::SnapshotKeeper() : scratch_(std::make_unique<Kept>()) {}
SnapshotKeeper::~SnapshotKeeper() = default;

// Builds again the members of a part whose bytes changed, adding their changes below
// `path` (which makes the path of a member, or of the part for a null name) when asked.
template <class Fill, class Path>
void SnapshotKeeper::renew(Kept& kept, const Fill& fill, const Path& path, json* changes) {
  Kept& now = *scratch_;
  now.key.clear();
  now.marks.clear();
  KeySink keys(now.key, now.marks);
  fill(keys);
  if (kept.members && now.key == kept.key) return;
  const bool same = kept.members && same_members(kept.marks, now.marks);
  std::vector<bool> pick(now.marks.size(), true);
  for (size_t m = 0; same && m < pick.size(); ++m)
    pick[m] = member_bytes(now.key, now.marks, m) != member_bytes(kept.key, kept.marks, m);
  Members built;
  JsonSink sink(pick, built);
  fill(sink);
  auto made = std::make_shared<Members>();
  if (same) {
    *made = *kept.members;
    for (size_t m = 0, b = 0; m < pick.size() && b < built.size(); ++m) {
      if (!pick[m]) continue;
      Part& member = (*made)[m].second;
      if (changes != nullptr)
        add_below(path((*made)[m].first), state_patch(*member, *built[b].second), *changes);
      member = std::move(built[b++].second);
    }
  } else {
    if (changes != nullptr && kept.members)
      add_below(path(nullptr), state_patch(object_of(*kept.members), object_of(built)), *changes);
    *made = std::move(built);
  }
  kept.members = std::move(made);
  kept.key.swap(now.key);
  kept.marks.swap(now.marks);
}

void SnapshotKeeper::refresh(Window& w, const Form& f, size_t at, json* changes) {
  const auto below = [](json path, const char* member) {
    if (member != nullptr) path.push_back(member);
    return path;
  };
  renew(
      w.head, [&](auto& s) { window_fields(s, f, w.pos); },
      [&](const char* m) {
        return below(json::array({"windows", at}), m);
      },
      changes);
  for (size_t k = 0; k < w.drawn.size(); ++k) {
    const int i = w.drawn[k];
    renew(
        w.parts[k], [&](auto& s) { control_fields(s, *w.controls[i], i, w.pos); },
        [&](const char* m) {
          return below(json::array({"windows", at, "controls", k}), m);
        },
        changes);
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
      w.parts.resize(w.drawn.size());
    }
    kept.push_back(held != last.end());
    refresh(w, *f, windows_.size(), kept.back() ? &window_changes : nullptr);
    windows_.push_back(std::move(w));
  }
  const bool listed_as_before = !moved && windows_.size() == last.size() &&
                                std::find(kept.begin(), kept.end(), false) == kept.end();
  const std::shared_ptr<const json> old_rest = rest_;
  rest_ = std::make_shared<const json>(std::move(rest));
  auto published = std::make_shared<Published>();
  published->rest = rest_;
  for (const Window& w : windows_) {
    Published::Window& p = published->windows.emplace_back();
    p.head = w.head.members;
    for (const Kept& k : w.parts) p.parts.push_back(k.members);
  }
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
