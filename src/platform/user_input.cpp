#include "platform/user_input.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/dialogs.hpp"
#include "platform/form.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

char upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Controls that Enter and Space press: buttons, and picture boxes that answer clicks.
bool pressable(const Control* c) {
  return c != nullptr && (c->kind() == ControlKind::CommandButton ||
                          (c->kind() == ControlKind::PictureBox && c->on_click));
}

bool multi_line_text(const Control* c) {
  return c != nullptr && c->kind() == ControlKind::TextBox &&
         static_cast<const TextBox*>(c)->multi_line;
}

// Byte offset of code point `n` of a UTF-8 text (its end when the text is shorter).
size_t offset_of(const std::string& text, int64_t n) {
  size_t i = 0;
  for (int64_t k = 0; i < text.size() && k < n; ++k) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}

// Replaces the `length` characters of a text box from `at` on with a typed character;
// Backspace deletes them, or the character before.
// Positions come from the page: in 64 bits their sum cannot overflow.
void type_into(TextBox& box, int ascii, int64_t at, int64_t length) {
  at = std::max<int64_t>(0, at);
  length = std::max<int64_t>(0, length);
  if (ascii == vbKeyBack && length == 0) {
    if (at == 0) return;
    --at;
    length = 1;
  }
  std::string text = box.text();
  const size_t from = offset_of(text, at);
  const size_t to = offset_of(text, at + length);
  std::string typed;
  if (ascii != vbKeyBack) append_utf8(typed, static_cast<char32_t>(ascii));
  text.replace(from, to - from, typed);
  box.set_text(std::move(text));
}

// The entries a menu shows, separators included.
std::vector<Menu*> shown_entries(const Menu& m) {
  std::vector<Menu*> shown;
  for (Menu* item : m.items)
    if (item->visible) shown.push_back(item);
  return shown;
}

// The entries of a menu's panel that can be lit, in order: the shown ones but separators.
std::vector<Menu*> menu_rows(const Menu& m) {
  std::vector<Menu*> rows = shown_entries(m);
  std::erase_if(rows, [](const Menu* r) { return r->caption == "-"; });
  return rows;
}

bool has_submenu(const Menu& m) {
  return !shown_entries(m).empty();
}

bool access_key_is(const Menu& m, int key_code) {
  return key_code > 0 && key_code < 128 && upper(access_key(m.caption)) == key_code;
}

}  // namespace

UserInput::UserInput(FormRegistry& forms, DesktopDialogs* boxes) : forms_(forms), boxes_(boxes) {
  forms_.modal_shown = [this](Form& f) {
    if (f.active_control() == nullptr && takes_input(f)) tab_to_next(f, false);
  };
}

UserInput::~UserInput() {
  forms_.modal_shown = nullptr;
}

bool UserInput::box_open() const {
  if (boxes_ == nullptr) return false;
  return std::any_of(boxes_->open_boxes().begin(), boxes_->open_boxes().end(),
                     [](const DesktopDialogs::OpenBox& b) { return !b.answered; });
}

bool UserInput::takes_input(const Form& f) const {
  if (box_open() || !f.is_loaded() || !f.visible()) return false;
  const Form* modal = nullptr;
  for (const Form* w : forms_.z_order())
    if (w->is_loaded() && w->visible() && w->modal) modal = w;
  return modal == nullptr || modal == &f;
}

bool UserInput::reachable(const Control& c) const {
  if (c.form() == nullptr || !takes_input(*c.form())) return false;
  for (const Control* x = &c; x != nullptr; x = x->container) {
    if (!x->visible || !x->enabled) return false;
    if (x->container != nullptr && x->container->kind() == ControlKind::TabbedDialog &&
        x->tab_page >= 0 && static_cast<const TabbedDialog*>(x->container)->tab() != x->tab_page)
      return false;
  }
  return true;
}

bool UserInput::takes_focus(const Control& c) const {
  switch (c.kind()) {
    case ControlKind::CommandButton:
      return c.tab_stop;
    case ControlKind::PictureBox:
      return c.tab_stop && c.on_click;
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::ScrollBar:
    case ControlKind::TabbedDialog:
    case ControlKind::WebBrowser:
      return true;
    default:
      return false;
  }
}

void UserInput::focus(Control& c) {
  if (reachable(c) && takes_focus(c) && c.form()->active_control() != &c) c.set_focus();
}

void UserInput::click(Control& c) {
  if (c.kind() == ControlKind::Menu) {
    click_menu(static_cast<Menu&>(c));
    return;
  }
  if (!reachable(c)) return;
  focus(c);
  switch (c.kind()) {
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(c);
      box.set_value(box.value() == 1 ? 0 : 1);
      break;
    }
    case ControlKind::OptionButton:
      static_cast<OptionButton&>(c).set_value(true);
      break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::ScrollBar:
    case ControlKind::TabbedDialog:
      break;
    default:
      c.click();
  }
}

void UserInput::double_click(Control& c) {
  if (reachable(c)) c.fire(c.on_dbl_click);
}

void UserInput::click_item(ListBox& list, int item, int shift) {
  if (!reachable(list) || item < 0 || item >= list.list_count()) return;
  focus(list);
  if (list.kind() == ControlKind::ComboBox) {
    list.caption = list.list(item);  // picking from the list sets the text without a change event
    list.set_list_index(item);
  } else {
    list.click_item(item, shift & (vbShiftMask | vbCtrlMask));
  }
}

void UserInput::double_click_item(ListBox& list, int item) {
  if (!reachable(list) || item < 0 || item >= list.list_count()) return;
  click_item(list, item);
  double_click(list);
}

void UserInput::scroll(ScrollBar& bar, int value) {
  if (!reachable(bar)) return;
  focus(bar);
  const int lo = std::min(bar.min, bar.max), hi = std::max(bar.min, bar.max);
  bar.set_value(std::clamp(value, lo, hi));
}

void UserInput::scroll_list(ListBox& list, int top) {
  if (reachable(list)) list.top_index = std::max(0, top);
}

void UserInput::click_tab(TabbedDialog& tabs, int page) {
  if (reachable(tabs)) tabs.click_tab(page);
}

void UserInput::choose_menu(Menu& m) {
  if (m.form() != nullptr && takes_input(*m.form()) && m.available()) m.click();
}

// The window's open menu, first cut back to what the user can still reach: the program
// may have hidden or disabled a menu, or covered the window, since it opened.
OpenMenu& UserInput::current_menu(Form& f) const {
  OpenMenu& m = f.open_menu;
  if (m.open.empty()) return m;
  if (!takes_input(f) || m.open[0]->parent != nullptr || !m.open[0]->available() ||
      !has_submenu(*m.open[0])) {
    m = {};
    return m;
  }
  for (size_t k = 1; k < m.open.size(); ++k)
    if (m.open[k]->parent != m.open[k - 1] || !m.open[k]->available() || !has_submenu(*m.open[k])) {
      m.open.resize(k);
      break;
    }
  if (m.lit != nullptr &&
      (m.lit->parent != m.open.back() || !m.lit->available() || m.lit->caption == "-"))
    m.lit = nullptr;
  return m;
}

void UserInput::click_menu(Menu& m) {
  Form* f = m.form();
  if (f == nullptr || !takes_input(*f) || !m.available()) return;
  const OpenMenu& open = current_menu(*f);
  if (m.parent == nullptr) {
    if (!open.open.empty() && open.open[0] == &m)
      close_menu(*f);
    else
      open_top_menu(*f, m, false);
  } else if (has_submenu(m)) {
    light_menu(m);
  } else {
    close_menu(*f);
    choose_menu(m);
  }
}

void UserInput::light_menu(Menu& m) {
  Form* f = m.form();
  if (f == nullptr || m.parent == nullptr || m.caption == "-" || !takes_input(*f) || !m.available())
    return;
  OpenMenu& open = current_menu(*f);
  const auto level = std::find(open.open.begin(), open.open.end(), m.parent);
  if (level == open.open.end()) return;
  open.open.erase(level + 1, open.open.end());
  open.lit = nullptr;
  if (has_submenu(m))
    open.open.push_back(&m);
  else
    open.lit = &m;
}

void UserInput::close_menu(Form& f) {
  f.open_menu = {};
}

// A menu of the menu bar runs its click handler as it opens, as the desktop's menus do, so
// the handler can set up its entries; opened by a key, its first enabled entry is lit.
void UserInput::open_top_menu(Form& f, Menu& top, bool by_key) {
  f.open_menu = {};
  const bool entries = has_submenu(top);
  if (entries) f.open_menu.open = {&top};
  if (top.on_click || !entries) choose_menu(top);
  if (by_key && !current_menu(f).open.empty()) light_next(f, -1, 1);
}

void UserInput::open_submenu(Form& f, Menu& entry, bool by_key) {
  light_menu(entry);
  if (by_key && current_menu(f).open.back() == &entry) light_next(f, -1, 1);
}

// The next (or previous) enabled menu of the menu bar, going round.
void UserInput::next_top_menu(Form& f, int step) {
  std::vector<Menu*> tops = f.menus();
  std::erase_if(tops, [](const Menu* m) { return !m->visible || !m->enabled; });
  if (tops.empty()) return;
  const auto n = static_cast<std::ptrdiff_t>(tops.size());
  const auto at = std::find(tops.begin(), tops.end(), f.open_menu.open[0]) - tops.begin();
  open_top_menu(f, *tops[static_cast<size_t>(((at + step) % n + n) % n)], true);
}

// Lights the enabled entry of the last panel after `from` in the direction `step`
// (-1 starts from either end), going round.
void UserInput::light_next(Form& f, int from, int step) {
  OpenMenu& open = f.open_menu;
  const std::vector<Menu*> rows = menu_rows(*open.open.back());
  const int n = static_cast<int>(rows.size());
  int start = from < 0 ? (step > 0 ? 0 : n - 1) : from + step;
  for (int k = 0; k < n; ++k) {
    Menu* row = rows[static_cast<size_t>(((start + step * k) % n + n) % n)];
    if (row->enabled) {
      open.lit = row;
      return;
    }
  }
}

// Alt and a menu's access key, or F10, open a menu of the menu bar.
bool UserInput::open_menu_key(Form& f, int key_code, int shift) {
  const bool f10 = key_code == vbKeyF10 && (shift & vbShiftMask) == 0;
  if (!f10 && ((shift & vbAltMask) == 0 || key_code >= 128 || !std::isalnum(key_code)))
    return false;
  for (Menu* top : f.menus())
    if (top->visible && top->enabled && (f10 || access_key_is(*top, key_code))) {
      open_top_menu(f, *top, true);
      return true;
    }
  return false;
}

// The keys of the open menu (see key_down); false when no menu is open and the key opens
// none.
bool UserInput::menu_key(Form& f, int key_code, int shift) {
  OpenMenu& open = current_menu(f);
  if (open.open.empty()) return open_menu_key(f, key_code, shift);
  const std::vector<Menu*> rows = menu_rows(*open.open.back());
  const auto lit_at = std::find(rows.begin(), rows.end(), open.lit);
  const int lit = lit_at == rows.end() ? -1 : static_cast<int>(lit_at - rows.begin());
  Menu* chosen = nullptr;
  switch (key_code) {
    case vbKeyDown:
    case vbKeyUp:
      light_next(f, lit, key_code == vbKeyDown ? 1 : -1);
      return true;
    case vbKeyRight:
      if (open.lit != nullptr && has_submenu(*open.lit))
        open_submenu(f, *open.lit, true);
      else
        next_top_menu(f, 1);
      return true;
    case vbKeyLeft:
    case vbKeyEscape:
      if (open.open.size() > 1) {
        open.lit = open.open.back();
        open.open.pop_back();
      } else if (key_code == vbKeyLeft) {
        next_top_menu(f, -1);
      } else {
        close_menu(f);
      }
      return true;
    case vbKeyReturn:
    case vbKeySpace:
      chosen = open.lit;
      break;
    default:
      for (Menu* row : rows)
        if (row->enabled && access_key_is(*row, key_code)) {
          chosen = row;
          break;
        }
  }
  if (chosen != nullptr && has_submenu(*chosen))
    open_submenu(f, *chosen, true);
  else if (chosen != nullptr)
    click_menu(*chosen);
  return true;
}

// Buttons, check boxes and option buttons act on their access key; a label or a frame
// passes the focus to the next control in tab order; a tab shows its page.
bool UserInput::press_access_key(Form& f, char key) {
  const std::vector<Control*>& controls = f.controls();
  for (Control* c : controls) {
    if (c->kind() == ControlKind::Menu || !reachable(*c)) continue;
    if (c->kind() == ControlKind::TabbedDialog) {
      auto& tabs = static_cast<TabbedDialog&>(*c);
      for (int k = 0; k < tabs.tabs(); ++k)
        if (tabs.tab_visible(k) && tabs.tab_enabled(k) &&
            upper(access_key(tabs.tab_caption(k))) == key) {
          tabs.set_tab(k);
          return true;
        }
      continue;
    }
    if (upper(access_key(c->caption)) != key) continue;
    switch (c->kind()) {
      case ControlKind::CommandButton:
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        click(*c);
        return true;
      case ControlKind::Label:
      case ControlKind::Frame: {
        Control* next = nullptr;
        for (Control* o : controls)
          if (o->tab_index > c->tab_index && takes_focus(*o) && reachable(*o) &&
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

void UserInput::click_button_where(Form& f, bool CommandButton::*flag) {
  for (Control* c : f.controls())
    if (c->kind() == ControlKind::CommandButton && static_cast<CommandButton*>(c)->*flag &&
        reachable(*c)) {
      click(*c);
      return;
    }
}

void UserInput::key_down(Form& f, int key_code, int shift) {
  if (!takes_input(f) || menu_key(f, key_code, shift)) return;
  // Tab moves the focus before any key handler hears of it, as the desktop's does.
  if (key_code == vbKeyTab && (shift & vbAltMask) == 0) {
    desktop_key(f, key_code, shift);
    return;
  }
  if (f.key_preview) f.run_handler([&] { f.Form_KeyDown(key_code, shift); });
  if (key_code == 0) return;
  if (Control* c = f.active_control(); c != nullptr && c->on_key_down)
    c->fire([&] { c->on_key_down(key_code, shift); });
  if (key_code != 0) desktop_key(f, key_code, shift);
}

// What the desktop does with a key the handlers left; false when it does nothing.
bool UserInput::desktop_key(Form& f, int key_code, int shift) {
  Control* focused = f.active_control();
  if (focused != nullptr && !reachable(*focused)) focused = nullptr;
  if ((shift & vbAltMask) != 0 && key_code > 0 && key_code < 128 && std::isalnum(key_code))
    return press_access_key(f, static_cast<char>(key_code));  // letters come as capitals
  if ((shift & vbAltMask) != 0) return false;
  switch (key_code) {
    case vbKeyReturn:
      if (multi_line_text(focused)) return false;
      if (pressable(focused))
        click(*focused);
      else
        click_button_where(f, &CommandButton::is_default);
      return true;
    case vbKeyEscape:
      click_button_where(f, &CommandButton::cancel);
      return true;
    case vbKeyTab:
      if ((shift & vbCtrlMask) != 0)
        next_tab_page(f, (shift & vbShiftMask) != 0);
      else
        tab_to_next(f, (shift & vbShiftMask) != 0);
      return true;
    case vbKeySpace:
      if (focused == nullptr || !(pressable(focused) || focused->kind() == ControlKind::CheckBox ||
                                  focused->kind() == ControlKind::OptionButton))
        return false;
      click(*focused);
      return true;
    case vbKeyLeft:
    case vbKeyUp:
      return focused != nullptr && arrow_key(*focused, -1);
    case vbKeyRight:
    case vbKeyDown:
      return focused != nullptr && arrow_key(*focused, 1);
    default:
      return false;
  }
}

// The controls that take the focus in tab order, the focus going round.
void UserInput::tab_to_next(Form& f, bool backwards) {
  // Of a group of option buttons only the one set is a stop, or each when none is.
  const auto group_set = [&f](const Control* o) {
    return std::any_of(f.controls().begin(), f.controls().end(), [o](const Control* x) {
      return x->kind() == ControlKind::OptionButton && x->container == o->container &&
             static_cast<const OptionButton*>(x)->value();
    });
  };
  std::vector<Control*> order;
  for (Control* c : f.controls()) {
    if (c->kind() == ControlKind::Menu || !c->tab_stop || !takes_focus(*c) || !reachable(*c))
      continue;
    if (c->kind() == ControlKind::OptionButton && !static_cast<OptionButton*>(c)->value() &&
        c != f.active_control() && group_set(c))
      continue;
    order.push_back(c);
  }
  if (order.empty()) return;
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
  const auto at = std::find(order.begin(), order.end(), f.active_control());
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  std::ptrdiff_t k = at == order.end() ? (backwards ? 0 : -1) : at - order.begin();
  k = (k + (backwards ? n - 1 : 1)) % n;
  focus(*order[static_cast<size_t>(k)]);
}

// The tabbed dialog that holds the focus (or the window's first) shows its next page.
void UserInput::next_tab_page(Form& f, bool backwards) {
  TabbedDialog* tabs = nullptr;
  for (Control* x = f.active_control(); x != nullptr && tabs == nullptr; x = x->container)
    if (x->kind() == ControlKind::TabbedDialog) tabs = static_cast<TabbedDialog*>(x);
  for (Control* c : f.controls())
    if (tabs == nullptr && c->kind() == ControlKind::TabbedDialog && reachable(*c))
      tabs = static_cast<TabbedDialog*>(c);
  if (tabs == nullptr || !reachable(*tabs) || tabs->tabs() == 0) return;
  const int n = tabs->tabs();
  for (int step = 1; step < n; ++step) {
    const int k = ((tabs->tab() + (backwards ? -step : step)) % n + n) % n;
    if (tabs->tab_visible(k) && tabs->tab_enabled(k)) {
      tabs->click_tab(k);
      return;
    }
  }
}

// An arrow key: the next or previous option button of the group (which it sets), item of
// a list, page of a tabbed dialog, or small step of a scroll bar.
bool UserInput::arrow_key(Control& c, int step) {
  if (c.kind() == ControlKind::OptionButton) {
    std::vector<Control*> group;
    for (Control* o : c.form()->controls())
      if (o->kind() == ControlKind::OptionButton && o->container == c.container && reachable(*o))
        group.push_back(o);
    std::stable_sort(group.begin(), group.end(), [](const Control* a, const Control* b) {
      return a->tab_index < b->tab_index;
    });
    const auto at = std::find(group.begin(), group.end(), &c);
    if (at == group.end()) return false;
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    click(*group[static_cast<size_t>(((at - group.begin()) + step + n) % n)]);
    return true;
  }
  if (c.kind() == ControlKind::ListBox) {
    auto& list = static_cast<ListBox&>(c);
    if (list.list_count() == 0) return true;
    click_item(list, std::clamp(list.list_index() + step, 0, list.list_count() - 1));
    return true;
  }
  if (c.kind() == ControlKind::TabbedDialog) {
    next_tab_page(*c.form(), step < 0);
    return true;
  }
  if (c.kind() == ControlKind::ScrollBar) {
    auto& bar = static_cast<ScrollBar&>(c);
    scroll(bar, bar.value() + (bar.max >= bar.min ? step : -step) * bar.small_change);
    return true;
  }
  return false;
}

void UserInput::mouse_move(Control& c, float x, float y, int button, int shift) {
  if (reachable(c) && c.on_mouse_move) c.fire([&] { c.on_mouse_move(button, shift, x, y); });
}

void UserInput::key_press(Form& f, int key_ascii) {
  if (takes_input(f) && f.key_preview) f.run_handler([&] { f.Form_KeyPress(key_ascii); });
}

void UserInput::type_char(Control& c, int key_ascii, int at, int length) {
  if (!reachable(c)) return;
  Form& f = *c.form();
  if (f.key_preview) f.run_handler([&] { f.Form_KeyPress(key_ascii); });
  if (key_ascii == 0) return;
  if (c.on_key_press) c.fire([&] { c.on_key_press(key_ascii); });
  if (key_ascii <= 0 || key_ascii == vbKeyReturn || key_ascii == vbKeyEscape) return;
  if (c.kind() == ControlKind::TextBox && !static_cast<TextBox&>(c).locked)
    type_into(static_cast<TextBox&>(c), key_ascii, at, length);
}

void UserInput::type_text(Control& c, std::string text) {
  if (!reachable(c)) return;
  focus(c);
  if (c.kind() == ControlKind::TextBox && !static_cast<TextBox&>(c).locked)
    static_cast<TextBox&>(c).set_text(std::move(text));
  else if (c.kind() == ControlKind::ComboBox)
    static_cast<ComboBox&>(c).set_text(std::move(text));
}

void UserInput::take_marks(WebBrowser& browser, uint64_t generation,
                           std::vector<FieldMark> fields) {
  if (browser.form() == nullptr || !takes_input(*browser.form())) return;
  if (generation == browser.document.generation()) browser.document.take_marks(std::move(fields));
}

void UserInput::click_element(WebBrowser& browser, const std::string& id) {
  if (reachable(browser)) browser.click_element(id);
}

void UserInput::activate(Form& f) {
  if (!takes_input(f)) return;
  const std::vector<Form*> windows = forms_.z_order();
  if (!windows.empty() && windows.back() == &f) return;
  forms_.bring_to_front(f);
  f.run_handler([&] { f.Form_Activate(); });
}

void UserInput::close(Form& f) {
  if (takes_input(f) && f.control_box) f.unload();
}

void UserInput::set_window_state(Form& f, int state) {
  if (!takes_input(f) || state < vbNormal || state > vbMaximized) return;
  if ((state == vbMinimized && !f.min_button) || (state == vbMaximized && !f.max_button)) return;
  if (state == vbNormal && f.window_state() == vbMinimized) state = f.state_before_minimized();
  f.set_window_state(state);
}

void UserInput::move(Form& f, float left, float top) {
  if (!takes_input(f) || f.border_style == vbBSNone || f.window_state() != vbNormal) return;
  f.move(left, top, f.width(), f.height());
}

void UserInput::size(Form& f, float width, float height) {
  if (!takes_input(f) || f.border_style != vbSizable || f.window_state() != vbNormal) return;
  f.move(f.left(), f.top(), std::max(0.0f, width), std::max(0.0f, height));
}

void UserInput::resize_screen(int width_pixels, int height_pixels) {
  Screen& screen = forms_.screen();
  const float old_width = screen.width(), old_height = screen.height();
  const bool first = !screen_reported_;
  screen_reported_ = true;
  screen.set_size(width_pixels, height_pixels);
  const auto near = [](float a, float b) { return std::fabs(a - b) < 1.0f; };
  for (Form* f : forms_.creation_order()) {
    if (!f->is_loaded() || f->window_state() != vbNormal) continue;
    float l = f->left(), t = f->top(), w = f->width(), h = f->height();
    if (near(l, 0) && near(t, 0) && near(w, old_width) && near(h, old_height)) {
      w = screen.width();
      h = screen.height();
    } else if (first && near(l, (old_width - w) / 2) && near(t, (old_height - h) / 2)) {
      l = (screen.width() - w) / 2;
      t = (screen.height() - h) / 2;
    }
    f->move(l, t, w, h);
  }
}

// A box closes the menu that was open when it showed.
void UserInput::answer_box(int id, int result, const std::string& text) {
  if (boxes_ == nullptr) return;
  for (Form* f : forms_.z_order()) f->open_menu = {};
  boxes_->answer(id, result, text);
}

}  // namespace pv
