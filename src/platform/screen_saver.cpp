#include "platform/screen_saver.hpp"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/errors.hpp"
#include "platform/filesystem.hpp"

namespace pv {
namespace {

bool is_regular_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// One argument of an entry's Exec line: quoted, with the characters the quoting reserves
// escaped, then escaped again as the entry's string values are; "%" is doubled.
std::string exec_argument(std::string_view arg) {
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string out;
  for (char c : quoted) {
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string screen_saver_command(std::string_view saver_file) {
  return "rundll32.exe desk.cpl,InstallScreenSaver " + std::string(saver_file);
}

std::string saver_desktop_entry(std::string_view name, std::string_view saver_file) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         std::string(name) +
         "\n"
         "Comment=The questions of the chosen test, shown full screen\n"
         "Exec=sh " +
         exec_argument(saver_file) +
         "\n"
         "Terminal=false\n"
         "NoDisplay=true\n"
         "Categories=Screensaver;\n";
}

DesktopScreenSavers::DesktopScreenSavers(SaverEntry entry, std::string program_folder,
                                         std::string search_path, std::string data_home)
    : entry_(std::move(entry)),
      program_folder_(with_trailing_slash(std::move(program_folder))),
      search_path_(std::move(search_path)),
      data_home_(with_trailing_slash(std::move(data_home))) {}

std::string DesktopScreenSavers::default_data_home() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/share";
}

std::string DesktopScreenSavers::search(std::string_view file_name) const {
  if (file_name.empty() || file_name.find('/') != std::string_view::npos) return {};
  const std::string name(file_name);
  if (is_regular_file(program_folder_ + name)) return program_folder_ + name;
  size_t from = 0;
  while (from <= search_path_.size()) {
    size_t colon = search_path_.find(':', from);
    if (colon == std::string::npos) colon = search_path_.size();
    const std::string folder = search_path_.substr(from, colon - from);
    // An empty or relative entry would name the current folder: not searched.
    if (!folder.empty() && folder[0] == '/') {
      const std::string path = with_trailing_slash(folder) + name;
      if (is_regular_file(path)) return path;
    }
    from = colon + 1;
  }
  return {};
}

std::string DesktopScreenSavers::entry_path() const {
  return data_home_ + "applications/" + entry_.file_name;
}

void DesktopScreenSavers::install(const std::string& saver_file, int) {
  // A line end would break the entry's Exec line apart.
  if (saver_file.empty() || saver_file.find_first_of("\r\n") != std::string::npos ||
      !is_regular_file(saver_file))
    raise_error(75);
  DiskFileSystem files(data_home_, data_home_);
  make_folders(files, data_home_ + "applications");
  files.replace_atomic(entry_path(), saver_desktop_entry(entry_.name, saver_file));
}

}  // namespace pv
