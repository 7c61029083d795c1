// The documented figures of the HOLMI CD-ROM bank, PB_HOLMI_Velto, with those that the
// full exam, which repeats its records as 172 to 276, documents for them.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

constexpr const char* kHint = "Do not abbreviate commands";

RecordFact on_page(RecordFact f, int page) {
  f.page = page;
  return f;
}

// Fill-in: accepted forms, every one flagged, the hint or none, category, page.
RecordFact fill_in(int record, int forms, bool hint, int category, int page) {
  RecordFact f = fill_flags(record, forms, forms);
  f.page = page;
  f.category = category;
  f.clue = hint ? kHint : "";
  return f;
}

// A simulator task: its checks, how many of them are command checks, its lab and the lines
// of its transcript.
RecordFact lab_task(int record, int checks, int commands, const char* lab, int lines) {
  RecordFact f = stored(sim(record, checks, 19, lab));
  f.clue_lines = lines;
  f.command_checks = commands;
  return f;
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // Multiple choice, by answers and flagged slots; records 2 and 3 share their answers
      // and their explanation.
      on_page(choice(2, 4, {2, 4}), 44),
      on_page(choice(3, 4, {1, 3}), 45),
      on_page(choice(82, 4, {1, 3}), 436),
      choice(5, 6, {1, 2}),
      choice(7, 6, {5, 6}),
      choice(11, 4, {1, 3}),
      choice(15, 4, {2, 3}),
      choice(16, 4, {1, 3}),
      exhibit(choice(23, 6, {3, 5}), "q31.txt", 124),
      exhibit(choice(24, 6, {1, 6}), "q31.txt", 124),
      choice(45, 4, {2, 4}),
      choice(47, 4, {1, 3}),
      choice(51, 6, {4, 5}),
      choice(68, 5, {1, 3, 4}),
      {.record = 3, .same_explanation_as = 2, .same_answers_as = 2},
      // The single-choice records with an exhibit.
      exhibit(choice(19, 6, {2}), "q31.txt", 124),
      exhibit(choice(21, 6, {2}), "q31.txt", 124),
      exhibit(choice(49, 5, {4}), "q67.txt", 288),
      {.record = 49, .explanation_length = 1859},
      // Fill-in.
      fill_in(25, 1, true, 6, 159),
      fill_in(40, 1, true, 8, 214),
      fill_in(52, 2, false, 12, 323),
      fill_in(62, 1, true, 13, 341),
      fill_in(69, 1, true, 15, 371),
      fill_in(79, 1, false, 17, 439),
      fill_in(83, 1, true, 18, 465),
      // Drag and drop: the exercise numbers, not in record order.
      stored(dnd(12, "1", 3, 106)),
      stored(dnd(39, "13", 8, 214)),
      stored(dnd(55, "2", 12, 319)),
      stored(dnd(56, "4", 12, 310)),
      stored(dnd(57, "5", 12, 319)),
      stored(dnd(66, "15", 14, 350)),
      stored(dnd(70, "12", 15, 371)),
      stored(dnd(77, "14", 16, 404)),
      stored(dnd(78, "3", 16, 407)),
      stored(dnd(85, "11", 18, 467)),
      // Simulator: checks, command checks, lab, transcript lines of the clue.
      lab_task(86, 1, 1, "", 4),
      lab_task(87, 2, 0, "", 8),
      lab_task(88, 1, 0, "", 13),
      lab_task(89, 1, 1, "", 4),
      lab_task(90, 1, 0, "", 6),
      lab_task(91, 2, 0, "", 6),
      lab_task(92, 4, 0, "basicip", 8),
      lab_task(93, 2, 0, "", 6),
      lab_task(94, 2, 2, "", 5),
      lab_task(95, 3, 3, "", 7),
      lab_task(96, 4, 4, "", 8),
      lab_task(97, 2, 0, "", 7),
      lab_task(98, 5, 5, "", 8),
      lab_task(99, 2, 0, "", 7),
      lab_task(100, 2, 0, "", 8),
      lab_task(101, 2, 0, "", 7),
      lab_task(102, 2, 0, "", 7),
      lab_task(103, 2, 0, "", 7),
      lab_task(104, 2, 2, "", 6),
      lab_task(105, 1, 0, "", 4),
      // Task 88's clue: the transcript, an empty line, a banner, an empty line, the
      // transcript again; its explanation holds the transcript once.
      {.record = 88, .explanation_lines = 5},
  };
  for (int r : {9, 38, 53, 54, 59, 64, 80, 81, 84}) facts.push_back(choice(r, 3, {}));
  for (int r : {10, 13, 28, 29, 48, 50, 73, 76}) facts.push_back(choice(r, 4, {}));
  for (RecordFact& f : facts)
    if (f.correct && f.correct->empty()) {
      f.correct.reset();
      f.kind = K::single;
      f.flags = 1;
    }
  return facts;
}

Section task_keys(int record, std::map<CheckKey, int> keys) {
  return {.first = record, .last = record, .check_keys = std::move(keys)};
}

}  // namespace

const BankFigures& holmi_velto_figures() {
  static const BankFigures figures{
      .module = "PB_HOLMI_Velto",
      .description = "Velto's questions for the Pelma Books HOLMI.",
      .title = "Pelma Books HOLMI",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 105,
      .category_count = 19,
      // The book's chapters, 15 and 17 cut short (the first inside a word), then the tasks.
      .categories = {.same_as = {{"PB_HOLMI_Pelma", 18}},
                     .lengths = {{{15}, 50, 50, true}, {{17}, 49, 49}},
                     .at_most = 50,
                     .names = {{19, "Simulation Questions"}}},
      .sections =
          {{
               .first = 1,
               .last = 105,
               .kinds = {{K::single, 54, {{3, 9}, {4, 8}, {5, 18}, {6, 19}}, {{1, 54}}},
                         {K::multi, 14, {{4, 8}, {5, 1}, {6, 5}}, {{2, 13}, {3, 1}}},
                         {K::fill, 7, {{1, 6}, {2, 1}}, {{1, 6}, {2, 1}}},
                         {K::dnd, 10, {{1, 10}}, {{0, 10}}},
                         {K::sim, 20, {{1, 5}, {2, 11}, {3, 1}, {4, 2}, {5, 1}}, {{0, 20}}}},
               .counts = {{P::typed_single_answer, K::any, 84},
                          {P::typed_multi_answer, K::any, 14},
                          {P::typed_fill_in_the_blank, K::any, 7},
                          {P::has_explanation, K::any, 105},
                          {P::question_has_rsquo, K::any, 13},
                          {P::explanation_non_ascii, K::any, 11}},
               .exactly = {{P::typed_multi_answer,
                            K::any,
                            {2, 3, 5, 7, 11, 15, 16, 23, 24, 45, 47, 51, 68, 82}},
                           {P::question_has_br, K::any, {17, 75, 89, 90, 91, 99}},
                           {P::question_has_markup, K::any, {17, 75, 89, 90, 91, 99}},
                           {P::markup_other_than_br, K::any, {}},
                           {P::answer_has_markup, K::any, {}},
                           {P::has_exhibit, K::any, {19, 21, 23, 24, 49}},
                           {P::has_lab, K::any, {92}},
                           {P::has_picture, K::any, {}},
                           {P::has_clue, K::any, joined({{25, 40, 62, 69, 83}, records(86, 105)})},
                           {P::has_cr_or_lf, K::any, records(86, 105)},
                           {P::reference_empty, K::any, records(86, 105)},
                           {P::question_over_400, K::any, {87, 89, 90, 91, 99, 101, 102}},
                           {P::clue_over_400, K::any, {88}},
                           {P::explanation_has_quote, K::any, {9, 10, 13, 38, 64}},
                           {P::explanation_ends_with_br, K::any, {86, 94, 95, 98}},
                           {P::transcript_forms_differ, K::sim, {86, 88, 92, 94, 95, 98}},
                           {P::clue_ends_with_prompt, K::sim,
                            joined({records(87, 93), records(95, 97), records(99, 105)})},
                           {P::clue_starts_with_empty_line, K::any, {}},
                           {P::clue_ends_with_line_break, K::any, {}}},
               // One explanation is a single paragraph; five hold four double quotes each.
               .distributions = {{M::explanation_br, K::any, {{0, 1}}, false},
                                 {M::quotes, K::any, {{4, 5}}, false}},
               .bounds = {{M::question_length, K::any, 38, 522},
                          {M::question_length, K::sim, 206, 522},
                          {M::explanation_length, K::any, 89, 1859},
                          {M::check_value_length, K::sim, 0, 58, true}},
               .sums = {{M::answers, K::sim, 43}, {M::command_checks, K::sim, 18}},
               .category_kinds = {{1, 4, 2, 2, 0, 0, 0, 44, 52},
                                  {2, 5, 3, 2, 0, 0, 0, 66, 71},
                                  {3, 4, 2, 1, 0, 1, 0, 88, 106},
                                  {4, 11, 7, 4, 0, 0, 0, 120, 136},
                                  {5, 0, 0, 0, 0, 0, 0},
                                  {6, 3, 2, 0, 1, 0, 0, 159, 167},
                                  {7, 6, 6, 0, 0, 0, 0, 179, 203},
                                  {8, 7, 5, 0, 1, 1, 0, 207, 217},
                                  {9, 7, 5, 2, 0, 0, 0, 228, 240},
                                  {10, 0, 0, 0, 0, 0, 0},
                                  {11, 3, 3, 0, 0, 0, 0, 280, 288},
                                  {12, 9, 4, 1, 1, 3, 0, 310, 323},
                                  {13, 4, 3, 0, 1, 0, 0, 335, 341},
                                  {14, 4, 3, 0, 0, 1, 0, 347, 351},
                                  {15, 5, 2, 1, 1, 1, 0, 365, 371},
                                  {16, 6, 4, 0, 0, 2, 0, 404, 407},
                                  {17, 4, 2, 1, 1, 0, 0, 434, 439},
                                  {18, 3, 1, 0, 1, 1, 0, 465, 467},
                                  {19, 20, 0, 0, 0, 0, 20}},
               .references = ReferenceForm::page_only_or_empty,
               .characters_beyond_ascii = {{0x2013, 0x2019, 0x2026}},
               .explanation_sharing =
                   SharedTexts{.texts = 12, .records = 40, .smallest = 2, .largest = 5},
               .check_keys = {{CheckKey::command, 18},
                              {CheckKey::interface_first, 19},
                              {CheckKey::interface_last, 2},
                              {CheckKey::device, 4}},
               .setting_values = {{CheckValue::truth, 7},
                                  {CheckValue::no, 1},
                                  {CheckValue::number, 2},
                                  {CheckValue::address, 2},
                                  {CheckValue::capitals, 5},
                                  {CheckValue::joined_words, 7},
                                  {CheckValue::other, 1}},
           },
           // The chapter records: a page and "##" alone, plain answers of 1 to 49 characters.
           {
               .first = 1,
               .last = 85,
               .bounds = {{M::page, K::any, 44, 467}},
               .references = ReferenceForm::page_only,
               .answer_lengths = LengthRange{1, 49},
           },
           // The setting checks of the tasks whose keys do not begin with an interface.
           task_keys(88, {{CheckKey::device, 1}}),
           task_keys(93, {{CheckKey::device, 2}}),
           task_keys(102, {{CheckKey::interface_first, 1}, {CheckKey::interface_last, 1}}),
           task_keys(103, {{CheckKey::interface_first, 1}, {CheckKey::interface_last, 1}}),
           task_keys(105, {{CheckKey::device, 1}})},
      .records = record_facts(),
  };
  return figures;
}

TEST(HolmiVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(holmi_velto_figures())), "");
}

}  // namespace pv::bankcheck
