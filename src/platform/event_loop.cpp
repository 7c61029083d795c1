#include "platform/event_loop.hpp"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "platform/clock.hpp"
#include "platform/errors.hpp"
#include "platform/scope_guard.hpp"

namespace pv {

void EventLoop::post(std::function<void()> event) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back({std::move(event)});
  }
  wake_.notify_all();
}

void EventLoop::post_all(std::vector<std::function<void()>> events) {
  if (events.empty()) return;
  {
    std::lock_guard lock(mutex_);
    for (auto& e : events) queue_.push_back({std::move(e), false});
    queue_.back().last_of_its_group = true;
  }
  wake_.notify_all();
}

void EventLoop::wake() {
  wake_.notify_all();
}

void EventLoop::handle(const std::function<void()>& event) {
  ++events_begun_;
  try {
    event();
  } catch (const RuntimeError& e) {
    if (!on_error) throw;
    on_error(e);
  }
}

void EventLoop::add_timer(LoopTimer& timer) {
  if (!registered(&timer)) timers_.push_back(&timer);
}

void EventLoop::remove_timer(LoopTimer& timer) {
  std::erase(timers_, &timer);
}

bool EventLoop::registered(const LoopTimer* timer) const {
  return std::find(timers_.begin(), timers_.end(), timer) != timers_.end();
}

bool EventLoop::run_due_timers() {
  const int64_t now = clock_.monotonic_ms();
  std::vector<LoopTimer*> due;
  for (LoopTimer* t : timers_) {
    const int interval = t->running_interval();
    if (interval <= 0)
      t->due_ms_ = -1;
    else if (t->due_ms_ < 0)
      t->due_ms_ = now + interval;
    else if (t->due_ms_ <= now && !t->ticking_)
      due.push_back(t);
  }
  for (LoopTimer* t : due) {
    // A handler may have stopped a later timer, or its window may have gone: check again.
    if (!registered(t) || t->running_interval() <= 0 || t->due_ms_ < 0 || t->due_ms_ > now)
      continue;
    t->due_ms_ = now + t->running_interval();
    t->ticking_ = true;
    {
      const auto done = on_scope_exit([this, t] {
        if (registered(t)) t->ticking_ = false;
      });
      handle([t] { t->tick(); });
    }
    if (after_event) after_event();
  }
  return !due.empty();
}

int64_t EventLoop::next_due() const {
  int64_t next = -1;
  for (const LoopTimer* t : timers_)
    if (t->running_interval() > 0 && t->due_ms_ >= 0 && (next < 0 || t->due_ms_ < next))
      next = t->due_ms_;
  return next;
}

bool EventLoop::do_events() {
  bool ran = false;
  {
    ++depth_;
    const auto leave = on_scope_exit([this] { --depth_; });
    std::deque<Posted> batch;
    {
      std::lock_guard lock(mutex_);
      batch.swap(queue_);
    }
    for (auto& event : batch) {
      handle(event.run);
      ran = true;
      if (event.last_of_its_group && after_event) after_event();
    }
    ran = run_due_timers() || ran;
  }
  if (depth_ == 0 && at_rest) at_rest();
  return ran;
}

void EventLoop::run_until(const std::function<bool()>& done) {
  ++waits_begun_;
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
      wake_.wait(lock);  // nothing is due: only an event wakes the loop
    } else {
      const int64_t wait = due - clock_.monotonic_ms();
      if (wait > 0) wake_.wait_for(lock, std::chrono::milliseconds(wait));
    }
  }
}

}  // namespace pv
