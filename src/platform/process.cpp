#include "platform/process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace pv {
namespace {

using Steady = std::chrono::steady_clock;

// The exit code of a wait status; a signal counts as -1.
int exit_code(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void reap_in_background(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

struct SpawnActions {
  posix_spawn_file_actions_t actions{};
  SpawnActions() { ::posix_spawn_file_actions_init(&actions); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
};

pid_t spawn_with(const std::vector<std::string>& argv, SpawnActions& spawn_actions) {
  if (argv.empty() || argv[0].empty()) return -1;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawnp(&pid, args[0], &spawn_actions.actions, nullptr, args.data(), environ) != 0)
    return -1;
  return pid;
}

}  // namespace

bool on_search_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr || program.empty()) return false;
  const std::string all(path);
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    const std::string folder = end > start ? all.substr(start, end - start) : ".";
    if (::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

int spawn_program(const std::vector<std::string>& argv, const std::string& folder) {
  SpawnActions spawn_actions;
  // Desktop programs talk to the user, not to our standard streams.
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
    ::posix_spawn_file_actions_addopen(&spawn_actions.actions, fd, "/dev/null",
                                       fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
  if (!folder.empty() &&
      ::posix_spawn_file_actions_addchdir_np(&spawn_actions.actions, folder.c_str()) != 0)
    return -1;
  return static_cast<int>(spawn_with(argv, spawn_actions));
}

std::optional<int> wait_briefly(int pid, int ms) {
  const auto deadline = Steady::now() + std::chrono::milliseconds(ms);
  while (true) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return exit_code(status);
    if (done < 0 && errno != EINTR) return -1;
    if (Steady::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  reap_in_background(pid);
  return std::nullopt;
}

std::optional<std::string> run_and_capture(const std::vector<std::string>& argv, int timeout_ms) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  pid_t pid = -1;
  {
    SpawnActions spawn_actions;
    ::posix_spawn_file_actions_adddup2(&spawn_actions.actions, fds[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(&spawn_actions.actions, STDERR_FILENO, "/dev/null", O_WRONLY,
                                       0);
    ::posix_spawn_file_actions_addopen(&spawn_actions.actions, STDIN_FILENO, "/dev/null", O_RDONLY,
                                       0);
    pid = spawn_with(argv, spawn_actions);
  }
  ::close(fds[1]);
  if (pid < 0) {
    ::close(fds[0]);
    return std::nullopt;
  }
  std::string out;
  bool timed_out = false;
  const auto deadline = Steady::now() + std::chrono::milliseconds(timeout_ms);
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now());
    if (left.count() <= 0) {
      timed_out = true;
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timed_out = ready == 0;
      break;
    }
    char buf[4096];
    const ssize_t n = ::read(fds[0], buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  if (timed_out) ::kill(pid, SIGKILL);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (timed_out || exit_code(status) != 0) return std::nullopt;
  return out;
}

}  // namespace pv
