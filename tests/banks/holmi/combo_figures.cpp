// The documented figures of the HOLMI full exam, PB_HOLMI_Combo: the book's records 1 to
// 171, then the CD-ROM's records as 172 to 276, its simulator tasks under category 0.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

constexpr const char* kHint = "Do not abbreviate commands";

// Fill-in: accepted forms, flags, the hint or none, category, page.
RecordFact fill_in(int record, int forms, int flags, bool hint, int category, int page) {
  RecordFact f = fill_flags(record, forms, flags);
  f.page = page;
  f.category = category;
  f.clue = hint ? kHint : "";
  return f;
}

// A simulator task: its checks, how many of them are command checks, its lab and the lines
// of its transcript.
RecordFact lab_task(int record, int checks, int commands, const char* lab, int lines) {
  RecordFact f = stored(sim(record, checks, 0, lab));
  f.clue_lines = lines;
  f.command_checks = commands;
  return f;
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts = {
      // The book's record with two flags, stored as a single-answer question.
      choice(124, K::single, 5, {3, 5}),
      // The CD-ROM section's single-answer questions with two flags; 173 and 174 share
      // their answers and their explanation.
      {.record = 173,
       .kind = K::single,
       .answers = 4,
       .correct = Slots{2, 4},
       .page = 44,
       .category = 1},
      {.record = 174,
       .kind = K::single,
       .answers = 4,
       .correct = Slots{1, 3},
       .page = 45,
       .category = 1},
      {.record = 253,
       .kind = K::single,
       .answers = 4,
       .correct = Slots{1, 3},
       .page = 436,
       .category = 17},
      {.record = 174, .same_explanation_as = 173, .same_answers_as = 173},
      // Multiple choice of the CD-ROM section.
      choice(176, K::multi, 6, {1, 2}),
      choice(178, K::multi, 6, {5, 6}),
      choice(182, K::multi, 4, {1, 3}),
      choice(186, K::multi, 4, {2, 3}),
      choice(187, K::multi, 4, {1, 3}),
      choice(216, K::multi, 4, {2, 4}),
      choice(218, K::multi, 4, {1, 3}),
      choice(222, K::multi, 6, {4, 5}),
      choice(239, K::multi, 5, {1, 3, 4}),
      // Exhibits.
      exhibit(choice(190, K::single, 6, {2}), "q31.txt", 124),
      exhibit(choice(192, K::single, 6, {2}), "q31.txt", 124),
      exhibit(choice(194, K::multi, 6, {3, 5}), "q31.txt", 124),
      exhibit(choice(195, K::multi, 6, {1, 6}), "q31.txt", 124),
      exhibit(choice(220, K::single, 5, {4}), "q67.txt", 288),
      {.record = 220, .category = 11, .explanation_length = 1859},
      // Fill-in: 223 and 250 without flags or hint.
      fill_in(196, 1, 1, true, 6, 159),
      fill_in(211, 1, 1, true, 8, 214),
      fill_in(223, 2, 0, false, 12, 323),
      fill_in(233, 1, 1, true, 13, 341),
      fill_in(240, 1, 1, true, 15, 371),
      fill_in(250, 1, 0, false, 17, 439),
      fill_in(254, 1, 1, true, 18, 465),
      // Drag and drop.
      dnd(183, "1", 3, 106),
      dnd(210, "13", 8, 214),
      dnd(226, "2", 12, 319),
      dnd(227, "4", 12, 310),
      dnd(228, "5", 12, 319),
      dnd(237, "15", 14, 350),
      dnd(241, "12", 15, 371),
      dnd(248, "14", 16, 404),
      dnd(249, "3", 16, 407),
      dnd(256, "11", 18, 467),
      // Simulator tasks: checks, command checks, lab, transcript lines of the clue.
      lab_task(257, 1, 1, "", 4),
      lab_task(258, 2, 0, "", 8),
      lab_task(259, 1, 0, "", 13),
      lab_task(260, 1, 1, "", 4),
      lab_task(261, 1, 0, "", 6),
      lab_task(262, 2, 0, "", 6),
      lab_task(263, 4, 0, "basicip", 8),
      lab_task(264, 2, 0, "", 6),
      lab_task(265, 2, 2, "", 5),
      lab_task(266, 3, 3, "", 7),
      lab_task(267, 4, 4, "", 8),
      lab_task(268, 2, 0, "", 7),
      lab_task(269, 5, 5, "", 8),
      lab_task(270, 2, 0, "", 7),
      lab_task(271, 2, 0, "", 8),
      lab_task(272, 2, 0, "", 7),
      lab_task(273, 2, 0, "", 7),
      lab_task(274, 2, 0, "", 7),
      lab_task(275, 2, 2, "", 6),
      lab_task(276, 1, 0, "", 4),
      {.record = 259, .explanation_lines = 5},
      {.record = 171, .category = 18},
      {.record = 172, .category = 1},
  };
  // The book section's true-or-false pairs.
  for (int r : {11, 163}) facts.push_back(choice(r, K::single, 2, {1}));
  for (int r : {148, 169}) facts.push_back(choice(r, K::single, 2, {2}));
  return facts;
}

const std::vector<int> kMulti = {3,   4,   5,   6,   9,   28,  29,  44,  48,  52,
                                 60,  62,  64,  77,  92,  93,  95,  101, 108, 112,
                                 123, 131, 134, 146, 149, 154, 158, 159, 162, 176,
                                 178, 182, 186, 187, 194, 195, 216, 218, 222, 239};

}  // namespace

const BankFigures& holmi_combo_figures() {
  static const BankFigures figures{
      .module = "PB_HOLMI_Combo",
      .description = "Combination of Velto and Pelma Books questions for the HOLMI book.",
      .title = "Pelma Books HOLMI",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 276,
      .category_count = 18,
      .categories = {.same_as = {{"PB_HOLMI_Pelma", 18}},
                     .lengths = {{{15}, 50, 50, true}, {{17}, 49, 49}},
                     .at_most = 50},
      .sections =
          {
              {
                  .first = 1,
                  .last = 276,
                  .kinds = {{K::single,
                             199,
                             {{2, 4}, {3, 9}, {4, 137}, {5, 30}, {6, 19}},
                             {{1, 195}, {2, 4}}},
                            {K::multi, 40, {{4, 26}, {5, 9}, {6, 5}}, {{2, 32}, {3, 8}}},
                            {K::fill, 7, {{1, 6}, {2, 1}}, {{0, 2}, {1, 5}}},
                            {K::dnd, 10, {{1, 10}}, {{0, 10}}},
                            {K::sim, 20, {{1, 5}, {2, 11}, {3, 1}, {4, 2}, {5, 1}}, {{0, 20}}}},
                  .counts = {{P::typed_single_answer, K::any, 229},
                             {P::typed_multi_answer, K::any, 40},
                             {P::typed_fill_in_the_blank, K::any, 7}},
                  .exactly = {{P::typed_multi_answer, K::any, kMulti},
                              {P::has_picture, K::any, {}},
                              {P::markup_other_than_br, K::any, {}}},
              },
              // The book section.
              {
                  .first = 1,
                  .last = 171,
                  .kinds = {{K::single, 142, {{2, 4}, {4, 126}, {5, 12}}, {{1, 141}, {2, 1}}},
                            {K::multi, 29, {{4, 21}, {5, 8}}, {{2, 22}, {3, 7}}}},
                  .exactly = {{P::has_explanation, K::any,
                               joined({records(16, 28), {31, 32}, records(123, 126), {130}})},
                              {P::true_or_false, K::any, {11, 148, 163, 169}},
                              {P::answer_has_markup, K::any, {65, 121}},
                              {P::question_has_markup, K::any, {}},
                              {P::has_clue, K::any, {}},
                              {P::has_exhibit, K::any, {}},
                              {P::has_cr_or_lf, K::any, {}}},
                  .bounds = {{M::explanation_length, K::any, 56, 283}},
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
                           {15, 123, 132, 10, 2, 3, 5, 363, 378},
                           {16, 133, 145, 13, 1, 0, 0, 398, 414},
                           {17, 146, 157, 12, 3, 5, 0, 432, 440},
                           {18, 158, 171, 14, 3, 5, 0, 462, 475}},
                  .references = ReferenceForm::page_and_title,
              },
              // The CD-ROM section.
              {
                  .first = 172,
                  .last = 276,
                  .kinds = {{K::single, 57, {{3, 9}, {4, 11}, {5, 18}, {6, 19}}, {{1, 54}, {2, 3}}},
                            {K::multi, 11, {{4, 5}, {5, 1}, {6, 5}}, {{2, 10}, {3, 1}}},
                            {K::fill, 7, {{1, 6}, {2, 1}}, {{0, 2}, {1, 5}}},
                            {K::dnd, 10, {{1, 10}}, {{0, 10}}},
                            {K::sim, 20, {{1, 5}, {2, 11}, {3, 1}, {4, 2}, {5, 1}}, {{0, 20}}}},
                  .counts = {{P::has_explanation, K::any, 105}},
                  .exactly = {{P::question_has_br, K::any, {188, 246, 260, 261, 262, 270}},
                              {P::explanation_has_quote, K::any, {180, 181, 184, 209, 235}},
                              {P::has_exhibit, K::any, {190, 192, 194, 195, 220}},
                              {P::has_lab, K::any, {263}},
                              {P::reference_empty, K::any, records(257, 276)},
                              {P::has_clue, K::any,
                               joined({{196, 211, 233, 240, 254}, records(257, 276)})},
                              {P::question_over_400, K::any, {258, 260, 261, 262, 270, 272, 273}},
                              {P::clue_over_400, K::any, {259}},
                              {P::explanation_ends_with_br, K::any, {257, 265, 266, 269}},
                              {P::transcript_forms_differ, K::sim, {257, 259, 263, 265, 266, 269}}},
                  .distributions = {{M::quotes, K::any, {{4, 5}}, false}},
                  .bounds = {{M::page, K::any, 44, 467},
                             {M::check_value_length, K::sim, 0, 58, true}},
                  .sums = {{M::answers, K::sim, 43}, {M::command_checks, K::sim, 18}},
                  .category_kinds = {{1, 4},
                                     {2, 5},
                                     {3, 4},
                                     {4, 11},
                                     {5, 0},
                                     {6, 3},
                                     {7, 6},
                                     {8, 7},
                                     {9, 7},
                                     {10, 0},
                                     {11, 3},
                                     {12, 9},
                                     {13, 4},
                                     {14, 4},
                                     {15, 5},
                                     {16, 6},
                                     {17, 4},
                                     {18, 3},
                                     {0, 20, {}, {}, {}, {}, 20}},
                  .references = ReferenceForm::page_only_or_empty,
                  .characters_beyond_ascii = {{0x2013, 0x2019, 0x2026}},
              }},
      .records = record_facts(),
      // The sources, record for record, but for the documented differences: four records
      // with two flags stored as single-answer questions, two fill-in questions without
      // flags, and the simulator tasks under category 0.
      .equal = {{.first = 1,
                 .last = 171,
                 .module = "PB_HOLMI_Pelma",
                 .source_first = 1,
                 .types = {{124, "single_answer"}}},
                {.first = 172,
                 .last = 276,
                 .module = "PB_HOLMI_Velto",
                 .source_first = 1,
                 .categories = {{19, 0}},
                 .types = {{173, "single_answer"}, {174, "single_answer"}, {253, "single_answer"}},
                 .flags_cleared = {223, 250}}},
  };
  return figures;
}

TEST(HolmiComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(holmi_combo_figures())), "");
}

// Record by record against the book and CD-ROM banks: the only records that differ are the
// listed ones, each in the one field listed.
TEST(HolmiComboBank, DiffersFromItsSourcesOnlyWhereListed) {
  const auto combo = load_module("PB_HOLMI_Combo");
  const auto book = load_module("PB_HOLMI_Pelma");
  const auto cd = load_module("PB_HOLMI_Velto");
  ASSERT_TRUE(combo && book && cd);
  const std::map<int, std::string> listed = {{124, "Type"}, {173, "Type"},    {174, "Type"},
                                             {253, "Type"}, {223, "Correct"}, {250, "Correct"}};
  std::map<int, std::string> found;
  for (int r = 1; r <= 276; ++r) {
    QuestionRecord source = r <= 171 ? book->questions[r] : cd->questions[r - 171];
    if (r >= 257) {
      EXPECT_EQ(source.Category, 19) << "CD-ROM record " << r - 171;
      source.Category = 0;
    }
    const std::string diff = bank_field_differences(combo->questions[r], source);
    if (!diff.empty()) found[r] = diff;
  }
  std::map<int, std::string> expected;
  for (const auto& [r, field] : listed) {
    ASSERT_TRUE(found.contains(r)) << "record " << r << " equals its source";
    EXPECT_NE(found[r].find(field), std::string::npos) << "record " << r << ": " << found[r];
    expected[r] = found[r];
  }
  EXPECT_EQ(found, expected);
  EXPECT_EQ(combo->questions[124].Type, "single_answer");
  EXPECT_EQ(book->questions[124].Type, "multi_answer");
  EXPECT_EQ(cd->questions[52].Correct[1], 1);
  EXPECT_EQ(combo->questions[223].Correct[1], 0);
}

}  // namespace pv::bankcheck
