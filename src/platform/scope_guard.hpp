// Puts back what a step changed when the step is left, so that a handler that throws
// leaves the model as a handler that returns does.
#pragma once

#include <exception>
#include <utility>

namespace pv {

template <class Undo>
class ScopeGuard {
 public:
  enum class When { always, on_throw };

  ScopeGuard(When when, Undo undo) : when_(when), undo_(std::move(undo)) {}
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
  ~ScopeGuard() {
    if (when_ == When::always || std::uncaught_exceptions() > exceptions_) undo_();
  }

 private:
  When when_;
  Undo undo_;
  int exceptions_ = std::uncaught_exceptions();
};

// Runs `undo` when the scope ends, however it ends.
template <class Undo>
ScopeGuard<Undo> on_scope_exit(Undo undo) {
  return ScopeGuard<Undo>(ScopeGuard<Undo>::When::always, std::move(undo));
}

// Runs `undo` only when the scope ends by an exception.
template <class Undo>
ScopeGuard<Undo> on_scope_failure(Undo undo) {
  return ScopeGuard<Undo>(ScopeGuard<Undo>::When::on_throw, std::move(undo));
}

}  // namespace pv
