// The error log ("error.log" in the current folder) and the handler style that logs each
// failing step and goes on with the next one.
#pragma once

#include <functional>
#include <string>

#include "platform/errors.hpp"

namespace pv {

class FileSystem;
class Clock;

// Appends error-log lines to "error.log" in the current folder. A failing write is
// swallowed: logging never raises; the first one is told to `on_lost`, so that the user
// learns that the log is being lost (once, not for every line).
class ErrorLog {
 public:
  ErrorLog(FileSystem& files, const Clock& clock) : files_(files), clock_(clock) {}
  void report_loss_to(std::function<void(const std::string& text)> on_lost) {
    on_lost_ = std::move(on_lost);
  }
  // "<date time> - <procedure> - <source><number> - <description> - "
  std::string line_for(const std::string& procedure, const std::string& source,
                       const RuntimeError& error) const;
  void append(const std::string& procedure, const std::string& source,
              const RuntimeError& error) noexcept;

 private:
  void report_loss() noexcept;

  FileSystem& files_;
  const Clock& clock_;
  std::function<void(const std::string&)> on_lost_;
  bool loss_reported_ = false;
};

// A handler that logs each failing step and goes on with the next one.
class Trap {
 public:
  Trap(ErrorLog& log, std::string procedure, std::string source)
      : log_(log), procedure_(std::move(procedure)), source_(std::move(source)) {}

  template <class Step>
  void operator()(Step&& step) noexcept(false) {
    try {
      step();
    } catch (const RuntimeError& e) {
      log_.append(procedure_, source_, e);
    }
  }

 private:
  ErrorLog& log_;
  std::string procedure_;
  std::string source_;
};

}  // namespace pv
