// Fakes of the platform services for tests: a virtual clock, scripted dialogs and random
// numbers, an in-memory settings store, a shell, media and file associations that only
// record, and a disk file system whose chosen folders refuse writes and chosen files
// refuse reads. Only the tests link them; the program uses the real services.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/program_name.hpp"
#include "platform/associations.hpp"
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/filesystem.hpp"
#include "platform/media.hpp"
#include "platform/printer.hpp"
#include "platform/random.hpp"
#include "platform/screen_saver.hpp"
#include "platform/settings.hpp"
#include "platform/shell.hpp"
#include "platform/tooltips.hpp"

namespace pv {

// A virtual clock: time moves only when the test advances it.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(DateTime start = {2026, 12, 9, 4, 16, 33})
      : start_seconds_(seconds_from_date_time(start)) {}
  DateTime now() const override;
  int64_t monotonic_ms() const override { return elapsed_ms_; }
  void advance_ms(int64_t ms) { elapsed_ms_ += ms; }
  void set_now(const DateTime& t);

 private:
  int64_t start_seconds_;
  int64_t elapsed_ms_ = 0;
};

// Records every box and answers from a script; unscripted message boxes answer with
// their first button, unscripted input boxes with their default text.
class FakeDialogs final : public Dialogs {
 public:
  FakeDialogs() : Dialogs(kProgramTitle) {}
  std::vector<MessageBoxCall> messages;
  std::vector<InputBoxCall> inputs;
  std::deque<int> answers;
  std::deque<std::string> typed;
  // What happens while a message box is open (a real box waits in a nested event loop).
  std::function<void()> while_open;

 private:
  int show_msgbox(const std::string& text, int style, const std::string& title) override;
  std::string show_inputbox(const std::string& prompt, const std::string& title,
                            const std::string& default_text) override;
};

// The first button of a message box's button set: what Enter would answer.
int first_button(int style);

// Settings kept in memory; `fail_writes` makes every change raise error 75, as a store
// that cannot be written does.
class MemorySettingsStore final : public SettingsStore {
 public:
  void save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override;
  void remove(std::string_view app, std::string_view section, std::string_view key) override;

  bool fail_writes = false;
  int writes = 0;

 private:
  std::string read_value(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view default_value) const override;
  SettingsTable table_;
};

// A disk file system whose chosen folders refuse writes, as a read-only folder does for
// an ordinary user (tests run as root, where permissions would not stop them).
class FakeFileSystem final : public DiskFileSystem {
 public:
  using DiskFileSystem::DiskFileSystem;
  void deny_writes_in(std::string folder) { read_only_.insert(std::move(folder)); }
  // Reading this file fails with error 70, as a file the user may not read does.
  void deny_reads_of(std::string path) { unreadable_.insert(std::move(path)); }
  std::unique_ptr<FileReader> open_reader(std::string_view name) const override;

 protected:
  void check_writable(const std::string& path) const override;

 private:
  std::set<std::string> read_only_;
  std::set<std::string> unreadable_;
};

// Records what it is asked to open and start; answers `open_result`, and raises error 53
// on a start when `start_fails`.
class FakeShell final : public Shell {
 public:
  int open(const ShellCall& call) override;
  int start(const std::vector<std::string>& argv, int window_style) override;

  std::vector<ShellCall> opened;
  std::vector<std::vector<std::string>> started;
  int open_result = 42;
  bool start_fails = false;
};

// Finds the files it is told of; records the installer's command line of each install,
// and raises error 75 on an install when `fails`.
class RecordingScreenSavers final : public ScreenSavers {
 public:
  std::string search(std::string_view file_name) const override;
  void install(const std::string& saver_file, int window_style) override;

  std::unordered_map<std::string, std::string> found;  // file name -> full path
  std::vector<std::string> commands;
  std::vector<int> window_styles;
  bool fails = false;
};

class FakeMedia final : public Media {
 public:
  int command(const std::string& text) override;
  std::vector<std::string> commands;
  int result = 0;
};

// Records each page it is asked to print; raises error 482, as a printer service without
// its dialog does, when `fails`.
class RecordingPrinter final : public Printer {
 public:
  void print_page(const PrintJob& job) override;
  std::vector<PrintJob> jobs;
  bool fails = false;
};

// The program's tooltip windows, with every call recorded as a line: the operation, the
// tooltip window and its arguments ("TTM_ADDTOOLA 1 size=44 flags=0x13 id=quest text=").
class RecordingTooltips final : public TooltipTable {
 public:
  void init_common_controls() override;
  TooltipHandle create_window(uint32_t style) override;
  bool destroy_window(TooltipHandle tip) override;
  void add_tool(TooltipHandle tip, const ToolInfo& tool) override;
  void set_title(TooltipHandle tip, int32_t icon, const std::string& title) override;
  void set_tip_text_color(TooltipHandle tip, uint32_t colour) override;
  void set_tip_bk_color(TooltipHandle tip, uint32_t colour) override;
  void set_delay_time(TooltipHandle tip, int32_t which, int32_t ms) override;
  void update_tip_text(TooltipHandle tip, const ToolInfo& tool) override;

  std::vector<std::string> calls;
};

class FakeFileAssociations final : public FileAssociations {
 public:
  std::string default_application(const std::string& mime_type) const override;
  std::unordered_map<std::string, std::string> defaults;  // MIME type -> desktop entry
};

// Hands out scripted values in order (then repeats the last one); counts the draws.
class ScriptedRandom final : public Random {
 public:
  explicit ScriptedRandom(std::deque<float> values = {}) : values_(std::move(values)) {}
  float rnd() override;
  void randomize(double) override { ++randomizes; }
  void randomize() override { ++randomizes; }
  void push(float v) { values_.push_back(v); }

  int draws = 0;
  int randomizes = 0;

 private:
  std::deque<float> values_;
  float last_ = 0;
};

}  // namespace pv
