// The documented figures of the JEKO full exam, PB_JEKO_Combo: the book's records 1 to 255,
// then the CD-ROM's records as 256 to 355, its simulator tasks under category 0.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

// Fill-in: accepted forms, flagged slots, exhibit ("" for none).
RecordFact fill_shown(int record, int answers, Slots flagged, const char* exhibit) {
  RecordFact f = fill(record, answers, std::move(flagged));
  f.exhibit = exhibit;
  return f;
}

// A simulator task: its checks, its lab and its page.
RecordFact task(int record, int checks, const char* lab, int page) {
  RecordFact f = marked(stored(sim(record, checks, 0, lab)));
  f.page = page;
  return f;
}

std::vector<RecordFact> record_facts() {
  return {
      // The book questions with all four answers correct.
      {.record = 51, .kind = K::multi, .correct = {{1, 2, 3, 4}}},
      {.record = 127, .kind = K::multi, .correct = {{1, 2, 3, 4}}},
      {.record = 189, .kind = K::multi, .correct = {{1, 2, 3, 4}}},
      // Two flags on records typed single answer.
      {.record = 288, .kind = K::single, .correct = {{2, 4}}},
      {.record = 312, .kind = K::single, .correct = {{2, 4}}},
      fill_shown(257, 6, {1, 2, 3, 4, 5}, ""),
      fill_shown(267, 1, {}, ""),
      fill_shown(268, 1, {1}, ""),
      fill_shown(272, 2, {1, 2}, ""),
      fill_shown(276, 1, {1}, ""),
      fill_shown(278, 1, {}, ""),
      fill_shown(281, 1, {}, "q18.txt"),
      fill_shown(285, 1, {}, "q16.txt"),
      fill_shown(286, 1, {1}, ""),
      fill_shown(293, 1, {}, "q26.txt"),
      fill_shown(314, 2, {1, 2}, ""),
      fill_shown(315, 1, {1}, ""),
      fill_shown(316, 1, {1}, "q20.txt"),
      fill_shown(317, 1, {}, ""),
      fill_shown(324, 1, {1}, ""),
      fill_shown(326, 1, {}, "q57.txt"),
      fill_shown(327, 2, {}, "q56.txt"),
      fill_shown(330, 1, {1}, ""),
      marked(dnd(259, "3", 1, 193)),
      marked(dnd(260, "5", 1, 191)),
      marked(dnd(262, "8", 1, 235)),
      marked(dnd(263, "10", 1, 186)),
      marked(dnd(275, "1", 3, 156)),
      marked(dnd(280, "2", 4, 195)),
      marked(dnd(283, "11", 5, 389)),
      marked(dnd(296, "14", 8, 321)),
      marked(dnd(298, "9", 8, 321)),
      marked(dnd(300, "7", 8, 320)),
      marked(dnd(301, "6", 8, 318)),
      marked(dnd(308, "12", 9, 353)),
      marked(dnd(321, "4", 13, 494)),
      marked(dnd(322, "13", 13, 501)),
      marked(dnd(329, "15", 15, 574)),
      task(336, 3, "", 299),
      task(337, 6, "noip", 528),
      task(338, 1, "", 530),
      task(339, 4, "basicip", 273),
      task(340, 2, "basicip", 533),
      task(341, 1, "noip", 112),
      task(342, 4, "basicip", 156),
      task(343, 1, "", 449),
      task(344, 1, "", 531),
      task(345, 1, "", 581),
      task(346, 4, "", 528),
      task(347, 3, "", 578),
      task(348, 2, "", 153),
      task(349, 3, "", 351),
      task(350, 4, "", 273),
      task(351, 5, "", 581),
      task(352, 3, "", 636),
      task(353, 5, "", 580),
      task(354, 3, "", 580),
      task(355, 3, "", 578),
      {.record = 352, .clue = ""},
  };
}

Section book() {
  return {
      .first = 1,
      .last = 255,
      .kinds = {{K::single, 189, {{4, 189}}, {{1, 189}}},
                {K::multi, 66, {{4, 66}}, {{2, 34}, {3, 29}, {4, 3}}}},
      .counts = {{P::typed_single_answer, K::any, 189}, {P::typed_multi_answer, K::any, 66}},
      .exactly = {{P::always, K::multi,
                   joined({{1,   6,   12,  23,  25,  29,  30,  40,  44,  51,  55,  60,  61,  62,
                            63,  67,  71,  86,  87,  95,  96,  97,  101, 106, 107, 110, 113, 114,
                            120, 121, 122, 127, 137, 138, 139, 142, 143, 145, 147, 154, 165, 167,
                            168, 170, 171, 172, 173, 175, 189, 194, 198, 205, 214, 216, 219, 220,
                            223, 225, 226, 229, 231, 232, 236, 238, 240, 244}})},
                  {P::has_explanation, K::any, {}},
                  {P::has_clue, K::any, {}},
                  {P::answer_has_markup, K::any, {112}},
                  {P::question_has_markup, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {}},
                  {P::has_lab, K::any, {}}},
      .runs = jeko_book_chapters(),
      .references = ReferenceForm::page_and_title,
  };
}

Section cd() {
  return {
      .first = 256,
      .last = 355,
      // Kinds by type: the test window shows 288 and 312 (single answer, two flags) as
      // multiple choice, which makes the documented 27 single and 20 multiple choice.
      .kinds = {{K::single, 29, {{3, 3}, {4, 13}, {5, 5}, {6, 8}}, {{1, 27}, {2, 2}}},
                {K::multi, 18, {{5, 7}, {6, 11}}, {{2, 10}, {3, 6}, {4, 2}}},
                {K::fill, 18, {{1, 14}, {2, 3}, {6, 1}}},
                {K::dnd, 15, {{1, 15}}, {{0, 15}}},
                {K::sim, 20, {{1, 5}, {2, 2}, {3, 6}, {4, 4}, {5, 2}, {6, 1}}, {{0, 20}}}},
      .counts = {{P::typed_multi_answer, K::any, 18},
                 {P::typed_fill_in_the_blank, K::any, 18},
                 {P::has_explanation, K::any, 100}},
      .exactly = {{P::always, K::single,
                   joined({{273, 274, 277},
                           records(287, 291),
                           {294, 295, 297, 299, 302, 304, 306, 307},
                           records(309, 312),
                           {318, 320, 323, 325, 328, 331, 332, 333, 335}})},
                  {P::always,
                   K::multi,
                   {256, 258, 261, 264, 265, 266, 269, 270, 271, 279, 282, 284, 292, 303, 305, 313,
                    319, 334}},
                  {P::always,
                   K::fill,
                   {257, 267, 268, 272, 276, 278, 281, 285, 286, 293, 314, 315, 316, 317, 324, 326,
                    327, 330}},
                  {P::always,
                   K::dnd,
                   {259, 260, 262, 263, 275, 280, 283, 296, 298, 300, 301, 308, 321, 322, 329}},
                  {P::always, K::sim, records(336, 355)},
                  {P::has_clue,
                   K::fill,
                   {257, 267, 268, 272, 281, 285, 286, 293, 314, 315, 316, 317, 324, 330}},
                  {P::has_clue, K::sim, joined({records(336, 351), records(353, 355)})},
                  {P::has_exhibit, K::any, {281, 285, 293, 316, 326, 327}},
                  {P::has_lab, K::any, {337, 339, 340, 341, 342}},
                  {P::has_picture, K::any, {}}},
      .sums = {{M::answers, K::sim, 59}, {M::blank_values, K::sim, 9}},
      .category_kinds = {{1, 10},
                         {2, 3},
                         {3, 11},
                         {4, 3},
                         {5, 2},
                         {7, 11},
                         {8, 11},
                         {9, 2},
                         {10, 5},
                         {12, 4},
                         {13, 6},
                         {14, 4},
                         {15, 2},
                         {16, 2},
                         {17, 2},
                         {18, 2},
                         {0, 20, 0, 0, 0, 0, 20}},
      .references = ReferenceForm::page_only,
      .within = {{M::page, K::any, 59, 726, true}},
  };
}

}  // namespace

const BankFigures& jeko_combo_figures() {
  static const BankFigures figures{
      .module = "PB_JEKO_Combo",
      .description = "Combo questions",
      .title = "Pelma Books JEKO",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 355,
      .category_count = 18,
      .categories = {.same_as = {{"PB_JEKO_Pelma", 18}}},
      .sections = {book(), cd()},
      .records = record_facts(),
      .equal = {{1, 255, "PB_JEKO_Pelma", 1}, {256, 355, "PB_JEKO_Velto", 1, {{19, 0}}}},
  };
  return figures;
}

TEST(JekoComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(jeko_combo_figures())), "");
}

}  // namespace pv::bankcheck

namespace pv::bankcheck {
namespace {

// The full exam against its two sources loaded on their own: the only field that differs is
// the category of the twenty simulator tasks, 19 in the CD-ROM bank and 0 here.
TEST(JekoComboBank, DiffersFromItsSourcesOnlyInTheSimulatorCategory) {
  const auto full = load_module("PB_JEKO_Combo");
  const auto book = load_module("PB_JEKO_Pelma");
  const auto cd = load_module("PB_JEKO_Velto");
  ASSERT_TRUE(full && book && cd);
  std::vector<int> differing;
  for (int r = 1; r <= 355; ++r) {
    const QuestionRecord& source = r <= 255 ? book->questions[r] : cd->questions[r - 255];
    const std::string diff = bank_field_differences(full->questions[r], source);
    if (diff.empty()) continue;
    differing.push_back(r);
    EXPECT_EQ(diff, "Category") << "record " << r;
    EXPECT_EQ(full->questions[r].Category, 0) << "record " << r;
    EXPECT_EQ(source.Category, 19) << "record " << r;
  }
  EXPECT_EQ(differing, records(336, 355));
  EXPECT_EQ(full->question_count, 355);
  EXPECT_EQ(book->question_count + cd->question_count, 355);
}

}  // namespace
}  // namespace pv::bankcheck
