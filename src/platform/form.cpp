#include "platform/form.hpp"

#include <algorithm>

#include "platform/errors.hpp"
#include "platform/event_loop.hpp"
#include "platform/scope_guard.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"

namespace pv {

Form::Form(FormRegistry& forms, std::string name) : forms_(forms), name_(std::move(name)) {}

bool Form::is_loaded() const {
  return state_ == FormState::Loading || state_ == FormState::Loaded ||
         state_ == FormState::Unloading;
}

EventLoop& Form::loop() const {
  return forms_.loop();
}
Screen& Form::screen() const {
  return forms_.screen();
}

void Form::add(Control& c) {
  c.attach(*this);
  controls_.push_back(&c);
}

std::vector<Menu*> Form::menus() const {
  std::vector<Menu*> top;
  for (Control* c : controls_)
    if (c->kind() == ControlKind::Menu && static_cast<Menu*>(c)->parent == nullptr)
      top.push_back(static_cast<Menu*>(c));
  return top;
}

Menu* Form::menu_for_keys(std::string_view keys) const {
  const auto matches = [](const Menu* m, char key) {
    const char k = access_key(m->caption);
    return m->available() && k != 0 &&
           lcase(std::string_view(&k, 1)) == lcase(std::string_view(&key, 1));
  };
  Menu* found = nullptr;
  std::vector<Menu*> level = menus();
  for (char key : keys) {
    found = nullptr;
    for (Menu* m : level)
      if (matches(m, key)) {
        found = m;
        break;
      }
    if (found == nullptr) return nullptr;
    level = found->items;
  }
  return found;
}

void Form::run_handler(const std::function<void()>& handler) {
  ++handlers_running_;
  const auto done = on_scope_exit([this] { --handlers_running_; });
  handler();
}

bool Form::auto_load() {
  if (state_ == FormState::Discarded) return false;
  if (state_ == FormState::Unloaded) load();
  return state_ != FormState::Discarded;
}

void Form::hold_minimum_size(float min_width, float min_height) {
  skip([&] {
    if (height() < min_height) set_height(min_height);
  });
  skip([&] {
    if (width() < min_width) set_width(min_width);
  });
}

void Form::load() {
  if (state_ != FormState::Unloaded) return;
  state_ = FormState::Loading;
  if (forms_.trace) forms_.trace("load", name_);
  // A load that fails still leaves the window loaded, as the runtime does.
  const auto loaded = on_scope_exit([this] {
    if (state_ == FormState::Loading) state_ = FormState::Loaded;
  });
  run_handler([this] { Form_Load(); });
}

void Form::unload() {
  if (state_ != FormState::Loaded) return;
  state_ = FormState::Unloading;
  if (forms_.trace) forms_.trace("unload", name_);
  int cancel = 0;
  {
    const auto stays_loaded = on_scope_failure([this] { state_ = FormState::Loaded; });
    run_handler([&] { Form_Unload(cancel); });
  }
  if (cancel != 0) {
    state_ = FormState::Loaded;
    return;
  }
  visible_ = false;
  state_ = FormState::Discarded;
  forms_.discard(*this);
}

void Form::show(bool as_modal) {
  if (!auto_load()) return;
  modal = as_modal;
  set_visible(true);
  if (as_modal && state_ != FormState::Discarded) {
    if (visible_ && forms_.modal_shown) forms_.modal_shown(*this);
    loop().run_until([this] { return !visible_ || state_ == FormState::Discarded; });
    modal = false;
  }
}

void Form::set_visible(bool on) {
  if (!auto_load()) return;
  if (on == visible_) return;
  visible_ = on;
  if (!on) open_menu = {};
  if (on) {
    forms_.bring_to_front(*this);
    if (!resized_once_) {
      resized_once_ = true;
      run_handler([this] { Form_Resize(); });
    }
    if (visible_) run_handler([this] { Form_Activate(); });
  }
}

void Form::set_caption(std::string text) {
  if (!auto_load()) return;
  caption_ = std::move(text);
}

// The desktop keeps a window's title bar where the mouse can reach it: its top edge on
// the screen and a stretch of the bar across.
void Form::keep_reachable(float& l, float& t, float w) const {
  const Screen& s = screen();
  const float reach = kReachablePixels * static_cast<float>(s.twips_per_pixel_x());
  // The title bar lies below the frame's top edge: both stay on the screen.
  const float bar = std::max(frame_width() + title_height(), reach / 2);
  t = std::clamp(t, 0.0f, std::max(0.0f, s.height() - bar));
  l = std::clamp(l, std::min(reach, w) - w, std::max(0.0f, s.width() - reach));
}

void Form::move(float l, float t, float w, float h) {
  if (!auto_load()) return;
  if (w < 0 || h < 0) raise_error(380);
  const bool resized = w != width_ || h != height_;
  keep_reachable(l, t, w);
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  if (resized) {
    resized_once_ = true;
    run_handler([this] { Form_Resize(); });
  }
}

void Form::set_window_state(int s) {
  if (!auto_load()) return;
  if (s < vbNormal || s > vbMaximized) raise_error(380);
  if (s == window_state_) return;
  if (s == vbMinimized) state_before_minimized_ = window_state_;
  window_state_ = s;
  run_handler([this] { Form_Resize(); });
}

void Form::set_back_color(uint32_t c) {
  if (!auto_load()) return;
  back_color_ = c;
}

float Form::frame_width() const {
  return border_style == vbBSNone ? 0.0f : 4.0f * static_cast<float>(screen().twips_per_pixel_x());
}

float Form::title_height() const {
  if (border_style == vbBSNone || (caption_.empty() && !control_box)) return 0.0f;
  return 20.0f * static_cast<float>(screen().twips_per_pixel_y());
}

float Form::client_width() const {
  return std::max(0.0f, width_ - 2 * frame_width());
}

float Form::client_height() const {
  return std::max(0.0f, height_ - 2 * frame_width() - title_height());
}

float Form::text_width(std::string_view text) const {
  return forms_.measure().text_width(font, text);
}

FormRegistry::FormRegistry(EventLoop& loop, Screen& screen, TextMeasure& measure)
    : loop_(loop), screen_(screen), measure_(measure) {
  loop_.at_rest = [this] { collect(); };
}

FormRegistry::~FormRegistry() {
  loop_.at_rest = nullptr;
}

Form& FormRegistry::instance(std::type_index type) {
  auto it = slots_.find(type);
  if (it == slots_.end() || !it->second.make) raise_error(91);
  Slot& slot = it->second;
  if (!slot.current) {
    slot.current = slot.make();
    creation_order_.push_back(slot.current.get());
  }
  return *slot.current;
}

Form* FormRegistry::existing(std::type_index type) {
  auto it = slots_.find(type);
  return it == slots_.end() ? nullptr : it->second.current.get();
}

void FormRegistry::discard(Form& f) {
  for (auto& [type, slot] : slots_) {
    if (slot.current.get() == &f) {
      discarded_.push_back(std::move(slot.current));
      break;
    }
  }
  std::erase(creation_order_, &f);
  std::erase(z_order_, &f);
}

void FormRegistry::bring_to_front(Form& f) {
  std::erase(z_order_, &f);
  z_order_.push_back(&f);
}

bool FormRegistry::any_loaded() const {
  for (const auto& [type, slot] : slots_)
    if (slot.current && slot.current->is_loaded()) return true;
  return false;
}

void FormRegistry::collect() {
  std::erase_if(discarded_,
                [](const std::unique_ptr<Form>& f) { return f->handlers_running() == 0; });
}

void FormRegistry::teardown() {
  const std::vector<Form*> order = creation_order_;
  for (Form* f : order) {
    try {
      f->run_handler([f] { f->Form_Terminate(); });
    } catch (const RuntimeError&) {
    } catch (const ProgramEnded&) {
      return;
    }
  }
}

}  // namespace pv
