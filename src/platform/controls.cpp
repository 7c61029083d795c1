#include "platform/controls.hpp"

#include <algorithm>

#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/form.hpp"

namespace pv {

Control::Control(ControlKind kind, std::string name, int index)
    : kind_(kind), name_(std::move(name)), index_(index) {}

void Control::fire(const Handler& handler) {
  if (!handler) return;
  if (form_ == nullptr) {
    handler();
    return;
  }
  form_->run_handler(handler);
}

bool Control::showing() const {
  if (!visible) return false;
  if (container != nullptr) {
    if (!container->showing()) return false;
    if (tab_page >= 0 && container->kind() == ControlKind::TabbedDialog &&
        static_cast<const TabbedDialog*>(container)->tab() != tab_page)
      return false;
  }
  return form_ == nullptr || form_->visible();
}

void Control::set_focus() {
  if (!showing() || !enabled || form_ == nullptr) raise_error(5);
  Control* previous = form_->active_control();
  if (previous == this) return;
  form_->active_control_ = this;
  if (previous != nullptr) previous->fire(previous->on_lost_focus);
  fire(on_got_focus);
}

void raise_subscript_error() {
  raise_error(9);
}

void TextBox::set_text(std::string value) {
  if (max_length > 0 && static_cast<int>(value.size()) > max_length) value.resize(max_length);
  if (value == caption) return;
  caption = std::move(value);
  fire(on_change);
}

void CheckBox::set_value(int value) {
  if (value < 0 || value > 2) raise_error(380);
  if (value == value_) return;
  value_ = static_cast<int16_t>(value);
  fire(on_click);
}

void OptionButton::set_value(bool value) {
  if (!value) {
    value_ = false;
    return;
  }
  if (value_) return;
  if (form() != nullptr) {
    for (Control* c : form()->controls()) {
      if (c != this && c->kind() == ControlKind::OptionButton && c->container == container &&
          c->tab_page == tab_page)
        static_cast<OptionButton*>(c)->value_ = false;
    }
  }
  value_ = true;
  fire(on_click);
}

void ListBox::check(int i, int error) const {
  if (i < 0 || i >= list_count()) raise_error(error);
}

std::string ListBox::list(int i) const {
  if (i < 0) raise_error(381);
  return i < list_count() ? items_[static_cast<size_t>(i)] : std::string();
}

void ListBox::set_list(int i, std::string text) {
  if (i < 0) raise_error(381);
  if (i >= list_count()) {
    add_item(std::move(text));
    return;
  }
  items_[static_cast<size_t>(i)] = std::move(text);
}

int64_t ListBox::item_data(int i) const {
  check(i, 381);
  return data_[static_cast<size_t>(i)];
}

void ListBox::set_item_data(int i, int64_t value) {
  check(i, 381);
  data_[static_cast<size_t>(i)] = value;
}

void ListBox::add_item(std::string text, int at) {
  if (at < -1 || at > list_count()) raise_error(5);
  if (at == -1 && sorted) {
    at = 0;
    while (at < list_count() && items_[static_cast<size_t>(at)] <= text) ++at;
  }
  const auto pos = static_cast<size_t>(at == -1 ? list_count() : at);
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(text));
  data_.insert(data_.begin() + static_cast<std::ptrdiff_t>(pos), 0);
  selected_.insert(selected_.begin() + static_cast<std::ptrdiff_t>(pos), false);
  if (list_index_ >= static_cast<int>(pos)) ++list_index_;
}

void ListBox::remove_item(int i) {
  check(i, 5);
  const auto pos = static_cast<std::ptrdiff_t>(i);
  items_.erase(items_.begin() + pos);
  data_.erase(data_.begin() + pos);
  selected_.erase(selected_.begin() + pos);
  if (list_index_ == i)
    list_index_ = -1;
  else if (list_index_ > i)
    --list_index_;
  if (top_index >= list_count()) top_index = list_count() > 0 ? list_count() - 1 : 0;
}

void ListBox::clear() {
  items_.clear();
  data_.clear();
  selected_.clear();
  list_index_ = -1;
  top_index = 0;
}

void ListBox::set_list_index(int i) {
  if (i < -1 || i >= list_count()) raise_error(380);
  if (i == list_index_) return;
  list_index_ = i;
  if (multi_select == 0) {
    for (size_t k = 0; k < selected_.size(); ++k) selected_[k] = static_cast<int>(k) == i;
  }
  fire(on_click);
}

bool ListBox::selected(int i) const {
  check(i, 381);
  return selected_[static_cast<size_t>(i)];
}

void ListBox::set_selected(int i, bool on) {
  check(i, 381);
  if (multi_select == 0) {
    if (on)
      set_list_index(i);
    else if (list_index_ == i)
      set_list_index(-1);
    return;
  }
  selected_[static_cast<size_t>(i)] = on;
  list_index_ = i;
  fire(on_click);
}

int ListBox::sel_count() const {
  int n = 0;
  for (bool s : selected_) n += s ? 1 : 0;
  return n;
}

void ListBox::click_item(int i, int shift) {
  check(i, 381);
  if (multi_select == 0) {
    set_list_index(i);
    return;
  }
  const auto at = static_cast<size_t>(i);
  if (multi_select == 1 || (shift & 2) != 0) {
    selected_[at] = !selected_[at];
    anchor_ = i;
  } else if ((shift & 1) != 0 && anchor_ >= 0 && anchor_ < list_count()) {
    const int lo = std::min(anchor_, i), hi = std::max(anchor_, i);
    for (int k = 0; k < list_count(); ++k) selected_[static_cast<size_t>(k)] = k >= lo && k <= hi;
  } else {
    for (size_t k = 0; k < selected_.size(); ++k) selected_[k] = k == at;
    anchor_ = i;
  }
  list_index_ = i;
  fire(on_click);
}

void ListBox::dbl_click_item(int i) {
  click_item(i);
  fire(on_dbl_click);
}

void ComboBox::set_text(std::string value) {
  if (value == caption) return;
  caption = std::move(value);
  fire(on_change);
}

void ScrollBar::set_value(int value) {
  if (value < min || value > max) raise_error(380);
  if (value == value_) return;
  value_ = static_cast<int16_t>(value);
  fire(on_change);
}

Timer::~Timer() {
  if (form() != nullptr) form()->forms().loop().remove_timer(*this);
}

void Timer::attach(Form& form) {
  if (this->form() != nullptr) this->form()->forms().loop().remove_timer(*this);
  Control::attach(form);
  form.forms().loop().add_timer(*this);
}

int Timer::running_interval() const {
  return enabled && interval > 0 && form() != nullptr && form()->is_loaded() ? interval : 0;
}

void Timer::set_enabled(bool on) {
  enabled = on;
  restart();
}

void Timer::set_interval(int ms) {
  if (ms < 0 || ms > 65535) raise_error(380);
  interval = ms;
  restart();
}

bool Menu::available() const {
  for (const Menu* m = this; m != nullptr; m = m->parent)
    if (!m->visible || !m->enabled) return false;
  return true;
}

char access_key(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" is a literal "&"
  }
  return 0;
}

Menu::Menu(std::string name, std::string caption_text, Menu* parent_menu, int index)
    : Control(ControlKind::Menu, std::move(name), index), parent(parent_menu) {
  caption = std::move(caption_text);
  if (parent != nullptr) parent->items.push_back(this);
}

void TabbedDialog::check(int i) const {
  if (i < 0 || i >= tabs()) raise_error(380);
}

void TabbedDialog::set_tabs(int n) {
  if (n < 1) raise_error(380);
  captions_.resize(static_cast<size_t>(n));
  enabled_.resize(static_cast<size_t>(n), true);
  visible_.resize(static_cast<size_t>(n), true);
  if (tab_ >= n) tab_ = n - 1;
}

std::string TabbedDialog::tab_caption(int i) const {
  check(i);
  return captions_[static_cast<size_t>(i)];
}

void TabbedDialog::set_tab_caption(int i, std::string text) {
  check(i);
  captions_[static_cast<size_t>(i)] = std::move(text);
}

bool TabbedDialog::tab_enabled(int i) const {
  check(i);
  return enabled_[static_cast<size_t>(i)];
}

void TabbedDialog::set_tab_enabled(int i, bool on) {
  check(i);
  enabled_[static_cast<size_t>(i)] = on;
}

bool TabbedDialog::tab_visible(int i) const {
  check(i);
  return visible_[static_cast<size_t>(i)];
}

void TabbedDialog::set_tab_visible(int i, bool on) {
  check(i);
  visible_[static_cast<size_t>(i)] = on;
}

void TabbedDialog::click_tab(int i) {
  if (i < 0 || i >= tabs() || !tab_enabled(i) || !tab_visible(i)) return;
  set_tab(i);
}

void TabbedDialog::set_tab(int i) {
  check(i);
  if (i == tab_) return;
  const int previous = tab_;
  tab_ = i;
  if (on_tab_click) fire([&] { on_tab_click(previous); });
}

}  // namespace pv
