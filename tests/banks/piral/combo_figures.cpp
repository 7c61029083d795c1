// The documented figures of the PIRAL full exam, PB_PIRAL_Combo: the book's chapter questions
// 1 to 182, the CD-ROM's records as 183 to 282 and the book's bonus questions as 283 to 288.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kBookMulti =
    joined({{1},
            records(3, 6),
            {12, 23, 28, 29, 40, 45, 48, 50, 51, 73, 76, 78, 81, 85, 86, 88, 89, 91, 92, 97},
            records(102, 104),
            {112, 115},
            records(120, 122),
            {133, 135, 147, 174, 175, 179}});

Section whole_bank() {
  return {
      .first = 1,
      .last = 288,
      .kinds = {{K::single, 181, {{2, 7}, {4, 71}, {5, 94}, {6, 9}}, {{1, 177}, {3, 2}, {4, 2}}},
                {K::multi, 45, {{4, 23}, {5, 18}, {6, 4}}, {{2, 22}, {3, 18}, {4, 5}}},
                {K::fill, 22, {{1, 19}, {2, 2}, {3, 1}}, {{0, 22}}},
                {K::dnd, 20, {{1, 20}}, {{0, 20}}},
                {K::sim, 20, {{1, 12}, {2, 4}, {3, 2}, {4, 2}}, {{0, 20}}}},
      .counts = {{P::typed_single_answer, K::any, 221}},
      .exactly = {{P::typed_multi_answer, K::any,
                   joined({kBookMulti, {189, 194, 197, 198, 199, 232}})},
                  {P::typed_fill_in_the_blank, K::any,
                   joined({{200, 202, 203, 206, 207, 210},
                           records(214, 219),
                           records(221, 227),
                           {229, 234, 235}})},
                  {P::always, K::dnd, records(243, 262)},
                  {P::always, K::sim, records(263, 282)},
                  {P::has_explanation, K::any, records(183, 282)},
                  {P::has_clue, K::any, records(263, 282)},
                  {P::has_exhibit, K::any, {206, 235, 238}},
                  {P::has_lab, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::reference_empty, K::any, records(283, 288)}},
      .sums = {{M::answers, K::sim, 34}, {M::command_checks, K::sim, 32}},
      // Records in the whole bank per category: a test of one category draws on all of them.
      .category_kinds =
          {{1, 17}, {2, 14},  {3, 8},   {4, 18},  {5, 11},  {6, 14},  {7, 14},
           {8, 12}, {9, 11},  {10, 8},  {11, 15}, {12, 19}, {13, 8},  {14, 15},
           {15, 9}, {16, 17}, {17, 17}, {18, 12}, {19, 10}, {20, 13}, {21, 20, 0, 0, 0, 0, 20},
           {22, 6}},
      .check_keys = {{CheckKey::command, 32}, {CheckKey::interface_first, 2}},
      .setting_values = {{CheckValue::other, 2}},
  };
}

Section book_questions() {
  return {.first = 1,
          .last = 182,
          .kinds = {{K::single, 143, {}, {{1, 142}, {3, 1}}}, {K::multi, 39}},
          .exactly = {{P::has_explanation, K::any, {}}, {P::has_clue, K::any, {}}},
          .bounds = {{M::page, K::any, 43, 426}},
          .runs = piral_book_chapters(),
          .references = ReferenceForm::page_and_title};
}

// The CD-ROM and bonus questions by category, in this half alone.
Section second_half() {
  return {.first = 183,
          .last = 288,
          .category_kinds = {{1, 6},  {2, 4},  {4, 8},  {5, 1},  {6, 6},   {7, 4},  {8, 4},
                             {9, 1},  {10, 3}, {11, 5}, {12, 9}, {13, 3},  {14, 5}, {16, 7},
                             {17, 7}, {18, 2}, {19, 2}, {20, 3}, {21, 20}, {22, 6}}};
}

Section cd_questions() {
  return {.first = 183,
          .last = 282,
          .bounds = {{M::page, K::any, 43, 535}, {M::clue_lines, K::sim, 4, 9}},
          .references = ReferenceForm::page_only};
}

Section bonus_questions() {
  return {.first = 283,
          .last = 288,
          .exactly = {{P::has_explanation, K::any, {}}, {P::has_clue, K::any, {}}}};
}

std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  for (int r : {184, 230, 233, 242})
    out.push_back({.record = r, .kind = K::single, .answers = 2, .flags = 1});
  for (int r : {183, 186, 188, 193, 195, 196, 201, 204, 205, 208, 211, 212, 213, 239, 286})
    out.push_back({.record = r, .kind = K::single, .answers = 4, .flags = 1});
  for (int r : {187, 190, 192, 209, 228, 236, 237, 240, 241, 284, 287, 288})
    out.push_back({.record = r, .kind = K::single, .answers = 5, .flags = 1});
  for (int r : {185, 220, 231, 238})
    out.push_back({.record = r, .kind = K::single, .answers = 6, .flags = 1});
  // Typed single answer, yet several answers are correct.
  out.push_back({.record = 191, .kind = K::single, .answers = 6, .flags = 4});
  out.push_back({.record = 283, .kind = K::single, .answers = 5, .flags = 3});
  out.push_back({.record = 285, .kind = K::single, .answers = 6, .flags = 4});
  for (auto [r, answers, flags] :
       {std::tuple{189, 6, 4}, {194, 5, 3}, {197, 6, 3}, {198, 6, 4}, {199, 5, 3}, {232, 5, 3}})
    out.push_back({.record = r, .kind = K::multi, .answers = answers, .flags = flags});
  for (auto [r, accepted] : {std::pair{200, 2}, {216, 2}, {234, 3}})
    out.push_back({.record = r, .kind = K::fill, .answers = accepted, .flags = 0});
  for (auto [r, file] : {std::pair{206, "q24.txt"}, {235, "q53.txt"}, {238, "q56.txt"}})
    out.push_back({.record = r, .exhibit = file});
  const int exercise_categories[] = {4,  6,  4,  4,  6,  9,  10, 11, 12, 12,
                                     12, 13, 14, 14, 17, 17, 20, 20, 16, 14};
  for (int r = 243; r <= 262; ++r)
    out.push_back({.record = r,
                   .kind = K::dnd,
                   .flags = 0,
                   .category = exercise_categories[r - 243],
                   .answer1 = std::to_string(r - 242),
                   .clue = "",
                   .picture = "xxxdnd"});
  const int checks[] = {2, 2, 3, 1, 1, 2, 1, 2, 1, 1, 1, 4, 3, 1, 4, 1, 1, 1, 1, 1};
  for (int r = 263; r <= 282; ++r)
    out.push_back({.record = r,
                   .kind = K::sim,
                   .answers = checks[r - 263],
                   .flags = 0,
                   .category = 21,
                   .lab = "",
                   .picture = "xxsim",
                   .command_checks = r == 268 ? 0 : checks[r - 263]});
  for (int r = 283; r <= 288; ++r) out.push_back({.record = r, .category = 22});
  return out;
}

}  // namespace

const BankFigures& piral_combo_figures() {
  static const BankFigures figures{
      .module = "PB_PIRAL_Combo",
      .description = "Combination of Velto and Pelma Books questions. ",
      .title = "Pelma Books PIRAL",
      .version = "5.47",
      .stores_feedback_address = false,
      .question_count = 288,
      .category_count = 22,
      .categories = {.same_as = {{"PB_PIRAL_Pelma", 20}, {"PB_PIRAL_Velto", 21}},
                     .names = {{21, "Simulator Questions"}, {22, "Bonus Questions"}}},
      .sections = {whole_bank(), book_questions(), second_half(), cd_questions(),
                   bonus_questions()},
      .records = telling_records(),
      .equal = {{1, 182, "PB_PIRAL_Pelma", 1},
                {183, 282, "PB_PIRAL_Velto", 1},
                {283, 288, "PB_PIRAL_Pelma", 183, {{21, 22}}}},
  };
  return figures;
}

TEST(PiralComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(piral_combo_figures())), "");
}

// Against its two sources, the full exam differs only in the category of the bonus questions.
TEST(PiralComboBank, DiffersFromItsSourcesOnlyInTheBonusCategory) {
  const auto full = load_module("PB_PIRAL_Combo");
  const auto book = load_module("PB_PIRAL_Pelma");
  const auto cd = load_module("PB_PIRAL_Velto");
  ASSERT_TRUE(full && book && cd);
  std::vector<int> differing;
  for (int r = 1; r <= 288; ++r) {
    const QuestionRecord& source = r <= 182   ? book->questions[r]
                                   : r <= 282 ? cd->questions[r - 182]
                                              : book->questions[r - 100];
    QuestionRecord same_category = source;
    same_category.Category = full->questions[r].Category;
    EXPECT_EQ(bank_field_differences(full->questions[r], same_category), "") << "record " << r;
    if (full->questions[r].Category != source.Category) differing.push_back(r);
  }
  EXPECT_EQ(differing, records(283, 288));
}

}  // namespace pv::bankcheck
