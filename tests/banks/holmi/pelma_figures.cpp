// The documented figures of the HOLMI book bank, PB_HOLMI_Pelma.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kMulti = {3,   4,   5,   6,   9,   28,  29,  44,  48,  52,
                                 60,  62,  64,  77,  92,  93,  95,  101, 108, 112,
                                 123, 124, 131, 134, 146, 149, 154, 158, 159, 162};

// Every record but the common four-answer, one-flag record, by kind; the flagged slots of
// the multiple-answer records and the true-or-false ones are those the full exam, which
// repeats these records, documents for them.
std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  const std::pair<int, Slots> four_answers[] = {
      {3, {1, 3}},   {4, {1, 2}},   {5, {2, 3}},     {6, {1, 4}},   {9, {2, 3, 4}}, {44, {1, 2, 4}},
      {48, {2, 3}},  {52, {2, 4}},  {60, {1, 4}},    {62, {3, 4}},  {64, {1, 4}},   {77, {2, 3, 4}},
      {92, {2, 4}},  {93, {1, 2}},  {95, {3, 4}},    {101, {1, 3}}, {108, {2, 3}},  {112, {1, 2}},
      {134, {1, 3}}, {154, {3, 4}}, {158, {1, 2, 3}}};
  for (const auto& [r, slots] : four_answers)
    out.push_back({.record = r, .kind = K::multi, .answers = 4, .correct = slots});
  const std::pair<int, Slots> five_answers[] = {{28, {3, 5}},  {29, {2, 4}},     {123, {2, 3}},
                                                {124, {3, 5}}, {131, {2, 3}},    {146, {1, 3, 4}},
                                                {149, {4, 5}}, {159, {1, 2, 4}}, {162, {1, 4, 5}}};
  for (const auto& [r, slots] : five_answers)
    out.push_back({.record = r, .kind = K::multi, .answers = 5, .correct = slots});
  for (int r : {2, 7, 10, 42, 53, 150, 151, 156, 165, 166, 167})
    out.push_back({.record = r, .kind = K::single, .answers = 5, .flags = 1});
  for (int r : {11, 163}) out.push_back({.record = r, .kind = K::single, .correct = Slots{1}});
  for (int r : {148, 169}) out.push_back({.record = r, .kind = K::single, .correct = Slots{2}});
  // Chapter 8's question that refers back to a page of chapter 7.
  out.push_back({.record = 72, .page = 184, .category = 8});
  out.push_back({.record = 171, .category = 18});
  return out;
}

}  // namespace

const BankFigures& holmi_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_HOLMI_Pelma",
      .description = "Pelma Books Questions for the HOLMI book.",
      .title = "Pelma Books HOLMI",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 171,
      .category_count = 18,
      // Chapters 15 and 17 are cut short, the first inside a word.
      .categories = {.lengths = {{{15}, 50, 50, true}, {{17}, 49, 49}}, .at_most = 50},
      .sections = {{
          .first = 1,
          .last = 171,
          .kinds = {{K::single, 141, {{2, 4}, {4, 126}, {5, 11}}, {{1, 141}}},
                    {K::multi, 30, {{4, 21}, {5, 9}}, {{2, 23}, {3, 7}}}},
          .counts = {{P::has_explanation, K::any, 20}},
          .exactly = {{P::typed_multi_answer, K::any, kMulti},
                      {P::has_explanation, K::any,
                       joined({records(16, 28), {31, 32}, records(123, 126), {130}})},
                      {P::true_or_false, K::any, {11, 148, 163, 169}},
                      {P::answer_has_markup, K::any, {65, 121}},
                      {P::question_has_markup, K::any, {}},
                      {P::explanation_has_markup, K::any, {}},
                      {P::markup_other_than_br, K::any, {}},
                      {P::has_line_end, K::any, {}},
                      {P::non_ascii, K::any, {3, 36, 37, 42, 109, 137, 139, 161}},
                      {P::question_non_ascii, K::any, {3}},
                      {P::question_has_quote, K::any, {}},
                      {P::explanation_has_quote, K::any, {}},
                      {P::answer_has_quote, K::any, {}},
                      {P::has_clue, K::any, {}},
                      {P::has_picture, K::any, {}},
                      {P::has_exhibit, K::any, {}},
                      {P::has_lab, K::any, {}}},
          // Where the one correct answer stands, as the full exam documents it.
          .distributions =
              {{M::answers_with_br, K::any, {{0, 169}, {4, 2}}},
               {M::correct_slot, K::single, {{1, 28}, {2, 46}, {3, 30}, {4, 22}}, true, 4},
               {M::correct_slot, K::single, {{1, 1}, {2, 1}, {4, 3}, {5, 6}}, true, 5},
               {M::correct_slot, K::single, {{1, 2}, {2, 2}}, true, 2}},
          .bounds = {{M::page, K::any, 38, 475},
                     {M::question_length, K::any, 17, 221},
                     {M::explanation_length, K::any, 56, 283}},
          .sums = {{M::answers_non_ascii, K::any, 21}},
          // category, records, count, multi-answer, five answers, explained, pages
          .runs = {{1, 1, 15, 15, 5, 3, 0, 38, 51},
                   {2, 16, 23, 8, 0, 0, 8, 60, 72},
                   {3, 24, 32, 9, 2, 2, 7, 87, 100},
                   {4, 33, 43, 11, 0, 1, 0, 120, 133},
                   {5, 44, 51, 8, 2, 0, 0, 147, 150},
                   {6, 52, 59, 8, 1, 1, 0, 162, 166},
                   {7, 60, 67, 8, 3, 0, 0, 178, 197},
                   {8, 68, 75, 8, 0, 0, 0, 184, 217},
                   {9, 76, 84, 9, 1, 0, 0, 226, 236},
                   {10, 85, 93, 9, 2, 0, 0, 252, 267},
                   {11, 94, 106, 13, 2, 0, 0, 267, 292},
                   {12, 107, 114, 8, 2, 0, 0, 309, 315},
                   {13, 115, 119, 5, 0, 0, 0, 332, 333},
                   {14, 120, 122, 3, 0, 0, 0, 350, 352},
                   {15, 123, 132, 10, 3, 3, 5, 363, 378},
                   {16, 133, 145, 13, 1, 0, 0, 398, 414},
                   {17, 146, 157, 12, 3, 5, 0, 432, 440},
                   {18, 158, 171, 14, 3, 5, 0, 462, 475}},
          .references = ReferenceForm::page_and_title,
          .page_drops = std::vector<int>{72, 79, 80},
      }},
      .records = telling_records(),
  };
  return figures;
}

TEST(HolmiPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(holmi_pelma_figures())), "");
}

}  // namespace pv::bankcheck
