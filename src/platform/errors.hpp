// Run-time errors with the desktop runtime's standard numbers, the silent skip that one of
// the system's handler styles uses, and the end of the program. The logged trap, which
// needs the file system, is in error_log.hpp.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace pv {

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

// Runs one step; a run-time error in it is skipped silently.
template <class Step>
void skip(Step&& step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

}  // namespace pv
