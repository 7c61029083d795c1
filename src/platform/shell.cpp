#include "platform/shell.hpp"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "platform/errors.hpp"

extern char** environ;

namespace pv {
namespace {

bool looks_like_link(const std::string& target) {
  return target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0;
}

// Spawns argv[0] found on the search path; the pid, or -1.
pid_t spawn(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  return pid;
}

bool on_search_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string all(path);
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    const std::string candidate = all.substr(start, end - start) + "/" + program;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

int PosixShell::open(const ShellCall& call) {
  if (!looks_like_link(call.target)) {
    struct stat st {};
    if (::stat(call.target.c_str(), &st) != 0) {
      const auto slash = call.target.rfind('/');
      const std::string folder = slash == std::string::npos ? "." : call.target.substr(0, slash);
      return ::stat(folder.c_str(), &st) == 0 ? 2 : 3;
    }
    if (::access(call.target.c_str(), R_OK) != 0) return 5;
  }
  if (!on_search_path("xdg-open")) return 31;
  const pid_t pid = spawn({"xdg-open", call.target});
  if (pid < 0) return 31;
  return 42;
}

int PosixShell::start(const std::vector<std::string>& argv, int) {
  const pid_t pid = spawn(argv);
  if (pid < 0) raise_error(53);
  return static_cast<int>(pid);
}

int FakeShell::open(const ShellCall& call) {
  opened.push_back(call);
  return open_result;
}

int FakeShell::start(const std::vector<std::string>& argv, int) {
  started.push_back(argv);
  if (start_fails) raise_error(53);
  return 1000 + static_cast<int>(started.size());
}

}  // namespace pv
