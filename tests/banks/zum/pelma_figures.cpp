// The documented figures of the ZUM book bank, PB_ZUM_Pelma.
#include <gtest/gtest.h>

#include <algorithm>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kFourAnswers = joined({{1},
                                              records(3, 5),
                                              records(9, 11),
                                              records(15, 24),
                                              records(36, 45),
                                              {51, 52},
                                              records(56, 89),
                                              records(96, 99)});

std::vector<int> five_answers() {
  std::vector<int> out;
  for (int r = 1; r <= 125; ++r)
    if (std::find(kFourAnswers.begin(), kFourAnswers.end(), r) == kFourAnswers.end())
      out.push_back(r);
  return out;
}

// The questions longer than 400 characters stand alone; every other is at most 373.
Section at_most_373(int first, int last) {
  return {.first = first, .last = last, .bounds = {{M::question_length, K::any, 50, 373, true}}};
}

// Records first..last cite pages of this many digits.
Section pages_of_digits(int first, int last, int digits) {
  const int lowest = digits == 2 ? 10 : 100;
  return {.first = first, .last = last, .within = {{M::page, K::any, lowest, lowest * 10 - 1}}};
}

// The en dashes stand in the answers of three records.
Section en_dashes(int record, int answers) {
  return {.first = record, .last = record, .sums = {{M::answers_with_ndash, K::any, answers}}};
}

std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  // The flagged slots are those the full exam documents for these records.
  struct Multi {
    int record, answers;
    std::vector<int> correct;
  };
  const Multi multi[] = {{2, 5, {1, 4}},     {8, 5, {1, 2, 4}},   {37, 4, {1, 3, 4}},
                         {52, 4, {1, 3, 4}}, {53, 5, {1, 3, 5}},  {64, 4, {3, 4}},
                         {73, 4, {2, 4}},    {109, 5, {2, 3, 4}}, {113, 5, {1, 5}}};
  for (const Multi& m : multi)
    out.push_back({.record = m.record,
                   .kind = K::multi,
                   .answers = m.answers,
                   .correct = m.correct,
                   .flags = static_cast<int>(m.correct.size())});
  out.push_back({.record = 88, .question_length = 429});
  out.push_back({.record = 89, .question_length = 726});
  // Chapter 7's last question cites the section that opens chapter 8.
  out.push_back({.record = 76, .page = 149, .category = 7, .same_reference_as = 77});
  for (int r = 78; r <= 82; ++r) out.push_back({.record = r, .same_reference_as = 77});
  out.push_back({.record = 77, .page = 149, .category = 8});
  out.push_back({.record = 125, .kind = K::single, .category = 12});
  return out;
}

}  // namespace

// The book's chapters, which the full exam repeats: category, records, count, multiple
// answer, five or six answers, explained, reference pages.
std::vector<CategoryRun> zum_book_chapters() {
  return {
      {1, 1, 15, 15, 2, 7, 0, 33, 41},        {2, 16, 25, 10, 0, 1, 0, 53, 60},
      {3, 26, 35, 10, 0, 10, 0, 73, 77},      {4, 36, 45, 10, 1, 0, 0, 83, 89},
      {5, 46, 55, 10, 2, 8, 0, 98, 101},      {6, 56, 65, 10, 1, 0, 0, 113, 116},
      {7, 66, 76, 11, 1, 0, 0, 127, 149},     {8, 77, 85, 9, 0, 0, 0, 149, 164},
      {9, 86, 95, 10, 0, 6, 0, 175, 186},     {10, 96, 105, 10, 0, 6, 0, 197, 209},
      {11, 106, 115, 10, 2, 10, 0, 222, 233}, {12, 116, 125, 10, 0, 10, 0, 243, 251},
  };
}

const BankFigures& zum_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_ZUM_Pelma",
      .description = "Pelma Books Questions for the ZUM book.",
      .title = "Pelma Books ZUM",
      .version = "5.34",
      .stores_feedback_address = true,
      .question_count = 125,
      .category_count = 12,
      // Two chapter titles are exactly as long as a name may be.
      .categories = {.lengths = {{{7, 12}, 50, 50}},
                     .at_most = 50,
                     .at_most_reached_by = {{7, 12}}},
      .sections =
          {{
               .first = 1,
               .last = 125,
               .kinds = {{K::single, 116, {{4, 63}, {5, 53}}, {{1, 116}}},
                         {K::multi, 9, {{4, 4}, {5, 5}}, {{2, 4}, {3, 5}}}},
               .exactly = {{P::typed_multi_answer, K::any, {2, 8, 37, 52, 53, 64, 73, 109, 113}},
                           {P::five_or_six_answers, K::any, five_answers()},
                           {P::question_has_br, K::any, {88, 117, 118}},
                           {P::markup_other_than_br, K::any, {}},
                           {P::answer_has_markup, K::any, {}},
                           {P::has_line_end, K::any, {}},
                           {P::has_cr_or_lf, K::any, {}},
                           {P::has_explanation, K::any, {}},
                           {P::has_clue, K::any, {}},
                           {P::has_picture, K::any, {}},
                           {P::has_exhibit, K::any, {}},
                           {P::has_lab, K::any, {}},
                           {P::question_has_quote, K::any, {}},
                           {P::answer_has_quote, K::any, {}}},
               .distributions =
                   {{M::question_br, K::any, {{0, 122}, {1, 2}, {5, 1}}},
                    {M::answers_with_br, K::any, {{0, 125}}},
                    {M::correct_slot, K::single, {{1, 21}, {2, 32}, {3, 30}, {4, 23}, {5, 10}}}},
               .bounds = {{M::page, K::any, 33, 251}, {M::question_length, K::any, 50, 726}},
               .sums = {{M::answers_with_ndash, K::any, 5}},
               .runs = zum_book_chapters(),
               .references = ReferenceForm::page_and_title,
               .answer_lengths = LengthRange{1, 273},
               // Records of one section share its reference; chapter 8's first section is
               // also cited by the last record of chapter 7.
               .distinct_references = 50,
               .references_across_categories = records(76, 82),
               .reference_sharing =
                   ReferenceSharing{{{1, 8}, {2, 23}, {3, 11}, {4, 4}, {5, 3}, {7, 1}}},
           },
           pages_of_digits(1, 50, 2),
           pages_of_digits(51, 125, 3),
           en_dashes(21, 2),
           en_dashes(87, 1),
           en_dashes(110, 2),
           at_most_373(1, 87),
           at_most_373(90, 125),
           // Chapter 7 without its last record, which cites chapter 8's first section.
           {.first = 66, .last = 75, .bounds = {{M::page, K::any, 127, 138}}}},
      .records = telling_records(),
  };
  return figures;
}

TEST(ZumPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(zum_pelma_figures())), "");
}

}  // namespace pv::bankcheck
