// Windows and their life cycle. Each window of the system is a class derived from Form,
// a single instance created on first use through the FormRegistry. The registry holds
// the life-cycle rules once:
// - loading runs Form_Load; loading a loaded window does nothing;
// - setting a property of an unloaded window loads it first;
// - unloading runs Form_Unload (which may cancel), hides the window and discards it, so a
//   later use starts afresh; an unload of a window that is not loaded, or that is still
//   loading or unloading, does nothing; nested unloads finish before the outer one goes on;
// - a discarded window is destroyed only once none of its handlers is running, and it is
//   not loaded again by the rest of a handler that unloaded it;
// - Form_Terminate runs only when the program is torn down.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "platform/controls.hpp"

namespace pv {

class FormRegistry;
class EventLoop;
class Screen;
class TextMeasure;

enum class FormState { Unloaded, Loading, Loaded, Unloading, Discarded };
enum WindowState : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum BorderStyle : int { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3 };

// The menu the user has open in a window, as the desktop keeps it (platform/user_input
// runs it): `open` holds the menu of the menu bar and each submenu opened from it, the
// entries of the last one shown last; `lit` is the lit entry among those, null for none.
// No menu is open when `open` is empty.
struct OpenMenu {
  std::vector<Menu*> open;
  Menu* lit = nullptr;
};

class Form {
 public:
  Form(FormRegistry& forms, std::string name);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  FormRegistry& forms() const { return forms_; }
  FormState state() const { return state_; }
  bool is_loaded() const;
  // Life cycle (see the file comment).
  void load();
  void unload();
  void show(bool modal = false);
  void hide() { set_visible(false); }

  // Window properties; setting any of them loads an unloaded window first.
  const std::string& caption() const { return caption_; }
  void set_caption(std::string text);
  float left() const { return left_; }
  float top() const { return top_; }
  float width() const { return width_; }
  float height() const { return height_; }
  void set_left(float v) { move(v, top_, width_, height_); }
  void set_top(float v) { move(left_, v, width_, height_); }
  void set_width(float v) { move(left_, top_, v, height_); }
  void set_height(float v) { move(left_, top_, width_, v); }
  // Moves and sizes the window, its title bar kept within reach on the screen; a change of
  // size runs Form_Resize.
  void move(float l, float t, float w, float h);
  // Grows the window to at least this size, the height first, an error of either step
  // skipped: the resize handlers of the sizable windows begin so.
  void hold_minimum_size(float min_width, float min_height);
  bool visible() const { return visible_; }
  void set_visible(bool on);
  int window_state() const { return window_state_; }
  void set_window_state(int s);
  // What restoring a minimised window returns it to: the state it was minimised from.
  int state_before_minimized() const { return state_before_minimized_; }
  uint32_t back_color() const { return back_color_; }
  void set_back_color(uint32_t c);
  // The client area: the outer size less the frame and the title bar.
  float client_width() const;
  float client_height() const;
  float frame_width() const;
  float title_height() const;
  void refresh() {}
  // Width of a text in the window's font, in twips.
  float text_width(std::string_view text) const;

  int border_style = vbSizable;
  bool control_box = true;
  bool min_button = true;
  bool max_button = true;
  bool key_preview = false;
  bool topmost = false;
  bool modal = false;
  int mouse_pointer = 0;
  Font font;
  std::string picture;  // background picture

  // Controls in the order of the window's description (the first on top).
  const std::vector<Control*>& controls() const { return controls_; }
  std::vector<Menu*> menus() const;  // top-level menus in order
  // The menu entry that the access keys reach from the menu bar ("fx": the entry with the
  // access key x in the menu with the access key f), ignoring case; only entries the user
  // can reach count. Null when there is none.
  Menu* menu_for_keys(std::string_view keys) const;
  // The control with the keyboard focus, or null.
  Control* active_control() const { return active_control_; }
  // Hiding the window closes it.
  OpenMenu open_menu;

  // Handlers of the window. Default: nothing.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  virtual void Form_KeyDown(int& /*key_code*/, int /*shift*/) {}
  virtual void Form_KeyPress(int& /*key_ascii*/) {}
  virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void Form_Unload(int& /*cancel*/) {}
  virtual void Form_Terminate() {}

  // Runs code as a handler of this window (counts it on the handler stack).
  void run_handler(const std::function<void()>& handler);
  int handlers_running() const { return handlers_running_; }

 protected:
  // Registers controls in description order; called from the window's constructor.
  void add(Control& c);
  template <class... C>
  void add_all(C&... c) {
    (add(c), ...);
  }
  template <class Array>
  void add_array(Array& a) {
    for (auto& c : a) add(c);
  }
  EventLoop& loop() const;
  Screen& screen() const;
  // Position, size and caption as the window's description gives them: no load, no events.
  void design(float l, float t, float w, float h, std::string caption_text = "") {
    left_ = l, top_ = t, width_ = w, height_ = h, caption_ = std::move(caption_text);
  }
  void design_back_color(uint32_t c) { back_color_ = c; }

 private:
  friend class FormRegistry;
  friend class Control;
  // Loads an unloaded window; false when the window is discarded and must stay so.
  bool auto_load();

  FormRegistry& forms_;
  std::string name_;
  FormState state_ = FormState::Unloaded;
  int handlers_running_ = 0;
  std::vector<Control*> controls_;
  Control* active_control_ = nullptr;
  std::string caption_;
  float left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  bool visible_ = false;
  int window_state_ = vbNormal;
  uint32_t back_color_ = kButtonFace;
  int state_before_minimized_ = vbNormal;
  bool resized_once_ = false;

  static constexpr float kReachablePixels = 40;
  void keep_reachable(float& l, float& t, float w) const;
};

// Creates windows on first use and carries out their life cycle.
class FormRegistry {
 public:
  // Collects discarded windows whenever the loop comes to rest.
  FormRegistry(EventLoop& loop, Screen& screen, TextMeasure& measure);
  ~FormRegistry();
  FormRegistry(const FormRegistry&) = delete;
  FormRegistry& operator=(const FormRegistry&) = delete;

  template <class T>
  void define(std::function<std::unique_ptr<T>()> make) {
    slots_[typeid(T)].make = [make = std::move(make)]() -> std::unique_ptr<Form> { return make(); };
  }

  // The window's instance, created on first use; a discarded one is replaced by a new one.
  template <class T>
  T& get() {
    return static_cast<T&>(instance(typeid(T)));
  }
  // The current instance, or null when none was created (or it was discarded).
  template <class T>
  T* find() {
    return static_cast<T*>(existing(typeid(T)));
  }
  // Unloads the window when an instance of it exists.
  template <class T>
  void unload() {
    if (Form* f = existing(typeid(T))) f->unload();
  }

  // Copies, so a walk may load and unload windows.
  // Every live window shown since its load (it may be hidden again), from the back to the
  // one brought to the front last.
  std::vector<Form*> z_order() const { return z_order_; }
  // Every live window, shown or not, in the order they were created.
  std::vector<Form*> creation_order() const { return creation_order_; }
  bool any_loaded() const;
  // Destroys discarded windows that no running handler uses any more.
  void collect();
  // Runs Form_Terminate of every live window, in the order they were created. Stops when
  // one of them ends the program.
  void teardown();

  // Sees every load and unload as it starts ("load"/"unload" and the window's name).
  std::function<void(const std::string& event, const std::string& window)> trace;
  // Hears of a window shown modally before it is waited on (the user input gives it the
  // focus).
  std::function<void(Form&)> modal_shown;

  EventLoop& loop() const { return loop_; }
  Screen& screen() const { return screen_; }
  TextMeasure& measure() const { return measure_; }

  // Called by Form.
  void bring_to_front(Form& f);
  void discard(Form& f);

 private:
  struct Slot {
    std::function<std::unique_ptr<Form>()> make;
    std::unique_ptr<Form> current;
  };
  Form& instance(std::type_index type);
  Form* existing(std::type_index type);

  EventLoop& loop_;
  Screen& screen_;
  TextMeasure& measure_;
  std::unordered_map<std::type_index, Slot> slots_;
  std::vector<Form*> creation_order_;
  std::vector<Form*> z_order_;
  std::vector<std::unique_ptr<Form>> discarded_;
};

}  // namespace pv
