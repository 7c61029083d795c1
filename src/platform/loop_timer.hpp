// What the event loop needs of a timer. Kept apart from the loop so that the controls
// need not know it.
#pragma once

#include <cstdint>

namespace pv {

// A timer that the loop ticks. It registers with the loop for as long as it exists and
// says on every pass whether it runs; it is due an interval after it started running.
class LoopTimer {
 public:
  // The interval in milliseconds while the timer runs, 0 while it is stopped.
  virtual int running_interval() const = 0;
  virtual void tick() = 0;

 protected:
  LoopTimer() = default;
  ~LoopTimer() = default;
  LoopTimer(const LoopTimer&) = delete;
  LoopTimer& operator=(const LoopTimer&) = delete;
  // Starts the interval afresh (on the loop's next pass).
  void restart() { due_ms_ = -1; }

 private:
  friend class EventLoop;
  int64_t due_ms_ = -1;
  bool ticking_ = false;
};

}  // namespace pv
