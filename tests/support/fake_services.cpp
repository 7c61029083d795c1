#include "support/fake_services.hpp"

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

std::string FakeFileSystem::read_all(std::string_view name) const {
  if (unreadable_.count(resolve(name)) != 0) raise_error(70);
  return DiskFileSystem::read_all(name);
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

}  // namespace pv
