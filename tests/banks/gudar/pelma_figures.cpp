// The documented figures of the GUDAR book bank, PB_GUDAR_pelma.
#include <gtest/gtest.h>

#include "banks/checker/figures.hpp"
#include "banks/tables.hpp"

namespace pv::bankcheck {

const BankFigures& gudar_pelma_figures() {
  static const BankFigures figures{
      .module = "PB_GUDAR_pelma",
      .description = "Pelma Questions for the KWEL GUDAR book.",
      .title = "Pelma KWEL GUDAR",
      .version = "5.20",
      .stores_feedback_address = true,
      .question_count = 242,
      .category_count = 20,
      .categories = {.chapters = 20, .shortest = 20, .longest = 47},
      .sections = {{
          .first = 1,
          .last = 242,
          .kinds = {{K::single, 233, {{4, 222}, {5, 10}, {6, 1}}, {{1, 233}}},
                    {K::multi, 9, {{4, 4}, {5, 5}}, {{2, 6}, {3, 3}}}},
          .counts = {{P::question_has_quote, K::any, 8},
                     {P::explanation_has_quote, K::any, 1},
                     {P::explanation_has_rsquo, K::any, 1},
                     {P::non_ascii, K::any, 1},
                     {P::blank_after_hashes, K::any, 20}},
          .exactly = {{P::has_explanation, K::any, {11, 46, 86, 204, 225, 230}},
                      {P::explanation_has_markup, K::any, {}},
                      {P::has_clue, K::any, {}},
                      {P::has_picture, K::any, {}},
                      {P::has_exhibit, K::any, {}},
                      {P::has_lab, K::any, {}}},
          .distributions =
              {{M::correct_slot, K::single, {{1, 29}, {2, 70}, {3, 86}, {4, 45}, {5, 3}}},
               {M::question_br, K::any, {{0, 239}, {1, 1}, {4, 1}, {5, 1}}}},
          .bounds = {{M::page, K::any, 44, 519}, {M::explanation_length, K::any, 90, 333}},
          .runs =
              {{1, 1, 12, 12, 0, 3, 1, 44, 58, 11},      {2, 13, 24, 12, 8, 6, 0, 71, 81, 4},
               {3, 25, 36, 12, 0, 0, 0, 95, 109, 2},     {4, 37, 48, 12, 0, 0, 1, 121, 132, 0},
               {5, 49, 61, 13, 0, 1, 0, 146, 160, 0},    {6, 62, 73, 12, 0, 1, 0, 175, 189, 0},
               {7, 74, 85, 12, 1, 0, 0, 205, 216, 0},    {8, 86, 98, 13, 0, 3, 1, 227, 234, 2},
               {9, 99, 110, 12, 0, 0, 0, 247, 263, 1},   {10, 111, 122, 12, 0, 2, 0, 277, 288, 0},
               {11, 123, 134, 12, 0, 0, 0, 301, 305, 0}, {12, 135, 146, 12, 0, 0, 0, 317, 329, 0},
               {13, 147, 158, 12, 0, 0, 0, 343, 353, 0}, {14, 159, 170, 12, 0, 0, 0, 366, 379, 0},
               {15, 171, 182, 12, 0, 0, 0, 391, 402, 0}, {16, 183, 194, 12, 0, 0, 0, 416, 427, 0},
               {17, 195, 206, 12, 0, 0, 1, 440, 450, 0}, {18, 207, 218, 12, 0, 0, 0, 440, 477, 0},
               {19, 219, 230, 12, 0, 0, 2, 485, 495, 0}, {20, 231, 242, 12, 0, 0, 0, 507, 519, 0}},
          .references = ReferenceForm::page_and_title,
      }},
      .records =
          {
              // The telling records.
              {.record = 1,
               .kind = K::single,
               .answers = 5,
               .correct = Slots{3},
               .explanation = false,
               .page = 44,
               .blank_after_hashes = true,
               .category = 1},
              {.record = 2,
               .kind = K::single,
               .answers = 6,
               .correct = Slots{5},
               .explanation = false,
               .page = 46,
               .blank_after_hashes = true,
               .category = 1},
              {.record = 14,
               .kind = K::multi,
               .answers = 5,
               .correct = Slots{3, 4, 5},
               .explanation = false,
               .page = 71,
               .blank_after_hashes = false,
               .category = 2},
              {.record = 24,
               .kind = K::multi,
               .answers = 4,
               .correct = Slots{1, 2, 3},
               .explanation = false,
               .page = 80,
               .blank_after_hashes = true,
               .category = 2},
              {.record = 79,
               .kind = K::multi,
               .answers = 4,
               .correct = Slots{2, 3},
               .explanation = false,
               .page = 216,
               .blank_after_hashes = false,
               .category = 7},
              {.record = 214,
               .kind = K::single,
               .answers = 4,
               .correct = Slots{4},
               .explanation = false,
               .page = 440,
               .blank_after_hashes = false,
               .category = 18},
              {.record = 230,
               .kind = K::single,
               .answers = 4,
               .correct = Slots{3},
               .explanation = true,
               .page = 485,
               .blank_after_hashes = false,
               .category = 19},
              {.record = 242,
               .kind = K::single,
               .answers = 4,
               .correct = Slots{2},
               .explanation = false,
               .page = 519,
               .blank_after_hashes = false,
               .category = 20},
              // Chapter 18 names a page of chapter 17 twice.
              {.record = 215, .page = 440, .category = 18},
          },
  };
  return figures;
}

TEST(GudarPelmaBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(gudar_pelma_figures())), "");
}

}  // namespace pv::bankcheck
