#include "exercises/sim_parse.hpp"

#include <algorithm>
#include <cctype>
#include <set>

namespace pv::sim {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string> split_words(std::string_view s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    const size_t start = i;
    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    if (i > start) out.emplace_back(s.substr(start, i - start));
  }
  return out;
}

namespace {

bool is_param(std::string_view w) {
  return !w.empty() && w.front() == '<';
}

Pattern make_pattern(const CommandSpec& spec) {
  Pattern p;
  p.spec = &spec;
  std::string_view text = spec.pattern;
  if (!text.empty() && text.front() == '+') {
    p.accumulates = true;
    text.remove_prefix(1);
  }
  size_t split = std::string::npos;
  for (std::string& w : split_words(text)) {
    if (w == "|") {
      split = p.words.size();
      continue;
    }
    p.words.push_back(std::move(w));
  }
  if (split != std::string::npos) {
    p.identity = split;
  } else {
    const auto first = std::find_if(p.words.begin(), p.words.end(),
                                    [](const std::string& w) { return is_param(w); });
    p.identity = static_cast<size_t>(first - p.words.begin());
  }
  return p;
}

bool all_digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
}

bool is_address(std::string_view s) {
  std::string t(s);
  if (std::count(t.begin(), t.end(), '.') != 3) return false;
  std::replace(t.begin(), t.end(), '.', ' ');
  const auto parts = split_words(t);
  return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](const std::string& p) {
           return all_digits(p) && p.size() <= 3 && std::stoi(p) <= 255;
         });
}

// How many words a parameter takes at `i` (0: it does not fit).
size_t param_fits(std::string_view param, const std::vector<std::string>& words, size_t i) {
  const std::string& w = words[i];
  InterfaceName name;
  if (param == "<num>") return all_digits(w) && w.size() <= 10 ? 1 : 0;
  if (param == "<ip>") return is_address(w) ? 1 : 0;
  if (param == "<if>") {
    if (interface_name(w, name)) return 1;
    if (i + 1 < words.size() && interface_name(w + words[i + 1], name) &&
        std::isdigit(static_cast<unsigned char>(words[i + 1].front())))
      return 2;
    return 0;
  }
  return 1;  // <word>, <text>
}

// The walks after one more word, or the fault it causes.
Fault step(std::vector<Walk>& alive, const std::vector<std::string>& words, size_t i) {
  const auto& pats = patterns();
  const std::string w = lower(words[i]);
  std::vector<Walk> next;
  std::vector<Walk> open;
  for (Walk& a : alive) {
    if (!a.skip_next && !a.rest_taken) {
      open.push_back(std::move(a));
      continue;
    }
    a.typed.back() += " " + words[i];  // the second word of a name, or more of the text
    a.skip_next = false;
    next.push_back(std::move(a));
  }
  alive = std::move(open);
  std::set<std::string> keywords;
  std::string exact;
  for (const Walk& a : alive) {
    const auto& pw = pats[a.pattern].words;
    if (a.typed.size() != a.pos || a.pos >= pw.size() || is_param(pw[a.pos])) continue;
    if (pw[a.pos].starts_with(w)) keywords.insert(pw[a.pos]);
    if (pw[a.pos] == w) exact = w;
  }
  if (keywords.size() > 1 && exact.empty()) return Fault::ambiguous;
  const std::string chosen = !exact.empty() ? exact : keywords.empty() ? "" : *keywords.begin();
  for (const Walk& a : alive) {
    const auto& pw = pats[a.pattern].words;
    if (a.typed.size() != a.pos || a.pos >= pw.size()) continue;
    Walk n = a;
    if (!chosen.empty()) {
      if (pw[a.pos] != chosen) continue;
      n.typed.push_back(chosen);
    } else {
      const size_t took = is_param(pw[a.pos]) ? param_fits(pw[a.pos], words, i) : 0;
      if (took == 0) continue;
      n.typed.push_back(words[i]);
      n.skip_next = took == 2;
      n.rest_taken = pw[a.pos] == "<text>";
    }
    ++n.pos;
    next.push_back(std::move(n));
  }
  alive = std::move(next);
  return alive.empty() ? Fault::unknown : Fault::none;
}

}  // namespace

const std::vector<Pattern>& patterns() {
  static const std::vector<Pattern> all = [] {
    std::vector<Pattern> out;
    for (const CommandSpec& spec : command_table()) out.push_back(make_pattern(spec));
    return out;
  }();
  return all;
}

std::string_view fault_text(Fault fault) {
  switch (fault) {
    case Fault::unknown:
      return "% Not understood at the mark: no command or value fits there.";
    case Fault::ambiguous:
      return "% Ambiguous at the mark: type more letters to tell the words apart.";
    case Fault::incomplete:
      return kIncomplete;
    case Fault::none:
      break;
  }
  return "";
}

std::vector<size_t> mode_patterns(std::string_view mode) {
  std::vector<size_t> out;
  const auto& pats = patterns();
  for (size_t i = 0; i < pats.size(); ++i) {
    const std::string_view m = pats[i].spec->mode;
    if (m == mode || (mode == "config-subif" && m == "config-if")) out.push_back(i);
  }
  return out;
}

MatchResult walk(const std::vector<size_t>& candidates, const std::vector<std::string>& words) {
  MatchResult m;
  for (size_t c : candidates) {
    Walk w;
    w.pattern = c;
    m.alive.push_back(std::move(w));
  }
  for (size_t i = 0; i < words.size(); ++i) {
    std::vector<Walk> before = m.alive;
    m.fault = step(m.alive, words, i);
    if (m.fault != Fault::none) {
      m.at = i;
      if (m.fault == Fault::ambiguous) m.alive = std::move(before);
      return m;
    }
  }
  if (complete_walks(m).empty()) {
    m.fault = Fault::incomplete;
    m.at = words.size();
  }
  return m;
}

std::vector<const Walk*> complete_walks(const MatchResult& m) {
  std::vector<const Walk*> out;
  for (const Walk& a : m.alive)
    if (!a.skip_next && a.typed.size() == a.pos && a.pos == patterns()[a.pattern].words.size())
      out.push_back(&a);
  return out;
}

}  // namespace pv::sim
