// The documented figures of the WOB CD-ROM bank, PB_WOB_Velto.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

// The records of each category, as the category list gives them.
const std::vector<std::pair<int, std::vector<int>>>& category_records() {
  static const std::vector<std::pair<int, std::vector<int>>> list = {
      {1, {1, 25, 26, 57, 66}},
      {2, {2, 3, 5, 27, 28, 68}},
      {3, {69, 70}},
      {4, {6, 7, 29, 30, 56, 58, 71, 72, 75}},
      {5, {8, 73}},
      {6, {31, 32, 61}},
      {7, {9, 10, 33, 37, 74, 76}},
      {8, {11, 12, 13, 34, 35, 36, 38, 39, 40, 41, 62, 77, 78, 79}},
      {9, {14, 42, 43, 44, 45, 46, 59, 60, 63, 80}},
      {10, {15, 16, 17, 47, 48, 64}},
      {11, {4, 18, 19, 20, 54, 65}},
      {12, {49, 51}},
      {13, {21, 22, 23, 50, 52, 53, 55, 67}},
      {14, {24}},
      {15, records(81, 100)},
  };
  return list;
}

// Exercises 1 to 21 are records 60 to 80.
RecordFact exercise(int record, int category, int page) {
  RecordFact f = stored(dnd(record, std::to_string(record - 59), category, page));
  f.clue = "";
  return f;
}

// Task 81 runs on a lab of its own.
RecordFact task(int record, int checks, int page) {
  RecordFact f = stored(sim(record, checks, 15, record == 81 ? "noip" : ""));
  f.page = page;
  return f;
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // Single choice that is not four answers with one flag.
      choice_flags(12, K::single, 2, 1),
      choice_flags(40, K::single, 2, 1),
      choice_flags(37, K::single, 3, 1),
      choice_flags(45, K::single, 3, 1),
      choice_flags(20, K::single, 5, 1),
      choice_flags(44, K::single, 5, 1),
      choice_flags(47, K::single, 5, 1),
      choice_flags(55, K::single, 5, 1),
      choice_flags(56, K::single, 5, 1),
      choice_flags(15, K::single, 6, 1),
      choice_flags(17, K::single, 6, 1),
      choice_flags(26, K::single, 6, 3),
      choice_flags(29, K::single, 6, 1),
      choice_flags(38, K::single, 6, 1),
      choice_flags(39, K::single, 6, 1),
      choice_flags(42, K::single, 6, 1),
      choice_flags(52, K::single, 6, 1),
      choice_flags(54, K::single, 6, 1),
      choice_flags(59, K::single, 6, 1),
      choice_flags(3, K::single, 4, 2),
      choice_flags(25, K::single, 4, 2),
      choice_flags(28, K::single, 4, 2),
      choice_flags(34, K::single, 4, 2),
      // Multiple choice.
      choice_flags(2, K::multi, 6, 2),
      choice_flags(4, K::multi, 5, 3),
      choice_flags(10, K::multi, 4, 2),
      choice_flags(22, K::multi, 4, 3),
      choice_flags(24, K::multi, 5, 2),
      choice_flags(33, K::multi, 4, 2),
      choice_flags(46, K::multi, 5, 3),
      choice_flags(48, K::multi, 5, 3),
      choice_flags(49, K::multi, 4, 2),
      choice_flags(51, K::multi, 4, 2),
      choice_flags(53, K::multi, 5, 4),
      // Fill-in: the accepted forms.
      fill_flags(5, 2, 0),
      fill_flags(11, 2, 0),
      fill_flags(13, 3, 0),
      fill_flags(18, 2, 0),
      fill_flags(19, 1, 0),
      fill_flags(30, 2, 0),
      fill_flags(35, 3, 0),
      fill_flags(36, 3, 0),
      fill_flags(41, 3, 0),
      // Drag and drop: exercises 1 to 21.
      exercise(60, 9, 199),
      exercise(61, 6, 134),
      exercise(62, 8, 174),
      exercise(63, 9, 199),
      exercise(64, 10, 211),
      exercise(65, 11, 251),
      exercise(66, 1, 54),
      exercise(67, 13, 304),
      exercise(68, 2, 65),
      exercise(69, 3, 85),
      exercise(70, 3, 85),
      exercise(71, 4, 111),
      exercise(72, 4, 111),
      exercise(73, 5, 121),
      exercise(74, 7, 160),
      exercise(75, 4, 106),
      exercise(76, 7, 162),
      exercise(77, 8, 174),
      exercise(78, 8, 174),
      exercise(79, 8, 175),
      exercise(80, 9, 192),
      // Simulator: checks and page; only record 81 names a lab.
      task(81, 5, 251),
      task(82, 3, 250),
      task(83, 3, 253),
      task(84, 1, 253),
      task(85, 4, 253),
      task(86, 1, 253),
      task(87, 1, 253),
      task(88, 1, 253),
      task(89, 1, 252),
      task(90, 2, 252),
      task(91, 1, 253),
      task(92, 1, 253),
      task(93, 1, 253),
      task(94, 4, 253),
      task(95, 1, 253),
      task(96, 4, 254),
      task(97, 3, 254),
      task(98, 4, 254),
      task(99, 1, 252),
      task(100, 3, 254),
  };
  for (const auto& [category, members] : category_records())
    for (int r : members) facts.push_back({.record = r, .category = category});
  return facts;
}

Section whole_bank() {
  return {
      .first = 1,
      .last = 100,
      .kinds =
          {{K::single, 39, {{2, 2}, {3, 2}, {4, 20}, {5, 5}, {6, 10}}, {{1, 34}, {2, 4}, {3, 1}}},
           {K::multi, 11, {{4, 5}, {5, 5}, {6, 1}}, {{2, 6}, {3, 4}, {4, 1}}},
           {K::fill, 9, {{1, 1}, {2, 4}, {3, 4}}, {{0, 9}}},
           {K::dnd, 21, {{1, 21}}, {{0, 21}}},
           {K::sim, 20, {{1, 10}, {2, 1}, {3, 4}, {4, 4}, {5, 1}}, {{0, 20}}}},
      .counts = {{P::typed_single_answer, K::any, 80},
                 {P::typed_multi_answer, K::any, 11},
                 {P::typed_fill_in_the_blank, K::any, 9},
                 {P::has_explanation, K::any, 100},
                 {P::transcript_forms_differ, K::sim, 0}},
      .exactly = {{P::has_clue, K::any, records(81, 100)},
                  {P::has_lab, K::any, {81}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {}},
                  {P::true_or_false, K::any, {12, 40}},
                  {P::explanation_pairs_items, K::dnd, records(60, 80)},
                  {P::transcript_types_the_checks, K::any, records(81, 100)},
                  {P::question_has_markup, K::sim, {}},
                  {P::has_line_end, K::sim, {}},
                  {P::markup_other_than_br, K::sim, {}},
                  {P::clue_ends_with_line_break, K::any, {}}},
      .sums = {{M::answers, K::sim, 45}},
      .references = ReferenceForm::page_only,
  };
}

}  // namespace

const BankFigures& wob_velto_figures() {
  static const BankFigures figures{
      .module = "PB_WOB_Velto",
      .description = "Velto Questions for the WOB book.",
      .title = "FYRD - WOB",
      .version = "5.45",
      .stores_feedback_address = false,
      .question_count = 100,
      .category_count = 15,
      // The book's chapters 1 to 6, 8 to 11 and 13 to 16 under the book's titles, then the
      // simulator tasks.
      .categories =
          {.same_as = {{"PB_WOB_Pelma", 14, {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16}}},
           .names = {{15, "Simulator Questions"}}},
      .sections = {whole_bank(),
                   {.first = 1, .last = 59, .bounds = {{M::page, K::any, 51, 324}}},
                   {.first = 60, .last = 80, .bounds = {{M::page, K::any, 54, 304}}},
                   {.first = 81, .last = 100, .bounds = {{M::page, K::any, 250, 254}}}},
      .records = record_facts(),
  };
  return figures;
}

TEST(WobVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(wob_velto_figures())), "");
}

}  // namespace pv::bankcheck
