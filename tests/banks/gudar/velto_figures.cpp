// The documented figures of the GUDAR CD-ROM bank, PB_GUDAR_velto.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

const BankFigures& gudar_velto_figures() {
  static const BankFigures figures{
      .module = "PB_GUDAR_velto",
      .description = "Velto's Questions for the KWEL GUDAR book.",
      .title = "Pelma KWEL GUDAR",
      .version = "5.20",
      .stores_feedback_address = true,
      .question_count = 108,
      .category_count = 21,
      .categories = {.chapters = 20, .same_as = {{"PB_GUDAR_pelma", 20}}},
      .sections = {{
          .first = 1,
          .last = 108,
          .kinds = {{K::single, 58, {{2, 1}, {3, 3}, {4, 15}, {5, 21}, {6, 18}}, {{1, 58}}},
                    {K::multi, 11, {{4, 2}, {5, 2}, {6, 7}}, {{2, 5}, {3, 3}, {1, 3}}},
                    {K::fill,
                     12,
                     {{1, 3}, {2, 2}, {3, 5}, {5, 1}, {6, 1}},
                     {{1, 3}, {2, 2}, {3, 5}, {5, 1}, {6, 1}}},
                    {K::dnd, 6, {{1, 6}}, {{0, 6}}},
                    {K::sim, 21, {{1, 7}, {2, 7}, {3, 4}, {4, 2}, {5, 1}}, {{0, 21}}}},
          .counts = {{P::typed_single_answer, K::any, 85},
                     {P::typed_multi_answer, K::any, 11},
                     {P::typed_fill_in_the_blank, K::any, 12},
                     {P::has_explanation, K::any, 108},
                     {P::question_has_br, K::any, 2},
                     {P::question_has_quote, K::any, 3}},
          .exactly = {{P::always, K::sim, records(88, 108)},
                      {P::has_clue, K::single, {2}},
                      {P::has_clue, K::multi, {}},
                      {P::has_clue, K::fill, {}},
                      {P::has_clue, K::dnd, {}},
                      {P::has_clue, K::sim, records(88, 108)},
                      {P::markup_other_than_br, K::any, {}},
                      {P::question_has_br, K::sim, {}},
                      {P::has_picture, K::any, {}},
                      {P::has_exhibit, K::any, {}},
                      {P::has_blank_value, K::sim, {89, 103, 104}},
                      {P::has_capital_key, K::sim, {107, 108}}},
          .bounds = {{M::page, K::any, 53, 518}, {M::clue_lines, K::sim, 9, 16}},
          .sums = {{M::answers, K::any, 429},
                   {M::flags, K::any, 113},
                   {M::answers, K::sim, 46},
                   {M::blank_values, K::sim, 3},
                   {M::capital_keys, K::sim, 2}},
          .category_kinds = {{1, 4},   {2, 0},   {3, 2},
                             {4, 2},   {5, 0},   {6, 0},
                             {7, 4},   {8, 6},   {9, 4},
                             {10, 6},  {11, 1},  {12, 7},
                             {13, 2},  {14, 11}, {15, 7},
                             {16, 5},  {17, 5},  {18, 4},
                             {19, 12}, {20, 5},  {.category = 21, .records = 21, .sim = 21}},
          .references = ReferenceForm::page_only,
          .lab = "3550",
      }},
      .records =
          {
              // Drag-and-drop exercises.
              {.record = 11, .kind = K::dnd, .page = 53, .category = 1, .answer1 = "1"},
              {.record = 23, .kind = K::dnd, .page = 317, .category = 12, .answer1 = "2"},
              {.record = 34, .kind = K::dnd, .page = 286, .category = 10, .answer1 = "3"},
              {.record = 50, .kind = K::dnd, .page = 54, .category = 1, .answer1 = "4"},
              {.record = 66, .kind = K::dnd, .page = 516, .category = 20, .answer1 = "5"},
              {.record = 82, .kind = K::dnd, .page = 232, .category = 8, .answer1 = "6"},
              // Multiple answer with one correct answer.
              {.record = 42, .kind = K::multi, .flags = 1, .category = 15},
              {.record = 43, .kind = K::multi, .flags = 1, .category = 15},
              {.record = 44, .kind = K::multi, .flags = 1, .category = 15},
              // Fill-in spellings.
              {.record = 60, .kind = K::fill, .answers = 3, .spellings = 1},
              {.record = 61, .kind = K::fill, .answers = 3, .spellings = 1},
              {.record = 62, .kind = K::fill, .answers = 3, .spellings = 1},
              {.record = 68,
               .kind = K::fill,
               .answers = 6,
               .spellings = 2,
               .capitalised_lower_upper = true},
              {.record = 83, .kind = K::fill, .answer_length = 1},
              // The one ordinary record with a clue: one line.
              {.record = 2, .clue_lines = 1},
          },
  };
  return figures;
}

TEST(GudarVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(gudar_velto_figures())), "");
}

}  // namespace pv::bankcheck
