// Opening documents and links with the desktop's opener, and starting programs. Always an
// argument vector: no command shell ever sees a file name.
#pragma once

#include <string>
#include <vector>

namespace pv {

struct ShellCall {
  std::string target;  // for open: the document or link; for start: argv joined by blanks
  std::string working_folder;
  int show = 1;
  std::string parent;  // name of the window that asked, when any
  std::vector<std::string> argv;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document, a web address or a "mailto:" link. Returns a code as the desktop
  // shell does: 33 or more on success; 2 file not found, 3 path not found, 5 access
  // denied, 31 no program to open it with.
  virtual int open(const ShellCall& call) = 0;
  // Starts a program without waiting for it. Returns the process id, or raises run-time
  // error 53 when the program cannot be started.
  virtual int start(const std::vector<std::string>& argv, int window_style) = 0;
};

class PosixShell final : public Shell {
 public:
  int open(const ShellCall& call) override;
  int start(const std::vector<std::string>& argv, int window_style) override;
};

class FakeShell final : public Shell {
 public:
  int open(const ShellCall& call) override;
  int start(const std::vector<std::string>& argv, int window_style) override;

  std::vector<ShellCall> opened;
  std::vector<std::vector<std::string>> started;
  int open_result = 42;
  bool start_fails = false;
};

}  // namespace pv
