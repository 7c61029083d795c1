// The documented figures of the VARB CD-ROM bank, PB_VARB_Velto.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

// Fill-in: accepted forms, every one flagged, and how many replies they spell.
RecordFact fill_spelt(int record, int forms, int replies) {
  RecordFact f = fill_flags(record, forms, forms);
  f.spellings = replies;
  return f;
}

}  // namespace

const BankFigures& varb_velto_figures() {
  static const BankFigures figures{
      .module = "PB_VARB_Velto",
      .description = "Velto Questions for the VARB book.",
      .title = "Pelma Books VARB",
      .version = "5.26",
      .stores_feedback_address = true,
      .question_count = 102,
      .category_count = 14,
      // The book's chapters 1 to 4, 6, 8 to 15 and 17; two of them cut to 50 characters.
      .categories =
          {.same_as = {{"PB_VARB_Pelma", 14, {1, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14, 15, 17}}},
           .lengths = {{{12, 14}, 50, 50, true}}},
      .sections = {{
          .first = 1,
          .last = 102,
          .kinds = {{K::single, 26, {{2, 1}, {4, 17}, {5, 5}, {6, 3}}, {{1, 26}}},
                    {K::multi, 20, {{4, 2}, {5, 2}, {6, 16}}, {{2, 15}, {3, 3}, {4, 2}}},
                    {K::fill,
                     16,
                     {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}},
                     {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}}},
                    {K::dnd, 40, {{1, 40}}, {{0, 40}}}},
          .counts = {{P::typed_single_answer, K::any, 66},
                     {P::typed_multi_answer, K::any, 20},
                     {P::typed_fill_in_the_blank, K::any, 16},
                     {P::has_explanation, K::any, 102},
                     {P::question_has_br, K::any, 4},
                     {P::explanation_has_entity, K::any, 1}},
          .exactly = {{P::has_clue, K::any, {24, 25, 41}},
                      {P::markup_other_than_br, K::any, {}},
                      {P::has_picture, K::any, {}},
                      {P::has_exhibit, K::any, {}},
                      {P::has_lab, K::any, {}}},
          .distributions =
              {{M::question_br, K::any, {{0, 98}, {1, 4}}},
               {M::explanation_br, K::any, {{0, 13}}, false},  // 89 explanations use it
               {M::explanation_pieces, K::any, {{1, 69}, {2, 22}, {3, 5}, {4, 1}, {5, 1}, {6, 4}}}},
          .bounds = {{M::question_length, K::any, 24, 190},
                     {M::clue_length, K::any, 14, 21},
                     {M::clue_lines, K::any, 1, 1},
                     {M::page, K::any, 56, 482}},
          .sums = {{M::answers, K::any, 305}, {M::flags, K::any, 111}},
          // category, records, count, multiple answer, 5 or 6 answers, explained, pages.
          // Category 1's one record cites a page of category 7.
          .runs = {{1, 1, 1, 1, 0, 1, 1, 238, 238},
                   {2, 2, 4, 3, 0, 1, 3, 56, 56},
                   {3, 5, 6, 2, 0, 0, 2, 80, 95},
                   {4, 7, 13, 7, 0, 0, 7, 109, 130},
                   {5, 14, 15, 2, 0, 0, 2, 177, 178},
                   {6, 16, 21, 6, 0, 0, 6, 206, 221},
                   {7, 22, 40, 19, 1, 5, 19, 234, 245},
                   {8, 41, 43, 3, 0, 1, 3, 271, 279},
                   {9, 44, 50, 7, 3, 2, 7, 298, 304},
                   {10, 51, 75, 25, 10, 12, 25, 319, 341},
                   {11, 76, 89, 14, 4, 3, 14, 355, 369},
                   {12, 90, 94, 5, 2, 2, 5, 378, 402},
                   {13, 95, 95, 1, 0, 0, 1, 418, 418},
                   {14, 96, 102, 7, 0, 0, 7, 451, 482}},
          .category_kinds = {{1, 1, 1, 0, 0, 0},
                             {2, 3, 1, 0, 1, 1},
                             {3, 2, 1, 0, 0, 1},
                             {4, 7, 3, 0, 0, 4},
                             {5, 2, 1, 0, 0, 1},
                             {6, 6, 1, 0, 0, 5},
                             {7, 19, 3, 1, 3, 12},
                             {8, 3, 1, 0, 1, 1},
                             {9, 7, 0, 3, 1, 3},
                             {10, 25, 4, 10, 6, 5},
                             {11, 14, 4, 4, 3, 3},
                             {12, 5, 1, 2, 0, 2},
                             {13, 1, 0, 0, 0, 1},
                             {14, 7, 5, 0, 1, 1}},
          .references = ReferenceForm::page_only,
      }},
      .records =
          {
              // Drag-and-drop exercises 1 to 40, not in record order.
              dnd(2, "1", 2),
              dnd(6, "2", 3),
              dnd(10, "7", 4),
              dnd(11, "6", 4),
              dnd(12, "4", 4),
              dnd(13, "3", 4),
              dnd(15, "9", 5),
              dnd(16, "11", 6),
              dnd(18, "19", 6),
              dnd(19, "12", 6),
              dnd(20, "8", 6),
              dnd(21, "13", 6),
              dnd(28, "40", 7),
              dnd(30, "14", 7),
              dnd(31, "18", 7),
              dnd(32, "16", 7),
              dnd(33, "37", 7),
              dnd(34, "17", 7),
              dnd(35, "20", 7),
              dnd(36, "32", 7),
              dnd(37, "34", 7),
              dnd(38, "35", 7),
              dnd(39, "36", 7),
              dnd(40, "15", 7),
              dnd(43, "21", 8),
              dnd(45, "39", 9),
              dnd(48, "27", 9),
              dnd(49, "22", 9),
              dnd(60, "5", 10),
              dnd(68, "26", 10),
              dnd(69, "25", 10),
              dnd(70, "24", 10),
              dnd(71, "23", 10),
              dnd(84, "29", 11),
              dnd(85, "31", 11),
              dnd(86, "28", 11),
              dnd(90, "33", 12),
              dnd(92, "30", 12),
              dnd(95, "38", 13),
              dnd(99, "10", 14),
              // Exercises that share their question text.
              {.record = 21, .same_question_as = 16},
              {.record = 33, .same_question_as = 28},
              {.record = 36, .same_question_as = 28},
              // Multiple answer: answers shown, answers correct.
              choice_flags(22, K::multi, 6, 3),
              choice_flags(44, K::multi, 6, 4),
              choice_flags(46, K::multi, 4, 2),
              choice_flags(50, K::multi, 6, 2),
              choice_flags(51, K::multi, 6, 2),
              choice_flags(53, K::multi, 6, 3),
              choice_flags(54, K::multi, 6, 2),
              choice_flags(56, K::multi, 6, 2),
              choice_flags(57, K::multi, 6, 2),
              choice_flags(61, K::multi, 5, 3),
              choice_flags(65, K::multi, 6, 4),
              choice_flags(72, K::multi, 5, 2),
              choice_flags(73, K::multi, 6, 2),
              choice_flags(75, K::multi, 6, 2),
              choice_flags(78, K::multi, 4, 2),
              choice_flags(79, K::multi, 6, 2),
              choice_flags(87, K::multi, 6, 2),
              choice_flags(89, K::multi, 6, 2),
              choice_flags(91, K::multi, 6, 2),
              choice_flags(93, K::multi, 6, 2),
              // Fill-in: accepted forms; records 3 and 96 repeat a reply in another case.
              fill_spelt(3, 4, 2),
              fill_spelt(24, 5, 5),
              fill_spelt(25, 1, 1),
              fill_spelt(29, 1, 1),
              fill_spelt(41, 2, 2),
              fill_spelt(47, 2, 2),
              fill_spelt(52, 2, 2),
              fill_spelt(55, 3, 3),
              fill_spelt(58, 2, 2),
              fill_spelt(63, 3, 3),
              fill_spelt(66, 1, 1),
              fill_spelt(67, 2, 2),
              fill_spelt(77, 2, 2),
              fill_spelt(82, 2, 2),
              fill_spelt(83, 3, 3),
              fill_spelt(96, 3, 1),
              // Single choice with other than four answers, and the last record.
              choice_flags(17, K::single, 2, 1),
              choice_flags(1, K::single, 5, 1),
              choice_flags(23, K::single, 5, 1),
              choice_flags(42, K::single, 5, 1),
              choice_flags(59, K::single, 5, 1),
              choice_flags(62, K::single, 5, 1),
              choice_flags(4, K::single, 6, 1),
              choice_flags(26, K::single, 6, 1),
              choice_flags(27, K::single, 6, 1),
              {.record = 102, .kind = K::single, .category = 14},
          },
  };
  return figures;
}

TEST(VarbVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(varb_velto_figures())), "");
}

}  // namespace pv::bankcheck
