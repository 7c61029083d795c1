// The documented figures of the GUDAR full exam, PB_GUDAR_combo: the module and records 1
// to 237, then records 238 to 350.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

namespace {

RecordFact flags(int record, int correct) {
  return {.record = record, .kind = K::multi, .flags = correct};
}
}  // namespace

const BankFigures& gudar_combo_figures() {
  static const BankFigures figures{
      .module = "PB_GUDAR_combo",
      .description = "Combination of velto and pelma questions. (100 from Velto).",
      .title = "Pelma KWEL GUDAR",
      .version = "5.20",
      .stores_feedback_address = true,
      .question_count = 350,
      .category_count = 21,
      .categories = {.chapters = 20, .same_as = {{"PB_GUDAR_velto", 21}, {"PB_GUDAR_pelma", 20}}},
      .sections =
          {
              {
                  .first = 1,
                  .last = 350,
                  .distributions =
                      {{M::category, K::any, {{2, 12}, {5, 13}, {6, 12}, {21, 21}}, false}},
              },
              {
                  .first = 1,
                  .last = 237,
                  .kinds = {{K::single, 228, {{4, 217}, {5, 10}, {6, 1}}, {{1, 228}}},
                            {K::multi, 9, {{4, 4}, {5, 5}}, {{2, 6}, {3, 3}}}},
                  .exactly = {{P::always, K::multi, {14, 15, 16, 19, 20, 22, 23, 24, 79}},
                              {P::has_explanation, K::any, {11, 46, 86, 204, 225, 230}},
                              {P::explanation_has_markup, K::any, {}},
                              {P::has_clue, K::any, {}},
                              {P::question_has_br, K::any, {163, 215, 225}},
                              {P::has_picture, K::any, {}},
                              {P::has_exhibit, K::any, {}},
                              {P::has_lab, K::any, {}}},
                  .distributions =
                      {{M::correct_slot, K::single, {{1, 27}, {2, 69}, {3, 85}, {4, 44}, {5, 3}}}},
                  .bounds = {{M::page, K::any, 44, 511}},
                  .runs = {{1, 1, 12, 12, 0, 3, 1, 44, 58, {}},
                           {2, 13, 24, 12, 8, 6, 0, 71, 81, {}},
                           {3, 25, 36, 12, 0, 0, 0, 95, 109, {}},
                           {4, 37, 48, 12, 0, 0, 1, 121, 132, {}},
                           {5, 49, 61, 13, 0, 1, 0, 146, 160, {}},
                           {6, 62, 73, 12, 0, 1, 0, 175, 189, {}},
                           {7, 74, 85, 12, 1, 0, 0, 205, 216, {}},
                           {8, 86, 98, 13, 0, 3, 1, 227, 234, {}},
                           {9, 99, 110, 12, 0, 0, 0, 247, 263, {}},
                           {10, 111, 122, 12, 0, 2, 0, 277, 288, {}},
                           {11, 123, 134, 12, 0, 0, 0, 301, 305, {}},
                           {12, 135, 146, 12, 0, 0, 0, 317, 329, {}},
                           {13, 147, 158, 12, 0, 0, 0, 343, 353, {}},
                           {14, 159, 170, 12, 0, 0, 0, 366, 379, {}},
                           {15, 171, 182, 12, 0, 0, 0, 391, 402, {}},
                           {16, 183, 194, 12, 0, 0, 0, 416, 427, {}},
                           {17, 195, 206, 12, 0, 0, 1, 440, 450, {}},
                           {18, 207, 218, 12, 0, 0, 0, 440, 477, {}},
                           {19, 219, 230, 12, 0, 0, 2, 485, 495, {}},
                           {20, 231, 237, 7, 0, 0, 0, 507, 511, {}}},
                  .references = ReferenceForm::page_and_title,
              },
              {
                  .first = 238,
                  .last = 242,
                  .kinds = {{K::single, 5, {{4, 5}}, {{1, 5}}}},
                  .exactly = {{P::has_explanation, K::any, {}}, {P::has_clue, K::any, {}}},
                  .bounds = {{M::page, K::any, 511, 519}, {M::category, K::any, 20, 20}},
                  .references = ReferenceForm::page_and_title,
              },
              {
                  .first = 243,
                  .last = 350,
                  .kinds = {{K::single, 58, {{2, 1}, {3, 3}, {4, 15}, {5, 21}, {6, 18}}, {{1, 58}}},
                            {K::multi, 11, {}, {}},
                            {K::fill, 12, {}, {}},
                            {K::dnd, 6, {{1, 6}}, {{0, 6}}},
                            {K::sim, 21, {}, {{0, 21}}}},
                  .exactly = {{P::always, K::sim, records(330, 350)},
                              {P::always, K::dnd, {253, 265, 276, 292, 308, 324}},
                              {P::always,
                               K::multi,
                               {247, 248, 272, 278, 279, 280, 284, 285, 286, 293, 322}},
                              {P::always,
                               K::fill,
                               {271, 274, 283, 302, 303, 304, 305, 310, 318, 319, 321, 325}},
                              {P::has_explanation, K::any, records(243, 350)},
                              {P::has_clue, K::any,
                               [] {
                                 std::vector<int> r = records(330, 350);
                                 r.insert(r.begin(), 244);
                                 return r;
                               }()},
                              {P::explanation_starts_with_br, K::any, {333, 334, 350}},
                              {P::clue_starts_with_empty_line, K::any, {334, 341}},
                              {P::clue_ends_with_line_break, K::any, {}},
                              {P::has_blank_value, K::sim, {331, 345, 346}},
                              {P::has_capital_key, K::sim, {349, 350}},
                              {P::question_has_br, K::any, {292, 325}},
                              {P::markup_other_than_br, K::any, {}},
                              {P::has_picture, K::any, {}},
                              {P::has_exhibit, K::any, {}},
                              {P::text_has_rsquo, K::any, {253, 292, 310, 348}},
                              {P::answer_has_eacute, K::any, {290}},
                              {P::non_ascii, K::any, {253, 290, 292, 310, 348}},
                              {P::question_has_quote, K::any, {320, 322, 323}},
                              {P::explanation_has_quote, K::any, {287, 289}}},
                  .bounds = {{M::page, K::any, 53, 518},
                             {M::clue_lines, K::sim, 9, 16},
                             {M::question_length, K::sim, 185, 440}},
                  .sums = {{M::answers, K::sim, 46}},
                  .category_kinds = {{1, 4, 2, 0, 0, 2, 0},
                                     {3, 2, 2, 0, 0, 0, 0},
                                     {4, 2, 2, 0, 0, 0, 0},
                                     {7, 4, 4, 0, 0, 0, 0},
                                     {8, 6, 2, 1, 2, 1, 0},
                                     {9, 4, 2, 2, 0, 0, 0},
                                     {10, 6, 3, 0, 2, 1, 0},
                                     {11, 1, 1, 0, 0, 0, 0},
                                     {12, 7, 6, 0, 0, 1, 0},
                                     {13, 2, 2, 0, 0, 0, 0},
                                     {14, 11, 8, 0, 3, 0, 0},
                                     {15, 7, 3, 3, 1, 0, 0},
                                     {16, 5, 4, 0, 1, 0, 0},
                                     {17, 5, 3, 1, 1, 0, 0},
                                     {18, 4, 4, 0, 0, 0, 0},
                                     {19, 12, 6, 4, 2, 0, 0},
                                     {20, 5, 4, 0, 0, 1, 0},
                                     {21, 21, 0, 0, 0, 0, 21}},
                  .references = ReferenceForm::page_only,
                  .lab = "3550",
              },
          },
      .records =
          {
              // Multiple choice: flagged of shown answers.
              choice_flags(247, K::multi, 6, 2),
              choice_flags(248, K::multi, 6, 2),
              choice_flags(272, K::multi, 6, 3),
              choice_flags(278, K::multi, 6, 3),
              choice_flags(279, K::multi, 6, 2),
              choice_flags(280, K::multi, 6, 3),
              choice_flags(284, K::multi, 5, 1),
              choice_flags(285, K::multi, 4, 1),
              choice_flags(286, K::multi, 4, 1),
              choice_flags(293, K::multi, 6, 2),
              choice_flags(322, K::multi, 5, 2),
              // Multiple answer among records 1 to 237: two or three correct.
              flags(14, 3),
              flags(15, 2),
              flags(16, 2),
              flags(19, 2),
              flags(20, 3),
              flags(22, 2),
              flags(23, 2),
              flags(24, 3),
              flags(79, 2),
              // Fill-in: accepted answers, each flagged.
              fill_flags(271, 5, 5),
              fill_flags(274, 2, 2),
              fill_flags(283, 3, 3),
              fill_flags(302, 3, 3),
              fill_flags(303, 3, 3),
              fill_flags(304, 3, 3),
              fill_flags(305, 3, 3),
              fill_flags(310, 6, 6),
              fill_flags(318, 1, 1),
              fill_flags(319, 2, 2),
              fill_flags(321, 1, 1),
              fill_flags(325, 1, 1),
              {.record = 302, .spellings = 1, .capitalised_lower_upper = true},
              {.record = 303, .spellings = 1, .capitalised_lower_upper = true},
              {.record = 304, .spellings = 1, .capitalised_lower_upper = true},
              {.record = 310, .spellings = 2, .capitalised_lower_upper = true},
              {.record = 325, .answer_length = 1},
              // Drag and drop.
              dnd(253, "1", 1),
              dnd(265, "2", 12),
              dnd(276, "3", 10),
              dnd(292, "4", 1),
              dnd(308, "5", 20),
              dnd(324, "6", 8),
              // Router simulator: checks per task.
              sim(330, 4, 21, "3550"),
              sim(331, 5, 21, "3550"),
              sim(332, 2, 21, "3550"),
              sim(333, 3, 21, "3550"),
              sim(334, 1, 21, "3550"),
              sim(335, 1, 21, "3550"),
              sim(336, 2, 21, "3550"),
              sim(337, 2, 21, "3550"),
              sim(338, 2, 21, "3550"),
              sim(339, 2, 21, "3550"),
              sim(340, 3, 21, "3550"),
              sim(341, 1, 21, "3550"),
              sim(342, 2, 21, "3550"),
              sim(343, 1, 21, "3550"),
              sim(344, 3, 21, "3550"),
              sim(345, 4, 21, "3550"),
              sim(346, 3, 21, "3550"),
              sim(347, 2, 21, "3550"),
              sim(348, 1, 21, "3550"),
              sim(349, 1, 21, "3550"),
              sim(350, 1, 21, "3550"),
              // The one record outside the simulator tasks with a clue.
              {.record = 244, .kind = K::single},
          },
      .equal = {{1, 242, "PB_GUDAR_pelma", 1}, {243, 350, "PB_GUDAR_velto", 1}},
  };
  return figures;
}

TEST(GudarComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(gudar_combo_figures())), "");
}

}  // namespace pv::bankcheck
