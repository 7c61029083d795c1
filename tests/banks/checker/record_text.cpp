#include "banks/checker/record_text.hpp"

#include <algorithm>
#include <cctype>

namespace pv::bankcheck {

Kind kind_of(const QuestionRecord& q) {
  if (q.DiagramFile[1] == "xxxdnd") return Kind::dnd;
  if (q.DiagramFile[1] == "xxsim") return Kind::sim;
  if (q.Type == "multi_answer") return Kind::multi;
  if (q.Type == "fill_in_the_blank") return Kind::fill;
  return Kind::single;
}

const char* kind_name(Kind k) {
  switch (k) {
    case Kind::any:
      return "any kind";
    case Kind::single:
      return "single answer";
    case Kind::multi:
      return "multiple answer";
    case Kind::fill:
      return "fill-in";
    case Kind::dnd:
      return "drag and drop";
    case Kind::sim:
      return "simulator";
  }
  return "?";
}

int chars(std::string_view s) {
  return static_cast<int>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::vector<std::string> crlf_lines(std::string_view s) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = s.find("\r\n", start);
    lines.emplace_back(s.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  return lines;
}

int count_of(std::string_view s, std::string_view part) {
  int n = 0;
  for (size_t at = s.find(part); at != std::string_view::npos; at = s.find(part, at + part.size()))
    ++n;
  return n;
}

int answer_count(const QuestionRecord& q) {
  int n = 0;
  for (int i = 1; i <= 6; ++i)
    if (!q.Answer[i].empty()) ++n;
  return n;
}

std::vector<int> flagged(const QuestionRecord& q) {
  std::vector<int> slots;
  for (int i = 1; i <= 6; ++i)
    if (q.Correct[i] != 0) slots.push_back(i);
  return slots;
}

int answers_holding(const QuestionRecord& q, char c) {
  int n = 0;
  for (int i = 1; i <= 6; ++i)
    if (q.Answer[i].find(c) != std::string::npos) ++n;
  return n;
}

std::optional<int> page_of(const QuestionRecord& q) {
  const size_t hashes = q.Reference.find("##");
  if (hashes == 0 || hashes == std::string::npos) return std::nullopt;
  const std::string digits = q.Reference.substr(0, hashes);
  if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(digits);
}

std::vector<std::pair<std::string, std::string>> checks_of(const QuestionRecord& q) {
  std::vector<std::pair<std::string, std::string>> out;
  for (int i = 1; i <= 6; ++i) {
    const std::string& a = q.Answer[i];
    if (a.empty()) continue;
    const size_t eq = a.find('=');
    if (eq == std::string::npos)
      out.emplace_back(a, "");
    else
      out.emplace_back(a.substr(0, eq), a.substr(eq + 1));
  }
  return out;
}

bool command_check(const std::string& key, const std::string& value) {
  return key.rfind("executed_", 0) == 0 && value == "true";
}

int blank_value_checks(const QuestionRecord& q) {
  int n = 0;
  for (const auto& [key, value] : checks_of(q))
    if (!value.empty() && value.front() == ' ') ++n;
  return n;
}

int capital_key_checks(const QuestionRecord& q) {
  int n = 0;
  for (const auto& [key, value] : checks_of(q))
    if (std::any_of(key.begin(), key.end(),
                    [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
      ++n;
  return n;
}

std::vector<std::string_view> texts_of(const QuestionRecord& q) {
  std::vector<std::string_view> out = {q.Question, q.Explanation, q.Reference, q.Type};
  for (int i = 1; i <= 6; ++i) out.push_back(q.Answer[i]);
  for (int i = 1; i <= 3; ++i) {
    out.push_back(q.DiagramFile[i]);
    out.push_back(q.ExhibitFile[i]);
  }
  return out;
}

namespace {

// The name of the entity that the "&" at s[i] begins, or empty when it begins none.
std::string_view entity_at(std::string_view s, size_t i) {
  const size_t semi = s.find(';', i);
  const std::string_view name = s.substr(i + 1, semi == std::string_view::npos ? 0 : semi - i - 1);
  const bool entity = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '#';
  });
  return entity ? name : std::string_view{};
}

std::vector<std::string> html_lines(const std::string& s) {
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    const size_t end = s.find("<br>", start);
    lines.push_back(s.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 4;
  }
}

// The command typed at a configuration prompt of `host` ("R1(config-if)#no shutdown"), or
// nothing when the line is no such prompt.
std::optional<std::string> config_command(const std::string& line, const std::string& host) {
  const size_t hash = line.find(")#");
  if (line.rfind(host + "(config", 0) != 0 || hash == std::string::npos) return std::nullopt;
  return line.substr(hash + 2);
}

char letter(int slot) {
  return static_cast<char>('a' + slot - 1);
}

}  // namespace

bool contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}

bool beyond_ascii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool has_markup(std::string_view s) {
  return s.find_first_of("<>&") != std::string_view::npos;
}

bool tags_beyond_br(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '<' && s.substr(i, 4) != "<br>") return true;
    if (s[i] == '&') {
      const std::string_view name = entity_at(s, i);
      if (!name.empty() && name != "gt" && name != "lt") return true;
    }
  }
  return false;
}

bool holds_entity(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i] == '&' && !entity_at(s, i).empty()) return true;
  return false;
}

bool all_of_chars(std::string_view s, std::string_view allowed) {
  return !s.empty() && s.find_first_not_of(allowed) == std::string_view::npos;
}

bool ends_with(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

bool is_picture(const std::string& s) {
  return !s.empty() && s != "xxsim" && s != "xxxdnd" && s != "xxxmssim" && s != "xxxmssim2";
}

int odd_quote_texts(const QuestionRecord& q) {
  int n = 0;
  for (std::string_view t : texts_of(q))
    if (std::count(t.begin(), t.end(), '"') % 2 == 1) ++n;
  return n;
}

bool is_true_or_false(const QuestionRecord& q) {
  return answer_count(q) == 2 && q.Answer[1] == "True" && q.Answer[2] == "False";
}

bool names_flags(const QuestionRecord& q) {
  const std::vector<int> slots = flagged(q);
  if (slots.empty()) return false;
  std::string opening;
  if (is_true_or_false(q) && slots.size() == 1) {
    opening = q.Answer[slots.front()] + ".";
  } else {
    opening = slots.size() == 1 ? "Answer " : "Answers ";
    for (size_t i = 0; i < slots.size(); ++i) {
      if (i > 0) opening += i + 1 == slots.size() ? " and " : ", ";
      opening += letter(slots[i]);
    }
    opening += slots.size() == 1 ? " is correct." : " are correct.";
  }
  return q.Explanation.rfind(opening, 0) == 0 &&
         (q.Explanation.size() == opening.size() || q.Explanation[opening.size()] == ' ');
}

bool judges_each_answer(const QuestionRecord& q) {
  std::vector<int> called_correct;
  size_t at = 0;
  for (int i = 1; i <= answer_count(q); ++i) {
    const std::string said = std::string("Answer ") + letter(i) + " is ";
    at = q.Explanation.find(said, at);
    if (at == std::string::npos) return false;
    at += said.size();
    if (q.Explanation.compare(at, 7, "correct") == 0)
      called_correct.push_back(i);
    else if (q.Explanation.compare(at, 5, "wrong") != 0)
      return false;
  }
  return called_correct == flagged(q);
}

bool same_but_case(const std::string& a, const std::string& b) {
  return a != b && a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string clue_as_html(const QuestionRecord& q) {
  std::string out;
  const std::vector<std::string> lines = crlf_lines(q.Clue);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "<br>";
    for (char c : lines[i]) out += c == '>' ? "&gt;" : c == '<' ? "&lt;" : std::string(1, c);
  }
  return out;
}

bool types_the_checks(const QuestionRecord& q) {
  const std::vector<std::string> lines = crlf_lines(q.Clue);
  const auto checks = checks_of(q);
  if (checks.empty() || lines.size() != checks.size() + 4) return false;
  const size_t gt = lines[0].find('>');
  if (gt == 0 || gt == std::string::npos) return false;
  const std::string host = lines[0].substr(0, gt);
  if (lines[0] != host + ">enable" || lines[1] != host + "#configure terminal") return false;
  if (lines[2].empty() || lines[2].rfind(host, 0) == 0) return false;
  for (size_t i = 0; i < checks.size(); ++i) {
    std::optional<std::string> command = config_command(lines[3 + i], host);
    if (!command || command->empty()) return false;
    std::replace(command->begin(), command->end(), ' ', '_');
    if (checks[i].first != "executed_" + *command || checks[i].second != "true") return false;
  }
  const std::optional<std::string> last = config_command(lines.back(), host);
  return last && last->empty() && ends_with(lines.back(), ")#");
}

bool pairs_items(const QuestionRecord& q) {
  const std::vector<std::string> lines = html_lines(q.Explanation);
  if (lines.size() < 2 || (lines.size() + 1) % 3 != 0) return false;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].empty() != (i % 3 == 2)) return false;
  return true;
}

bool any_cr_or_lf(const QuestionRecord& q) {
  std::vector<const std::string*> texts = {&q.Question,  &q.Explanation, &q.Clue,
                                           &q.Reference, &q.Type,        &q.TutorVideo};
  for (int i = 1; i <= 6; ++i) texts.push_back(&q.Answer[i]);
  for (int i = 1; i <= 3; ++i) texts.insert(texts.end(), {&q.DiagramFile[i], &q.ExhibitFile[i]});
  return std::any_of(texts.begin(), texts.end(), [](const std::string* t) {
    return t->find_first_of("\r\n") != std::string::npos;
  });
}

bool ends_with_prompt(const QuestionRecord& q) {
  if (q.Clue.empty()) return false;
  const std::string last = crlf_lines(q.Clue).back();
  return !last.empty() && std::isalpha(static_cast<unsigned char>(last.front())) &&
         last.find(' ') == std::string::npos && (last.back() == '#' || last.back() == '>');
}

}  // namespace pv::bankcheck
