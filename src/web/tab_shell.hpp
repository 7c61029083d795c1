// The shell while the windows are drawn in a browser: a document of the program (in its
// folder, the product's media folder or the current folder) opens in a new tab of that
// browser; links, mail, other files and programs go to the desktop's shell.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/shell.hpp"

namespace pv {

class BrowserTabShell final : public Shell {
 public:
  // `open_tab` opens a file in a tab, false when it cannot.
  BrowserTabShell(std::unique_ptr<Shell> desktop,
                  std::function<bool(const std::string& path)> open_tab)
      : desktop_(std::move(desktop)), open_tab_(std::move(open_tab)) {}
  int open(const ShellCall& call) override;
  int start(const std::vector<std::string>& argv, int window_style) override;

 private:
  std::unique_ptr<Shell> desktop_;
  std::function<bool(const std::string& path)> open_tab_;
};

}  // namespace pv
