// The documented figures of the JEKO book bank, PB_JEKO_Pelma. The full exam repeats its
// records unchanged, so what the full exam's documentation says of them is checked here too.
#include <gtest/gtest.h>

#include <algorithm>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

const std::vector<int> kTwoFlags = {6,   29,  30,  44,  61,  62,  63,  67,  71,  86,  87,  95,
                                    96,  101, 110, 113, 114, 121, 137, 138, 147, 154, 168, 171,
                                    172, 173, 175, 194, 205, 225, 226, 229, 231, 232};
const std::vector<int> kThreeFlags = {1,   12,  23,  25,  40,  55,  60,  97,  106, 107,
                                      120, 122, 139, 142, 143, 145, 165, 167, 170, 198,
                                      214, 216, 219, 220, 223, 236, 238, 240, 244};
const std::vector<int> kFourFlags = {51, 127, 189};

std::vector<int> multi_answer() {
  std::vector<int> out = kTwoFlags;
  out.insert(out.end(), kThreeFlags.begin(), kThreeFlags.end());
  out.insert(out.end(), kFourFlags.begin(), kFourFlags.end());
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<RecordFact> telling_records() {
  std::vector<RecordFact> out;
  for (const auto& [flags, list] :
       {std::pair{2, &kTwoFlags}, std::pair{3, &kThreeFlags}, std::pair{4, &kFourFlags}})
    for (int r : *list)
      out.push_back({.record = r, .kind = K::multi, .answers = 4, .flags = flags});
  out.push_back({.record = 255, .kind = K::single, .category = 18});
  return out;
}

// Where "##" begins: after a two-digit page in records 1 to 18, a three-digit one after them.
Section hashes_at(int first, int last, int at) {
  return {.first = first,
          .last = last,
          .distributions = {{M::hashes_at, K::any, {{at, last - first + 1}}}}};
}

}  // namespace

// The book's chapters, which the full exam repeats: category, records, count, multiple
// answer, five or six answers, explained, reference pages.
std::vector<CategoryRun> jeko_book_chapters() {
  return {
      {1, 1, 12, 12, 3, 0, 0, 57, 74},       {2, 13, 24, 12, 1, 0, 0, 95, 112},
      {3, 25, 39, 15, 3, 0, 0, 138, 158},    {4, 40, 57, 18, 4, 0, 0, 186, 198},
      {5, 58, 72, 15, 6, 0, 0, 208, 212},    {6, 73, 84, 12, 0, 0, 0, 232, 253},
      {7, 85, 98, 14, 5, 0, 0, 272, 298},    {8, 99, 110, 12, 4, 0, 0, 316, 328},
      {9, 111, 123, 13, 5, 0, 0, 344, 365},  {10, 124, 144, 21, 6, 0, 0, 389, 408},
      {11, 145, 156, 12, 3, 0, 0, 427, 433}, {12, 157, 168, 12, 3, 0, 0, 445, 469},
      {13, 169, 180, 12, 5, 0, 0, 493, 515}, {14, 181, 192, 12, 1, 0, 0, 527, 544},
      {15, 193, 206, 14, 3, 0, 0, 561, 584}, {16, 207, 224, 18, 5, 0, 0, 610, 641},
      {17, 225, 238, 14, 7, 0, 0, 666, 698}, {18, 239, 255, 17, 2, 0, 0, 719, 732},
  };
}

const BankFigures& jeko_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_JEKO_Pelma",
      .description = "Pelma Books Questions for the JEKO book.",
      .title = "Pelma Books JEKO",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 255,
      .category_count = 18,
      // Chapters 15, 16 and 17 are exactly as long as a title may be.
      .categories = {.at_most = 50, .at_most_reached_by = {{15, 16, 17}}},
      .sections =
          {{
               .first = 1,
               .last = 255,
               .kinds = {{K::single, 189, {{4, 189}}, {{1, 189}}},
                         {K::multi, 66, {{4, 66}}, {{2, 34}, {3, 29}, {4, 3}}}},
               .exactly = {{P::typed_multi_answer, K::any, multi_answer()},
                           {P::typed_fill_in_the_blank, K::any, {}},
                           {P::five_or_six_answers, K::any, {}},
                           {P::answer_has_markup, K::any, {112}},
                           {P::question_has_markup, K::any, {}},
                           {P::markup_other_than_br, K::any, {}},
                           {P::has_entity, K::any, {}},
                           {P::has_cr_or_lf, K::any, {}},
                           {P::question_has_quote, K::any, {}},
                           {P::answer_has_quote, K::any, {}},
                           {P::question_non_ascii, K::any, {155}},
                           {P::non_ascii, K::any, {155}},
                           {P::has_explanation, K::any, {}},
                           {P::has_clue, K::any, {}},
                           {P::has_picture, K::any, {}},
                           {P::has_exhibit, K::any, {}},
                           {P::has_lab, K::any, {}},
                           {P::reference_empty, K::any, {}}},
               .distributions = {{M::correct_slot, K::single, {{1, 42}, {2, 63}, {3, 42}, {4, 42}}},
                                 {M::answers_with_br, K::any, {{0, 254}, {4, 1}}}},
               .bounds = {{M::page, K::any, 57, 732}},
               .runs = jeko_book_chapters(),
               .references = ReferenceForm::page_and_title,
               .distinct_references = 144,
               .characters_beyond_ascii = {{0x2013}},
               .reference_sharing =
                   ReferenceSharing{{{1, 76}, {2, 29}, {3, 36}, {4, 2}, {5, 1}}, true},
               .shortest_answer = 1,
           },
           hashes_at(1, 18, 3),
           hashes_at(19, 255, 4),
           // Each answer of record 112 is two lines.
           {.first = 112, .last = 112, .distributions = {{M::answers_with_br, K::any, {{4, 1}}}}}},
      .records = telling_records(),
  };
  return figures;
}

TEST(JekoPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(jeko_pelma_figures())), "");
}

}  // namespace pv::bankcheck
