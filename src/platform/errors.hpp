// Run-time errors with the desktop runtime's standard numbers, and the two ways the
// system's handlers deal with them: a logged trap and a silent skip.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace pv {

class FileSystem;
class Clock;

// The runtime's standard text for an error number ("Subscript out of range" for 9).
std::string standard_error_text(int number);

struct RuntimeError : std::exception {
  int number;
  std::string description;

  explicit RuntimeError(int num) : number(num), description(standard_error_text(num)) {}
  RuntimeError(int num, std::string text) : number(num), description(std::move(text)) {}
  const char* what() const noexcept override { return description.c_str(); }
};

[[noreturn]] void raise_error(int number);

// Thrown by end_program(); unwinds to the composition root, which ends the run.
struct ProgramEnded {};
[[noreturn]] void end_program();

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

// Runs one step; a run-time error in it is skipped silently.
template <class Step>
void skip(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace pv
