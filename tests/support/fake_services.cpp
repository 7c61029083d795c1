#include "support/fake_services.hpp"

#include <cstdio>

#include "platform/errors.hpp"

namespace pv {

DateTime FakeClock::now() const {
  return date_time_from_seconds(start_seconds_ + elapsed_ms_ / 1000);
}

void FakeClock::set_now(const DateTime& t) {
  start_seconds_ = seconds_from_date_time(t) - elapsed_ms_ / 1000;
}

int first_button(int style) {
  switch (style & 7) {
    case vbOKCancel:
      return vbOK;
    case vbAbortRetryIgnore:
      return vbAbort;
    case vbYesNoCancel:
    case vbYesNo:
      return vbYes;
    case vbRetryCancel:
      return vbRetry;
    default:
      return vbOK;
  }
}

int FakeDialogs::show_msgbox(const std::string& text, int style, const std::string& title) {
  messages.push_back({text, style, title});
  if (while_open) while_open();
  if (answers.empty()) return first_button(style);
  const int a = answers.front();
  answers.pop_front();
  return a;
}

std::string FakeDialogs::show_inputbox(const std::string& prompt, const std::string& title,
                                       const std::string& default_text) {
  inputs.push_back({prompt, title, default_text});
  if (typed.empty()) return default_text;
  std::string t = typed.front();
  typed.pop_front();
  return t;
}

std::string MemorySettingsStore::read_value(std::string_view app, std::string_view section,
                                            std::string_view key,
                                            std::string_view default_value) const {
  const std::string* v = table_.find(app, section, key);
  return v != nullptr ? *v : std::string(default_value);
}

void MemorySettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                               std::string_view value) {
  if (fail_writes) raise_error(75);
  ++writes;
  table_.set(app, section, key, value);
}

void MemorySettingsStore::remove(std::string_view app, std::string_view section,
                                 std::string_view key) {
  if (fail_writes) raise_error(75);
  table_.erase(app, section, key);
}

void FakeFileSystem::check_writable(const std::string& path) const {
  for (const auto& folder : read_only_)
    if (path.rfind(with_trailing_slash(folder), 0) == 0) raise_error(75);
}

std::unique_ptr<FileReader> FakeFileSystem::open_reader(std::string_view name) const {
  if (unreadable_.count(resolve(name)) != 0) raise_error(70);
  return DiskFileSystem::open_reader(name);
}

int FakeShell::open(const ShellCall& call) {
  opened.push_back(call);
  return open_result;
}

int FakeShell::start(const std::vector<std::string>& argv, int) {
  started.push_back(argv);
  if (start_fails) raise_error(53);
  return 1000 + static_cast<int>(started.size());
}

std::string RecordingScreenSavers::search(std::string_view file_name) const {
  const auto it = found.find(std::string(file_name));
  return it == found.end() ? std::string() : it->second;
}

void RecordingScreenSavers::install(const std::string& saver_file, int window_style) {
  commands.push_back(screen_saver_command(saver_file));
  window_styles.push_back(window_style);
  if (fails) raise_error(75);
}

int FakeMedia::command(const std::string& text) {
  commands.push_back(text);
  return result;
}

std::string FakeFileAssociations::default_application(const std::string& mime_type) const {
  const auto it = defaults.find(mime_type);
  return it == defaults.end() ? std::string() : it->second;
}

float ScriptedRandom::rnd() {
  ++draws;
  if (!values_.empty()) {
    last_ = values_.front();
    values_.pop_front();
  }
  return last_;
}

void RecordingPrinter::print_page(const PrintJob& job) {
  if (fails) raise_error(482);
  jobs.push_back(job);
}

namespace {

std::string hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", v);
  return buf;
}

std::string tool_text(const ToolInfo& t) {
  return "size=" + std::to_string(t.size) + " flags=" + hex(t.flags) + " window=" + t.window +
         " id=" + t.id + " text=" + t.text;
}

}  // namespace

void RecordingTooltips::init_common_controls() {
  calls.push_back("InitCommonControls");
}

TooltipHandle RecordingTooltips::create_window(uint32_t style) {
  const TooltipHandle tip = TooltipTable::create_window(style);
  calls.push_back("CreateWindowExA tooltips_class32 style=" + hex(style) + " -> " +
                  std::to_string(tip));
  return tip;
}

bool RecordingTooltips::destroy_window(TooltipHandle tip) {
  calls.push_back("DestroyWindow " + std::to_string(tip));
  return TooltipTable::destroy_window(tip);
}

void RecordingTooltips::add_tool(TooltipHandle tip, const ToolInfo& tool) {
  calls.push_back("TTM_ADDTOOLA " + std::to_string(tip) + " " + tool_text(tool));
  TooltipTable::add_tool(tip, tool);
}

void RecordingTooltips::set_title(TooltipHandle tip, int32_t icon, const std::string& title) {
  calls.push_back("TTM_SETTITLEA " + std::to_string(tip) + " icon=" + std::to_string(icon) +
                  " title=" + title);
  TooltipTable::set_title(tip, icon, title);
}

void RecordingTooltips::set_tip_text_color(TooltipHandle tip, uint32_t colour) {
  calls.push_back("TTM_SETTIPTEXTCOLOR " + std::to_string(tip) + " " + hex(colour));
  TooltipTable::set_tip_text_color(tip, colour);
}

void RecordingTooltips::set_tip_bk_color(TooltipHandle tip, uint32_t colour) {
  calls.push_back("TTM_SETTIPBKCOLOR " + std::to_string(tip) + " " + hex(colour));
  TooltipTable::set_tip_bk_color(tip, colour);
}

void RecordingTooltips::set_delay_time(TooltipHandle tip, int32_t which, int32_t ms) {
  calls.push_back("TTM_SETDELAYTIME " + std::to_string(tip) + " " + std::to_string(which) + " " +
                  std::to_string(ms));
  TooltipTable::set_delay_time(tip, which, ms);
}

void RecordingTooltips::update_tip_text(TooltipHandle tip, const ToolInfo& tool) {
  calls.push_back("TTM_UPDATETIPTEXTA " + std::to_string(tip) + " " + tool_text(tool));
  TooltipTable::update_tip_text(tip, tool);
}

}  // namespace pv
