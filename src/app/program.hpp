// The composition root: owns the shared state, the window registry, the event loop and
// one instance of every platform service, and runs the program from its start window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/shared.hpp"
#include "core/system.hpp"
#include "platform/associations.hpp"
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/event_loop.hpp"
#include "platform/filesystem.hpp"
#include "platform/form.hpp"
#include "platform/media.hpp"
#include "platform/printer.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/screen_saver.hpp"
#include "platform/settings.hpp"
#include "platform/shell.hpp"
#include "platform/tooltips.hpp"
#include "platform/user_input.hpp"

namespace pv {

struct Services {
  std::unique_ptr<Clock> clock;
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<Dialogs> dialogs;  // null: boxes shown on the desktop
  std::unique_ptr<Shell> shell;
  std::unique_ptr<Random> random;
  std::unique_ptr<Clipboard> clipboard;
  std::unique_ptr<Media> media;
  std::unique_ptr<FileAssociations> associations;
  std::unique_ptr<TextMeasure> measure;
  std::unique_ptr<Printer> printer;
  std::unique_ptr<Tooltips> tooltips;
  std::unique_ptr<ScreenSavers> screen_savers;
  Screen screen;
  bool real_time = true;
};

class Program {
 public:
  Program(Services services, std::string command_line);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // What the runtime does at process start: create and load the start window.
  void start();
  // Posts one input event to the event loop and pumps it once, as the loop does when the
  // event arrives.
  void dispatch(const std::function<void()>& event);
  // Pumps the event loop once: queued events and due timers.
  void do_events();
  // Runs the event loop until the program ends; real runs only.
  void run();
  bool ended() const { return ended_; }

  Shared& shared() { return *shared_; }
  System& system() { return *system_; }
  FormRegistry& forms() { return *forms_; }
  EventLoop& loop() { return *loop_; }
  // What the user's input does; every front-end and test drives the windows through it.
  UserInput& input() { return *input_; }
  Screen& screen() { return services_.screen; }
  ErrorLog& error_log() { return *error_log_; }

 private:
  void guarded(const std::function<void()>& event);
  void end_when_no_window_is_loaded();
  void log_untrapped(const RuntimeError& e);

  Services services_;
  std::unique_ptr<Shared> shared_;
  std::unique_ptr<EventLoop> loop_;
  std::unique_ptr<FormRegistry> forms_;
  std::unique_ptr<ErrorLog> error_log_;
  std::unique_ptr<System> system_;
  std::unique_ptr<UserInput> input_;
  bool ended_ = false;
};

}  // namespace pv
