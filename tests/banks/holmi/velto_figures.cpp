// The documented figures of the HOLMI CD-ROM bank, PB_HOLMI_Velto, with those that the
// full exam, which repeats its records as 172 to 276, documents for them.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

using K = Kind;
using P = Property;
using M = Measure;
using Slots = std::vector<int>;

namespace {

constexpr const char* kHint = "Do not abbreviate commands";

RecordFact choice(int record, int answers, Slots correct, int page = 0) {
  const Kind k = correct.size() == 1 ? K::single : K::multi;
  RecordFact f{.record = record, .kind = k, .answers = answers, .correct = std::move(correct)};
  if (page != 0) f.page = page;
  return f;
}

RecordFact exhibit(RecordFact f, const char* file, int page) {
  f.exhibit = file;
  f.page = page;
  return f;
}

// Fill-in: accepted forms (each flagged), the hint or none, category and page.
RecordFact fill(int record, int forms, bool hint, int category, int page) {
  return {.record = record,
          .kind = K::fill,
          .answers = forms,
          .flags = forms,
          .page = page,
          .category = category,
          .clue = hint ? kHint : ""};
}

RecordFact dnd(int record, int category, const char* exercise, int page) {
  return {.record = record,
          .kind = K::dnd,
          .answers = 1,
          .flags = 0,
          .page = page,
          .category = category,
          .answer1 = exercise};
}

RecordFact sim(int record, int checks, int commands, const char* lab, int clue_lines) {
  return {.record = record,
          .kind = K::sim,
          .answers = checks,
          .flags = 0,
          .category = 19,
          .lab = lab,
          .clue_lines = clue_lines,
          .command_checks = commands};
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // Multiple choice, by answers and flagged slots; records 2 and 3 share their answers
      // and their explanation.
      choice(2, 4, {2, 4}, 44),
      choice(3, 4, {1, 3}, 45),
      choice(82, 4, {1, 3}, 436),
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
      fill(25, 1, true, 6, 159),
      fill(40, 1, true, 8, 214),
      fill(52, 2, false, 12, 323),
      fill(62, 1, true, 13, 341),
      fill(69, 1, true, 15, 371),
      fill(79, 1, false, 17, 439),
      fill(83, 1, true, 18, 465),
      // Drag and drop: the exercise numbers, not in record order.
      dnd(12, 3, "1", 106),
      dnd(39, 8, "13", 214),
      dnd(55, 12, "2", 319),
      dnd(56, 12, "4", 310),
      dnd(57, 12, "5", 319),
      dnd(66, 14, "15", 350),
      dnd(70, 15, "12", 371),
      dnd(77, 16, "14", 404),
      dnd(78, 16, "3", 407),
      dnd(85, 18, "11", 467),
      // Simulator: checks, command checks, lab, transcript lines of the clue.
      sim(86, 1, 1, "", 4),
      sim(87, 2, 0, "", 8),
      sim(88, 1, 0, "", 13),
      sim(89, 1, 1, "", 4),
      sim(90, 1, 0, "", 6),
      sim(91, 2, 0, "", 6),
      sim(92, 4, 0, "basicip", 8),
      sim(93, 2, 0, "", 6),
      sim(94, 2, 2, "", 5),
      sim(95, 3, 3, "", 7),
      sim(96, 4, 4, "", 8),
      sim(97, 2, 0, "", 7),
      sim(98, 5, 5, "", 8),
      sim(99, 2, 0, "", 7),
      sim(100, 2, 0, "", 8),
      sim(101, 2, 0, "", 7),
      sim(102, 2, 0, "", 7),
      sim(103, 2, 0, "", 7),
      sim(104, 2, 2, "", 6),
      sim(105, 1, 0, "", 4),
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
