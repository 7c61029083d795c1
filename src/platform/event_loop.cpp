#include "platform/event_loop.hpp"

#include <chrono>
#include <stdexcept>

#include "platform/clock.hpp"
#include "platform/errors.hpp"
#include "platform/form.hpp"

namespace pv {
namespace {

template <class F>
void for_each_timer(FormRegistry* forms, F&& f) {
  if (forms == nullptr) return;
  for (Form* form : forms->windows_and_hidden()) {
    if (!form->is_loaded()) continue;
    for (Control* c : form->controls())
      if (c->kind() == ControlKind::Timer) f(*static_cast<Timer*>(c));
  }
}

}  // namespace

void EventLoop::post(std::function<void()> event) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(event));
  }
  wake_.notify_all();
}

void EventLoop::wake() {
  wake_.notify_all();
}

void EventLoop::handle(const std::function<void()>& event) {
  try {
    event();
  } catch (const RuntimeError& e) {
    if (!on_error) throw;
    on_error(e);
  }
}

bool EventLoop::run_due_timers() {
  const int64_t now = clock_.monotonic_ms();
  std::vector<Timer*> due;
  for_each_timer(forms_, [&](Timer& t) {
    if (!t.enabled_now()) {
      t.due_ms = -1;
      return;
    }
    if (t.due_ms < 0)
      t.due_ms = now + t.interval;
    else if (t.due_ms <= now && !t.ticking)
      due.push_back(&t);
  });
  for (Timer* t : due) {
    // A handler may have disabled or destroyed a later timer's window: check again.
    bool alive = false;
    for_each_timer(forms_, [&](Timer& x) { alive = alive || &x == t; });
    if (!alive || !t->enabled_now() || t->due_ms < 0 || t->due_ms > now) continue;
    t->due_ms = now + t->interval;
    t->ticking = true;
    try {
      handle([t] { t->fire(t->on_timer); });
    } catch (...) {
      t->ticking = false;
      throw;
    }
    t->ticking = false;
    if (after_event) after_event();
  }
  return !due.empty();
}

int64_t EventLoop::next_due() const {
  int64_t next = -1;
  for_each_timer(forms_, [&](Timer& t) {
    if (t.enabled_now() && t.due_ms >= 0 && (next < 0 || t.due_ms < next)) next = t.due_ms;
  });
  return next;
}

bool EventLoop::do_events() {
  ++depth_;
  bool ran = false;
  try {
    std::deque<std::function<void()>> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(queue_);
    }
    for (auto& event : batch) {
      handle(event);
      ran = true;
      if (after_event) after_event();
    }
    ran = run_due_timers() || ran;
  } catch (...) {
    --depth_;
    throw;
  }
  --depth_;
  if (depth_ == 0 && forms_ != nullptr) forms_->collect();
  return ran;
}

void EventLoop::run_until(const std::function<bool()>& done) {
  while (!done()) {
    if (do_events()) continue;
    if (!real_time_) {
      if (!idle) throw std::logic_error("event loop idle with nothing to do");
      idle();
      continue;
    }
    if (before_wait) before_wait();
    std::unique_lock lock(mutex_);
    if (!queue_.empty()) continue;
    const int64_t due = next_due();
    if (due < 0) {
      wake_.wait_for(lock, std::chrono::milliseconds(500));
    } else {
      const int64_t wait = due - clock_.monotonic_ms();
      if (wait > 0) wake_.wait_for(lock, std::chrono::milliseconds(wait));
    }
  }
}

}  // namespace pv
