#include "banks/checker/figures.hpp"

#include <algorithm>
#include <cctype>
#include <set>

#include "banks/checker/testing.hpp"
#include "banks/registry.hpp"

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

std::vector<int> records(int first, int last) {
  std::vector<int> out;
  for (int r = first; r <= last; ++r) out.push_back(r);
  return out;
}

std::vector<int> joined(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> out;
  for (const std::vector<int>& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::string report(const std::vector<std::string>& failures) {
  std::string out;
  for (const std::string& f : failures) out += f + "\n";
  return out;
}

namespace {

constexpr std::string_view kRsquo = "\xE2\x80\x99";
constexpr std::string_view kEacute = "\xC3\xA9";
constexpr std::string_view kNdash = "\xE2\x80\x93";

std::string text(int n) {
  return std::to_string(n);
}

std::string list_text(const std::vector<int>& v) {
  std::string out;
  for (int n : v) out += (out.empty() ? "" : ",") + text(n);
  return out.empty() ? "none" : out;
}

std::string dist_text(const Dist& d) {
  std::string out;
  for (const auto& [value, n] : d) out += (out.empty() ? "" : " ") + text(value) + ":" + text(n);
  return "{" + out + "}";
}

std::optional<int> page_of(const QuestionRecord& q) {
  const size_t hashes = q.Reference.find("##");
  if (hashes == 0 || hashes == std::string::npos) return std::nullopt;
  const std::string digits = q.Reference.substr(0, hashes);
  if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return std::stoi(digits);
}

// The checks of a simulator task, split at their first "=".
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

// The name of the entity that the "&" at s[i] begins, or empty when it begins none.
std::string_view entity_at(std::string_view s, size_t i) {
  const size_t semi = s.find(';', i);
  const std::string_view name = s.substr(i + 1, semi == std::string_view::npos ? 0 : semi - i - 1);
  const bool entity = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '#';
  });
  return entity ? name : std::string_view{};
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

bool has_entity(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i] == '&' && !entity_at(s, i).empty()) return true;
  return false;
}

// The text fields a bank sets, the clue apart.
std::vector<std::string_view> texts_of(const QuestionRecord& q) {
  std::vector<std::string_view> out = {q.Question, q.Explanation, q.Reference, q.Type};
  for (int i = 1; i <= 6; ++i) out.push_back(q.Answer[i]);
  for (int i = 1; i <= 3; ++i) {
    out.push_back(q.DiagramFile[i]);
    out.push_back(q.ExhibitFile[i]);
  }
  return out;
}

int odd_quote_texts(const QuestionRecord& q) {
  int n = 0;
  for (std::string_view t : texts_of(q))
    if (std::count(t.begin(), t.end(), '"') % 2 == 1) ++n;
  return n;
}

int answers_holding(const QuestionRecord& q, char c) {
  int n = 0;
  for (int i = 1; i <= 6; ++i)
    if (q.Answer[i].find(c) != std::string::npos) ++n;
  return n;
}

bool is_picture(const std::string& s) {
  return !s.empty() && s != "xxsim" && s != "xxxdnd" && s != "xxxmssim" && s != "xxxmssim2";
}

bool non_ascii(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool markup(std::string_view s) {
  return s.find_first_of("<>&") != std::string_view::npos;
}

bool line_end(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

bool true_or_false(const QuestionRecord& q) {
  return answer_count(q) == 2 && q.Answer[1] == "True" && q.Answer[2] == "False";
}

char letter(int slot) {
  return static_cast<char>('a' + slot - 1);
}

// "Answer b is correct." or "Answers a, c and e are correct."; "True." or "False." on a
// true-or-false record.
bool names_flags(const QuestionRecord& q) {
  const std::vector<int> slots = flagged(q);
  if (slots.empty()) return false;
  std::string opening;
  if (true_or_false(q) && slots.size() == 1) {
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

// "Answer a is correct ... Answer b is wrong ..." for every answer, in order.
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

// The facts about how a record's texts are written.
bool holds_form(const QuestionRecord& q, Property p) {
  switch (p) {
    case Property::question_has_markup:
      return markup(q.Question);
    case Property::answer_has_markup:
      for (int i = 1; i <= 6; ++i)
        if (markup(q.Answer[i])) return true;
      return false;
    case Property::has_line_end:
      for (std::string_view t : texts_of(q))
        if (line_end(t)) return true;
      return false;
    case Property::true_or_false:
      return true_or_false(q);
    case Property::explanation_names_flags:
      return names_flags(q);
    case Property::explanation_judges_each_answer:
      return judges_each_answer(q);
    case Property::explanation_has_entity:
      return q.Explanation.find("&lt;") != std::string::npos ||
             q.Explanation.find("&gt;") != std::string::npos;
    case Property::question_non_ascii:
      return non_ascii(q.Question);
    default:
      return false;
  }
}

bool same_but_case(const std::string& a, const std::string& b) {
  return a != b && a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The clue's lines as the explanation shows them: "&gt;" and "&lt;", joined by "<br>".
std::string clue_as_html(const QuestionRecord& q) {
  std::string out;
  const std::vector<std::string> lines = crlf_lines(q.Clue);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "<br>";
    for (char c : lines[i]) out += c == '>' ? "&gt;" : c == '<' ? "&lt;" : std::string(1, c);
  }
  return out;
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

bool ends_with(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The command typed at a configuration prompt of `host` ("R1(config-if)#no shutdown"), or
// nothing when the line is no such prompt.
std::optional<std::string> config_command(const std::string& line, const std::string& host) {
  const size_t hash = line.find(")#");
  if (line.rfind(host + "(config", 0) != 0 || hash == std::string::npos) return std::nullopt;
  return line.substr(hash + 2);
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

bool has_cr_or_lf(const QuestionRecord& q) {
  std::vector<const std::string*> texts = {&q.Question,  &q.Explanation, &q.Clue,
                                           &q.Reference, &q.Type,        &q.TutorVideo};
  for (int i = 1; i <= 6; ++i) texts.push_back(&q.Answer[i]);
  for (int i = 1; i <= 3; ++i) texts.insert(texts.end(), {&q.DiagramFile[i], &q.ExhibitFile[i]});
  return std::any_of(texts.begin(), texts.end(), [](const std::string* t) {
    return t->find_first_of("\r\n") != std::string::npos;
  });
}

bool all_of_chars(std::string_view s, std::string_view allowed) {
  return !s.empty() && s.find_first_not_of(allowed) == std::string_view::npos;
}

// An interface's short name as check keys write it: "s0/0", "fa0/1", "g0/1", "lo0", "tu0".
bool interface_name(std::string_view s) {
  static const std::set<std::string_view> kShort = {"e", "fa", "g", "gi", "te", "s", "lo", "tu"};
  const size_t digit = s.find_first_of("0123456789");
  return digit != std::string_view::npos && kShort.contains(s.substr(0, digit)) &&
         s.find_first_not_of("0123456789/.:", digit) == std::string_view::npos;
}

bool command_check(const std::string& key, const std::string& value) {
  return key.rfind("executed_", 0) == 0 && value == "true";
}

CheckKey key_form(const std::string& key, const std::string& value) {
  if (command_check(key, value)) return CheckKey::command;
  if (interface_name(std::string_view(key).substr(0, key.find('_'))))
    return CheckKey::interface_first;
  const size_t last = key.rfind('_');
  if (last != std::string::npos && interface_name(std::string_view(key).substr(last + 1)))
    return CheckKey::interface_last;
  return CheckKey::device;
}

bool dotted_address(std::string_view s) {
  int parts = 0;
  for (size_t start = 0;; ++parts) {
    const size_t dot = s.find('.', start);
    const std::string_view part = s.substr(start, dot - start);
    if (part.empty() || part.size() > 3 || !all_of_chars(part, "0123456789") ||
        std::stoi(std::string(part)) > 255)
      return false;
    if (dot == std::string_view::npos) return parts == 3;
    start = dot + 1;
  }
}

CheckValue value_form(const std::string& v) {
  if (v == "true") return CheckValue::truth;
  if (v == "no") return CheckValue::no;
  if (all_of_chars(v, "0123456789")) return CheckValue::number;
  if (dotted_address(v)) return CheckValue::address;
  if (all_of_chars(v, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-") &&
      std::any_of(v.begin(), v.end(),
                  [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
    return CheckValue::capitals;
  if (v.find('_') != std::string::npos) return CheckValue::joined_words;
  return CheckValue::other;
}

bool clue_ends_with_prompt(const QuestionRecord& q) {
  if (q.Clue.empty()) return false;
  const std::string last = crlf_lines(q.Clue).back();
  return !last.empty() && std::isalpha(static_cast<unsigned char>(last.front())) &&
         last.find(' ') == std::string::npos && (last.back() == '#' || last.back() == '>');
}

bool holds(const QuestionRecord& q, Property p) {
  switch (p) {
    case Property::always:
      return true;
    case Property::has_explanation:
      return !q.Explanation.empty();
    case Property::has_clue:
      return !q.Clue.empty();
    case Property::explanation_has_markup:
      return q.Explanation.find_first_of("<>") != std::string::npos ||
             q.Explanation.find("&gt;") != std::string::npos ||
             q.Explanation.find("&lt;") != std::string::npos || tags_beyond_br(q.Explanation);
    case Property::markup_other_than_br:
      return tags_beyond_br(q.Question) || tags_beyond_br(q.Explanation);
    case Property::question_has_br:
      return q.Question.find("<br>") != std::string::npos;
    case Property::question_has_quote:
      return q.Question.find('"') != std::string::npos;
    case Property::explanation_has_quote:
      return q.Explanation.find('"') != std::string::npos;
    case Property::explanation_has_rsquo:
      return q.Explanation.find(kRsquo) != std::string::npos;
    case Property::text_has_rsquo:
      return q.Question.find(kRsquo) != std::string::npos ||
             q.Explanation.find(kRsquo) != std::string::npos;
    case Property::answer_has_eacute:
      for (int i = 1; i <= 6; ++i)
        if (q.Answer[i].find(kEacute) != std::string::npos) return true;
      return false;
    case Property::non_ascii: {
      if (non_ascii(q.Question) || non_ascii(q.Explanation) || non_ascii(q.Clue) ||
          non_ascii(q.Reference) || non_ascii(q.Type))
        return true;
      for (int i = 1; i <= 6; ++i)
        if (non_ascii(q.Answer[i])) return true;
      for (int i = 1; i <= 3; ++i)
        if (non_ascii(q.DiagramFile[i]) || non_ascii(q.ExhibitFile[i])) return true;
      return false;
    }
    case Property::blank_after_hashes:
      return q.Reference.find("## ") != std::string::npos;
    case Property::five_or_six_answers:
      return answer_count(q) >= 5;
    case Property::typed_single_answer:
      return q.Type == "single_answer";
    case Property::typed_multi_answer:
      return q.Type == "multi_answer";
    case Property::typed_fill_in_the_blank:
      return q.Type == "fill_in_the_blank";
    case Property::has_picture:
      return is_picture(q.DiagramFile[1]) || !q.DiagramFile[2].empty() || !q.DiagramFile[3].empty();
    case Property::has_exhibit:
      return !q.ExhibitFile[1].empty() || !q.ExhibitFile[3].empty();
    case Property::has_lab:
      return !q.ExhibitFile[2].empty();
    case Property::explanation_starts_with_br:
      return q.Explanation.rfind("<br>", 0) == 0;
    case Property::clue_starts_with_empty_line:
      return q.Clue.rfind("\r\n", 0) == 0;
    case Property::clue_ends_with_line_break:
      return q.Clue.size() >= 2 && q.Clue.compare(q.Clue.size() - 2, 2, "\r\n") == 0;
    case Property::has_blank_value:
      for (const auto& [key, value] : checks_of(q))
        if (!value.empty() && value.front() == ' ') return true;
      return false;
    case Property::has_capital_key:
      for (const auto& [key, value] : checks_of(q))
        if (std::any_of(key.begin(), key.end(),
                        [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
          return true;
      return false;
    case Property::question_has_markup:
    case Property::answer_has_markup:
    case Property::has_line_end:
    case Property::true_or_false:
    case Property::explanation_names_flags:
    case Property::explanation_judges_each_answer:
    case Property::explanation_has_entity:
    case Property::question_non_ascii:
      return holds_form(q, p);
    case Property::reference_empty:
      return q.Reference.empty();
    case Property::answers_differ_only_in_case:
      for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j)
          if (same_but_case(q.Answer[i], q.Answer[j])) return true;
      return false;
    case Property::explanation_has_lt:
      return q.Explanation.find("&lt;") != std::string::npos;
    case Property::has_cr_or_lf:
      return has_cr_or_lf(q);
    case Property::answer_has_quote:
      return answers_holding(q, '"') > 0;
    case Property::odd_quotes:
      return odd_quote_texts(q) > 0;
    case Property::explanation_has_ampersand:
      return q.Explanation.find('&') != std::string::npos;
    case Property::has_entity:
      for (std::string_view t : texts_of(q))
        if (has_entity(t)) return true;
      return has_entity(q.Clue);
    case Property::clue_over_400:
      return chars(q.Clue) > 400;
    case Property::transcript_forms_differ:
      return kind_of(q) == Kind::sim && q.Explanation != clue_as_html(q);
    case Property::transcript_types_the_checks:
      return kind_of(q) == Kind::sim && types_the_checks(q);
    case Property::explanation_pairs_items:
      return pairs_items(q);
    case Property::question_has_rsquo:
      return q.Question.find(kRsquo) != std::string::npos;
    case Property::explanation_non_ascii:
      return non_ascii(q.Explanation);
    case Property::question_over_400:
      return chars(q.Question) > 400;
    case Property::explanation_ends_with_br:
      return q.Explanation.size() >= 4 &&
             q.Explanation.compare(q.Explanation.size() - 4, 4, "<br>") == 0;
    case Property::clue_ends_with_prompt:
      return clue_ends_with_prompt(q);
    case Property::all_answers_flagged:
      return answer_count(q) > 0 && static_cast<int>(flagged(q).size()) == answer_count(q);
  }
  return false;
}

std::optional<int> measure(const QuestionRecord& q, Measure m) {
  switch (m) {
    case Measure::answers:
      return answer_count(q);
    case Measure::flags:
      return static_cast<int>(flagged(q).size());
    case Measure::correct_slot: {
      const std::vector<int> slots = flagged(q);
      if (slots.size() != 1) return std::nullopt;
      return slots.front();
    }
    case Measure::page:
      return page_of(q);
    case Measure::question_br:
      return count_of(q.Question, "<br>");
    case Measure::question_length:
      return chars(q.Question);
    case Measure::explanation_length:
      if (q.Explanation.empty()) return std::nullopt;
      return chars(q.Explanation);
    case Measure::clue_lines:
      if (q.Clue.empty()) return std::nullopt;
      return static_cast<int>(crlf_lines(q.Clue).size());
    case Measure::category:
      return q.Category;
    case Measure::blank_values: {
      int n = 0;
      for (const auto& [key, value] : checks_of(q))
        if (!value.empty() && value.front() == ' ') ++n;
      return n;
    }
    case Measure::capital_keys: {
      int n = 0;
      for (const auto& [key, value] : checks_of(q))
        if (std::any_of(key.begin(), key.end(),
                        [](char c) { return std::isupper(static_cast<unsigned char>(c)); }))
          ++n;
      return n;
    }
    case Measure::explanation_br:
      return count_of(q.Explanation, "<br>");
    case Measure::quotes:
      return count_of(q.Question, "\"") + count_of(q.Explanation, "\"");
    case Measure::answers_with_ndash: {
      int n = 0;
      for (int i = 1; i <= 6; ++i)
        if (q.Answer[i].find(kNdash) != std::string::npos) ++n;
      return n;
    }
    case Measure::reference_length:
      if (q.Reference.empty()) return std::nullopt;
      return chars(q.Reference);
    case Measure::explanation_pieces:
      if (q.Explanation.empty()) return std::nullopt;
      return (chars(q.Explanation) + 349) / 350;
    case Measure::clue_length:
      if (q.Clue.empty()) return std::nullopt;
      return chars(q.Clue);
    case Measure::answers_and_flags:
      return answer_count(q) * 10 + static_cast<int>(flagged(q).size());
    case Measure::quoted_answers:
      return answers_holding(q, '"');
    case Measure::ampersand_answers:
      return answers_holding(q, '&');
    case Measure::odd_quote_texts:
      return odd_quote_texts(q);
    case Measure::answers_non_ascii:
    case Measure::answers_with_br: {
      int n = 0;
      for (int i = 1; i <= 6; ++i)
        if (m == Measure::answers_non_ascii ? non_ascii(q.Answer[i])
                                            : q.Answer[i].find("<br>") != std::string::npos)
          ++n;
      return n;
    }
    case Measure::all_quotes:
      return count_of(q.Question, "\"") + count_of(q.Explanation, "\"") + count_of(q.Clue, "\"");
    case Measure::hashes_at: {
      const size_t at = q.Reference.find("##");
      if (at == std::string::npos) return std::nullopt;
      return static_cast<int>(at) + 1;
    }
    case Measure::command_checks: {
      if (kind_of(q) != Kind::sim) return std::nullopt;
      int n = 0;
      for (const auto& [key, value] : checks_of(q)) n += command_check(key, value) ? 1 : 0;
      return n;
    }
    case Measure::check_value_length: {
      if (kind_of(q) != Kind::sim) return std::nullopt;
      int longest = 0;
      for (const auto& [key, value] : checks_of(q)) longest = std::max(longest, chars(value));
      return longest;
    }
    case Measure::explanation_lines:
      if (q.Explanation.empty()) return std::nullopt;
      return count_of(q.Explanation, "<br>") + 1;
    case Measure::answer_quotes: {
      int n = 0;
      for (int i = 1; i <= 6; ++i) n += count_of(q.Answer[i], "\"");
      return n;
    }
  }
  return std::nullopt;
}

const char* name(Property p) {
  switch (p) {
    case Property::always:
      return "of the kind";
    case Property::has_explanation:
      return "with an explanation";
    case Property::has_clue:
      return "with a clue";
    case Property::explanation_has_markup:
      return "with markup in the explanation";
    case Property::markup_other_than_br:
      return "with a tag other than <br> or an entity other than &gt; &lt;";
    case Property::question_has_br:
      return "with <br> in the question";
    case Property::question_has_quote:
      return "with a double quote in the question";
    case Property::explanation_has_quote:
      return "with a double quote in the explanation";
    case Property::explanation_has_rsquo:
      return "with U+2019 in the explanation";
    case Property::text_has_rsquo:
      return "with U+2019 in the question or explanation";
    case Property::answer_has_eacute:
      return "with U+00E9 in an answer";
    case Property::non_ascii:
      return "with characters beyond ASCII";
    case Property::blank_after_hashes:
      return "with a blank after \"##\"";
    case Property::five_or_six_answers:
      return "with 5 or 6 answers";
    case Property::typed_single_answer:
      return "typed single_answer";
    case Property::typed_multi_answer:
      return "typed multi_answer";
    case Property::typed_fill_in_the_blank:
      return "typed fill_in_the_blank";
    case Property::has_picture:
      return "with a diagram picture";
    case Property::has_exhibit:
      return "with an exhibit file";
    case Property::has_lab:
      return "with a lab";
    case Property::explanation_starts_with_br:
      return "whose explanation begins with <br>";
    case Property::clue_starts_with_empty_line:
      return "whose clue begins with an empty line";
    case Property::clue_ends_with_line_break:
      return "whose clue ends with a line break";
    case Property::has_blank_value:
      return "with a check value beginning with a blank";
    case Property::has_capital_key:
      return "with a capital in a check key";
    case Property::question_has_markup:
      return "with markup in the question";
    case Property::answer_has_markup:
      return "with markup in an answer";
    case Property::has_line_end:
      return "with a CR or LF outside the clue";
    case Property::true_or_false:
      return "answered True or False";
    case Property::explanation_names_flags:
      return "whose explanation opens by naming exactly the flagged answers";
    case Property::explanation_judges_each_answer:
      return "whose explanation judges each answer in turn as the flags do";
    case Property::explanation_has_entity:
      return "with &lt; or &gt; in the explanation";
    case Property::reference_empty:
      return "with an empty reference";
    case Property::answers_differ_only_in_case:
      return "with two answers that differ only in letter case";
    case Property::explanation_has_lt:
      return "with &lt; in the explanation";
    case Property::has_cr_or_lf:
      return "with CR or LF in a text";
    case Property::answer_has_quote:
      return "with a double quote in an answer";
    case Property::odd_quotes:
      return "with an odd number of double quotes in one text";
    case Property::explanation_has_ampersand:
      return "with \"&\" in the explanation";
    case Property::has_entity:
      return "with an HTML entity";
    case Property::question_non_ascii:
      return "with characters beyond ASCII in the question";
    case Property::clue_over_400:
      return "with a clue longer than 400 characters";
    case Property::transcript_forms_differ:
      return "whose explanation is not its clue as HTML";
    case Property::transcript_types_the_checks:
      return "whose transcript types exactly their checked commands";
    case Property::explanation_pairs_items:
      return "whose explanation pairs items with their matches";
    case Property::question_has_rsquo:
      return "with U+2019 in the question";
    case Property::explanation_non_ascii:
      return "with characters beyond ASCII in the explanation";
    case Property::question_over_400:
      return "with a question longer than 400 characters";
    case Property::explanation_ends_with_br:
      return "whose explanation ends with <br>";
    case Property::clue_ends_with_prompt:
      return "whose clue ends with a prompt alone";
    case Property::all_answers_flagged:
      return "with every answer flagged";
  }
  return "?";
}

const char* name(Measure m) {
  switch (m) {
    case Measure::answers:
      return "answers";
    case Measure::flags:
      return "correct flags";
    case Measure::correct_slot:
      return "slot of the correct answer";
    case Measure::page:
      return "reference page";
    case Measure::question_br:
      return "<br> in the question";
    case Measure::question_length:
      return "question length";
    case Measure::explanation_length:
      return "explanation length";
    case Measure::clue_lines:
      return "clue lines";
    case Measure::category:
      return "category";
    case Measure::blank_values:
      return "check values beginning with a blank";
    case Measure::capital_keys:
      return "check keys with a capital";
    case Measure::explanation_br:
      return "<br> in the explanation";
    case Measure::quotes:
      return "double quotes in the question and explanation";
    case Measure::answers_with_ndash:
      return "answers with U+2013";
    case Measure::reference_length:
      return "reference length";
    case Measure::explanation_pieces:
      return "350-character pieces of the explanation";
    case Measure::clue_length:
      return "clue length";
    case Measure::answers_and_flags:
      return "answers * 10 + correct flags";
    case Measure::quoted_answers:
      return "answers with a double quote";
    case Measure::ampersand_answers:
      return "answers with \"&\"";
    case Measure::odd_quote_texts:
      return "texts with an odd number of double quotes";
    case Measure::answers_non_ascii:
      return "answers with characters beyond ASCII";
    case Measure::answers_with_br:
      return "answers with <br>";
    case Measure::all_quotes:
      return "double quotes in the question, explanation and clue";
    case Measure::hashes_at:
      return "character where \"##\" begins";
    case Measure::command_checks:
      return "command checks";
    case Measure::check_value_length:
      return "length of the longest check value";
    case Measure::explanation_lines:
      return "explanation lines";
    case Measure::answer_quotes:
      return "double quotes in the answers";
  }
  return "?";
}

const char* name(CheckKey k) {
  switch (k) {
    case CheckKey::command:
      return "command";
    case CheckKey::interface_first:
      return "interface first";
    case CheckKey::interface_last:
      return "interface last";
    case CheckKey::device:
      return "device";
  }
  return "?";
}

const char* name(CheckValue v) {
  switch (v) {
    case CheckValue::truth:
      return "true";
    case CheckValue::no:
      return "no";
    case CheckValue::number:
      return "number";
    case CheckValue::address:
      return "address";
    case CheckValue::capitals:
      return "capitals";
    case CheckValue::joined_words:
      return "joined words";
    case CheckValue::other:
      return "other";
  }
  return "?";
}

// "command 18, device 4": the forms that occur, in the order of their enumeration.
template <class E>
std::string forms_text(const std::map<E, int>& counts) {
  std::string out;
  for (const auto& [form, n] : counts)
    if (n != 0) out += (out.empty() ? "" : ", ") + std::string(name(form)) + " " + text(n);
  return out.empty() ? "none" : out;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool has_form(std::string_view a, Form f) {
  constexpr std::string_view kDigits = "0123456789";
  constexpr std::string_view kWords = "abcdefghijklmnopqrstuvwxyz -";
  switch (f) {
    case Form::numeral:
      return all_of_chars(a, kDigits);
    case Form::grouped_numeral: {
      // 1 to 3 digits, then one or more groups of "," and 3 digits.
      const size_t lead = a.find(',');
      if (lead == std::string_view::npos || lead == 0 || lead > 3 || (a.size() - lead) % 4 != 0 ||
          !all_of_chars(a.substr(0, lead), kDigits))
        return false;
      for (size_t at = lead; at < a.size(); at += 4)
        if (a[at] != ',' || !all_of_chars(a.substr(at + 1, 3), kDigits)) return false;
      return true;
    }
    case Form::words:
      return all_of_chars(a, kWords) && a.find_first_not_of(" -") != std::string_view::npos;
    case Form::hyphenated_words:
      return has_form(a, Form::words) && a.find('-') != std::string_view::npos;
    case Form::capitalised_words:
      return !a.empty() && std::isupper(static_cast<unsigned char>(a[0])) &&
             (a.size() == 1 || all_of_chars(a.substr(1), kWords));
  }
  return false;
}

const char* form_name(Form f) {
  switch (f) {
    case Form::numeral:
      return "a numeral";
    case Form::grouped_numeral:
      return "a numeral with thousands separators";
    case Form::words:
      return "a number in words";
    case Form::hyphenated_words:
      return "a number in words with a hyphen";
    case Form::capitalised_words:
      return "a number in words with a capital";
  }
  return "?";
}

class Checker {
 public:
  Checker(const Shared& g, const BankFigures& f) : g_(g), f_(f) {}

  std::vector<std::string> run(const std::string& feedback_before) {
    identity(feedback_before);
    categories();
    for (const Section& s : f_.sections) section(s);
    for (const RecordFact& r : f_.records) fact(r);
    for (const EqualRun& e : f_.equal) equal(e);
    if (f_.shared_explanations) shared_explanations(*f_.shared_explanations);
    return std::move(failures_);
  }

 private:
  void fail(const std::string& where, const std::string& what) {
    failures_.push_back(f_.module + ": " + where + ": " + what);
  }
  template <class T>
  void expect(const std::string& where, const std::string& what, const T& actual,
              const T& expected) {
    if (!(actual == expected))
      fail(where, what + " is " + show(actual) + ", table says " + show(expected));
  }
  static std::string show(int n) { return text(n); }
  static std::string show(const std::string& s) { return "\"" + s + "\""; }
  static std::string show(const Dist& d) { return dist_text(d); }
  static std::string show(const std::vector<int>& v) { return list_text(v); }

  bool valid_record(int r) const { return r >= 1 && r <= g_.question_count && r <= 1000; }
  const QuestionRecord& rec(int r) const { return g_.questions[r]; }
  static bool of_kind(const QuestionRecord& q, Kind k) { return k == Kind::any || kind_of(q) == k; }

  void identity(const std::string& feedback_before) {
    expect("identity", "test_description", g_.test_description, f_.description);
    expect("identity", "product_title", g_.product_title, f_.title);
    expect("identity", "test_title", g_.test_title, f_.title);
    expect("identity", "product_version", g_.product_version, f_.version);
    expect("identity", "feedback_address", g_.feedback_address,
           f_.stores_feedback_address ? std::string(kSalesAddress) : feedback_before);
    expect("bank", "question_count", int{g_.question_count}, f_.question_count);
    expect("bank", "category_count", int{g_.category_count}, f_.category_count);
    expect("bank", "categories_enabled", int{g_.categories_enabled}, int{vbTrue});
  }

  void categories() {
    const CategoryFigures& c = f_.categories;
    std::optional<int> shortest, longest;
    for (int i = 1; i <= c.chapters; ++i) {
      const std::string& name = g_.category_names[i];
      const std::string prefix = "Chapter " + text(i) + " ";
      if (name.rfind(prefix, 0) != 0 || name.size() == prefix.size())
        fail("category " + text(i), "name \"" + name + "\" is not \"" + prefix + "<title>\"");
      const int n = chars(name);
      shortest = std::min(shortest.value_or(n), n);
      longest = std::max(longest.value_or(n), n);
    }
    if (c.shortest)
      expect("categories", "shortest chapter name", shortest.value_or(0), *c.shortest);
    if (c.longest) expect("categories", "longest chapter name", longest.value_or(0), *c.longest);
    for (const NameLengths& l : c.lengths) name_lengths(l);
    for (int i = c.chapters + 1; i <= f_.category_count; ++i) {
      const std::string& name = g_.category_names[i];
      if (name.empty() || name.rfind("Chapter ", 0) == 0)
        fail("category " + text(i), "is not a named category of its own: \"" + name + "\"");
    }
    if (c.at_most)
      for (int i = 1; i <= f_.category_count; ++i)
        if (chars(g_.category_names[i]) > *c.at_most)
          fail("category " + text(i), "name is longer than " + text(*c.at_most) + " characters");
    if (c.at_most && c.at_most_reached_by) {
      std::vector<int> reached;
      for (int i = 1; i <= f_.category_count; ++i)
        if (chars(g_.category_names[i]) == *c.at_most) reached.push_back(i);
      expect("categories", "names of " + text(*c.at_most) + " characters", reached,
             *c.at_most_reached_by);
    }
    for (int i = f_.category_count + 1; i <= 150; ++i)
      if (!g_.category_names[i].empty()) fail("category " + text(i), "is not empty");
    for (const auto& [i, name] : c.names)
      expect("category " + text(i), "name", g_.category_names[std::clamp(i, 0, 150)], name);
    for (const SameNames& same : c.same_as) {
      const auto other = load_module(same.module);
      if (!other) return fail("categories", "module " + same.module + " is not built in");
      if (!same.from.empty() && static_cast<int>(same.from.size()) != same.count)
        return fail("categories", "the table maps " + text(static_cast<int>(same.from.size())) +
                                      " of " + text(same.count) + " names");
      for (int i = 1; i <= same.count; ++i) {
        const int j = same.from.empty() ? i : std::clamp(same.from[i - 1], 0, 150);
        if (j == 0) {
          for (int k = 1; k <= 150; ++k)
            if (!other->category_names[k].empty() &&
                g_.category_names[i] == other->category_names[k])
              fail("category " + text(i), "name \"" + g_.category_names[i] + "\" is " +
                                              same.module + "'s name " + text(k) +
                                              ", table says a name of its own");
          continue;
        }
        const std::string as = same.from.empty() ? "" : text(j) + " ";
        expect("category " + text(i), "name (as " + as + "in " + same.module + ")",
               g_.category_names[i], other->category_names[j]);
      }
    }
  }

  void name_lengths(const NameLengths& l) {
    std::optional<int> shortest, longest;
    for (int i : l.categories) {
      if (i < 1 || i > 150) return fail("categories", "category " + text(i) + " is out of range");
      const std::string& name = g_.category_names[i];
      const int n = chars(name);
      shortest = std::min(shortest.value_or(n), n);
      longest = std::max(longest.value_or(n), n);
      if (l.cut_inside_word &&
          (name.empty() || !std::isalnum(static_cast<unsigned char>(name.back()))))
        fail("category " + text(i), "name \"" + name + "\" does not end inside a word");
    }
    const std::string w = "categories " + list_text(l.categories);
    expect(w, "shortest name", shortest.value_or(0), l.shortest);
    expect(w, "longest name", longest.value_or(0), l.longest);
  }

  std::vector<int> selected(const Section& s, Kind k, Property p) const {
    std::vector<int> out;
    for (int r = s.first; r <= s.last; ++r)
      if (valid_record(r) && of_kind(rec(r), k) && holds(rec(r), p)) out.push_back(r);
    return out;
  }

  Dist distribution(const Section& s, Kind k, Measure m, int first = 0, int last = 0,
                    std::optional<int> answers = {}) const {
    Dist d;
    for (int r = first ? first : s.first; r <= (last ? last : s.last); ++r)
      if (valid_record(r) && of_kind(rec(r), k) && (!answers || answer_count(rec(r)) == *answers))
        if (const auto v = measure(rec(r), m)) ++d[*v];
    return d;
  }

  // Names the records whose measure lies outside the bounds.
  void within(const Section& s, const Bounds& b, const std::string& where) {
    std::vector<int> outside;
    for (int r = s.first; r <= s.last; ++r)
      if (valid_record(r) && of_kind(rec(r), b.kind))
        if (const auto v = measure(rec(r), b.measure); v && (*v < b.lowest || *v > b.highest))
          outside.push_back(r);
    if (!outside.empty())
      fail(where, "records with the " + std::string(name(b.measure)) + " outside " +
                      text(b.lowest) + "-" + text(b.highest) + " are " + list_text(outside));
  }

  static int count_in(const Dist& d) {
    int n = 0;
    for (const auto& [v, c] : d) n += c;
    return n;
  }

  void section(const Section& s) {
    const std::string where = "records " + text(s.first) + "-" + text(s.last);
    if (!valid_record(s.first) || !valid_record(s.last))
      return fail(where, "lie outside the loaded records 1-" + text(g_.question_count));

    if (!s.kinds.empty())
      for (Kind k : {Kind::single, Kind::multi, Kind::fill, Kind::dnd, Kind::sim}) {
        const auto row = std::find_if(s.kinds.begin(), s.kinds.end(),
                                      [k](const KindRow& r) { return r.kind == k; });
        const std::string w = where + ", " + kind_name(k);
        const int n = static_cast<int>(selected(s, k, Property::always).size());
        expect(w, "number of records", n, row == s.kinds.end() ? 0 : row->records);
        if (row == s.kinds.end()) continue;
        if (!row->answers.empty())
          expect(w, "answers per record", distribution(s, k, Measure::answers), row->answers);
        if (!row->flags.empty())
          expect(w, "correct flags per record", distribution(s, k, Measure::flags), row->flags);
      }

    for (const Count& c : s.counts)
      expect(where + ", " + kind_name(c.kind), std::string("records ") + name(c.property),
             static_cast<int>(selected(s, c.kind, c.property).size()), c.records);
    for (const Exactly& e : s.exactly)
      expect(where + ", " + kind_name(e.kind), std::string("records ") + name(e.property),
             selected(s, e.kind, e.property), e.records);

    for (const Distribution& d : s.distributions) {
      Dist actual = distribution(s, d.kind, d.measure, 0, 0, d.answers);
      if (!d.complete)
        std::erase_if(actual, [&d](const auto& kv) { return !d.values.contains(kv.first); });
      Dist expected = d.values;
      if (!d.complete)  // a value the table lists with 0 records does not show up at all
        std::erase_if(expected, [](const auto& kv) { return kv.second == 0; });
      const std::string with =
          d.answers ? ", with " + text(*d.answers) + " answers" : std::string();
      expect(where + ", " + kind_name(d.kind) + with, std::string("records by ") + name(d.measure),
             actual, expected);
    }
    for (const Bounds& b : s.bounds) {
      const Dist d = distribution(s, b.kind, b.measure);
      const std::string w = where + ", " + kind_name(b.kind);
      if (d.empty()) {
        fail(w, std::string("no record to measure the ") + name(b.measure));
        continue;
      }
      if (b.within) {
        within(s, b, w);
        continue;
      }
      expect(w, std::string("lowest ") + name(b.measure), d.begin()->first, b.lowest);
      expect(w, std::string("highest ") + name(b.measure), d.rbegin()->first, b.highest);
    }
    for (const Bounds& b : s.within) {
      const Dist d = distribution(s, b.kind, b.measure);
      if (!d.empty() && (d.begin()->first < b.lowest || d.rbegin()->first > b.highest))
        fail(where + ", " + kind_name(b.kind),
             std::string(name(b.measure)) + " runs from " + text(d.begin()->first) + " to " +
                 text(d.rbegin()->first) + ", table says within " + text(b.lowest) + " to " +
                 text(b.highest));
    }
    for (const std::vector<int>& group : s.one_check_key) one_check_key(group);
    if (s.characters_beyond_ascii)
      expect(
          where, "characters beyond ASCII", characters_beyond_ascii(s),
          std::vector<int>(s.characters_beyond_ascii->begin(), s.characters_beyond_ascii->end()));
    value_sets(s, where);
    if (s.explanation_sharing) explanation_sharing(s, *s.explanation_sharing, where);
    if (!s.check_keys.empty() || !s.setting_values.empty()) check_forms(s, where);
    for (const Sum& sum : s.sums) {
      int total = 0;
      for (const auto& [v, n] : distribution(s, sum.kind, sum.measure)) total += v * n;
      expect(where + ", " + kind_name(sum.kind), std::string("total ") + name(sum.measure), total,
             sum.total);
    }

    runs(s, where);
    category_kinds(s, where);
    if (s.page_drops)
      expect(where, "records with a page below an earlier one of their category", page_drops(s),
             *s.page_drops);
    answer_lengths(s, where);
    if (s.reference_sharing) reference_sharing(s, *s.reference_sharing, where);
    references(s, where);
    if (s.shared_questions)
      shared(s, where, "question", &QuestionRecord::Question, *s.shared_questions);
    if (s.shared_explanations)
      shared(s, where, "explanation", &QuestionRecord::Explanation, *s.shared_explanations);

    for (int r = s.first; r <= s.last; ++r) {
      const QuestionRecord& q = rec(r);
      const std::string w = "record " + text(r);
      const auto page = page_of(q);
      const size_t hashes = q.Reference.find("##");
      if (s.references == ReferenceForm::page_and_title &&
          (!page || hashes + 2 >= q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is not page, \"##\" and a section title");
      if (s.references == ReferenceForm::page_only && (!page || hashes + 2 != q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is not a page and \"##\" alone");
      if (s.references == ReferenceForm::page_only_or_empty && !q.Reference.empty() &&
          (!page || hashes + 2 != q.Reference.size()))
        fail(w, "reference \"" + q.Reference + "\" is neither empty nor a page and \"##\" alone");
      if (s.lab) {
        const std::string expected = kind_of(q) == Kind::sim ? *s.lab : "";
        expect(w, "ExhibitFile(2)", q.ExhibitFile[2], expected);
      }
    }
  }

  void explanation_sharing(const Section& s, const SharedTexts& expected,
                           const std::string& where) {
    std::map<std::string, int> holders;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Explanation.empty()) ++holders[rec(r).Explanation];
    SharedTexts actual{.smallest = 0, .largest = 0};
    for (const auto& [explanation, n] : holders) {
      if (n < 2) continue;
      ++actual.texts;
      actual.records += n;
      actual.smallest = actual.texts == 1 ? n : std::min(actual.smallest, n);
      actual.largest = std::max(actual.largest, n);
    }
    expect(where, "explanations shared by several records", actual.texts, expected.texts);
    expect(where, "records sharing an explanation", actual.records, expected.records);
    expect(where, "smallest group sharing an explanation", actual.smallest, expected.smallest);
    expect(where, "largest group sharing an explanation", actual.largest, expected.largest);
  }

  void check_forms(const Section& s, const std::string& where) {
    std::map<CheckKey, int> keys;
    std::map<CheckValue, int> values;
    for (int r = s.first; r <= s.last; ++r)
      if (kind_of(rec(r)) == Kind::sim)
        for (const auto& [key, value] : checks_of(rec(r))) {
          const CheckKey form = key_form(key, value);
          ++keys[form];
          if (form != CheckKey::command) ++values[value_form(value)];
        }
    if (!s.check_keys.empty())
      expect(where, "checks by the form of their key", forms_text(keys), forms_text(s.check_keys));
    if (!s.setting_values.empty())
      expect(where, "setting checks by the form of their value", forms_text(values),
             forms_text(s.setting_values));
  }

  // One key for the whole group, and a value of its own in each record.
  void one_check_key(const std::vector<int>& group) {
    std::set<std::string> keys, values;
    for (int r : group) {
      if (!valid_record(r)) return fail("record " + text(r), "is not loaded");
      for (const auto& [key, value] : checks_of(rec(r))) {
        keys.insert(key);
        if (!values.insert(value).second)
          fail("record " + text(r), "checks the value \"" + value + "\" of another record");
      }
    }
    if (keys.size() != 1)
      fail("records " + list_text(group),
           "check " + text(static_cast<int>(keys.size())) + " keys, table says one");
  }

  // The code points beyond ASCII of every text the section's records hold.
  std::vector<int> characters_beyond_ascii(const Section& s) const {
    std::set<int> found;
    for (int r = s.first; r <= s.last; ++r) {
      std::vector<std::string_view> texts = texts_of(rec(r));
      texts.push_back(rec(r).Clue);
      for (std::string_view t : texts)
        for (size_t i = 0; i < t.size(); ++i) {
          const auto c = static_cast<unsigned char>(t[i]);
          if (c < 0x80 || (c & 0xC0) == 0x80) continue;
          const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
          int point = c & (0x3F >> extra);
          for (int k = 1; k <= extra && i + k < t.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3F);
          found.insert(point);
        }
    }
    return {found.begin(), found.end()};
  }

  std::vector<int> page_drops(const Section& s) const {
    std::vector<int> out;
    std::map<int, int> highest;  // category -> highest page so far
    for (int r = s.first; r <= s.last; ++r) {
      const auto page = valid_record(r) ? page_of(rec(r)) : std::nullopt;
      if (!page) continue;
      const auto [at, first] = highest.try_emplace(rec(r).Category, *page);
      if (first) continue;
      if (*page < at->second) out.push_back(r);
      at->second = std::max(at->second, *page);
    }
    return out;
  }

  // How many different references there are, and which records share one with another
  // category.
  void references(const Section& s, const std::string& where) {
    std::map<std::string, std::vector<int>> users;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Reference.empty()) users[rec(r).Reference].push_back(r);
    if (s.distinct_references)
      expect(where, "different references", static_cast<int>(users.size()), *s.distinct_references);
    if (!s.references_across_categories) return;
    std::vector<int> across;
    for (const auto& [reference, group] : users)
      if (std::any_of(group.begin(), group.end(),
                      [&](int r) { return rec(r).Category != rec(group.front()).Category; }))
        across.insert(across.end(), group.begin(), group.end());
    std::sort(across.begin(), across.end());
    expect(where, "records sharing a reference with another category", across,
           *s.references_across_categories);
  }

  void answer_lengths(const Section& s, const std::string& where) {
    if (s.shortest_answer) {
      std::optional<int> shortest;
      for (int r = s.first; r <= s.last; ++r)
        for (int i = 1; i <= answer_count(rec(r)); ++i)
          shortest = std::min(shortest.value_or(chars(rec(r).Answer[i])), chars(rec(r).Answer[i]));
      expect(where, "shortest answer", shortest.value_or(0), *s.shortest_answer);
    }
    if (!s.answer_lengths) return;
    std::optional<int> shortest, longest;
    for (int r = s.first; r <= s.last; ++r)
      for (int i = 1; i <= answer_count(rec(r)); ++i) {
        const int n = chars(rec(r).Answer[i]);
        shortest = std::min(shortest.value_or(n), n);
        longest = std::max(longest.value_or(n), n);
      }
    expect(where, "shortest answer", shortest.value_or(0), s.answer_lengths->shortest);
    expect(where, "longest answer", longest.value_or(0), s.answer_lengths->longest);
  }

  void reference_sharing(const Section& s, const ReferenceSharing& sharing,
                         const std::string& where) {
    std::map<std::string, std::vector<int>> citing;
    for (int r = s.first; r <= s.last; ++r)
      if (!rec(r).Reference.empty()) citing[rec(r).Reference].push_back(r);
    Dist by_size;
    for (const auto& [reference, group] : citing) {
      ++by_size[static_cast<int>(group.size())];
      if (sharing.within_one_category && std::any_of(group.begin(), group.end(), [&](int r) {
            return rec(r).Category != rec(group.front()).Category;
          }))
        fail("records " + list_text(group), "share one reference across categories");
    }
    if (!sharing.records_per_reference.empty())
      expect(where, "references by the records citing each", by_size,
             sharing.records_per_reference);
  }

  void value_sets(const Section& s, const std::string& where) {
    for (const ValueSet& v : s.value_sets) {
      std::vector<int> occurring;
      for (const auto& [value, n] : distribution(s, v.kind, v.measure)) occurring.push_back(value);
      expect(where + ", " + kind_name(v.kind), std::string("values of the ") + name(v.measure),
             occurring, std::vector<int>(v.values.begin(), v.values.end()));
    }
  }

  void runs(const Section& s, const std::string& where) {
    if (s.runs.empty()) return;
    int covered = 0;
    for (const CategoryRun& run : s.runs) {
      const std::string w = where + ", category " + text(run.category);
      covered += run.last - run.first + 1;
      expect(w, "run length", run.last - run.first + 1, run.count);
      bool in_run = true;
      for (int r = run.first; r <= run.last; ++r)
        if (!valid_record(r) || rec(r).Category != run.category) in_run = false;
      if (!in_run)
        fail(w,
             "records " + text(run.first) + "-" + text(run.last) + " are not all in the category");
      int total = 0;
      for (int r = s.first; r <= s.last; ++r)
        if (rec(r).Category == run.category) ++total;
      expect(w, "records in the category", total, run.count);
      Section one{.first = run.first, .last = run.last};
      expect(w, "multiple-answer records",
             static_cast<int>(selected(one, Kind::multi, Property::always).size()), run.multi);
      expect(w, "records with 5 or 6 answers",
             static_cast<int>(selected(one, Kind::any, Property::five_or_six_answers).size()),
             run.five_or_six);
      expect(w, "records with an explanation",
             static_cast<int>(selected(one, Kind::any, Property::has_explanation).size()),
             run.with_explanation);
      Dist pages;
      for (int r = run.first; r <= run.last; ++r)
        if (valid_record(r) &&
            std::find(run.off_range.begin(), run.off_range.end(), r) == run.off_range.end())
          if (const auto page = page_of(rec(r))) ++pages[*page];
      if (pages.empty()) {
        fail(w, "no reference pages");
      } else {
        expect(w, "lowest page", pages.begin()->first, run.page_lowest);
        expect(w, "highest page", pages.rbegin()->first, run.page_highest);
      }
      if (run.blank_after_hashes)
        expect(w, "references with a blank after \"##\"",
               static_cast<int>(selected(one, Kind::any, Property::blank_after_hashes).size()),
               *run.blank_after_hashes);
    }
    expect(where, "records covered by the category runs", covered, s.last - s.first + 1);
  }

  void category_kinds(const Section& s, const std::string& where) {
    if (s.category_kinds.empty()) return;
    int covered = 0;
    for (const CategoryKinds& row : s.category_kinds) {
      const std::string w = where + ", category " + text(row.category);
      covered += row.records;
      std::map<Kind, int> by_kind;
      int total = 0;
      for (int r = s.first; r <= s.last; ++r)
        if (rec(r).Category == row.category) {
          ++total;
          ++by_kind[kind_of(rec(r))];
        }
      expect(w, "records", total, row.records);
      const std::pair<Kind, std::optional<int>> columns[] = {{Kind::single, row.single},
                                                             {Kind::multi, row.multi},
                                                             {Kind::fill, row.fill},
                                                             {Kind::dnd, row.dnd},
                                                             {Kind::sim, row.sim}};
      for (const auto& [k, expected] : columns)
        if (expected) expect(w, std::string(kind_name(k)) + " records", by_kind[k], *expected);
      if (row.page_lowest || row.page_highest) category_pages(s, row, w);
    }
    expect(where, "records in the categories of the table", covered, s.last - s.first + 1);
  }

  void category_pages(const Section& s, const CategoryKinds& row, const std::string& w) {
    Dist pages;
    for (int r = s.first; r <= s.last; ++r)
      if (rec(r).Category == row.category &&
          std::find(row.off_range.begin(), row.off_range.end(), r) == row.off_range.end())
        if (const auto page = page_of(rec(r))) ++pages[*page];
    if (pages.empty()) return fail(w, "no reference pages");
    if (row.page_lowest) expect(w, "lowest page", pages.begin()->first, *row.page_lowest);
    if (row.page_highest) expect(w, "highest page", pages.rbegin()->first, *row.page_highest);
  }

  // The records of the section grouped by one text field: the groups of more than one
  // record must be exactly `groups`.
  void shared(const Section& s, const std::string& where, const std::string& what,
              std::string QuestionRecord::*field, const std::vector<std::vector<int>>& groups) {
    std::map<std::string, std::vector<int>> by_text;
    for (int r = s.first; r <= s.last; ++r) by_text[rec(r).*field].push_back(r);
    std::vector<std::vector<int>> actual;
    for (const auto& [text, records] : by_text)
      if (records.size() > 1) actual.push_back(records);
    std::vector<std::vector<int>> expected = groups;
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    if (actual != expected)
      fail(where, "records sharing one " + what + " are " + groups_text(actual) + ", table says " +
                      groups_text(expected));
  }

  static std::string groups_text(const std::vector<std::vector<int>>& groups) {
    std::string out;
    for (const std::vector<int>& g : groups) out += (out.empty() ? "" : " ") + list_text(g);
    return out.empty() ? "none" : out;
  }

  void fact(const RecordFact& f) {
    const std::string w = "record " + text(f.record);
    if (!valid_record(f.record)) return fail(w, "is not loaded");
    const QuestionRecord& q = rec(f.record);
    if (f.kind && kind_of(q) != *f.kind)
      fail(w, std::string("is ") + kind_name(kind_of(q)) + ", table says " + kind_name(*f.kind));
    if (f.answers) expect(w, "answers", answer_count(q), *f.answers);
    if (f.correct) expect(w, "correct answers", flagged(q), *f.correct);
    if (f.flags) expect(w, "correct flags", static_cast<int>(flagged(q).size()), *f.flags);
    if (f.explanation)
      expect(w, "explanation", std::string(q.Explanation.empty() ? "empty" : "set"),
             std::string(*f.explanation ? "set" : "empty"));
    if (f.page) expect(w, "reference page", page_of(q).value_or(-1), *f.page);
    if (f.blank_after_hashes)
      expect(w, "blank after \"##\"",
             std::string(holds(q, Property::blank_after_hashes) ? "yes" : "no"),
             std::string(*f.blank_after_hashes ? "yes" : "no"));
    if (f.category) expect(w, "category", int{q.Category}, *f.category);
    if (f.answer1) expect(w, "Answer(1)", q.Answer[1], *f.answer1);
    if (f.lab) expect(w, "ExhibitFile(2)", q.ExhibitFile[2], *f.lab);
    if (f.clue_lines)
      expect(w, "clue lines", measure(q, Measure::clue_lines).value_or(0), *f.clue_lines);
    if (f.spellings || f.capitalised_lower_upper) spellings(q, f, w);
    if (f.explanation_length)
      expect(w, "explanation length", chars(q.Explanation), *f.explanation_length);
    if (f.same_question_as) {
      const int o = *f.same_question_as;
      if (!valid_record(o))
        fail(w, "record " + text(o) + " is not loaded");
      else if (q.Question != rec(o).Question)
        fail(w, "question differs from the question of record " + text(o));
      else if (q.Explanation == rec(o).Explanation)
        fail(w, "explanation is the explanation of record " + text(o));
    }
    if (f.question_length) expect(w, "question length", chars(q.Question), *f.question_length);
    if (f.same_reference_as) {
      const int o = *f.same_reference_as;
      if (!valid_record(o))
        fail(w, "record " + text(o) + " is not loaded");
      else if (q.Reference != rec(o).Reference)
        fail(w, "reference differs from the reference of record " + text(o));
    }
    if (f.answer_length)
      for (int i = 1; i <= answer_count(q); ++i)
        expect(w, "length of answer " + text(i), chars(q.Answer[i]), *f.answer_length);
    if (f.answer_texts)
      for (int i = 1; i <= 6; ++i) {
        const size_t slot = static_cast<size_t>(i - 1);
        expect(w, "Answer(" + text(i) + ")", q.Answer[i],
               slot < f.answer_texts->size() ? (*f.answer_texts)[slot] : std::string());
      }
    if (f.forms) forms(q, *f.forms, w);
    if (f.clue) expect(w, "Clue", q.Clue, *f.clue);
    if (f.clue_length) expect(w, "clue length", chars(q.Clue), *f.clue_length);
    if (f.exhibit) expect(w, "ExhibitFile(1)", q.ExhibitFile[1], *f.exhibit);
    if (f.picture) expect(w, "DiagramFile(1)", q.DiagramFile[1], *f.picture);
    if (f.command_checks)
      expect(w, "command checks", measure(q, Measure::command_checks).value_or(-1),
             *f.command_checks);
    if (f.explanation_lines)
      expect(w, "explanation lines", measure(q, Measure::explanation_lines).value_or(0),
             *f.explanation_lines);
    if (f.same_explanation_as)
      same_as(w, *f.same_explanation_as, "explanation",
              [&](int o) { return q.Explanation == rec(o).Explanation; });
    if (f.same_answers_as)
      same_as(w, *f.same_answers_as, "answers", [&](int o) {
        for (int i = 1; i <= 6; ++i)
          if (q.Answer[i] != rec(o).Answer[i]) return false;
        return true;
      });
  }

  template <class Same>
  void same_as(const std::string& w, int other, const char* what, Same same) {
    if (!valid_record(other)) return fail(w, "record " + text(other) + " is not loaded");
    if (!same(other)) fail(w, std::string(what) + " differ from those of record " + text(other));
  }

  void forms(const QuestionRecord& q, const std::vector<Form>& forms, const std::string& w) {
    expect(w, "answers", answer_count(q), static_cast<int>(forms.size()));
    std::set<std::string> numbers;
    for (size_t i = 0; i < forms.size() && i < 6; ++i) {
      const std::string& a = q.Answer[i + 1];
      if (!has_form(a, forms[i]))
        fail(w, "answer " + text(static_cast<int>(i + 1)) + " \"" + a + "\" is not " +
                    form_name(forms[i]));
      if (forms[i] == Form::numeral || forms[i] == Form::grouped_numeral) {
        std::string digits = a;
        std::erase(digits, ',');
        numbers.insert(digits);
      }
    }
    if (numbers.size() > 1) fail(w, "its numerals name different numbers");
  }

  void spellings(const QuestionRecord& q, const RecordFact& f, const std::string& w) {
    std::map<std::string, std::set<std::string>> by_spelling;
    for (int i = 1; i <= 6; ++i)
      if (!q.Answer[i].empty()) by_spelling[lower(q.Answer[i])].insert(q.Answer[i]);
    if (f.spellings) expect(w, "spellings", static_cast<int>(by_spelling.size()), *f.spellings);
    if (f.capitalised_lower_upper && *f.capitalised_lower_upper)
      for (const auto& [low, written] : by_spelling) {
        std::string capitalised = low;
        capitalised[0] =
            static_cast<char>(std::toupper(static_cast<unsigned char>(capitalised[0])));
        const std::set<std::string> expected = {capitalised, low, upper(low)};
        if (written != expected || answer_count(q) != 3 * static_cast<int>(by_spelling.size()))
          fail(w, "\"" + low +
                      "\" is not written exactly capitalised, in lower case and in upper case");
      }
  }

  void equal(const EqualRun& e) {
    const auto other = load_module(e.module);
    if (!other) return fail("records", "module " + e.module + " is not built in");
    for (int r = e.first; r <= e.last; ++r) {
      const int s = e.source_first + (r - e.first);
      if (!valid_record(r) || s > other->question_count) {
        fail("record " + text(r), "has no counterpart in " + e.module);
        continue;
      }
      QuestionRecord expected = other->questions[s];
      if (const auto to = e.categories.find(expected.Category); to != e.categories.end())
        expected.Category = static_cast<int16_t>(to->second);
      excepted(e, r, expected);
      const std::string diff = bank_field_differences(rec(r), expected);
      if (!diff.empty())
        fail("record " + text(r),
             "differs from record " + text(s) + " of " + e.module + " in " + diff);
    }
  }

  // The documented differences of record r from its source record, applied to that record.
  void excepted(const EqualRun& e, int r, QuestionRecord& expected) {
    const std::string w = "record " + text(r);
    if (const auto type = e.types.find(r); type != e.types.end()) {
      if (expected.Type == type->second) fail(w, "is typed " + type->second + " in its source too");
      expected.Type = type->second;
    }
    if (e.flags_cleared.contains(r)) {
      if (flagged(expected).empty()) fail(w, "has no correct flags in its source either");
      for (int i = 1; i <= 6; ++i) expected.Correct[i] = 0;
    }
  }

  void shared_explanations(const SharedExplanations& shared) {
    std::map<std::string, std::vector<int>> by_text;
    for (int r = 1; r <= std::min<int>(g_.question_count, 1000); ++r)
      if (!rec(r).Explanation.empty()) by_text[rec(r).Explanation].push_back(r);
    int largest = 0;
    for (const auto& [explanation, group] : by_text) {
      largest = std::max(largest, static_cast<int>(group.size()));
      const bool one_category = std::all_of(group.begin(), group.end(), [&](int r) {
        return rec(r).Category == rec(group.front()).Category;
      });
      if (shared.within_one_category && !one_category)
        fail("records " + list_text(group), "share one explanation across categories");
    }
    expect("explanations", "largest group of records sharing one", largest, shared.largest);
  }

  const Shared& g_;
  const BankFigures& f_;
  std::vector<std::string> failures_;
};

}  // namespace

std::vector<std::string> check_figures(const Shared& g, const BankFigures& f,
                                       const std::string& feedback_before) {
  return Checker(g, f).run(feedback_before);
}

std::vector<std::string> validate_module(const BankFigures& f) {
  const std::string before = "before-the-load@example.invalid";
  auto g = std::make_unique<Shared>();
  g->feedback_address = before;
  if (!load_into(*g, f.module)) return {f.module + ": not built in"};
  return check_figures(*g, f, before);
}

}  // namespace pv::bankcheck
