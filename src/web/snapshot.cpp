#include "web/snapshot.hpp"

#include <cctype>
#include <cstdio>
#include <unordered_map>

#include "platform/dialogs.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/web_browser.hpp"

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

json font_json(const Font& f) {
  return {{"name", f.name},     {"size", f.size},           {"bold", f.bold},
          {"italic", f.italic}, {"underline", f.underline}, {"strikethrough", f.strikethrough}};
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

void list_json(json& j, const ListBox& l) {
  json items = json::array();
  json selected = json::array();
  for (int i = 0; i < l.list_count(); ++i) {
    items.push_back(l.list(i));
    if (l.selected(i)) selected.push_back(i);
  }
  j["items"] = std::move(items);
  j["selected"] = std::move(selected);
  j["listIndex"] = l.list_index();
  j["topIndex"] = l.top_index;
  j["multiSelect"] = l.multi_select;
  j["style"] = l.style;
  j["horizontalExtent"] = l.horizontal_extent;
}

void browser_json(json& j, const WebBrowser& b) {
  const HtmlDocument& d = b.document;
  json fields = json::array();
  for (const HtmlElement& f : d.fields())
    fields.push_back({{"id", f.id},
                      {"name", f.name},
                      {"type", f.type},
                      {"value", f.value},
                      {"checked", f.checked}});
  json clicks = json::array();
  for (const auto& [id, handler] : d.click_handlers())
    if (handler) clicks.push_back(id);
  j["document"] = {{"generation", d.generation()},
                   {"html", d.html()},
                   {"marksGeneration", d.marks_generation()},
                   {"fields", std::move(fields)},
                   {"clicks", std::move(clicks)},
                   {"base", b.base_folder}};
}

void tabs_json(json& j, const TabbedDialog& t) {
  json tabs = json::array();
  for (int k = 0; k < t.tabs(); ++k)
    tabs.push_back({{"caption", t.tab_caption(k)},
                    {"enabled", t.tab_enabled(k)},
                    {"visible", t.tab_visible(k)}});
  j["tabs"] = std::move(tabs);
  j["tab"] = t.tab();
  j["tabsPerRow"] = t.tabs_per_row;
}

// What the controls that show text add to their common properties.
void text_kind_json(json& j, const Control& c) {
  if (c.kind() == ControlKind::CommandButton) {
    const auto& b = static_cast<const CommandButton&>(c);
    j.update({{"default", b.is_default},
              {"cancel", b.cancel},
              {"style", b.style},
              {"picture", b.picture}});
  } else if (c.kind() == ControlKind::Label) {
    const auto& l = static_cast<const Label&>(c);
    j.update({{"alignment", l.alignment},
              {"backStyle", l.back_style},
              {"borderStyle", l.border_style},
              {"autoSize", l.auto_size},
              {"wordWrap", l.word_wrap}});
  } else if (c.kind() == ControlKind::TextBox) {
    const auto& t = static_cast<const TextBox&>(c);
    j.update({{"multiLine", t.multi_line},
              {"scrollBars", t.scroll_bars},
              {"locked", t.locked},
              {"password", !t.password_char.empty()},
              {"maxLength", t.max_length},
              {"alignment", t.alignment},
              {"borderStyle", t.border_style}});
  }
}

// What the pictures, scroll bars and lines add.
void drawn_kind_json(json& j, const Control& c) {
  if (c.kind() == ControlKind::PictureBox) {
    const auto& p = static_cast<const PictureBox&>(c);
    j.update({{"picture", p.picture}, {"borderStyle", p.border_style}});
  } else if (c.kind() == ControlKind::Image) {
    const auto& m = static_cast<const Image&>(c);
    j.update({{"picture", m.picture}, {"stretch", m.stretch}, {"borderStyle", m.border_style}});
  } else if (c.kind() == ControlKind::ScrollBar) {
    const auto& s = static_cast<const ScrollBar&>(c);
    j.update({{"vertical", s.vertical},
              {"min", s.min},
              {"max", s.max},
              {"smallChange", s.small_change},
              {"largeChange", s.large_change},
              {"value", s.value()}});
  } else if (c.kind() == ControlKind::Line) {
    const auto& l = static_cast<const Line&>(c);
    j.update({{"x1", l.x1},
              {"y1", l.y1},
              {"x2", l.x2},
              {"y2", l.y2},
              {"borderColor", colour(l.border_color)},
              {"borderWidth", l.border_width}});
  }
}

// What a control of each kind adds to its common properties.
void kind_json(json& j, const Control& c) {
  switch (c.kind()) {
    case ControlKind::CommandButton:
    case ControlKind::Label:
    case ControlKind::TextBox:
      text_kind_json(j, c);
      break;
    case ControlKind::PictureBox:
    case ControlKind::Image:
    case ControlKind::ScrollBar:
    case ControlKind::Line:
      drawn_kind_json(j, c);
      break;
    case ControlKind::CheckBox:
      j["value"] = static_cast<const CheckBox&>(c).value();
      break;
    case ControlKind::OptionButton:
      j["value"] = static_cast<const OptionButton&>(c).value();
      break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
      list_json(j, static_cast<const ListBox&>(c));
      break;
    case ControlKind::Frame:
      j["borderStyle"] = static_cast<const Frame&>(c).border_style;
      break;
    case ControlKind::TabbedDialog:
      tabs_json(j, static_cast<const TabbedDialog&>(c));
      break;
    case ControlKind::WebBrowser:
      browser_json(j, static_cast<const WebBrowser&>(c));
      break;
    case ControlKind::Timer:
    case ControlKind::Menu:
      break;
  }
}

json control_json(const Control& c, int i, const std::unordered_map<const Control*, int>& pos) {
  json j = {
      {"control", i},
      {"name", c.name()},
      {"index", c.index()},
      {"kind", kind_name(c.kind())},
      {"parent", c.container != nullptr && pos.contains(c.container) ? pos.at(c.container) : -1},
      {"page", c.tab_page},
      {"left", c.left},
      {"top", c.top},
      {"width", c.width},
      {"height", c.height},
      {"visible", c.visible},
      {"enabled", c.enabled},
      {"caption", c.caption},
      {"toolTip", c.tooltip},
      {"foreColor", colour(c.fore_color)},
      {"backColor", colour(c.back_color)},
      {"pointer", c.mouse_pointer},
      {"icon", c.mouse_icon},
      {"tabIndex", c.tab_index},
      {"handlesClick", static_cast<bool>(c.on_click)},
      {"handlesDblClick", static_cast<bool>(c.on_dbl_click)},
      {"handlesKeys", static_cast<bool>(c.on_key_press) || static_cast<bool>(c.on_key_down)},
      {"handlesMouseMove", static_cast<bool>(c.on_mouse_move)}};
  if (c.has_font) j["font"] = font_json(c.font);
  kind_json(j, c);
  return j;
}

json menu_json(const Menu& m, const std::unordered_map<const Control*, int>& pos) {
  json items = json::array();
  for (const Menu* item : m.items) items.push_back(menu_json(*item, pos));
  return {{"control", pos.at(&m)},
          {"name", m.name()},
          {"handlesClick", static_cast<bool>(m.on_click)},
          {"caption", m.caption},
          {"accessKey", access_key_text(m.caption)},
          {"enabled", m.enabled},
          {"visible", m.visible},
          {"checked", m.checked},
          {"shortcut", m.shortcut},
          {"items", std::move(items)}};
}

json window_json(const Form& f) {
  std::unordered_map<const Control*, int> pos;
  const auto& controls = f.controls();
  for (size_t i = 0; i < controls.size(); ++i) pos[controls[i]] = static_cast<int>(i);

  json list = json::array();
  for (size_t i = 0; i < controls.size(); ++i) {
    const Control& c = *controls[i];
    if (c.kind() == ControlKind::Timer || c.kind() == ControlKind::Menu) continue;
    list.push_back(control_json(c, static_cast<int>(i), pos));
  }
  json menus = json::array();
  for (const Menu* m : f.menus())
    if (pos.contains(m)) menus.push_back(menu_json(*m, pos));
  // The open menu as the numbers of its menus and of its lit entry.
  json open_menus = json::array();
  for (const Menu* m : f.open_menu.open)
    if (pos.contains(m)) open_menus.push_back(pos.at(m));
  const Menu* lit = f.open_menu.lit;
  const Control* focus = f.active_control();
  return {{"name", f.name()},
          {"caption", f.caption()},
          {"left", f.left()},
          {"top", f.top()},
          {"width", f.width()},
          {"height", f.height()},
          {"frameWidth", f.frame_width()},
          {"titleHeight", f.title_height()},
          {"borderStyle", f.border_style},
          {"controlBox", f.control_box},
          {"minButton", f.min_button},
          {"maxButton", f.max_button},
          {"windowState", f.window_state()},
          {"backColor", colour(f.back_color())},
          {"font", font_json(f.font)},
          {"picture", f.picture},
          {"modal", f.modal},
          {"topmost", f.topmost},
          {"pointer", f.mouse_pointer},
          {"keyPreview", f.key_preview},
          {"focus", focus != nullptr && pos.contains(focus) ? pos.at(focus) : -1},
          {"menus", std::move(menus)},
          {"openMenus", std::move(open_menus)},
          {"litMenu", lit != nullptr && pos.contains(lit) ? pos.at(lit) : -1},
          {"controls", std::move(list)}};
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

json snapshot_json(const FormRegistry& forms, const Screen& screen, const DesktopDialogs* dialogs) {
  json windows = json::array();
  for (const Form* f : forms.z_order())
    if (f->is_loaded() && f->visible()) windows.push_back(window_json(*f));
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
          {"windows", std::move(windows)},
          {"boxes", std::move(boxes)}};
}

}  // namespace pv
