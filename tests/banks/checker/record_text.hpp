// Reading one question record as the bank tests see it: its kind by its encoding, its
// answers and flags, and what its texts hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/shared.hpp"

namespace pv::bankcheck {

inline constexpr std::string_view kRsquo = "\xE2\x80\x99";
inline constexpr std::string_view kEacute = "\xC3\xA9";
inline constexpr std::string_view kNdash = "\xE2\x80\x93";

// A record's kind, by its encoding.
enum class Kind { any, single, multi, fill, dnd, sim };
Kind kind_of(const QuestionRecord& q);
const char* kind_name(Kind k);

// Characters (code points) of UTF-8 text.
int chars(std::string_view s);
// The lines of a text whose lines are joined by CR LF.
std::vector<std::string> crlf_lines(std::string_view s);
int count_of(std::string_view s, std::string_view part);
// Slots 1 to 6 that hold an answer / carry a flag.
int answer_count(const QuestionRecord& q);
std::vector<int> flagged(const QuestionRecord& q);
// Answers holding the character / whose text passes the test.
int answers_holding(const QuestionRecord& q, char c);
template <class Test>
int answers_where(const QuestionRecord& q, Test test) {
  int n = 0;
  for (int i = 1; i <= 6; ++i)
    if (test(q.Answer[i])) ++n;
  return n;
}

// The page number a reference begins with, before its "##".
std::optional<int> page_of(const QuestionRecord& q);
// The checks of a simulator task, split at their first "=".
std::vector<std::pair<std::string, std::string>> checks_of(const QuestionRecord& q);
// "executed_" and a command's words, "true".
bool command_check(const std::string& key, const std::string& value);
// Checks whose value begins with a blank / whose key has a capital letter.
int blank_value_checks(const QuestionRecord& q);
int capital_key_checks(const QuestionRecord& q);
// The text fields a bank sets, the clue apart.
std::vector<std::string_view> texts_of(const QuestionRecord& q);

bool contains(std::string_view s, std::string_view part);
bool beyond_ascii(std::string_view s);
// "<", ">" or "&".
bool has_markup(std::string_view s);
// A tag other than "<br>" or an entity other than "&gt;" and "&lt;".
bool tags_beyond_br(std::string_view s);
// An HTML entity, "&name;".
bool holds_entity(std::string_view s);
bool all_of_chars(std::string_view s, std::string_view allowed);
bool ends_with(std::string_view s, std::string_view end);
// A diagram picture's file name, not one of the markers of a task.
bool is_picture(const std::string& s);

// Text fields with an odd number of straight double quotes.
int odd_quote_texts(const QuestionRecord& q);
// Exactly two answers, "True" and "False".
bool is_true_or_false(const QuestionRecord& q);
// "Answer b is correct." or "Answers a, c and e are correct."; "True." or "False." on a
// true-or-false record.
bool names_flags(const QuestionRecord& q);
// "Answer a is correct ... Answer b is wrong ..." for every answer, in order, calling
// exactly the flagged ones correct.
bool judges_each_answer(const QuestionRecord& q);
// Two texts that are the same but for letter case.
bool same_but_case(const std::string& a, const std::string& b);
// The clue's lines as the explanation shows them: "&gt;" and "&lt;", joined by "<br>".
std::string clue_as_html(const QuestionRecord& q);
// The clue types exactly the checked commands, between "configure terminal" and the bare
// configuration prompt.
bool types_the_checks(const QuestionRecord& q);
// "<br>"-joined lines in groups of two, the groups separated by one empty line.
bool pairs_items(const QuestionRecord& q);
// CR or LF in any text field the bank sets.
bool any_cr_or_lf(const QuestionRecord& q);
// The clue's last line is a prompt alone.
bool ends_with_prompt(const QuestionRecord& q);

}  // namespace pv::bankcheck
