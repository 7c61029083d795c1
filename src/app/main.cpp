// Starts the program with its command line: the product code, or the study-saver prefix
// "aaaa" and the code.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/program.hpp"

namespace {

std::string program_folder() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string path(buf, static_cast<size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

std::string current_folder() {
  char buf[PATH_MAX];
  return ::getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string(".");
}

}  // namespace

int main(int argc, char** argv) {
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (!command_line.empty()) command_line += ' ';
    command_line += argv[i];
  }

  pv::Services services;
  services.clock = std::make_unique<pv::SystemClock>();
  auto files = std::make_unique<pv::DiskFileSystem>(current_folder(), program_folder());
  pv::FileSystem& file_ref = *files;
  services.files = std::move(files);
  const pv::Clock& clock = *services.clock;
  services.settings = std::make_unique<pv::FileSettingsStore>(
      pv::FileSettingsStore::default_folder(), [&file_ref, &clock](const std::string& what) {
        pv::ErrorLog(file_ref, clock)
            .append("settings store", "settings", pv::RuntimeError(75, what));
      });
  services.associations = std::make_unique<pv::DesktopFileAssociations>();
  services.shell = std::make_unique<pv::PosixShell>(*services.associations);
  services.media = std::make_unique<pv::DesktopMedia>();
  services.random = std::make_unique<pv::VbRandom>(*services.clock);
  services.clipboard = std::make_unique<pv::MemoryClipboard>();
  services.measure = std::make_unique<pv::TableTextMeasure>();
  services.real_time = true;

  pv::Program program(std::move(services), command_line);
  // Until the browser front-end draws them, the visible windows are listed.
  auto list_windows = [&program] {
    for (pv::Form* f : program.forms().windows())
      if (f->visible()) std::cout << "window: " << f->name() << " \"" << f->caption() << "\"\n";
    std::cout.flush();
  };
  program.loop().after_event = list_windows;
  program.start();
  list_windows();
  program.run();
  return 0;
}
