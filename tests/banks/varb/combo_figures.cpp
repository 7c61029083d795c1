// The documented figures of the VARB full exam, PB_VARB_combo: the book's records 1 to
// 178, then the CD-ROM's records as 179 to 280 under the book's chapters.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

// The CD-ROM exercises by their full-exam records and chapters.
std::vector<RecordFact> exercises() {
  return {
      dnd(180, "1", 2),   dnd(184, "2", 3),   dnd(188, "7", 4),   dnd(189, "6", 4),
      dnd(190, "4", 4),   dnd(191, "3", 4),   dnd(193, "9", 6),   dnd(194, "11", 8),
      dnd(196, "19", 8),  dnd(197, "12", 8),  dnd(198, "8", 8),   dnd(199, "13", 8),
      dnd(206, "40", 9),  dnd(208, "14", 9),  dnd(209, "18", 9),  dnd(210, "16", 9),
      dnd(211, "37", 9),  dnd(212, "17", 9),  dnd(213, "20", 9),  dnd(214, "32", 9),
      dnd(215, "34", 9),  dnd(216, "35", 9),  dnd(217, "36", 9),  dnd(218, "15", 9),
      dnd(221, "21", 10), dnd(223, "39", 11), dnd(226, "27", 11), dnd(227, "22", 11),
      dnd(238, "5", 12),  dnd(246, "26", 12), dnd(247, "25", 12), dnd(248, "24", 12),
      dnd(249, "23", 12), dnd(262, "29", 13), dnd(263, "31", 13), dnd(264, "28", 13),
      dnd(268, "33", 14), dnd(270, "30", 14), dnd(273, "38", 15), dnd(277, "10", 17),
  };
}

}  // namespace

const BankFigures& varb_combo_figures() {
  static const BankFigures figures{
      .module = "PB_VARB_combo",
      .description = "VARB Combo",
      .title = "Pelma Books VARB",
      .version = "5.26",
      .stores_feedback_address = true,
      .question_count = 280,
      .category_count = 19,
      .categories = {.same_as = {{"PB_VARB_Pelma", 19}}},
      .sections =
          {
              {
                  .first = 1,
                  .last = 280,
                  .kinds = {{K::single, 198, {{2, 4}, {4, 163}, {5, 22}, {6, 9}}, {{1, 198}}},
                            {K::multi, 26, {{4, 3}, {5, 7}, {6, 16}}, {{2, 18}, {3, 6}, {4, 2}}},
                            {K::fill,
                             16,
                             {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}},
                             {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}}},
                            {K::dnd, 40, {{1, 40}}, {{0, 40}}}},
                  .counts = {{P::typed_single_answer, K::any, 238},
                             {P::typed_multi_answer, K::any, 26},
                             {P::typed_fill_in_the_blank, K::any, 16},
                             {P::has_explanation, K::any, 280},
                             {P::question_has_br, K::any, 6}},
                  .exactly = {{P::always, K::dnd, {180, 184, 188, 189, 190, 191, 193, 194,
                                                   196, 197, 198, 199, 206, 208, 209, 210,
                                                   211, 212, 213, 214, 215, 216, 217, 218,
                                                   221, 223, 226, 227, 238, 246, 247, 248,
                                                   249, 262, 263, 264, 268, 270, 273, 277}},
                              {P::always, K::multi, {10,  16,  46,  145, 159, 162, 200, 222, 224,
                                                     228, 229, 231, 232, 234, 235, 239, 243, 250,
                                                     251, 253, 256, 257, 265, 267, 269, 271}},
                              {P::always,
                               K::fill,
                               {181, 202, 203, 207, 219, 225, 230, 233, 236, 241, 244, 245, 255,
                                260, 261, 274}},
                              {P::has_clue, K::any, {202, 203, 219}},
                              {P::has_line_end, K::any, {}},
                              {P::markup_other_than_br, K::any, {}},
                              {P::has_picture, K::any, {}},
                              {P::has_exhibit, K::any, {}},
                              {P::has_lab, K::any, {}}},
                  // 90 explanations use "<br>".
                  .distributions = {{M::explanation_br, K::any, {{0, 190}}, false}},
                  // Each chapter: its book records, then its CD-ROM records.
                  .category_kinds = {{1, 11},
                                     {2, 13},
                                     {3, 10},
                                     {4, 15},
                                     {5, 10},
                                     {6, 12},
                                     {7, 10},
                                     {8, 14},
                                     {9, 29},
                                     {10, 13},
                                     {11, 15},
                                     {12, 33},
                                     {13, 24},
                                     {14, 13},
                                     {15, 11},
                                     {16, 10},
                                     {17, 17},
                                     {18, 10},
                                     {19, 10}},
              },
              {
                  .first = 1,
                  .last = 178,
                  .kinds = {{K::single, 172, {{2, 3}, {4, 146}, {5, 17}, {6, 6}}, {{1, 172}}},
                            {K::multi, 6, {{4, 1}, {5, 5}}, {{2, 3}, {3, 3}}}},
                  .runs = varb_book_chapters(),
                  .references = ReferenceForm::page_and_title,
              },
              {
                  .first = 179,
                  .last = 280,
                  .kinds = {{K::single, 26, {{2, 1}, {4, 17}, {5, 5}, {6, 3}}, {{1, 26}}},
                            {K::multi, 20, {{4, 2}, {5, 2}, {6, 16}}, {{2, 15}, {3, 3}, {4, 2}}},
                            {K::fill,
                             16,
                             {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}},
                             {{1, 3}, {2, 7}, {3, 4}, {4, 1}, {5, 1}}},
                            {K::dnd, 40, {{1, 40}}, {{0, 40}}}},
                  // Chapters 5, 7, 16, 18 and 19 have no CD-ROM record; record 179 cites a page
                  // of chapter 9.
                  .runs = {{1, 179, 179, 1, 0, 1, 1, 238, 238},
                           {2, 180, 182, 3, 0, 1, 3, 56, 56},
                           {3, 183, 184, 2, 0, 0, 2, 80, 95},
                           {4, 185, 191, 7, 0, 0, 7, 109, 130},
                           {6, 192, 193, 2, 0, 0, 2, 177, 178},
                           {8, 194, 199, 6, 0, 0, 6, 206, 221},
                           {9, 200, 218, 19, 1, 5, 19, 234, 245},
                           {10, 219, 221, 3, 0, 1, 3, 271, 279},
                           {11, 222, 228, 7, 3, 2, 7, 298, 304},
                           {12, 229, 253, 25, 10, 12, 25, 319, 341},
                           {13, 254, 267, 14, 4, 3, 14, 355, 369},
                           {14, 268, 272, 5, 2, 2, 5, 378, 402},
                           {15, 273, 273, 1, 0, 0, 1, 418, 418},
                           {17, 274, 280, 7, 0, 0, 7, 451, 482}},
                  .references = ReferenceForm::page_only,
              },
          },
      .records =
          [] {
            std::vector<RecordFact> r = exercises();
            r.push_back({.record = 280, .kind = K::single, .category = 17});
            return r;
          }(),
      // The CD-ROM's categories are the book's chapters 1 to 4, 6, 8 to 15 and 17.
      .equal = {{1, 178, "PB_VARB_Pelma", 1},
                {179,
                 280,
                 "PB_VARB_Velto",
                 1,
                 {{5, 6},
                  {6, 8},
                  {7, 9},
                  {8, 10},
                  {9, 11},
                  {10, 12},
                  {11, 13},
                  {12, 14},
                  {13, 15},
                  {14, 17}}}},
  };
  return figures;
}

TEST(VarbComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(varb_combo_figures())), "");
}

}  // namespace pv::bankcheck
