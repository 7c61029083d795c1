#pragma once

#include <functional>

#include "platform/errors.hpp"

namespace pv::testing {

// The number of the run-time error that `f` raises, or 0 when it raises none.
inline int error_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.number;
  }
  return 0;
}

}  // namespace pv::testing
