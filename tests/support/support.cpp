#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/temp_folder.hpp"
#include "support/test_program.hpp"

namespace pv::testing {

TempFolder::TempFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/prepvant-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempFolder::~TempFolder() {
  ::nftw(
      path_.c_str(),
      [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
      FTW_DEPTH | FTW_PHYS);
}

void TempFolder::write(const std::string& name, const std::string& content) const {
  std::ofstream(path_ + name, std::ios::binary) << content;
}

std::string TempFolder::read(const std::string& name) const {
  std::ifstream in(path_ + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempFolder::exists(const std::string& name) const {
  struct stat st {};
  return ::stat((path_ + name).c_str(), &st) == 0;
}

TestProgram::TestProgram(std::string command_line, int pixels_per_inch) {
  Services s;
  auto clock_owned = std::make_unique<FakeClock>();
  clock = clock_owned.get();
  s.clock = std::move(clock_owned);
  auto files_owned = std::make_unique<FakeFileSystem>(current.path(), program_folder.path(),
                                                      cache.path() + "prepvant/");
  files = files_owned.get();
  s.files = std::move(files_owned);
  auto settings_owned = std::make_unique<MemorySettingsStore>();
  settings = settings_owned.get();
  s.settings = std::move(settings_owned);
  auto dialogs_owned = std::make_unique<FakeDialogs>();
  dialogs = dialogs_owned.get();
  s.dialogs = std::move(dialogs_owned);
  auto shell_owned = std::make_unique<FakeShell>();
  shell = shell_owned.get();
  s.shell = std::move(shell_owned);
  auto random_owned = std::make_unique<ScriptedRandom>();
  random = random_owned.get();
  s.random = std::move(random_owned);
  auto clipboard_owned = std::make_unique<MemoryClipboard>();
  clipboard = clipboard_owned.get();
  s.clipboard = std::move(clipboard_owned);
  auto media_owned = std::make_unique<FakeMedia>();
  media = media_owned.get();
  s.media = std::move(media_owned);
  auto associations_owned = std::make_unique<FakeFileAssociations>();
  associations = associations_owned.get();
  s.associations = std::move(associations_owned);
  auto printer_owned = std::make_unique<RecordingPrinter>();
  printer = printer_owned.get();
  s.printer = std::move(printer_owned);
  auto tooltips_owned = std::make_unique<RecordingTooltips>();
  tooltips = tooltips_owned.get();
  s.tooltips = std::move(tooltips_owned);
  auto savers_owned = std::make_unique<RecordingScreenSavers>();
  screen_savers = savers_owned.get();
  s.screen_savers = std::move(savers_owned);
  s.measure = std::make_unique<TableTextMeasure>();
  s.screen = Screen(1920, 1080, pixels_per_inch);
  s.real_time = false;
  program = std::make_unique<Program>(std::move(s), std::move(command_line));
}

void TestProgram::advance_ms(int64_t ms) {
  clock->advance_ms(ms);
  program->do_events();
}

std::vector<std::string> TestProgram::visible_windows() {
  std::vector<std::string> names;
  for (Form* f : forms().z_order())
    if (f->is_loaded() && f->visible()) names.push_back(f->name());
  return names;
}

std::string TestProgram::error_log() {
  return current.read("error.log");
}

void TestProgram::use_banks(std::vector<BankModule> table) {
  banks = std::move(table);
  sys().bank_lookup = [this](std::string_view name) -> const BankModule* {
    for (const BankModule& b : banks)
      if (b.name == name) return &b;
    return nullptr;
  };
}

}  // namespace pv::testing
