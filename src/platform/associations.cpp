#include "platform/associations.hpp"

#include <array>
#include <cstdlib>
#include <fstream>

#include "platform/process.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

struct KnownType {
  const char* extension;
  const char* mime_type;
  const char* document_class;
};

constexpr std::array<KnownType, 1> kKnownTypes{{
    {".pdf", "application/pdf", "AcroExch.Document"},
}};

constexpr int kQueryTimeoutMs = 3000;

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string strip(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::vector<std::string> data_folders() {
  std::vector<std::string> folders;
  const char* home = std::getenv("XDG_DATA_HOME");
  if (home != nullptr && home[0] == '/') {
    folders.emplace_back(home);
  } else if (const char* user = std::getenv("HOME"); user != nullptr) {
    folders.push_back(std::string(user) + "/.local/share");
  }
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  const std::string all = dirs != nullptr && dirs[0] != '\0' ? dirs : "/usr/local/share:/usr/share";
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(':', start);
    if (end == std::string::npos) end = all.size();
    if (end > start && all[start] == '/') folders.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

// The general escapes of a desktop-entry value: \s \n \t \r \\.
std::string unescape_value(std::string_view v) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    switch (v[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\', out += v[i];
    }
  }
  return out;
}

std::string base_name(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool one_of(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (name == n) return true;
  return false;
}

}  // namespace

std::string DesktopFileAssociations::default_application(const std::string& mime_type) const {
  if (mime_type.empty() || mime_type[0] == '-') return {};
  const auto out = run_and_capture({"xdg-mime", "query", "default", mime_type}, kQueryTimeoutMs);
  if (!out) return {};
  return strip(out->substr(0, out->find('\n')));
}

std::string registered_class(const FileAssociations& associations, std::string_view extension) {
  const std::string wanted = lcase(extension);
  for (const KnownType& t : kKnownTypes) {
    if (wanted != t.extension) continue;
    return associations.default_application(t.mime_type).empty() ? std::string()
                                                                 : std::string(t.document_class);
  }
  return {};
}

std::optional<std::string> desktop_entry_command(const std::string& entry_id) {
  if (entry_id.empty() || entry_id.find('/') != std::string::npos || entry_id[0] == '.')
    return std::nullopt;
  for (const std::string& folder : data_folders()) {
    std::ifstream in(folder + "/applications/" + entry_id);
    if (!in) continue;
    std::string line;
    bool in_entry = false;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] == '[') {
        in_entry = line == "[Desktop Entry]";
        continue;
      }
      if (in_entry && line.rfind("Exec", 0) == 0) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && strip(line.substr(4, eq - 4)).empty())
          return unescape_value(strip(line.substr(eq + 1)));
      }
    }
    return std::nullopt;  // the first entry of that name hides later ones
  }
  return std::nullopt;
}

std::vector<std::string> split_exec(std::string_view exec) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\' && i + 1 < exec.size()) {
        word += exec[++i];
      } else {
        word += c;
      }
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(word), word.clear(), in_word = false;
    } else if (c == '"') {
      quoted = in_word = true;
    } else if (c == '\\' && i + 1 < exec.size()) {
      word += exec[++i];
      in_word = true;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

std::string file_url(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url += ch;
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

std::vector<std::string> viewer_command(std::string_view exec, const std::string& pdf_path,
                                        const std::string& page) {
  std::vector<std::string> argv;
  int document = -1;  // the word that names the document
  for (const std::string& word : split_exec(exec)) {
    if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
      if (document >= 0) continue;
      document = static_cast<int>(argv.size());
      argv.push_back(word[1] == 'u' || word[1] == 'U' ? file_url(pdf_path) : pdf_path);
      continue;
    }
    // Other field codes name the icon, the entry or deprecated values: not passed on.
    std::string expanded;
    bool keep = true;
    for (size_t i = 0; i < word.size(); ++i) {
      if (word[i] != '%' || i + 1 == word.size()) {
        expanded += word[i];
      } else if (word[++i] == '%') {
        expanded += '%';
      } else {
        keep = false;
      }
    }
    if (keep) argv.push_back(expanded);
  }
  if (argv.empty()) return argv;
  if (document < 0) {
    document = static_cast<int>(argv.size());
    argv.push_back(pdf_path);
  }
  // The program itself: past "env" and its settings.
  size_t program = 0;
  if (base_name(argv[0]) == "env")
    for (program = 1; program < argv.size() && argv[program].find('=') != std::string::npos;)
      ++program;
  if (program >= argv.size()) return argv;
  const std::string name = base_name(argv[program]);
  const auto at = argv.begin() + document;
  if (one_of(name, {"evince", "atril", "xreader"})) {
    argv.insert(at, "--page-index=" + page);
  } else if (one_of(name, {"okular"})) {
    argv.insert(at, {"-p", page});
  } else if (one_of(name, {"zathura"})) {
    argv.insert(at, "--page=" + page);
  } else if (one_of(name, {"mupdf", "mupdf-gl", "mupdf-x11", "xpdf"})) {
    argv.insert(at + 1, page);
  } else if (one_of(name, {"qpdfview"})) {
    argv[document] = pdf_path + "#" + page;
  } else if (one_of(name,
                    {"firefox", "firefox-esr", "chromium", "chromium-browser", "google-chrome",
                     "google-chrome-stable", "brave-browser", "microsoft-edge",
                     "microsoft-edge-stable", "vivaldi-stable", "epiphany", "opera"})) {
    argv[document] = file_url(pdf_path) + "#page=" + page + "&zoom=100";
  }
  return argv;
}

}  // namespace pv
