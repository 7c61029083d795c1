// The documented figures of the VARB book bank, PB_VARB_Pelma.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/checker/record_text.hpp"
#include "banks/checker/testing.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

// The records named by kind: every one but the common four-answer, one-flag record.
std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  for (int r : {1, 2, 3, 4, 11, 12, 14, 15, 18, 19, 24, 50, 56, 116, 146, 148, 163})
    out.push_back({.record = r, .kind = K::single, .answers = 5, .flags = 1});
  for (int r : {25, 29, 31, 48, 103, 112})
    out.push_back({.record = r, .kind = K::single, .answers = 6, .flags = 1});
  for (int r : {13, 130, 161})
    out.push_back({.record = r, .kind = K::single, .answers = 2, .flags = 1});
  out.push_back({.record = 159, .kind = K::multi, .answers = 4, .flags = 2});
  for (int r : {145, 162}) out.push_back({.record = r, .kind = K::multi, .answers = 5, .flags = 2});
  for (int r : {10, 16, 46})
    out.push_back({.record = r, .kind = K::multi, .answers = 5, .flags = 3});
  // The explanations stored in two steps, by their final lengths.
  out.push_back({.record = 46, .explanation_length = 434});
  out.push_back({.record = 54, .explanation_length = 351});
  out.push_back({.record = 58, .explanation_length = 395});
  return out;
}

}  // namespace

// category, records, count, multiple answer, 5 or 6 answers, explained, pages.
std::vector<CategoryRun> varb_book_chapters() {
  return {
      {1, 1, 10, 10, 1, 5, 10, 39, 45},       {2, 11, 20, 10, 1, 7, 10, 51, 62},
      {3, 21, 28, 8, 0, 2, 8, 78, 90},        {4, 29, 36, 8, 0, 2, 8, 108, 127},
      {5, 37, 46, 10, 1, 1, 10, 145, 157},    {6, 47, 56, 10, 0, 3, 10, 169, 177},
      {7, 57, 66, 10, 0, 0, 10, 191, 196},    {8, 67, 74, 8, 0, 0, 8, 207, 216},
      {9, 75, 84, 10, 0, 0, 10, 233, 251},    {10, 85, 94, 10, 0, 0, 10, 270, 283},
      {11, 95, 102, 8, 0, 0, 8, 298, 311},    {12, 103, 110, 8, 0, 1, 8, 322, 333},
      {13, 111, 120, 10, 0, 2, 10, 355, 364}, {14, 121, 128, 8, 0, 0, 8, 378, 393},
      {15, 129, 138, 10, 0, 0, 10, 413, 425}, {16, 139, 148, 10, 1, 3, 10, 435, 445},
      {17, 149, 158, 10, 0, 0, 10, 451, 481}, {18, 159, 168, 10, 2, 2, 10, 499, 502},
      {19, 169, 178, 10, 0, 0, 10, 507, 516},
  };
}

const BankFigures& varb_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_VARB_Pelma",
      .description = "Pelma Questions for the VARB book.",
      .title = "Pelma Books VARB",
      .version = "5.26",
      .stores_feedback_address = true,
      .question_count = 178,
      .category_count = 19,
      .categories =
          {.lengths = {{{14, 17}, 50, 50, true},
                       {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 18, 19}, 10, 47}}},
      .sections = {{
          .first = 1,
          .last = 178,
          .kinds = {{K::single, 172, {{2, 3}, {4, 146}, {5, 17}, {6, 6}}, {{1, 172}}},
                    {K::multi, 6, {{4, 1}, {5, 5}}, {{2, 3}, {3, 3}}}},
          .counts = {{P::has_explanation, K::any, 178}, {P::blank_after_hashes, K::any, 0}},
          .exactly = {{P::typed_multi_answer, K::any, {10, 16, 46, 145, 159, 162}},
                      {P::true_or_false, K::any, {13, 130, 161}},
                      {P::question_has_br, K::any, {87, 89}},
                      {P::question_has_markup, K::any, {87, 89}},
                      {P::question_has_quote, K::any, {55, 93, 142}},
                      {P::explanation_has_quote, K::any, {20}},
                      {P::explanation_has_markup, K::any, {46}},
                      {P::markup_other_than_br, K::any, {}},
                      {P::answer_has_markup, K::any, {}},
                      {P::has_line_end, K::any, {}},
                      {P::non_ascii, K::any, {90}},
                      {P::explanation_names_flags, K::any,
                       joined({records(1, 45), records(47, 178)})},
                      {P::explanation_judges_each_answer, K::any, {46}},
                      {P::has_clue, K::any, {}},
                      {P::has_picture, K::any, {}},
                      {P::has_exhibit, K::any, {}},
                      {P::has_lab, K::any, {}}},
          .distributions = {{M::question_br, K::any, {{0, 176}, {1, 2}}},
                            {M::explanation_br, K::any, {{0, 177}, {1, 1}}},
                            {M::quotes, K::any, {{0, 174}, {2, 4}}},
                            {M::answers_with_ndash, K::any, {{0, 177}, {2, 1}}}},
          .bounds = {{M::page, K::any, 39, 516},
                     {M::question_length, K::any, 12, 348},
                     {M::explanation_length, K::any, 38, 434},
                     {M::reference_length, K::any, 8, 55}},
          .runs = varb_book_chapters(),
          .references = ReferenceForm::page_and_title,
          .answer_lengths = LengthRange{1, 147},
          .distinct_references = 100,
      }},
      .records = telling_records(),
  };
  return figures;
}

TEST(VarbPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(varb_pelma_figures())), "");
}

// Only the explanations stored in two steps are over 350 characters.
TEST(VarbPelmaBank, OnlyTheTwoStepExplanationsAreOver350Characters) {
  const auto g = load_module("PB_VARB_Pelma");
  ASSERT_TRUE(g);
  for (int r = 1; r <= g->question_count; ++r) {
    if (r == 46 || r == 54 || r == 58) continue;
    EXPECT_LE(chars(g->questions[r].Explanation), 350) << "record " << r;
  }
}

}  // namespace pv::bankcheck
