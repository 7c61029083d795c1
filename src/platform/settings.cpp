#include "platform/settings.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

std::string escape(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool unescape(std::string_view s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

bool make_folders(const std::string& folder) {
  std::string path;
  for (size_t i = 0; i < folder.size(); ++i) {
    path += folder[i];
    if ((folder[i] == '/' || i + 1 == folder.size()) && path.size() > 1) {
      if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
  }
  return true;
}

}  // namespace

std::string SettingsTable::fold(std::string_view app, std::string_view section,
                                std::string_view key) {
  return lcase(app) + '\t' + lcase(section) + '\t' + lcase(key);
}

const std::string* SettingsTable::find(std::string_view app, std::string_view section,
                                       std::string_view key) const {
  const auto it = entries_.find(fold(app, section, key));
  return it == entries_.end() ? nullptr : &it->second.value;
}

void SettingsTable::set(std::string_view app, std::string_view section, std::string_view key,
                        std::string_view value) {
  auto& e = entries_[fold(app, section, key)];
  if (e.app.empty()) e = Entry{std::string(app), std::string(section), std::string(key), {}};
  e.value = value;
}

void SettingsTable::erase(std::string_view app, std::string_view section, std::string_view key) {
  entries_.erase(fold(app, section, key));
}

std::string SettingsTable::serialize(std::string_view header) const {
  std::string out(header);
  out += '\n';
  for (const auto& [k, e] : entries_)
    out += escape(e.app) + '\t' + escape(e.section) + '\t' + escape(e.key) + '\t' +
           escape(e.value) + '\n';
  return out;
}

bool SettingsTable::parse(std::string_view text, std::string_view header, SettingsTable& out,
                          std::vector<std::string>* too_long) {
  out = SettingsTable{};
  SettingsTable table;
  size_t start = 0;
  bool first = true;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return false;  // every line ends with LF
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (first) {
      if (line != header) return false;
      first = false;
      continue;
    }
    std::string fields[4];
    size_t from = 0;
    for (int f = 0; f < 4; ++f) {
      const size_t tab = f < 3 ? line.find('\t', from) : line.size();
      if (tab == std::string_view::npos) return false;
      if (!unescape(line.substr(from, tab - from), fields[f])) return false;
      from = tab + 1;
    }
    if (fields[0].empty() || fields[1].empty() || fields[2].empty()) return false;
    if (fields[3].size() <= kSettingsValueBytes)
      table.set(fields[0], fields[1], fields[2], fields[3]);
    else if (too_long != nullptr)
      too_long->push_back(fields[0] + '\\' + fields[1] + '\\' + fields[2]);
  }
  if (first) return false;
  out = std::move(table);
  return true;
}

FileSettingsStore::FileSettingsStore(std::string folder, std::string header, Reporter report_damage)
    : folder_(with_trailing_slash(std::move(folder))),
      header_(std::move(header)),
      report_damage_(std::move(report_damage)) {}

std::string FileSettingsStore::default_folder(std::string_view program_folder) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string root = config != nullptr && config[0] == '/'
                               ? std::string(config)
                               : std::string(home != nullptr ? home : "") + "/.config";
  return root + '/' + std::string(program_folder) + '/';
}

void FileSettingsStore::load() const {
  if (loaded_) return;
  loaded_ = true;
  sweep_temporary_files(folder_);
  DiskFileSystem files(folder_, folder_);
  if (!files.exists(folder_ + "settings")) return;
  std::string text;
  try {
    text = files.read_all(folder_ + "settings");
  } catch (const RuntimeError&) {
    damaged_ = true;
  }
  std::vector<std::string> too_long;
  if (!damaged_ && SettingsTable::parse(text, header_, table_, &too_long)) {
    // The values that were read stay; the file as it was is kept aside on the next save.
    damaged_ = !too_long.empty();
    for (const std::string& names : too_long)
      if (report_damage_ != nullptr)
        report_damage_("settings value longer than " + std::to_string(kSettingsValueBytes) +
                       " bytes left out: " + names + " in " + folder_ + "settings");
    return;
  }
  damaged_ = true;
  if (report_damage_) report_damage_("damaged settings file " + folder_ + "settings");
}

void FileSettingsStore::store() {
  if (!make_folders(folder_)) raise_error(75);
  DiskFileSystem files(folder_, folder_);
  if (damaged_) {
    // Keep what could not be read; the user may want it back.
    std::rename((folder_ + "settings").c_str(), (folder_ + "settings.damaged").c_str());
    damaged_ = false;
  }
  files.replace_atomic(folder_ + "settings", table_.serialize(header_));
}

std::string FileSettingsStore::read_value(std::string_view app, std::string_view section,
                                          std::string_view key,
                                          std::string_view default_value) const {
  load();
  const std::string* v = table_.find(app, section, key);
  return v != nullptr ? *v : std::string(default_value);
}

void FileSettingsStore::save(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
  if (value.size() > kSettingsValueBytes)
    throw RuntimeError(75, "Settings value too long: " + std::string(key) + " holds " +
                               std::to_string(value.size()) + " bytes, at most " +
                               std::to_string(kSettingsValueBytes) + " are kept");
  load();
  SettingsTable before = table_;
  table_.set(app, section, key, value);
  try {
    store();
  } catch (const RuntimeError&) {
    table_ = std::move(before);
    throw;
  }
}

void FileSettingsStore::remove(std::string_view app, std::string_view section,
                               std::string_view key) {
  load();
  if (table_.find(app, section, key) == nullptr) return;
  table_.erase(app, section, key);
  store();
}

}  // namespace pv
