// Stand-ins for the desktop's helper programs: small scripts on a search path of their
// own, so the real shell, media and association services can be driven in tests.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/temp_folder.hpp"

namespace pv::testing {

class DesktopStandIns {
 public:
  DesktopStandIns() {
    for (const char* name : {"PATH", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name,
                          value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    ::mkdir((root / "bin").c_str(), 0755);
    ::mkdir((root / "data").c_str(), 0755);
    ::mkdir((root / "data/applications").c_str(), 0755);
    ::setenv("PATH", (root / "bin").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (root / "nowhere").c_str(), 1);
  }
  ~DesktopStandIns() {
    for (const auto& [name, value] : saved_) {
      if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
      else
        ::unsetenv(name.c_str());
    }
  }
  DesktopStandIns(const DesktopStandIns&) = delete;
  DesktopStandIns& operator=(const DesktopStandIns&) = delete;

  // A program in bin/ that writes its arguments, one a line, to "NAME.record" and its
  // working folder to "NAME.folder", then runs `tail` (for example "exit 3", "sleep 5").
  std::string program(const std::string& name, const std::string& tail = "exit 0") {
    const std::string record = root / (name + ".record");
    const std::string script = "#!/bin/sh\nPATH=/usr/bin:/bin\npwd > " + root / (name + ".folder") +
                               "\nfor a in \"$@\"; do echo \"$a\"; done > " + record + ".tmp\nmv " +
                               record + ".tmp " + record + "\n" + tail + "\n";
    root.write("bin/" + name, script);
    ::chmod((root / ("bin/" + name)).c_str(), 0755);
    return root / ("bin/" + name);
  }
  // The arguments the program was run with, once it has run (waits up to five seconds).
  std::string record(const std::string& name) const {
    for (int i = 0; i < 500 && !root.exists(name + ".record"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return root.read(name + ".record");
  }
  std::string folder(const std::string& name) const { return root.read(name + ".folder"); }
  void desktop_entry(const std::string& id, const std::string& exec) const {
    root.write("data/applications/" + id, "[Desktop Entry]\nType=Application\nExec=" + exec + "\n");
  }

  TempFolder root;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace pv::testing
