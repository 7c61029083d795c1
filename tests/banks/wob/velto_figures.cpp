// The documented figures of the WOB CD-ROM bank, PB_WOB_Velto.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

using K = Kind;
using P = Property;
using M = Measure;

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

RecordFact single(int record, int answers, int flags) {
  return {.record = record, .kind = K::single, .answers = answers, .flags = flags};
}

RecordFact multi(int record, int answers, int flags) {
  return {.record = record, .kind = K::multi, .answers = answers, .flags = flags};
}

RecordFact fill(int record, int forms) {
  return {.record = record, .kind = K::fill, .answers = forms, .flags = 0};
}

// Drag and drop: exercise number record - 59, its category and page.
RecordFact dnd(int record, int category, int page) {
  return {.record = record,
          .kind = K::dnd,
          .answers = 1,
          .flags = 0,
          .page = page,
          .category = category,
          .answer1 = std::to_string(record - 59),
          .clue = ""};
}

RecordFact sim(int record, int checks, int page) {
  return {.record = record,
          .kind = K::sim,
          .answers = checks,
          .flags = 0,
          .page = page,
          .category = 15,
          .lab = record == 81 ? "noip" : ""};
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // Single choice that is not four answers with one flag.
      single(12, 2, 1),
      single(40, 2, 1),
      single(37, 3, 1),
      single(45, 3, 1),
      single(20, 5, 1),
      single(44, 5, 1),
      single(47, 5, 1),
      single(55, 5, 1),
      single(56, 5, 1),
      single(15, 6, 1),
      single(17, 6, 1),
      single(26, 6, 3),
      single(29, 6, 1),
      single(38, 6, 1),
      single(39, 6, 1),
      single(42, 6, 1),
      single(52, 6, 1),
      single(54, 6, 1),
      single(59, 6, 1),
      single(3, 4, 2),
      single(25, 4, 2),
      single(28, 4, 2),
      single(34, 4, 2),
      // Multiple choice.
      multi(2, 6, 2),
      multi(4, 5, 3),
      multi(10, 4, 2),
      multi(22, 4, 3),
      multi(24, 5, 2),
      multi(33, 4, 2),
      multi(46, 5, 3),
      multi(48, 5, 3),
      multi(49, 4, 2),
      multi(51, 4, 2),
      multi(53, 5, 4),
      // Fill-in: the accepted forms.
      fill(5, 2),
      fill(11, 2),
      fill(13, 3),
      fill(18, 2),
      fill(19, 1),
      fill(30, 2),
      fill(35, 3),
      fill(36, 3),
      fill(41, 3),
      // Drag and drop: exercises 1 to 21.
      dnd(60, 9, 199),
      dnd(61, 6, 134),
      dnd(62, 8, 174),
      dnd(63, 9, 199),
      dnd(64, 10, 211),
      dnd(65, 11, 251),
      dnd(66, 1, 54),
      dnd(67, 13, 304),
      dnd(68, 2, 65),
      dnd(69, 3, 85),
      dnd(70, 3, 85),
      dnd(71, 4, 111),
      dnd(72, 4, 111),
      dnd(73, 5, 121),
      dnd(74, 7, 160),
      dnd(75, 4, 106),
      dnd(76, 7, 162),
      dnd(77, 8, 174),
      dnd(78, 8, 174),
      dnd(79, 8, 175),
      dnd(80, 9, 192),
      // Simulator: checks and page; only record 81 names a lab.
      sim(81, 5, 251),
      sim(82, 3, 250),
      sim(83, 3, 253),
      sim(84, 1, 253),
      sim(85, 4, 253),
      sim(86, 1, 253),
      sim(87, 1, 253),
      sim(88, 1, 253),
      sim(89, 1, 252),
      sim(90, 2, 252),
      sim(91, 1, 253),
      sim(92, 1, 253),
      sim(93, 1, 253),
      sim(94, 4, 253),
      sim(95, 1, 253),
      sim(96, 4, 254),
      sim(97, 3, 254),
      sim(98, 4, 254),
      sim(99, 1, 252),
      sim(100, 3, 254),
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
