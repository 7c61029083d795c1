// A Program built with fakes: a virtual clock, scripted dialogs and random numbers,
// an in-memory settings store and a file system in fresh temporary folders (the
// current folder and a program folder holding the product files).
#pragma once

#include <cctype>
#include <memory>
#include <string>
#include <string_view>

#include "app/program.hpp"
#include "banks/registry.hpp"
#include "support/fake_services.hpp"
#include "support/temp_folder.hpp"

namespace pv::testing {

class TestProgram {
 public:
  explicit TestProgram(std::string command_line = "46000", int pixels_per_inch = 96);

  // Runs the start-up, as the process start does.
  void start() { program->start(); }
  // A user's click on a control, carried out through the event loop as the front-end does
  // (on a menu as the page sends it: see UserInput::click_menu).
  void click(Control& c) {
    program->dispatch([this, &c] { program->input().click(c); });
  }
  // The keys that reach a menu entry from the menu bar, as the user types them: Alt and
  // the first access key, then the access keys of the entries ("fx").
  void menu_keys(Form& f, std::string_view keys) {
    for (size_t k = 0; k < keys.size(); ++k) {
      const int code = std::toupper(static_cast<unsigned char>(keys[k]));
      user([&](UserInput& in) { in.key_down(f, code, k == 0 ? vbAltMask : 0); });
    }
  }
  // Any other user action, likewise: `act(program->input())`.
  void user(const std::function<void(UserInput&)>& act) {
    program->dispatch([this, &act] { act(program->input()); });
  }
  // Lets virtual time pass and handles the timers that fall due.
  void advance_ms(int64_t ms);

  Shared& g() { return program->shared(); }
  System& sys() { return program->system(); }
  FormRegistry& forms() { return program->forms(); }
  template <class T>
  T* loaded() {
    T* f = forms().find<T>();
    return f != nullptr && f->is_loaded() ? f : nullptr;
  }
  // Names of the visible windows, bottom to top.
  std::vector<std::string> visible_windows();
  std::string error_log();
  // Serves these bank modules in place of the compiled-in ones.
  void use_banks(std::vector<BankModule> table);

  TempFolder current;
  TempFolder program_folder;
  TempFolder cache;  // the per-user cache folder lies in it, not yet made
  FakeClock* clock;
  FakeFileSystem* files;
  MemorySettingsStore* settings;
  FakeDialogs* dialogs;
  FakeShell* shell;
  ScriptedRandom* random;
  MemoryClipboard* clipboard;
  FakeMedia* media;
  FakeFileAssociations* associations;
  RecordingPrinter* printer;
  RecordingTooltips* tooltips;
  RecordingScreenSavers* screen_savers;
  std::unique_ptr<Program> program;
  std::vector<BankModule> banks;
};

}  // namespace pv::testing
