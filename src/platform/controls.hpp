// Controls of a window. Each is a member of its window's class, named as the system names
// it. Setting a value in code runs the control's click or change handler at once, as the
// desktop runtime does.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/loop_timer.hpp"

namespace pv {

class Form;

struct Font {
  std::string name = "MS Sans Serif";
  float size = 8.25f;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
};

// Colours are 0xRRGGBB.
constexpr uint32_t rgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
         static_cast<uint32_t>(b);
}
inline constexpr uint32_t kButtonFace = rgb(236, 233, 216);
inline constexpr uint32_t kWindowBackground = rgb(255, 255, 255);
inline constexpr uint32_t kWindowText = rgb(0, 0, 0);

enum class ControlKind {
  CommandButton,
  Label,
  TextBox,
  CheckBox,
  OptionButton,
  ListBox,
  ComboBox,
  PictureBox,
  Image,
  Frame,
  ScrollBar,
  Timer,
  Menu,
  TabbedDialog,
  Line,
  WebBrowser,
};

using Handler = std::function<void()>;

class Control {
 public:
  Control(ControlKind kind, std::string name, int index = -1);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // position in a control array, -1 for none
  Form* form() const { return form_; }
  // Puts the control on its window (the window does, as it adds its controls).
  virtual void attach(Form& form) { form_ = &form; }

  // Runs a handler of this control as an event of its window.
  void fire(const Handler& handler);
  // A user's click, or a click raised by code.
  void click() { fire(on_click); }
  // True when the control can be seen: it and every container are visible, a control on a
  // page of a tabbed dialog only while that page is shown, and its window is visible.
  bool showing() const;
  // Gives the control the keyboard focus (lost-focus and got-focus events run). Error 5
  // when it cannot take it: not showing or disabled.
  void set_focus();

  // Where the control sits: inside a frame, a picture box or a page of a tabbed dialog.
  Control* container = nullptr;
  int tab_page = -1;

  float left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool enabled = true;
  std::string caption;  // caption, or the text of text and combo boxes
  std::string tooltip;
  Font font;
  bool has_font = true;
  uint32_t fore_color = kWindowText;
  uint32_t back_color = kButtonFace;
  int mouse_pointer = 0;
  std::string mouse_icon;
  int tab_index = 0;
  bool tab_stop = true;
  std::string tag;

  Handler on_click, on_dbl_click, on_change, on_got_focus, on_lost_focus;
  std::function<void(int& key_ascii)> on_key_press;
  std::function<void(int& key_code, int shift)> on_key_down;
  // The mouse over the control itself (not over a control it holds), in twips from its
  // top-left corner.
  std::function<void(int button, int shift, float x, float y)> on_mouse_move;

  void move(float l, float t) { left = l, top = t; }
  void move(float l, float t, float w, float h) { left = l, top = t, width = w, height = h; }

 private:
  ControlKind kind_;
  std::string name_;
  int index_;
  Form* form_ = nullptr;
};

class CommandButton : public Control {
 public:
  explicit CommandButton(std::string name, int index = -1)
      : Control(ControlKind::CommandButton, std::move(name), index) {}
  bool is_default = false;
  bool cancel = false;
  int style = 0;  // 1: graphical
  std::string picture;
};

class Label : public Control {
 public:
  explicit Label(std::string name, int index = -1)
      : Control(ControlKind::Label, std::move(name), index) {}
  int alignment = 0;   // 0 left, 1 right, 2 centre
  int back_style = 1;  // 0 transparent, 1 opaque
  int border_style = 0;
  bool auto_size = false;
  bool word_wrap = false;
};

class TextBox : public Control {
 public:
  explicit TextBox(std::string name, int index = -1)
      : Control(ControlKind::TextBox, std::move(name), index) {
    back_color = kWindowBackground;
  }
  const std::string& text() const { return caption; }
  void set_text(std::string value);  // runs on_change when the text changes
  bool multi_line = false;
  int scroll_bars = 0;
  bool locked = false;
  std::string password_char;
  int max_length = 0;
  int alignment = 0;
  int border_style = 1;
};

class CheckBox : public Control {
 public:
  explicit CheckBox(std::string name, int index = -1)
      : Control(ControlKind::CheckBox, std::move(name), index) {}
  int16_t value() const { return value_; }
  // 0 unchecked, 1 checked, 2 grey; runs on_click when the value changes. Other values
  // raise error 380.
  void set_value(int value);

 private:
  int16_t value_ = 0;
};

class OptionButton : public Control {
 public:
  explicit OptionButton(std::string name, int index = -1)
      : Control(ControlKind::OptionButton, std::move(name), index) {}
  bool value() const { return value_; }
  // Setting True clears the other option buttons of the same container and runs
  // on_click; setting False only clears this one.
  void set_value(bool value);
  int style = 0;

 private:
  bool value_ = false;
};

class ListBox : public Control {
 public:
  explicit ListBox(std::string name, int index = -1, ControlKind kind = ControlKind::ListBox)
      : Control(kind, std::move(name), index) {
    back_color = kWindowBackground;
  }
  int list_count() const { return static_cast<int>(items_.size()); }
  // An index past the end reads as empty text; a negative one raises error 381.
  std::string list(int i) const;
  void set_list(int i, std::string text);
  int64_t item_data(int i) const;
  void set_item_data(int i, int64_t value);
  void add_item(std::string text, int at = -1);  // error 5 for a bad position
  void remove_item(int i);                       // error 5 for a bad index
  void clear();
  int list_index() const { return list_index_; }
  void set_list_index(int i);  // -1 for none; runs on_click when it changes; error 380 out of range
  bool selected(int i) const;
  void set_selected(int i, bool on);  // runs on_click
  int sel_count() const;
  // A user's click on item i with the shift state (1 Shift, 2 Ctrl), by the selection
  // style: none selects the item; simple toggles it; extended selects it alone, Ctrl
  // toggles it and Shift selects the range from the last clicked item. Runs on_click.
  void click_item(int i, int shift = 0);
  // A user's double-click: the click on the item, then on_dbl_click.
  void dbl_click_item(int i);
  int top_index = 0;
  int multi_select = 0;  // 0 none, 1 simple, 2 extended
  bool sorted = false;
  int horizontal_extent = 0;  // pixels; the scroll range of a too-wide list
  int style = 0;

 private:
  void check(int i, int error) const;
  std::vector<std::string> items_;
  std::vector<int64_t> data_;
  std::vector<bool> selected_;
  int list_index_ = -1;
  int anchor_ = -1;  // where an extended Shift-click range starts
};

class ComboBox : public ListBox {
 public:
  explicit ComboBox(std::string name, int index = -1)
      : ListBox(std::move(name), index, ControlKind::ComboBox) {}
  const std::string& text() const { return caption; }
  void set_text(std::string value);
};

class PictureBox : public Control {
 public:
  explicit PictureBox(std::string name, int index = -1)
      : Control(ControlKind::PictureBox, std::move(name), index) {}
  std::string picture;
  int border_style = 1;
  bool auto_redraw = false;
  bool auto_size = false;
  int align = 0;
};

class Image : public Control {
 public:
  explicit Image(std::string name, int index = -1)
      : Control(ControlKind::Image, std::move(name), index) {
    has_font = false;
  }
  std::string picture;
  bool stretch = false;
  int border_style = 0;
};

class Frame : public Control {
 public:
  explicit Frame(std::string name, int index = -1)
      : Control(ControlKind::Frame, std::move(name), index) {}
  int border_style = 1;
};

class ScrollBar : public Control {
 public:
  ScrollBar(std::string name, bool is_vertical, int index = -1)
      : Control(ControlKind::ScrollBar, std::move(name), index), vertical(is_vertical) {
    has_font = false;
  }
  bool vertical;
  int16_t min = 0, max = 32767, small_change = 1, large_change = 1;
  int16_t value() const { return value_; }
  void set_value(int value);  // error 380 outside min..max; runs on_change when it changes
  Handler on_scroll;

 private:
  int16_t value_ = 0;
};

// Registers with its window's event loop when it is put on the window; it runs while it
// is enabled with an interval and its window is loaded.
class Timer : public Control, public LoopTimer {
 public:
  explicit Timer(std::string name, int index = -1)
      : Control(ControlKind::Timer, std::move(name), index) {
    has_font = false;
    visible = false;
  }
  ~Timer() override;
  void attach(Form& form) override;
  // Both start the interval afresh.
  void set_enabled(bool on);
  void set_interval(int ms);
  int interval = 0;
  Handler on_timer;

  int running_interval() const override;
  void tick() override { fire(on_timer); }
};

class Menu : public Control {
 public:
  Menu(std::string name, std::string caption_text, Menu* parent = nullptr, int index = -1);
  Menu* parent;
  std::vector<Menu*> items;
  bool checked = false;
  std::string shortcut;
  // True when the user can reach the entry: it and every menu above it are visible and
  // enabled.
  bool available() const;
};

// The access key of a caption: the character after a single "&" ("E&xit" gives 'x'),
// or 0 when there is none ("&&" stands for the "&" character itself).
char access_key(std::string_view caption);

class TabbedDialog : public Control {
 public:
  explicit TabbedDialog(std::string name, int index = -1)
      : Control(ControlKind::TabbedDialog, std::move(name), index) {}
  int tabs() const { return static_cast<int>(captions_.size()); }
  void set_tabs(int n);
  std::string tab_caption(int i) const;
  void set_tab_caption(int i, std::string text);
  bool tab_enabled(int i) const;
  void set_tab_enabled(int i, bool on);
  bool tab_visible(int i) const;
  void set_tab_visible(int i, bool on);
  int tab() const { return tab_; }
  // Shows page i; runs on_tab_click with the previous page when the page changes.
  void set_tab(int i);
  // A user's click on the tab of page i: ignored for a disabled or hidden page.
  void click_tab(int i);
  int tabs_per_row = 4;
  std::function<void(int previous_tab)> on_tab_click;

 private:
  void check(int i) const;
  std::vector<std::string> captions_;
  std::vector<bool> enabled_, visible_;
  int tab_ = 0;
};

class Line : public Control {
 public:
  explicit Line(std::string name, int index = -1)
      : Control(ControlKind::Line, std::move(name), index) {
    has_font = false;
  }
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  uint32_t border_color = kWindowText;
  int border_width = 1;
};

// A control array: controls of one kind sharing a name, with the indexes Lo to Hi. An
// index outside them raises error 9.
template <class T, int Lo, int Hi>
class ControlArray {
  static_assert(Hi >= Lo);
  static constexpr size_t kSize = Hi - Lo + 1;

 public:
  explicit ControlArray(const std::string& name)
      : items_(make(name, std::make_index_sequence<kSize>())) {}

  T& operator[](int i) { return items_[slot(i)]; }
  const T& operator[](int i) const { return items_[slot(i)]; }
  static constexpr int lower = Lo;
  static constexpr int upper = Hi;
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  template <size_t... I>
  static std::array<T, kSize> make(const std::string& name, std::index_sequence<I...>) {
    return {T(name, Lo + static_cast<int>(I))...};
  }
  static size_t slot(int i);
  std::array<T, kSize> items_;
};

[[noreturn]] void raise_subscript_error();

template <class T, int Lo, int Hi>
size_t ControlArray<T, Lo, Hi>::slot(int i) {
  if (i < Lo || i > Hi) raise_subscript_error();
  return static_cast<size_t>(i - Lo);
}

}  // namespace pv
