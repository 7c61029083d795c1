// The documented figures of the WOB full exam, PB_WOB_Combo: the book's records 1 to 179,
// then the CD-ROM's records as 180 to 279 under the book's chapters and the simulator tasks'
// own category.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kFill = {184, 190, 192, 197, 198, 209, 214, 215, 220};

// The CD-ROM records of each chapter, by their full-exam numbers.
const std::vector<std::pair<int, std::vector<int>>> kCdChapters = {
    {1, {180, 204, 205, 236, 245}},
    {2, {181, 182, 184, 206, 207, 247}},
    {3, {248, 249}},
    {4, {185, 186, 208, 209, 235, 237, 250, 251, 254}},
    {5, {187, 252}},
    {6, {210, 211, 240}},
    {8, {188, 189, 212, 216, 253, 255}},
    {9,
     joined({records(190, 192), records(213, 215), records(217, 220), {241}, records(256, 258)})},
    {10, joined({{193}, records(221, 225), {238, 239, 242, 259}})},
    {11, {194, 195, 196, 226, 227, 243}},
    {13, {183, 197, 198, 199, 233, 244}},
    {14, {228, 230}},
    {15, {200, 201, 202, 229, 231, 232, 234, 246}},
    {16, {203}},
    {17, records(260, 279)},
};

// The chapter of each exercise, records 239 to 259.
const int kExerciseChapters[] = {10, 6, 9, 10, 11, 13, 1, 15, 2, 3, 3,
                                 4,  4, 5, 8,  4,  8,  9, 9,  9, 10};
// The checks of each simulator task, records 260 to 279.
const int kChecks[] = {5, 3, 3, 1, 4, 1, 1, 1, 1, 2, 1, 1, 1, 4, 1, 4, 3, 4, 1, 3};

std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  for (const auto& [chapter, cd_records] : kCdChapters)
    for (int r : cd_records) out.push_back({.record = r, .category = chapter});
  for (int r = 239; r <= 259; ++r)
    out.push_back({.record = r,
                   .kind = K::dnd,
                   .category = kExerciseChapters[r - 239],
                   .answer1 = std::to_string(r - 238)});
  for (int r = 260; r <= 279; ++r)
    out.push_back({.record = r,
                   .kind = K::sim,
                   .answers = kChecks[r - 260],
                   .category = 17,
                   .lab = r == 260 ? "noip" : ""});
  // Single-answer records that carry several flags.
  for (int r : {182, 204, 207, 213}) out.push_back({.record = r, .kind = K::single, .flags = 2});
  out.push_back({.record = 205, .kind = K::single, .flags = 3});
  const std::pair<int, int> fill_answers[] = {{184, 2}, {190, 2}, {192, 3}, {197, 2}, {198, 1},
                                              {209, 2}, {214, 3}, {215, 3}, {220, 3}};
  for (const auto& [r, answers] : fill_answers)
    out.push_back({.record = r, .kind = K::fill, .answers = answers, .flags = 0});
  return out;
}

Section titled_references(int first, int last) {
  return {.first = first, .last = last, .references = ReferenceForm::page_and_title};
}

}  // namespace

const BankFigures& wob_combo_figures() {
  static const BankFigures figures{
      .module = "PB_WOB_Combo",
      .description = "Combination of Questions for the WOB book.",
      .title = "FYRD - WOB",
      .version = "5.45",
      .stores_feedback_address = false,
      .question_count = 279,
      .category_count = 17,
      .categories = {.same_as = {{"PB_WOB_Pelma", 16}}, .names = {{17, "Simulator Questions"}}},
      .sections =
          {{
               .first = 1,
               .last = 279,
               .kinds =
                   {{K::single,
                     145,
                     {{2, 17}, {3, 2}, {4, 39}, {5, 76}, {6, 11}},
                     {{1, 140}, {2, 4}, {3, 1}}},
                    {K::multi, 84, {{4, 14}, {5, 64}, {6, 6}}, {{2, 52}, {3, 25}, {4, 6}, {5, 1}}},
                    {K::fill, 9, {{1, 1}, {2, 4}, {3, 4}}, {{0, 9}}},
                    {K::dnd, 21, {{1, 21}}, {{0, 21}}},
                    {K::sim, 20, {{1, 10}, {2, 1}, {3, 4}, {4, 4}, {5, 1}}, {{0, 20}}}},
               .exactly = {{P::typed_multi_answer, K::any,
                            joined({wob_book_multi_answer(),
                                    {181, 183, 189, 201, 203, 212, 225, 227, 228, 230, 232}})},
                           {P::typed_fill_in_the_blank, K::any, kFill},
                           {P::always, K::dnd, records(239, 259)},
                           {P::always, K::sim, records(260, 279)},
                           {P::has_explanation, K::any, records(180, 279)},
                           {P::has_clue, K::any, records(260, 279)},
                           {P::has_lab, K::any, {260}},
                           {P::reference_empty, K::any, {174}},
                           {P::has_picture, K::any, {}},
                           {P::has_exhibit, K::any, {}}},
               .sums = {{M::answers, K::sim, 45}},
               .category_kinds = {{1, 17},
                                  {2, 16},
                                  {3, 13},
                                  {4, 20},
                                  {5, 12},
                                  {6, 13},
                                  {7, 10, 9, 1},
                                  {8, 17},
                                  {9, 26},
                                  {10, 22},
                                  {11, 20},
                                  {12, 9, 4, 5},
                                  {13, 16},
                                  {14, 14},
                                  {15, 23},
                                  {16, 11},
                                  {17, 20, 0, 0, 0, 0, 20}},
           },
           titled_references(1, 173),
           titled_references(175, 179),
           {.first = 1, .last = 179, .bounds = {{M::page, K::any, 49, 323}}},
           {.first = 180,
            .last = 279,
            .bounds = {{M::page, K::any, 51, 324}, {M::page, K::sim, 250, 254}},
            .references = ReferenceForm::page_only}},
      .records = telling_records(),
      // The CD-ROM's categories are the book's chapters 1 to 6, 8 to 11 and 13 to 16, then
      // the simulator tasks.
      .equal =
          {{1, 179, "PB_WOB_Pelma", 1},
           {180,
            279,
            "PB_WOB_Velto",
            1,
            {{7, 8}, {8, 9}, {9, 10}, {10, 11}, {11, 13}, {12, 14}, {13, 15}, {14, 16}, {15, 17}}}},
  };
  return figures;
}

TEST(WobComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(wob_combo_figures())), "");
}

}  // namespace pv::bankcheck

namespace pv::bankcheck {

// Against its two sources, the full exam differs exactly in the CD-ROM records that its
// category map renumbers (chapters 7 and 12 have no CD-ROM entry, so every CD-ROM category
// from 7 up moves), and in those only by Category: it lists no exceptions.
TEST(WobComboBank, DiffersFromItsSourcesOnlyInTheRenumberedCategories) {
  const auto full = load_module("PB_WOB_Combo");
  const auto book = load_module("PB_WOB_Pelma");
  const auto cd = load_module("PB_WOB_Velto");
  ASSERT_TRUE(full && book && cd);
  std::vector<int> expected;
  for (const auto& [chapter, cd_records] : kCdChapters)
    if (chapter >= 8) expected.insert(expected.end(), cd_records.begin(), cd_records.end());
  std::sort(expected.begin(), expected.end());
  std::vector<int> differing;
  for (int r = 1; r <= 279; ++r) {
    const QuestionRecord& source = r <= 179 ? book->questions[r] : cd->questions[r - 179];
    QuestionRecord same_category = source;
    same_category.Category = full->questions[r].Category;
    EXPECT_EQ(bank_field_differences(full->questions[r], same_category), "") << "record " << r;
    if (full->questions[r].Category != source.Category) differing.push_back(r);
  }
  EXPECT_EQ(differing, expected);
}

}  // namespace pv::bankcheck
