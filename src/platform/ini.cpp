#include "platform/ini.hpp"

#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

std::string_view strip(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

std::optional<std::string> ini_lookup(std::string_view text, std::string_view section,
                                      std::string_view key) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::string_view wanted_section = strip(section);
  const std::string_view wanted_key = strip(key);
  bool seen_section = false;  // the section of that name was entered
  bool inside = false;
  for (const std::string& raw : split_lines(text)) {
    const std::string_view line = strip(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      if (inside) return std::nullopt;  // a later section of the same name is not read
      const auto close = line.find(']');
      const std::string_view name = strip(
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      inside = !seen_section && iequals(name, wanted_section);
      seen_section = seen_section || inside;
      continue;
    }
    if (!inside) continue;
    const auto eq = line.find('=');
    const std::string_view name = strip(line.substr(0, eq));
    if (!iequals(name, wanted_key)) continue;
    if (eq == std::string_view::npos) return std::string();
    return unquote(strip(line.substr(eq + 1)));
  }
  return std::nullopt;
}

std::string read_profile_string(const FileSystem& files, std::string_view section,
                                std::string_view key, std::string_view default_text,
                                int buffer_size, std::string_view file) {
  if (buffer_size <= 0) return {};
  std::optional<std::string> value;
  try {
    if (!file.empty() && files.exists(file)) value = ini_lookup(files.read_all(file), section, key);
  } catch (const RuntimeError&) {
    value.reset();  // an unreadable file reads as a missing one
  }
  return left(value ? *value : rtrim(default_text), buffer_size - 1);
}

}  // namespace pv
