// Fixed-bound arrays whose every index is checked: an index outside the bounds raises
// run-time error 9 ("Subscript out of range"), as the desktop runtime does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/errors.hpp"

namespace pv {

template <class T, int Lo, int Hi>
class VbArray {
  static_assert(Hi >= Lo);

 public:
  static constexpr int lower = Lo;
  static constexpr int upper = Hi;

  T& operator[](int64_t i) { return items_[slot(i)]; }
  const T& operator[](int64_t i) const { return items_[slot(i)]; }
  static bool in_bounds(int64_t i) { return i >= Lo && i <= Hi; }
  static constexpr size_t size() { return Hi - Lo + 1; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const VbArray&) const = default;

 private:
  static size_t slot(int64_t i) {
    if (i < Lo || i > Hi) raise_error(9);
    return static_cast<size_t>(i - Lo);
  }
  std::array<T, Hi - Lo + 1> items_{};
};

}  // namespace pv
