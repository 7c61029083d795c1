// What every window and shared procedure of the system reaches: the shared state, the
// window registry and the platform services. Built by the Program.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/shared.hpp"
#include "platform/form.hpp"

namespace pv {

struct BankModule;
class Clock;
class Clipboard;
class Dialogs;
class FileAssociations;
class ErrorLog;
class EventLoop;
class FileSystem;
class Media;
class Printer;
class Random;
class Screen;
class ScreenSavers;
class SettingsStore;
class Shell;
class TextMeasure;
class Tooltips;

struct System {
  Shared& g;
  FormRegistry& forms;
  EventLoop& loop;
  Dialogs& dialogs;
  SettingsStore& settings;
  FileSystem& files;
  Shell& shell;
  Screen& screen;
  TextMeasure& measure;
  Clipboard& clipboard;
  Random& random;
  const Clock& clock;
  ErrorLog& error_log;
  Media& media;
  const FileAssociations& associations;
  Printer& printer;
  Tooltips& tooltips;
  ScreenSavers& screen_savers;
  // The program's command line as the user gave it (the runtime's Command$).
  std::string command_line;
  // Finds a bank module by name in place of the compiled-in ones (tests); empty: those.
  std::function<const BankModule*(std::string_view name)> bank_lookup = {};
};

// Base of the system's windows.
class SystemForm : public Form {
 public:
  SystemForm(System& system, std::string name)
      : Form(system.forms, std::move(name)), sys(system), g(system.g) {}

 protected:
  System& sys;
  Shared& g;
};

// The settings store's application and section of the test options, the fonts, the
// answer position, the mail type and the student name.
inline constexpr const char* kSettingsApp = "veltotest";
inline constexpr const char* kSettingsSection = "stuff";

// The maker's mail domain (our own invented value); its sales address is the banks'.
inline constexpr const char* kMakerMailDomain = "pelmabooks.example";

}  // namespace pv
