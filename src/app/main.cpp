// Starts the program with its command line: the product code, or the study-saver prefix
// "aaaa" and the code. Its windows are drawn in the desktop's web browser:
//   prepvant [--port N] [--no-browser] <command line>
// --port N serves the page on that loopback port (default: any free one); --no-browser only
// prints the page's address. The other arguments, joined by blanks, are the command line.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "app/program.hpp"
#include "web/front_end.hpp"
#include "web/launch_page.hpp"
#include "web/tab_shell.hpp"

extern char** environ;

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

struct Arguments {
  std::string command_line;
  int port = 0;
  bool open_browser = true;
};

// False (with a message) for a bad --port.
bool parse_arguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--no-browser") {
      args.open_browser = false;
      continue;
    }
    if (a == "--port") {
      char* end = nullptr;
      const long port = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
      if (i + 1 >= argc || *end != '\0' || port < 1 || port > 65535) {
        std::cerr << "prepvant: --port needs a port number from 1 to 65535\n";
        return false;
      }
      args.port = static_cast<int>(port);
      ++i;
      continue;
    }
    if (!args.command_line.empty()) args.command_line += ' ';
    args.command_line += a;
  }
  return true;
}

// Opens a page with the desktop's opener; the child's pid, or 0 when there is none.
pid_t open_in_browser(const std::string& page) {
  pid_t pid = 0;
  char* child_argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(page.c_str()), nullptr};
  if (::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, child_argv, environ) != 0) return 0;
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!parse_arguments(argc, argv, args)) return 2;

  pv::Services services;
  services.clock = std::make_unique<pv::SystemClock>();
  auto files = std::make_unique<pv::DiskFileSystem>(current_folder(), program_folder());
  pv::FileSystem& file_ref = *files;
  pv::sweep_temporary_files(file_ref.current_folder());
  services.files = std::move(files);
  const pv::Clock& clock = *services.clock;
  services.settings = std::make_unique<pv::FileSettingsStore>(
      pv::FileSettingsStore::default_folder(), [&file_ref, &clock](const std::string& what) {
        pv::ErrorLog(file_ref, clock)
            .append("settings store", "settings", pv::RuntimeError(75, what));
      });
  services.associations = std::make_unique<pv::DesktopFileAssociations>();
  // The program's documents open in tabs of the browser that draws the windows.
  pv::FrontEnd* front_end = nullptr;
  services.shell = std::make_unique<pv::BrowserTabShell>(
      std::make_unique<pv::PosixShell>(*services.associations),
      [&front_end](const std::string& path) { return front_end && front_end->open_tab(path); });
  services.media = std::make_unique<pv::DesktopMedia>();
  services.printer = std::make_unique<pv::DialogPrinter>(
      [&front_end](const pv::PrintJob& job) { return front_end && front_end->print_page(job); });
  auto tooltips = std::make_unique<pv::TooltipTable>();
  const pv::TooltipTable* tooltip_table = tooltips.get();
  services.tooltips = std::move(tooltips);
  const char* search_path = std::getenv("PATH");
  services.screen_savers = std::make_unique<pv::DesktopScreenSavers>(
      file_ref.program_folder(), search_path != nullptr ? search_path : "",
      pv::DesktopScreenSavers::default_data_home());
  services.random = std::make_unique<pv::VbRandom>(*services.clock);
  services.clipboard = std::make_unique<pv::MemoryClipboard>();
  services.measure = std::make_unique<pv::TableTextMeasure>();
  services.real_time = true;

  pv::Program program(std::move(services), args.command_line);
  pv::FrontEnd front(program.loop(), program.input(), program.screen(),
                     {.host = "127.0.0.1",
                      .port = args.port,
                      .current_folder = file_ref.current_folder(),
                      .program_folder = file_ref.program_folder()});
  front_end = &front;
  program.error_log().report_loss_to(
      [&front](const std::string& text) { front.show_notice(text); });
  front.show_tooltips(tooltip_table);
  const auto publish = [&] {
    front.server().add_file_root(program.shared().media_folder);
    front.publish();
  };
  program.loop().after_event = publish;
  program.loop().before_wait = publish;
  try {
    front.start();
  } catch (const std::exception& e) {
    std::cerr << "prepvant: " << e.what() << '\n';
    return 1;
  }

  const std::string url = front.server().url();
  std::cout << url << std::endl;
  // The opener is given a page only this user can read: a command line is seen by all.
  std::optional<pv::LaunchPage> launch;
  pid_t opener = 0;
  if (args.open_browser) {
    try {
      launch.emplace(url);
      opener = open_in_browser(launch->path());
    } catch (const std::exception& e) {
      std::cerr << "prepvant: " << e.what() << '\n';
    }
  }
  if (args.open_browser && opener == 0)
    std::cerr << "prepvant: no desktop opener (xdg-open); open the address above\n";

  program.start();
  program.run();
  front.finish();
  front_end = nullptr;
  if (opener > 0) ::waitpid(opener, nullptr, WNOHANG);
  return 0;
}
