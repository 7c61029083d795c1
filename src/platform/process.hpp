// Starting helper programs of the desktop: always an argument vector, never a command
// shell. Children that outlive the call are reaped in the background, so none is left
// behind as a zombie.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pv {

// Starts argv[0] (found on the search path) in `folder` ("" for ours), its standard
// streams on /dev/null. The process id, or -1 when it cannot be started.
int spawn_program(const std::vector<std::string>& argv, const std::string& folder = "");
// Waits up to `ms` for a started process. Its exit code (a signal counts as -1), or
// nothing when it is still running; a running process is then reaped in the background.
std::optional<int> wait_briefly(int pid, int ms);
// Runs a program to its end and returns what it printed, or nothing when it cannot be
// started, fails or outlives `timeout_ms` (then it is killed).
std::optional<std::string> run_and_capture(const std::vector<std::string>& argv, int timeout_ms);
// Whether an executable of that name is on the search path.
bool on_search_path(const std::string& program);

}  // namespace pv
