// The documented figures of the ZUM CD-ROM bank, PB_ZUM_Velto.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

constexpr const char* kFillClue = "Do Not Abbreviate Commands";

// Fill-in: accepted forms, each a spelling of its own, flags, exhibit ("" for none).
RecordFact fill_in(int record, int forms, int flags, const char* exhibit) {
  RecordFact f = fill_flags(record, forms, flags);
  f.spellings = forms;
  f.clue = kFillClue;
  f.exhibit = exhibit;
  return f;
}

RecordFact exercise(int record, const char* number) {
  RecordFact f = dnd(record, number);
  f.clue = "";
  return f;
}

// A simulator task: its lab, its checks and the lines of its transcript.
RecordFact task(int record, const char* lab, int checks, int clue_lines) {
  RecordFact f = stored(sim(record, checks, 13, lab));
  f.clue_lines = clue_lines;
  return f;
}

// The records of each category, as the category list gives them.
const std::vector<std::pair<int, std::vector<int>>>& category_records() {
  static const std::vector<std::pair<int, std::vector<int>>> list = {
      {1, {5, 6, 11, 24, 25, 35, 48, 79, 84, 85, 91, 92}},
      {2, {12, 13, 14}},
      {3, {1, 32, 56, 60, 93}},
      {4, {44, 94}},
      {5, {23, 33, 77, 83}},
      {6, {16, 17, 18, 19, 20, 21, 95}},
      {7, {37, 38, 39, 40, 41, 45, 76, 81, 96, 98}},
      {8, {7, 29, 36, 43, 47, 82, 97}},
      {9, {2, 8, 9, 10, 15, 22, 27, 42, 46, 49, 50, 52, 58, 99, 100}},
      {10, {30, 34, 51, 53, 55}},
      {11, {28, 54, 57, 59, 78, 80}},
      {12, {3, 4, 26, 31}},
      {13, joined({records(61, 75), records(86, 90)})},
  };
  return list;
}

RecordFact picture(int record, const char* file, int page) {
  return {.record = record, .page = page, .category = 6, .picture = file};
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // Single choice, by answers shown and the flagged slot.
      choice(1, 5, {4}),
      choice(2, 6, {6}),
      choice(3, 2, {2}),
      choice(4, 2, {2}),
      choice(12, 4, {2}),
      choice(13, 4, {2}),
      choice(14, 4, {3}),
      choice(15, 4, {2}),
      choice(16, 6, {3}),
      choice(17, 6, {4}),
      choice(18, 5, {4}),
      choice(19, 4, {1}),
      choice(20, 4, {1}),
      choice(22, 4, {2}),
      choice(23, 4, {4}),
      choice(24, 3, {2}),
      choice(26, 5, {2}),
      choice(27, 5, {4}),
      choice(28, 4, {4}),
      choice(29, 4, {3}),
      choice(30, 6, {4}),
      choice(32, 6, {3}),
      choice(33, 4, {4}),
      choice(34, 6, {4}),
      choice(35, 4, {3}),
      choice(37, 6, {5}),
      choice(38, 4, {2}),
      choice(39, 6, {3}),
      choice(41, 4, {3}),
      choice(44, K::single, 6, {1, 5, 6}),
      choice(48, 6, {5}),
      choice(50, 6, {5}),
      choice(51, 4, {3}),
      choice(53, 6, {4}),
      choice(54, 2, {1}),
      choice(55, 4, {2}),
      choice(56, 6, {5}),
      choice(58, 6, {5}),
      choice(59, 2, {2}),
      choice(60, 6, {1}),
      choice(77, 6, {4}),
      // Multiple choice.
      choice(5, 6, {4, 6}),
      choice(6, 5, {2, 4}),
      choice(21, 4, {2, 4}),
      choice(25, 6, {2, 4, 6}),
      choice(40, 6, {1, 4, 6}),
      choice(45, 6, {1, 2, 5}),
      // True or false, in both orders.
      {.record = 3, .answer_texts = {{"True", "False"}}},
      {.record = 4, .answer_texts = {{"True", "False"}}},
      {.record = 54, .answer_texts = {{"False", "True"}}},
      {.record = 59, .answer_texts = {{"False", "True"}}},
      // The single-choice question with the fill-in hint.
      {.record = 77, .clue = kFillClue},
      // Pictures: two records each, citing one page.
      picture(16, "q16.jpg", 114),
      picture(19, "q16.jpg", 114),
      picture(17, "q17.jpg", 113),
      picture(20, "q17.jpg", 113),
      picture(18, "q18.jpg", 115),
      picture(21, "q18.jpg", 115),
      // Fill-in: accepted forms, flagged ones, exhibit.
      fill_in(7, 1, 0, "q7.txt"),
      fill_in(8, 1, 0, "q8.txt"),
      fill_in(9, 1, 0, "q9.txt"),
      fill_in(10, 2, 0, "q10.txt"),
      fill_in(11, 1, 0, "q11.txt"),
      fill_in(31, 3, 3, "q31.txt"),
      fill_in(36, 2, 2, ""),
      fill_in(42, 1, 0, "q42.txt"),
      fill_in(43, 1, 0, "q43.txt"),
      fill_in(46, 4, 0, "q46.txt"),
      fill_in(47, 1, 0, "q47.txt"),
      fill_in(49, 2, 0, "q49.txt"),
      fill_in(52, 1, 0, "q52.txt"),
      fill_in(57, 1, 0, "q57.txt"),
      fill_in(76, 1, 1, ""),
      fill_in(78, 1, 1, ""),
      fill_in(79, 1, 1, ""),
      fill_in(80, 1, 1, ""),
      // Drag and drop: the exercise numbers, not in record order.
      exercise(81, "16"),
      exercise(82, "17"),
      exercise(83, "18"),
      exercise(84, "19"),
      exercise(85, "20"),
      exercise(91, "1"),
      exercise(92, "2"),
      exercise(93, "3"),
      exercise(94, "4"),
      exercise(95, "5"),
      exercise(96, "6"),
      exercise(97, "7"),
      exercise(98, "8"),
      exercise(99, "9"),
      exercise(100, "10"),
      // Simulator: lab, checks, clue lines; record 90 names no lab.
      task(61, "zum", 1, 13),
      task(62, "zum", 1, 8),
      task(63, "zum", 1, 4),
      task(64, "zum", 1, 16),
      task(65, "zum", 1, 8),
      task(66, "zum", 1, 7),
      task(67, "zum", 1, 7),
      task(68, "zum", 1, 28),
      task(69, "zum", 1, 21),
      task(70, "basic_frame", 1, 5),
      task(71, "zum", 1, 5),
      task(72, "zum", 1, 7),
      task(73, "bgproute", 1, 9),
      task(74, "basic_frame", 1, 17),
      task(75, "basic_frame", 1, 5),
      task(86, "2950", 1, 29),
      task(87, "2950", 1, 5),
      task(88, "zum", 1, 16),
      task(89, "basicip", 3, 7),
      task(90, "", 1, 108),
      // The longest texts, and the shortest explanation.
      {.record = 90, .explanation_length = 8090, .clue_length = 7876},
      {.record = 93, .explanation_length = 94},
  };
  for (const auto& [category, members] : category_records())
    for (int r : members) facts.push_back({.record = r, .category = category});
  return facts;
}

}  // namespace

const BankFigures& zum_velto_figures() {
  static const BankFigures figures{
      .module = "PB_ZUM_Velto",
      .description = "Velto's Questions for the Pelma Books ZUM.",
      .title = "Pelma Books ZUM",
      .version = "5.34",
      .stores_feedback_address = true,
      .question_count = 100,
      .category_count = 13,
      // The book's twelve chapters, only chapters 7 and 12 at 50 characters, then the simulator.
      .categories = {.same_as = {{"PB_ZUM_Pelma", 12}},
                     .lengths = {{{7, 12}, 50, 50}},
                     .at_most = 50,
                     .names = {{13, "Simulator Questions"}},
                     .at_most_reached_by = {{7, 12}}},
      .sections = {{
          .first = 1,
          .last = 100,
          .kinds =
              {{K::single, 41, {{2, 4}, {3, 1}, {4, 16}, {5, 4}, {6, 16}}, {{1, 40}, {3, 1}}},
               {K::multi, 6, {{4, 1}, {5, 1}, {6, 4}}, {{2, 3}, {3, 3}}},
               {K::fill, 18, {{1, 13}, {2, 3}, {3, 1}, {4, 1}}, {{0, 12}, {1, 4}, {2, 1}, {3, 1}}},
               {K::dnd, 15, {{1, 15}}, {{0, 15}}},
               {K::sim, 20, {{1, 19}, {3, 1}}, {{0, 20}}}},
          .counts = {{P::typed_single_answer, K::any, 76},
                     {P::typed_multi_answer, K::any, 6},
                     {P::typed_fill_in_the_blank, K::any, 18},
                     {P::has_explanation, K::any, 100},
                     {P::transcript_forms_differ, K::sim, 7}},
          .exactly = {{P::question_has_br, K::any, {2, 3, 27, 50}},
                      {P::question_has_markup, K::any, {2, 3, 27, 50}},
                      {P::answer_has_markup, K::any, {}},
                      {P::answer_has_quote, K::any, {}},
                      {P::markup_other_than_br, K::any, {}},
                      {P::has_clue, K::any,
                       joined({{7, 8, 9, 10, 11, 31, 36, 42, 43, 46, 47, 49, 52, 57},
                               records(61, 80),
                               records(86, 90)})},
                      {P::has_cr_or_lf, K::any, joined({records(61, 75), records(86, 90)})},
                      {P::clue_over_400, K::any, {61, 64, 68, 69, 73, 74, 86, 88, 90}},
                      {P::clue_starts_with_empty_line, K::any, {}},
                      {P::clue_ends_with_line_break, K::any, {}},
                      {P::has_picture, K::any, records(16, 21)},
                      {P::has_exhibit, K::any, {7, 8, 9, 10, 11, 31, 42, 43, 46, 47, 49, 52, 57}},
                      {P::has_lab, K::any, joined({records(61, 75), records(86, 89)})},
                      {P::reference_empty, K::any, joined({records(61, 75), records(86, 90)})}},
          // 64 explanations are longer than 350 characters.
          .distributions = {{M::explanation_pieces, K::any, {{1, 36}}, false}},
          .bounds = {{M::explanation_length, K::any, 94, 8090}},
          .sums = {{M::all_quotes, K::any, 66}},
          .references = ReferenceForm::page_only_or_empty,
          .within = {{M::page, K::any, 17, 320}},
          .one_check_key = {records(61, 75)},
          .characters_beyond_ascii = {{0x2013, 0x2019, 0x2122, 0x00A9}},
      }},
      .records = record_facts(),
  };
  return figures;
}

TEST(ZumVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(zum_velto_figures())), "");
}

}  // namespace pv::bankcheck
