// Starts the program with its command line: the product code, or the study-saver prefix
// "aaaa" and the code. Its windows are drawn in the desktop's web browser (see kUsage).
// The arguments other than the options, joined by blanks, are the command line.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "app/exercise_program.hpp"
#include "app/program.hpp"
#include "catalogue/catalogue.hpp"
#include "core/program_name.hpp"
#include "web/front_end.hpp"
#include "web/launch_page.hpp"
#include "web/server.hpp"
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

constexpr const char* kUsage =
    "Usage: prepvant [--port N] [--no-browser] CODE\n"
    "       prepvant [--port N] [--no-browser] aaaaCODE\n"
    "       prepvant [--port N] [--no-browser] --exercise CODEQn\n"
    "Starts the exam-preparation program for the product CODE and draws its windows in the\n"
    "desktop's web browser; \"aaaa\" before the code starts the full-screen study saver;\n"
    "--exercise shows the product's drag-and-drop exercise n (as pbDragnDrop.exe does).\n"
    "\n"
    "  --port N      serve the page on loopback port N (default: any free port)\n"
    "  --no-browser  print the page's address and open no browser\n"
    "  --help        print this help\n";

std::string joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& t : texts) all += (all.empty() ? "" : ", ") + t;
  return all;
}

struct Arguments {
  std::string command_line;
  int port = 0;
  bool open_browser = true;
  bool help = false;
  bool exercise = false;
};

// False (with a message) for a bad --port or an unknown option.
bool parse_arguments(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      args.help = true;
      continue;
    }
    if (a == "--exercise") {
      args.exercise = true;
      continue;
    }
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
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      std::cerr << "prepvant: unknown option " << a << " (prepvant --help tells the usage)\n";
      return false;
    }
    if (!args.command_line.empty()) args.command_line += ' ';
    args.command_line += a;
  }
  return true;
}

// The program tells an unknown code in its window; the terminal hears the valid ones.
void warn_of_unknown_product(const std::string& command_line) {
  const std::vector<std::string> codes = pv::product_codes();
  if (std::find(codes.begin(), codes.end(), pv::product_code(command_line)) == codes.end())
    std::cerr << "prepvant: \"" << command_line << "\" names no product; the product codes are "
              << joined(codes) << '\n';
}

// Opens a page with the desktop's opener, its chatter silenced; the child's pid, or 0 when
// there is none.
pid_t open_in_browser(const std::string& page) {
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  char* child_argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(page.c_str()), nullptr};
  const int failed = ::posix_spawnp(&pid, "xdg-open", &quiet, nullptr, child_argv, environ);
  posix_spawn_file_actions_destroy(&quiet);
  return failed != 0 ? 0 : pid;
}

// Says so in one line when the opener found no browser. The opener may stay as long as the
// browser it started, so it is waited for on a thread of its own.
void report_opener(pid_t opener) {
  std::thread([opener] {
    int status = 0;
    if (::waitpid(opener, &status, 0) == opener && WIFEXITED(status) && WEXITSTATUS(status) != 0)
      std::cerr << "prepvant: no browser could be opened; open the address above\n";
  }).detach();
}

// SIGTERM and SIGINT end the program as its Quit does. They are blocked in every thread
// (call this before any starts) and taken by a thread of their own, which posts the end.
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGTERM);
    sigaddset(&set_, SIGINT);
    pthread_sigmask(SIG_BLOCK, &set_, nullptr);
  }
  void watch(pv::EventLoop& loop) {
    waiter_ = std::thread([this, &loop] {
      int signal = 0;
      if (sigwait(&set_, &signal) == 0 && !done_) loop.post([] { pv::end_program(); });
    });
  }
  // Before the loop goes: the waiter is gone once this returns.
  void stop() {
    done_ = true;
    if (waiter_.joinable()) {
      pthread_kill(waiter_.native_handle(), SIGTERM);
      waiter_.join();
    }
  }
  ~StopSignals() { stop(); }

 private:
  sigset_t set_{};
  std::atomic<bool> done_{false};
  std::thread waiter_;
};

// Says on the terminal, once each time, that the page went away while the program runs
// on: a closed tab would otherwise leave it running unseen.
class PageWatch {
 public:
  PageWatch(const pv::WebServer& server, std::string url) : server_(server), url_(std::move(url)) {
    watcher_ = std::thread([this] { watch(); });
  }
  ~PageWatch() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    watcher_.join();
  }
  PageWatch(const PageWatch&) = delete;
  PageWatch& operator=(const PageWatch&) = delete;

 private:
  // Longer than a poll's time and the page's pause before it asks again.
  static constexpr int64_t kGoneMs = 25000;
  void watch() {
    bool told = false;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::seconds(1), [this] { return done_; })) {
      const int64_t since = server_.ms_since_last_poll();
      if (since >= 0 && since < kGoneMs) told = false;
      if (since < kGoneMs || told) continue;
      told = true;
      std::cerr << "prepvant: the page was closed and the program runs on; open " << url_
                << " to see its windows again, or press Ctrl+C here to end it\n";
    }
  }

  const pv::WebServer& server_;
  std::string url_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread watcher_;
};

// Opens the page through a launch page, as the program does; false when none opened.
bool open_page(const std::string& url, std::optional<pv::LaunchPage>& launch) {
  pid_t opener = 0;
  try {
    launch.emplace(url);
    opener = open_in_browser(launch->path());
  } catch (const std::exception& e) {
    std::cerr << "prepvant: " << e.what() << '\n';
  }
  if (opener == 0) std::cerr << "prepvant: no desktop opener (xdg-open); open the address above\n";
  if (opener > 0) report_opener(opener);
  return opener > 0;
}

// The drag-and-drop program: serves its exercise until its tab has been silent for a while
// (the page says it is alive every few seconds) or the learner has done nothing for long.
int run_exercise(const Arguments& args) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kSilence = std::chrono::seconds(20);
  constexpr auto kFirstContact = std::chrono::minutes(2);
  constexpr auto kIdle = std::chrono::minutes(30);
  pv::DiskFileSystem files(current_folder(), program_folder());
  pv::ExerciseProgram exercise(args.command_line, files);
  std::mutex mutex;
  std::condition_variable wake;
  Clock::time_point heard = Clock::now(), acted = heard, deadline = heard + kFirstContact;
  pv::WebServer* serving = nullptr;
  pv::WebServer server({.host = "127.0.0.1",
                        .port = args.port,
                        .current_folder = files.current_folder(),
                        .program_folder = files.program_folder(),
                        .index = "dnd.html"},
                       [&](const nlohmann::json& events) {
                         std::lock_guard lock(mutex);
                         exercise.handle(events);
                         heard = Clock::now();
                         for (const nlohmann::json& e : events)
                           if (e.value("type", "") != "alive") acted = heard;
                         deadline = std::min(heard + kSilence, acted + kIdle);
                         serving->publish(exercise.state().dump());
                       });
  serving = &server;
  server.publish(exercise.state().dump());
  try {
    server.start();
  } catch (const std::exception& e) {
    std::cerr << "prepvant: " << e.what() << '\n';
    return 1;
  }
  std::cout << server.url() << std::endl;
  std::optional<pv::LaunchPage> launch;
  if (args.open_browser) open_page(server.url(), launch);
  std::unique_lock lock(mutex);
  while (Clock::now() < deadline) wake.wait_until(lock, deadline);
  lock.unlock();
  server.finish();
  return 0;
}

// The desktop's services. Documents and printing go through the front end once it is
// set in `front_end`; `tooltip_table` is set to the table the windows' tips are kept in.
pv::Services make_services(pv::FrontEnd*& front_end, const pv::TooltipTable*& tooltip_table) {
  pv::Services services;
  services.clock = std::make_unique<pv::SystemClock>();
  const pv::ProgramName& name = pv::kProgramName;
  auto files = std::make_unique<pv::DiskFileSystem>(
      current_folder(), program_folder(), pv::DiskFileSystem::default_cache_folder(name.folder));
  pv::FileSystem& file_ref = *files;
  pv::sweep_temporary_files(file_ref.current_folder());
  services.files = std::move(files);
  const pv::Clock& clock = *services.clock;
  services.settings = std::make_unique<pv::FileSettingsStore>(
      pv::FileSettingsStore::default_folder(name.folder), name.settings_header,
      [&fs = file_ref, &c = clock](const std::string& what) {
        pv::ErrorLog(fs, c).append("settings store", "settings", pv::RuntimeError(75, what));
      });
  services.associations = std::make_unique<pv::DesktopFileAssociations>();
  // The program's documents open in tabs of the browser that draws the windows.
  services.shell = std::make_unique<pv::BrowserTabShell>(
      std::make_unique<pv::PosixShell>(*services.associations),
      [&fe = front_end](const std::string& path) { return fe && fe->open_tab(path); });
  services.media = std::make_unique<pv::DesktopMedia>();
  services.printer = std::make_unique<pv::DialogPrinter>(
      [&fe = front_end](const pv::PrintJob& job) { return fe && fe->print_page(job); });
  auto tooltips = std::make_unique<pv::TooltipTable>();
  tooltip_table = tooltips.get();
  services.tooltips = std::move(tooltips);
  const char* search_path = std::getenv("PATH");
  services.screen_savers = std::make_unique<pv::DesktopScreenSavers>(
      pv::SaverEntry{name.saver_entry, name.saver_name}, file_ref.program_folder(),
      search_path != nullptr ? search_path : "", pv::DesktopScreenSavers::default_data_home());
  services.random = std::make_unique<pv::VbRandom>(*services.clock);
  services.clipboard = std::make_unique<pv::MemoryClipboard>();
  services.measure = std::make_unique<pv::TableTextMeasure>();
  services.real_time = true;
  return services;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!parse_arguments(argc, argv, args)) return 2;
  if (args.help) {
    std::cout << kUsage << "\nProduct codes: " << joined(pv::product_codes()) << '\n';
    return 0;
  }
  if (args.exercise) return run_exercise(args);
  warn_of_unknown_product(args.command_line);
  StopSignals stop_signals;

  pv::FrontEnd* front_end = nullptr;
  const pv::TooltipTable* tooltip_table = nullptr;
  pv::Services services = make_services(front_end, tooltip_table);
  const pv::FileSystem& file_ref = *services.files;
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
  front.attach(program.loop(), [&program] { return program.shared().media_folder; });
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
  if (args.open_browser) open_page(url, launch);

  stop_signals.watch(program.loop());
  {
    PageWatch page_watch(front.server(), url);
    program.start();
    program.run();
  }
  stop_signals.stop();
  front.finish();
  front_end = nullptr;
  return 0;
}
