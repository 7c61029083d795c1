// The page the desktop's opener is given instead of the program's address: the address
// holds the launch's secret, and a command line is readable by every user of the machine.
// The launch page is a file only its owner can read, in a folder only its owner can enter
// ($XDG_RUNTIME_DIR, or a private folder in the temporary folder); it sends the browser
// on to the address.
#pragma once

#include <string>

namespace pv {

class LaunchPage {
 public:
  // Writes the page; throws std::runtime_error when it cannot.
  explicit LaunchPage(const std::string& address);
  ~LaunchPage();  // removes it
  LaunchPage(const LaunchPage&) = delete;
  LaunchPage& operator=(const LaunchPage&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string folder_;
  std::string path_;
};

}  // namespace pv
