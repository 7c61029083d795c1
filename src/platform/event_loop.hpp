// The one user-interface thread's event loop: a queue of input events posted from any
// thread, and the timers registered with it, driven by a Clock. do_events() pumps once;
// modal windows and message boxes run a nested loop with run_until(). The loop knows no
// window: timers register themselves, and the window registry hears when a pass ends.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/loop_timer.hpp"

namespace pv {

class Clock;
struct RuntimeError;

class EventLoop {
 public:
  // With real_time, an idle loop sleeps until input arrives or a timer is due. Without
  // it (tests), time moves only when the clock is advanced, and an idle nested loop calls
  // `idle` (or fails, rather than wait for ever).
  EventLoop(const Clock& clock, bool real_time) : clock_(clock), real_time_(real_time) {}

  // Safe from any thread.
  void post(std::function<void()> event);
  // Events that came together (one request of a page): each is handled as post() would
  // have it, but after_event runs once, after the last. Safe from any thread.
  void post_all(std::vector<std::function<void()>> events);
  // Handles the queued events and the due timers once; true when anything ran.
  bool do_events();
  // Runs the loop until `done` holds (checked after every event).
  void run_until(const std::function<bool()>& done);
  // Wakes a sleeping loop (after post, or to re-check `done`).
  void wake();

  // Engine thread. A timer ticks in the order it registered.
  void add_timer(LoopTimer& timer);
  void remove_timer(LoopTimer& timer);

  std::function<void()> idle;         // tests: what the user does while a nested loop waits
  std::function<void()> after_event;  // called after each handled event or tick
  std::function<void()> before_wait;  // called when a real-time loop is about to sleep
  // Called when an outermost pass ends, with no event or tick being handled.
  std::function<void()> at_rest;
  // Called with a run-time error that an event's handlers did not trap; the loop goes on.
  std::function<void(const RuntimeError&)> on_error;
  int depth() const { return depth_; }
  // How many events and ticks have begun to be handled, nested ones included.
  uint64_t events_begun() const { return events_begun_; }
  // How many waits (run_until) have begun: a box or modal window waited on, at any depth.
  uint64_t waits_begun() const { return waits_begun_; }

 private:
  bool run_due_timers();
  bool registered(const LoopTimer* timer) const;
  struct Posted {
    std::function<void()> run;
    bool last_of_its_group = true;
  };
  void handle(const std::function<void()>& event);
  int64_t next_due() const;

  const Clock& clock_;
  bool real_time_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Posted> queue_;
  std::vector<LoopTimer*> timers_;
  int depth_ = 0;
  uint64_t events_begun_ = 0;
  uint64_t waits_begun_ = 0;
};

}  // namespace pv
