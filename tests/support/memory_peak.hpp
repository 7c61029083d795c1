#pragma once

#include <fstream>
#include <string>

namespace pv::testing {

// Under AddressSanitizer freed memory is held back and padded, so the peak says nothing of
// the program's own use; its bounds are checked in the plain build only.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kPeakMeasured = false;
#else
inline constexpr bool kPeakMeasured = true;
#endif

// The process's resident memory, now and at its peak, in KiB from /proc/self/status.
inline long status_kib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

// How far the resident memory rose above its start while `step` ran, in bytes.
template <class Step>
long peak_growth(Step&& step) {
  { std::ofstream("/proc/self/clear_refs") << "5"; }  // the peak starts again from now
  const long before = status_kib("VmRSS");
  step();
  return (status_kib("VmHWM") - before) * 1024;
}

}  // namespace pv::testing
