// Running a matched command against the device model, and the keyboard helps (Tab, "?").
#include <algorithm>
#include <set>

#include "exercises/sim.hpp"
#include "exercises/sim_parse.hpp"
#include "exercises/sim_show.hpp"

namespace pv::sim {

namespace {

constexpr size_t kMaxSections = 256;
constexpr size_t kMaxLines = 1024;
constexpr size_t kMaxExecuted = 1024;
constexpr std::string_view kFull = "% The configuration is full; remove settings to add more.\n";

std::string join(const std::vector<std::string>& words, std::string_view sep) {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += sep;
    out += w;
  }
  return out;
}

bool starts_with_words(const std::string& line, const std::string& prefix) {
  return line == prefix || (line.starts_with(prefix) && line[prefix.size()] == ' ');
}

// The command's words with each interface name written one way: as typed, short or full.
enum class Names { typed, brief, full };
std::vector<std::string> named(const Pattern& p, const Walk& w, Names how) {
  std::vector<std::string> out = w.typed;
  for (size_t i = 0; i < out.size() && i < p.words.size(); ++i) {
    InterfaceName n;
    std::string joined = out[i];
    joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
    if (p.words[i] != "<if>" || how == Names::typed || !interface_name(joined, n)) continue;
    out[i] = how == Names::full ? n.full : n.brief;
  }
  return out;
}

std::string result_key(std::string text) {
  text = lower(text);
  for (char& c : text)
    if (c == ' ' || c == '=') c = '_';
  return text;
}

}  // namespace

std::string Console::run(const Walk& walk, bool negated) {
  const Pattern& p = patterns()[walk.pattern];
  const std::string no = negated ? "no " : "";
  for (Names how : {Names::typed, Names::brief, Names::full}) {
    const std::string key = "executed_" + result_key(no + join(named(p, walk, how), " "));
    if (dev_.executed.size() < kMaxExecuted &&
        std::find(dev_.executed.begin(), dev_.executed.end(), key) == dev_.executed.end())
      dev_.executed.push_back(key);
  }
  const std::string line = no + join(named(p, walk, Names::full), " ");
  const bool opens_config = p.spec->mode == "exec" || p.spec->mode == "priv";
  // The banks write this one with the short interface names ("show interfaces fa0/5 ...").
  if (!(opens_config && !p.spec->enters.empty()))
    dev_.last_config = no + join(named(p, walk, Names::brief), " ");
  if (p.spec->mode == "exec" || p.spec->mode == "priv") {
    if (!p.spec->enters.empty()) {
      mode_ = std::string(p.spec->enters);
      return "";
    }
    return priv_output(dev_, p, named(p, walk, Names::full));
  }
  if (!p.spec->enters.empty()) return enter(p, line);
  std::vector<std::string>& lines = section_ >= 0 ? dev_.sections[section_].lines : dev_.global;
  if (!set_line(lines, p, line, negated)) return std::string(kFull);
  if (p.words[0] == "hostname" && !negated) dev_.hostname = walk.typed.back().substr(0, 63);
  return "";
}

bool set_line(std::vector<std::string>& lines, const Pattern& p, const std::string& line,
              bool negated) {
  const std::vector<std::string> words = split_words(line);
  const size_t from = negated ? 1 : 0;
  const std::string identity =
      join(std::vector<std::string>(words.begin() + from,
                                    words.begin() + std::min(words.size(), from + p.identity)),
           " ");
  size_t removed = 0;
  std::erase_if(lines, [&](const std::string& l) {
    const bool hit =
        negated ? starts_with_words(l, line.substr(3))
                : starts_with_words(l, "no " + identity) ||
                      (!p.accumulates && !identity.empty() && starts_with_words(l, identity)) ||
                      l == line;
    removed += hit ? 1 : 0;
    return hit;
  });
  if (negated && removed > 0 && p.accumulates) return true;
  if (lines.size() >= kMaxLines) return false;
  lines.push_back(line);
  return true;
}

std::string Console::enter(const Pattern& p, const std::string& line) {
  if (mode_ != "config") {
    // A mode inside a section (a DLCI of a sub-interface) keeps the section.
    std::vector<std::string>& lines = section_ >= 0 ? dev_.sections[section_].lines : dev_.global;
    if (!set_line(lines, p, line, false)) return std::string(kFull);
    parents_.push_back(mode_);
    mode_ = std::string(p.spec->enters);
    return "";
  }
  const std::vector<std::string> words = split_words(line);
  const bool negated = words[0] == "no";
  const bool interface = p.words[0] == "interface";
  const size_t header_words = interface ? 2 + (negated ? 1 : 0) : words.size();
  std::string header = join(
      std::vector<std::string>(words.begin() + (negated ? 1 : 0), words.begin() + header_words),
      " ");
  auto found = std::find_if(dev_.sections.begin(), dev_.sections.end(),
                            [&](const Section& s) { return lower(s.header) == lower(header); });
  if (negated) {
    if (found != dev_.sections.end()) dev_.sections.erase(found);
    return "";
  }
  if (found == dev_.sections.end()) {
    if (dev_.sections.size() >= kMaxSections) return std::string(kFull);
    dev_.sections.push_back(Section{header, {}});
    found = dev_.sections.end() - 1;
  }
  section_ = static_cast<int>(found - dev_.sections.begin());
  const std::string extra =
      join(std::vector<std::string>(words.begin() + header_words, words.end()), " ");
  auto& lines = found->lines;
  if (!extra.empty() && std::find(lines.begin(), lines.end(), extra) == lines.end())
    lines.push_back(extra);
  mode_ = std::string(p.spec->enters);
  if (interface && header.find('.') != std::string::npos) mode_ = "config-subif";
  return "";
}

}  // namespace pv::sim
