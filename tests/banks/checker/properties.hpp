// The facts and numbers a figure table states of records, one row each: the name the tables
// use, the words a failure line names it by, and how it is read off a record.
#pragma once

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "banks/checker/record_text.hpp"
#include "core/shared.hpp"

namespace pv::bankcheck {

// A yes-or-no fact about one record.
struct Property {
  const char* text = "";
  bool (*holds)(const QuestionRecord&) = nullptr;
};

// A number measured on one record; nullopt where the measure does not apply.
struct Measure {
  const char* text = "";
  std::optional<int> (*of)(const QuestionRecord&) = nullptr;
};

namespace properties {

using Q = const QuestionRecord&;

inline constexpr Property always{"of the kind", [](Q) { return true; }};
inline constexpr Property has_explanation{"with an explanation",
                                          [](Q q) { return !q.Explanation.empty(); }};
inline constexpr Property has_clue{"with a clue", [](Q q) { return !q.Clue.empty(); }};
// "<" or "&" in the explanation.
inline constexpr Property explanation_has_markup{
    "with markup in the explanation", [](Q q) {
      return q.Explanation.find_first_of("<>") != std::string::npos ||
             contains(q.Explanation, "&gt;") || contains(q.Explanation, "&lt;") ||
             tags_beyond_br(q.Explanation);
    }};
// A tag other than "<br>" or an entity other than &gt; &lt;.
inline constexpr Property markup_other_than_br{
    "with a tag other than <br> or an entity other than &gt; &lt;",
    [](Q q) { return tags_beyond_br(q.Question) || tags_beyond_br(q.Explanation); }};
inline constexpr Property question_has_br{"with <br> in the question",
                                          [](Q q) { return contains(q.Question, "<br>"); }};
inline constexpr Property question_has_quote{"with a double quote in the question",
                                             [](Q q) { return contains(q.Question, "\""); }};
inline constexpr Property explanation_has_quote{"with a double quote in the explanation",
                                                [](Q q) { return contains(q.Explanation, "\""); }};
inline constexpr Property explanation_has_rsquo{
    "with U+2019 in the explanation", [](Q q) { return contains(q.Explanation, kRsquo); }};
// In the question or the explanation.
inline constexpr Property text_has_rsquo{
    "with U+2019 in the question or explanation",
    [](Q q) { return contains(q.Question, kRsquo) || contains(q.Explanation, kRsquo); }};
inline constexpr Property answer_has_eacute{
    "with U+00E9 in an answer", [](Q q) {
      return answers_where(q, [](const std::string& a) { return contains(a, kEacute); }) > 0;
    }};
// In any field the bank sets.
inline constexpr Property non_ascii{"with characters beyond ASCII", [](Q q) {
                                      const std::vector<std::string_view> texts = texts_of(q);
                                      return beyond_ascii(q.Clue) ||
                                             std::any_of(texts.begin(), texts.end(), beyond_ascii);
                                    }};
// The reference's section title follows "## ".
inline constexpr Property blank_after_hashes{"with a blank after \"##\"",
                                             [](Q q) { return contains(q.Reference, "## "); }};
inline constexpr Property five_or_six_answers{"with 5 or 6 answers",
                                              [](Q q) { return answer_count(q) >= 5; }};
inline constexpr Property typed_single_answer{"typed single_answer",
                                              [](Q q) { return q.Type == "single_answer"; }};
inline constexpr Property typed_multi_answer{"typed multi_answer",
                                             [](Q q) { return q.Type == "multi_answer"; }};
inline constexpr Property typed_fill_in_the_blank{
    "typed fill_in_the_blank", [](Q q) { return q.Type == "fill_in_the_blank"; }};
// A diagram picture in DiagramFile(1) to (3).
inline constexpr Property has_picture{
    "with a diagram picture", [](Q q) {
      return is_picture(q.DiagramFile[1]) || !q.DiagramFile[2].empty() || !q.DiagramFile[3].empty();
    }};
// An exhibit file in ExhibitFile(1) or (3).
inline constexpr Property has_exhibit{
    "with an exhibit file",
    [](Q q) { return !q.ExhibitFile[1].empty() || !q.ExhibitFile[3].empty(); }};
// ExhibitFile(2).
inline constexpr Property has_lab{"with a lab", [](Q q) { return !q.ExhibitFile[2].empty(); }};
inline constexpr Property explanation_starts_with_br{
    "whose explanation begins with <br>", [](Q q) { return q.Explanation.rfind("<br>", 0) == 0; }};
inline constexpr Property clue_starts_with_empty_line{
    "whose clue begins with an empty line", [](Q q) { return q.Clue.rfind("\r\n", 0) == 0; }};
inline constexpr Property clue_ends_with_line_break{"whose clue ends with a line break",
                                                    [](Q q) { return ends_with(q.Clue, "\r\n"); }};
// A check whose value begins with a blank.
inline constexpr Property has_blank_value{"with a check value beginning with a blank",
                                          [](Q q) { return blank_value_checks(q) > 0; }};
// A check whose key has a capital letter.
inline constexpr Property has_capital_key{"with a capital in a check key",
                                          [](Q q) { return capital_key_checks(q) > 0; }};
// "<", ">" or "&" in the question / in an answer.
inline constexpr Property question_has_markup{"with markup in the question",
                                              [](Q q) { return has_markup(q.Question); }};
inline constexpr Property answer_has_markup{
    "with markup in an answer",
    [](Q q) { return answers_where(q, [](const std::string& a) { return has_markup(a); }) > 0; }};
// CR or LF in any text field but the clue (the question, the answers, the explanation, the
// reference, the type and the file names).
inline constexpr Property has_line_end{
    "with a CR or LF outside the clue", [](Q q) {
      const std::vector<std::string_view> texts = texts_of(q);
      return std::any_of(texts.begin(), texts.end(), [](std::string_view t) {
        return t.find_first_of("\r\n") != std::string_view::npos;
      });
    }};
// Exactly two answers, "True" and "False".
inline constexpr Property true_or_false{"answered True or False",
                                        [](Q q) { return is_true_or_false(q); }};
// The explanation opens by naming exactly the flagged answers, by letter (a to f for slots 1
// to 6): "Answer c is correct." or "Answers a, c and e are correct."; on a true-or-false
// record, the flagged word and a full stop: "False." or "True.".
inline constexpr Property explanation_names_flags{
    "whose explanation opens by naming exactly the flagged answers",
    [](Q q) { return names_flags(q); }};
// The explanation takes the answers in order, "Answer a is correct", "Answer b is wrong" and
// so on, and calls exactly the flagged ones correct.
inline constexpr Property explanation_judges_each_answer{
    "whose explanation judges each answer in turn as the flags do",
    [](Q q) { return judges_each_answer(q); }};
// "&lt;" or "&gt;" in the explanation.
inline constexpr Property explanation_has_entity{
    "with &lt; or &gt; in the explanation",
    [](Q q) { return contains(q.Explanation, "&lt;") || contains(q.Explanation, "&gt;"); }};
inline constexpr Property reference_empty{"with an empty reference",
                                          [](Q q) { return q.Reference.empty(); }};
// Two answers that are the same text but for letter case.
inline constexpr Property answers_differ_only_in_case{
    "with two answers that differ only in letter case", [](Q q) {
      for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j)
          if (same_but_case(q.Answer[i], q.Answer[j])) return true;
      return false;
    }};
// The entity "&lt;" in the explanation.
inline constexpr Property explanation_has_lt{"with &lt; in the explanation",
                                             [](Q q) { return contains(q.Explanation, "&lt;"); }};
// In any text field the bank sets.
inline constexpr Property has_cr_or_lf{"with CR or LF in a text",
                                       [](Q q) { return any_cr_or_lf(q); }};
// A straight double quote in an answer.
inline constexpr Property answer_has_quote{"with a double quote in an answer",
                                           [](Q q) { return answers_holding(q, '"') > 0; }};
// A text field with an odd number of straight double quotes.
inline constexpr Property odd_quotes{"with an odd number of double quotes in one text",
                                     [](Q q) { return odd_quote_texts(q) > 0; }};
inline constexpr Property explanation_has_ampersand{
    "with \"&\" in the explanation", [](Q q) { return contains(q.Explanation, "&"); }};
// An HTML entity ("&name;") in any text field.
inline constexpr Property has_entity{
    "with an HTML entity", [](Q q) {
      const std::vector<std::string_view> texts = texts_of(q);
      return std::any_of(texts.begin(), texts.end(), holds_entity) || holds_entity(q.Clue);
    }};
inline constexpr Property question_non_ascii{"with characters beyond ASCII in the question",
                                             [](Q q) { return beyond_ascii(q.Question); }};
inline constexpr Property clue_over_400{"with a clue longer than 400 characters",
                                        [](Q q) { return chars(q.Clue) > 400; }};
// A simulator task whose explanation is not exactly its clue's lines as HTML.
inline constexpr Property transcript_forms_differ{
    "whose explanation is not its clue as HTML",
    [](Q q) { return kind_of(q) == Kind::sim && q.Explanation != clue_as_html(q); }};
// A simulator task whose clue types exactly its checked commands: a user prompt and
// "enable", the privileged prompt and "configure terminal", one line of reply, then for each
// check "executed_<command, "_" for its blanks>=true", in check order, a configuration
// prompt and that command, and last the bare configuration prompt.
inline constexpr Property transcript_types_the_checks{
    "whose transcript types exactly their checked commands",
    [](Q q) { return kind_of(q) == Kind::sim && types_the_checks(q); }};
// The explanation pairs items with their matches: "<br>"-joined lines in groups of two (the
// item, then its match), the groups separated by one empty line.
inline constexpr Property explanation_pairs_items{
    "whose explanation pairs items with their matches", [](Q q) { return pairs_items(q); }};
inline constexpr Property question_has_rsquo{"with U+2019 in the question",
                                             [](Q q) { return contains(q.Question, kRsquo); }};
inline constexpr Property explanation_non_ascii{"with characters beyond ASCII in the explanation",
                                                [](Q q) { return beyond_ascii(q.Explanation); }};
inline constexpr Property question_over_400{"with a question longer than 400 characters",
                                            [](Q q) { return chars(q.Question) > 400; }};
inline constexpr Property explanation_ends_with_br{
    "whose explanation ends with <br>", [](Q q) { return ends_with(q.Explanation, "<br>"); }};
// The clue's last line is a prompt alone ("R1(config-if)#"), not a command or output.
inline constexpr Property clue_ends_with_prompt{"whose clue ends with a prompt alone",
                                                [](Q q) { return ends_with_prompt(q); }};
// Every answer the record has carries a flag.
inline constexpr Property all_answers_flagged{
    "with every answer flagged", [](Q q) {
      return answer_count(q) > 0 && static_cast<int>(flagged(q).size()) == answer_count(q);
    }};

}  // namespace properties

namespace measures {

using Q = const QuestionRecord&;
using N = std::optional<int>;

inline constexpr Measure answers{"answers", [](Q q) -> N { return answer_count(q); }};
inline constexpr Measure flags{"correct flags",
                               [](Q q) -> N { return static_cast<int>(flagged(q).size()); }};
// The flagged slot of a record with one flag.
inline constexpr Measure correct_slot{"slot of the correct answer", [](Q q) -> N {
                                        const std::vector<int> slots = flagged(q);
                                        if (slots.size() != 1) return std::nullopt;
                                        return slots.front();
                                      }};
// The page number of the reference.
inline constexpr Measure page{"reference page", [](Q q) -> N { return page_of(q); }};
// "<br>" in the question.
inline constexpr Measure question_br{"<br> in the question",
                                     [](Q q) -> N { return count_of(q.Question, "<br>"); }};
// In characters.
inline constexpr Measure question_length{"question length",
                                         [](Q q) -> N { return chars(q.Question); }};
// In characters, of a non-empty explanation.
inline constexpr Measure explanation_length{"explanation length", [](Q q) -> N {
                                              if (q.Explanation.empty()) return std::nullopt;
                                              return chars(q.Explanation);
                                            }};
// Of a non-empty clue.
inline constexpr Measure clue_lines{"clue lines", [](Q q) -> N {
                                      if (q.Clue.empty()) return std::nullopt;
                                      return static_cast<int>(crlf_lines(q.Clue).size());
                                    }};
inline constexpr Measure category{"category", [](Q q) -> N { return q.Category; }};
inline constexpr Measure blank_values{"check values beginning with a blank",
                                      [](Q q) -> N { return blank_value_checks(q); }};
inline constexpr Measure capital_keys{"check keys with a capital",
                                      [](Q q) -> N { return capital_key_checks(q); }};
// "<br>" in the explanation.
inline constexpr Measure explanation_br{"<br> in the explanation",
                                        [](Q q) -> N { return count_of(q.Explanation, "<br>"); }};
// Double quotes in the question and the explanation.
inline constexpr Measure quotes{"double quotes in the question and explanation", [](Q q) -> N {
                                  return count_of(q.Question, "\"") + count_of(q.Explanation, "\"");
                                }};
// Answers holding U+2013.
inline constexpr Measure answers_with_ndash{
    "answers with U+2013", [](Q q) -> N {
      return answers_where(q, [](const std::string& a) { return contains(a, kNdash); });
    }};
// In characters, of a non-empty reference.
inline constexpr Measure reference_length{"reference length", [](Q q) -> N {
                                            if (q.Reference.empty()) return std::nullopt;
                                            return chars(q.Reference);
                                          }};
// Of 350 characters, the last one shorter, of a non-empty explanation.
inline constexpr Measure explanation_pieces{"350-character pieces of the explanation",
                                            [](Q q) -> N {
                                              if (q.Explanation.empty()) return std::nullopt;
                                              return (chars(q.Explanation) + 349) / 350;
                                            }};
// In characters, of a non-empty clue.
inline constexpr Measure clue_length{"clue length", [](Q q) -> N {
                                       if (q.Clue.empty()) return std::nullopt;
                                       return chars(q.Clue);
                                     }};
// Answers * 10 + correct flags: 63 is six answers, three of them flagged.
inline constexpr Measure answers_and_flags{
    "answers * 10 + correct flags",
    [](Q q) -> N { return answer_count(q) * 10 + static_cast<int>(flagged(q).size()); }};
// Answers holding a straight double quote / "&".
inline constexpr Measure quoted_answers{"answers with a double quote",
                                        [](Q q) -> N { return answers_holding(q, '"'); }};
inline constexpr Measure ampersand_answers{"answers with \"&\"",
                                           [](Q q) -> N { return answers_holding(q, '&'); }};
// Text fields with an odd number of straight double quotes.
inline constexpr Measure odd_quote_texts{"texts with an odd number of double quotes", [](Q q) -> N {
                                           return pv::bankcheck::odd_quote_texts(q);
                                         }};
// Answers holding a character beyond ASCII.
inline constexpr Measure answers_non_ascii{
    "answers with characters beyond ASCII", [](Q q) -> N {
      return answers_where(q, [](const std::string& a) { return beyond_ascii(a); });
    }};
// Answers holding "<br>".
inline constexpr Measure answers_with_br{
    "answers with <br>", [](Q q) -> N {
      return answers_where(q, [](const std::string& a) { return contains(a, "<br>"); });
    }};
// Double quotes in the question, the explanation and the clue.
inline constexpr Measure all_quotes{
    "double quotes in the question, explanation and clue", [](Q q) -> N {
      return count_of(q.Question, "\"") + count_of(q.Explanation, "\"") + count_of(q.Clue, "\"");
    }};
// The character where "##" begins in the reference, counted from 1.
inline constexpr Measure hashes_at{"character where \"##\" begins", [](Q q) -> N {
                                     const size_t at = q.Reference.find("##");
                                     if (at == std::string::npos) return std::nullopt;
                                     return static_cast<int>(at) + 1;
                                   }};
// Of a simulator task: its command checks ("executed_" and a command's words, "true").
inline constexpr Measure command_checks{"command checks", [](Q q) -> N {
                                          if (kind_of(q) != Kind::sim) return std::nullopt;
                                          int n = 0;
                                          for (const auto& [key, value] : checks_of(q))
                                            n += command_check(key, value) ? 1 : 0;
                                          return n;
                                        }};
// In characters, of the longest check value of a record with checks.
inline constexpr Measure check_value_length{"length of the longest check value", [](Q q) -> N {
                                              if (kind_of(q) != Kind::sim) return std::nullopt;
                                              int longest = 0;
                                              for (const auto& [key, value] : checks_of(q))
                                                longest = std::max(longest, chars(value));
                                              return longest;
                                            }};
// Of a non-empty explanation, its lines between "<br>".
inline constexpr Measure explanation_lines{"explanation lines", [](Q q) -> N {
                                             if (q.Explanation.empty()) return std::nullopt;
                                             return count_of(q.Explanation, "<br>") + 1;
                                           }};
// Double quotes in the answers.
inline constexpr Measure answer_quotes{"double quotes in the answers", [](Q q) -> N {
                                         int n = 0;
                                         for (int i = 1; i <= 6; ++i)
                                           n += count_of(q.Answer[i], "\"");
                                         return n;
                                       }};

}  // namespace measures

// The names the figure tables write them by.
namespace P = properties;
namespace M = measures;

}  // namespace pv::bankcheck
