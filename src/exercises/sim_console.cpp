#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "exercises/sim.hpp"
#include "exercises/sim_parse.hpp"

namespace pv::sim {

namespace {

struct InterfaceKind {
  std::string_view full, brief;
};
constexpr std::array<InterfaceKind, 10> kKinds = {{{"FastEthernet", "fa"},
                                                   {"GigabitEthernet", "g"},
                                                   {"Serial", "s"},
                                                   {"Tunnel", "tunnel"},
                                                   {"Loopback", "lo"},
                                                   {"Vlan", "vlan"},
                                                   {"BRI", "bri"},
                                                   {"Dialer", "dialer"},
                                                   {"Null", "null"},
                                                   {"Port-channel", "po"}}};

// The prompt's mode part: ">" for user mode, "#" privileged, "(config-if)#" and so on.
std::string mode_mark(const std::string& mode) {
  if (mode == "exec") return ">";
  if (mode == "priv") return "#";
  return "(" + mode + ")#";
}

std::string mark_line(size_t column, std::string_view message) {
  return std::string(column, ' ') + "^\n" + std::string(message) + "\n";
}

// The column where word `at` of `line` starts (the end of the line past its last word).
size_t word_column(std::string_view line, size_t at) {
  size_t i = 0;
  for (size_t w = 0;; ++w) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (w == at || i >= line.size()) return i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
  }
}

}  // namespace

bool interface_name(std::string_view text, InterfaceName& out) {
  const std::string t = lower(text);
  size_t n = 0;
  while (n < t.size() && (std::isalpha(static_cast<unsigned char>(t[n])) || t[n] == '-')) ++n;
  const std::string kind = t.substr(0, n), number = t.substr(n);
  if (kind.empty() || number.empty() || !std::isdigit(static_cast<unsigned char>(number[0])) ||
      number.size() > 16)
    return false;
  if (!std::all_of(number.begin(), number.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == ':';
      }))
    return false;
  const InterfaceKind* found = nullptr;
  for (const InterfaceKind& k : kKinds) {
    if (lower(k.full).starts_with(kind) || k.brief == kind) {
      if (found != nullptr && k.brief != kind) return false;  // "f" alone is fine, "" is not
      found = &k;
      if (k.brief == kind) break;
    }
  }
  if (found == nullptr) return false;
  out.full = std::string(found->full) + number;
  out.brief = std::string(found->brief) + number;
  return true;
}

Console::Console(std::string_view first_prompt) {
  std::string name(first_prompt);
  // A transcript that starts further in ("AS2#", "R1(config)#") starts the console there.
  if (name.ends_with("(config)#"))
    mode_ = "config";
  else if (name.ends_with("#") && name.find('(') == std::string::npos)
    mode_ = "priv";
  while (!name.empty() && (name.back() == '>' || name.back() == '#')) name.pop_back();
  const size_t paren = name.find('(');
  if (paren != std::string::npos) name.resize(paren);
  if (!name.empty() && name.size() <= 63) dev_.hostname = name;
}

std::string Console::prompt() const {
  return dev_.hostname + mode_mark(mode_);
}

std::string Console::ctrl_z() {
  if (mode_ != "exec") {
    mode_ = "priv";
    section_ = -1;
    parents_.clear();
  }
  return "";
}

void Console::leave_mode() {
  if (!parents_.empty()) {
    mode_ = parents_.back();
    parents_.pop_back();
  } else if (mode_.starts_with("config-")) {
    mode_ = "config";
    section_ = -1;
  } else if (mode_ == "config") {
    mode_ = "priv";
  } else {
    mode_ = "exec";
  }
}

std::string Console::feed(std::string_view line) {
  if (line.size() > kMaxLine) return "% The line is too long; at most 512 characters are read.\n";
  const std::vector<std::string> words = split_words(line);
  if (words.empty()) return "";
  if (history_.size() >= kMaxHistory) history_.erase(history_.begin());
  history_.emplace_back(line);
  const std::string first = lower(words[0]);
  if (words.size() == 1 && (first == "exit" || first == "end")) {
    if (first == "end") return ctrl_z();
    leave_mode();
    return "";
  }
  const bool negated = first == "no" && mode_.starts_with("config");
  std::vector<std::string> rest(words.begin() + (negated ? 1 : 0), words.end());
  if (negated && rest.empty()) return mark_line(prompt().size() + line.size(), kIncomplete);
  MatchResult m = walk(mode_patterns(mode_), rest);
  if (m.fault != Fault::none && mode_.starts_with("config-")) {
    // A global command typed in a sub-mode leaves the sub-mode first.
    MatchResult global = walk(mode_patterns("config"), rest);
    if (global.fault == Fault::none) {
      mode_ = "config";
      section_ = -1;
      parents_.clear();
      m = std::move(global);
    }
  }
  if (m.fault != Fault::none) {
    const size_t column = prompt().size() + word_column(line, m.at + (negated ? 1 : 0));
    return mark_line(column, fault_text(m.fault));
  }
  return run(*complete_walks(m).front(), negated);
}

}  // namespace pv::sim

namespace pv::sim {

namespace {

// The walks after every word but the last, and that last (partial) word.
struct Partial {
  MatchResult done;
  std::string last;
  bool fault = false;
};

Partial walk_partial(const std::string& mode, std::string_view partial, bool whole_words) {
  std::vector<std::string> words = split_words(partial);
  Partial p;
  if (!whole_words && !words.empty()) {
    p.last = lower(words.back());
    words.pop_back();
  }
  if (!words.empty() && lower(words[0]) == "no" && mode.starts_with("config"))
    words.erase(words.begin());
  std::vector<size_t> candidates = mode_patterns(mode);
  if (mode.starts_with("config-")) {
    const std::vector<size_t> global = mode_patterns("config");
    candidates.insert(candidates.end(), global.begin(), global.end());
  }
  p.done = walk(candidates, words);
  p.fault = p.done.fault != Fault::none && p.done.fault != Fault::incomplete;
  return p;
}

// The words that may come next: keywords, and parameter kinds.
std::set<std::string> next_words(const MatchResult& m) {
  std::set<std::string> out;
  for (const Walk& a : m.alive) {
    const auto& words = patterns()[a.pattern].words;
    if (a.skip_next)
      out.insert("<if>");
    else if (a.rest_taken)
      out.insert("<text>");
    else if (a.pos < words.size())
      out.insert(words[a.pos]);
  }
  return out;
}

}  // namespace

std::string Console::complete(std::string_view partial) const {
  if (partial.size() > kMaxLine || partial.empty() ||
      std::isspace(static_cast<unsigned char>(partial.back())))
    return std::string(partial);
  const Partial p = walk_partial(mode_, partial, false);
  if (p.fault) return std::string(partial);
  std::string only;
  for (const std::string& w : next_words(p.done)) {
    if (w.front() == '<' || !w.starts_with(p.last)) continue;
    if (!only.empty()) return std::string(partial);
    only = w;
  }
  if (only.empty()) return std::string(partial);
  std::string out(partial);
  out.resize(out.size() - p.last.size());
  return out + only + " ";
}

std::string Console::help(std::string_view partial) const {
  if (partial.size() > kMaxLine)
    return "% The line is too long; at most 512 characters are read.\n";
  const bool whole = partial.empty() || std::isspace(static_cast<unsigned char>(partial.back()));
  const Partial p = walk_partial(mode_, partial, whole);
  if (p.fault)
    return mark_line(prompt().size() + word_column(partial, p.done.at), fault_text(p.done.fault));
  std::string out;
  for (const std::string& w : next_words(p.done))
    if (whole || (w.front() != '<' && w.starts_with(p.last))) out += "  " + w + "\n";
  if (whole && !complete_walks(p.done).empty()) out += "  <cr>\n";
  if (split_words(partial).empty() && mode_ != "exec") out += "  exit\n  end\n";
  if (out.empty()) return "% Nothing here starts with \"" + p.last + "\".\n";
  return out;
}

}  // namespace pv::sim
