// The documented figures of the JEKO CD-ROM bank, PB_JEKO_Velto, with those the JEKO full
// exam states about the records it repeats from it.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

constexpr const char* kCommands = "Do not abbreviate commands";

// Fill-in: accepted forms, flagged slots, clue ("" for none), exhibit, category, page.
RecordFact fill_in(int record, int forms, Slots flagged, const char* clue, const char* exhibit,
                   int category, int page) {
  RecordFact f = fill(record, forms, std::move(flagged));
  f.page = page;
  f.category = category;
  f.clue = clue;
  f.exhibit = exhibit;
  return f;
}

// A simulator task: its checks, its lab and its page.
RecordFact task(int record, int checks, const char* lab, int page) {
  RecordFact f = marked(stored(sim(record, checks, 19, lab)));
  f.page = page;
  return f;
}

std::vector<RecordFact> record_facts() {
  return {
      // Single choice: answers shown and the flagged slot; 33 and 57 are typed single
      // answer with two flags.
      choice(18, 4, {2}),
      choice(19, 4, {3}),
      choice(22, 6, {3}),
      choice(32, 5, {4}),
      choice(33, K::single, 5, {2, 4}),
      choice(34, 5, {5}),
      choice(35, 6, {4}),
      choice(36, 6, {4}),
      choice(39, 5, {5}),
      choice(40, 4, {3}),
      choice(42, 4, {2}),
      choice(44, 5, {2}),
      choice(47, 3, {3}),
      choice(49, 3, {3}),
      choice(51, 4, {2}),
      choice(52, 3, {3}),
      choice(54, 6, {3}),
      choice(55, 6, {3}),
      choice(56, 6, {2}),
      choice(57, K::single, 6, {2, 4}),
      choice(63, 4, {4}),
      choice(65, 4, {1}),
      choice(68, 4, {2}),
      choice(70, 4, {3}),
      choice(73, 4, {3}),
      choice(76, 6, {4}),
      choice(77, 4, {4}),
      choice(78, 4, {3}),
      choice(80, 4, {4}),
      // Multiple choice.
      choice(1, 6, {2, 4, 5, 6}),
      choice(3, 6, {2, 5}),
      choice(6, 6, {1, 5}),
      choice(9, 6, {1, 2, 4, 6}),
      choice(10, 5, {2, 4, 5}),
      choice(11, 6, {1, 3, 4}),
      choice(14, 6, {1, 3}),
      choice(15, 6, {2, 4, 5}),
      choice(16, 6, {3, 5}),
      choice(24, 6, {2, 5}),
      choice(27, 5, {1, 3, 5}),
      choice(29, 6, {2, 5}),
      choice(37, 5, {2, 3, 5}),
      choice(48, 5, {1, 5}),
      choice(50, 5, {2, 3}),
      choice(58, 6, {3, 5}),
      choice(64, 5, {2, 4}),
      choice(79, 5, {1, 3, 4}),
      // Fill-in.
      fill_in(2, 6, {1, 2, 3, 4, 5}, kCommands, "", 1, 111),
      fill_in(12, 1, {}, "dotted decimal notation please", "", 2, 101),
      fill_in(13, 1, {1}, "dotted decimal notation please", "", 2, 101),
      fill_in(17, 2, {1, 2}, "Decimal value please", "", 3, 156),
      fill_in(21, 1, {1}, "", "", 3, 156),
      fill_in(23, 1, {}, "", "", 3, 154),
      fill_in(26, 1, {}, kCommands, "q18.txt", 4, 188),
      fill_in(30, 1, {}, kCommands, "q16.txt", 7, 292),
      fill_in(31, 1, {1}, kCommands, "", 7, 292),
      fill_in(38, 1, {}, kCommands, "q26.txt", 7, 290),
      fill_in(59, 2, {1, 2}, "decimal value please", "", 12, 460),
      fill_in(60, 1, {1}, kCommands, "", 12, 457),
      fill_in(61, 1, {1}, kCommands, "q20.txt", 12, 457),
      fill_in(62, 1, {}, kCommands, "", 12, 445),
      fill_in(69, 1, {1}, kCommands, "", 14, 533),
      fill_in(71, 1, {}, "", "q57.txt", 14, 541),
      fill_in(72, 2, {}, "", "q56.txt", 14, 540),
      fill_in(75, 1, {1}, kCommands, "", 16, 628),
      // Record 2: one value in six notations, the two hexadecimal ones differing only in
      // case; 17 and 59: a number in digits and in words; 72: a command, plural and singular.
      {.record = 2, .spellings = 5},
      {.record = 17, .forms = {{Form::numeral, Form::words}}},
      {.record = 59, .forms = {{Form::numeral, Form::words}}},
      {.record = 72, .spellings = 2},
      // Drag and drop: exercise, category, page.
      marked(dnd(4, "3", 1, 193)),
      marked(dnd(5, "5", 1, 191)),
      marked(dnd(7, "8", 1, 235)),
      marked(dnd(8, "10", 1, 186)),
      marked(dnd(20, "1", 3, 156)),
      marked(dnd(25, "2", 4, 195)),
      marked(dnd(28, "11", 5, 389)),
      marked(dnd(41, "14", 8, 321)),
      marked(dnd(43, "9", 8, 321)),
      marked(dnd(45, "7", 8, 320)),
      marked(dnd(46, "6", 8, 318)),
      marked(dnd(53, "12", 9, 353)),
      marked(dnd(66, "4", 13, 494)),
      marked(dnd(67, "13", 13, 501)),
      marked(dnd(74, "15", 15, 574)),
      // Simulator: checks, lab, page.
      task(81, 3, "", 299),
      task(82, 6, "noip", 528),
      task(83, 1, "", 530),
      task(84, 4, "basicip", 273),
      task(85, 2, "basicip", 533),
      task(86, 1, "noip", 112),
      task(87, 4, "basicip", 156),
      task(88, 1, "", 449),
      task(89, 1, "", 531),
      task(90, 1, "", 581),
      task(91, 4, "", 528),
      task(92, 3, "", 578),
      task(93, 2, "", 153),
      task(94, 3, "", 351),
      task(95, 4, "", 273),
      task(96, 5, "", 581),
      task(97, 3, "", 636),
      task(98, 5, "", 580),
      task(99, 3, "", 580),
      task(100, 3, "", 578),
      // Record 97 hands the simulator no transcript.
      {.record = 97, .clue = ""},
  };
}

// The explanations stored in more than one piece of 350 characters: two pieces in 52
// records, three in 8, four in record 70 and six in record 38.
Section explanation_pieces(int record, int pieces) {
  return {
      .first = record, .last = record, .bounds = {{M::explanation_pieces, K::any, pieces, pieces}}};
}

// Questions longer than 400 characters (two pieces): records 82, 89, 90, 94 and 97 only.
std::vector<Section> question_lengths() {
  std::vector<Section> out;
  int first = 1;
  for (int r : {82, 89, 90, 94, 97, 101}) {
    if (first < r)
      out.push_back(
          {.first = first, .last = r - 1, .within = {{M::question_length, K::any, 1, 400, true}}});
    if (r <= 100)
      out.push_back(
          {.first = r, .last = r, .within = {{M::question_length, K::any, 401, 800, true}}});
    first = r + 1;
  }
  return out;
}

std::vector<Section> sections() {
  std::vector<Section> out = {{
      .first = 1,
      .last = 100,
      // By type: records 33 and 57 are single answer with two flags.
      .kinds = {{K::single, 29, {{3, 3}, {4, 13}, {5, 5}, {6, 8}}, {{1, 27}, {2, 2}}},
                {K::multi, 18, {{5, 7}, {6, 11}}, {{2, 10}, {3, 6}, {4, 2}}},
                {K::fill, 18, {{1, 14}, {2, 3}, {6, 1}}},
                {K::dnd, 15, {{1, 15}}, {{0, 15}}},
                {K::sim, 20, {{1, 5}, {2, 2}, {3, 6}, {4, 4}, {5, 2}, {6, 1}}, {{0, 20}}}},
      .counts = {{P::typed_single_answer, K::any, 64},
                 {P::typed_multi_answer, K::any, 18},
                 {P::typed_fill_in_the_blank, K::any, 18},
                 {P::has_explanation, K::any, 100},
                 {P::has_clue, K::any, 33},
                 {P::has_clue, K::fill, 14},
                 {P::has_clue, K::sim, 19}},
      .exactly = {{P::question_has_br, K::any, {82, 87, 89, 90, 93, 97}},
                  {P::question_has_quote, K::any, {54, 55, 56}},
                  {P::question_has_markup, K::any, {82, 87, 89, 90, 93, 97}},
                  {P::markup_other_than_br, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {26, 30, 38, 61, 71, 72}},
                  {P::has_lab, K::any, {82, 84, 85, 86, 87}},
                  {P::clue_over_400, K::any, {82, 98}},
                  {P::clue_starts_with_empty_line, K::any, {96}},
                  {P::clue_ends_with_line_break, K::any, {}},
                  {P::reference_empty, K::any, {}}},
      .distributions = {{M::explanation_pieces,
                         K::any,
                         {{1, 38}, {2, 52}, {3, 8}, {4, 1}, {6, 1}}}},
      .sums = {{M::answers, K::sim, 59}, {M::blank_values, K::sim, 9}},
      .category_kinds = {{1, 10, 0, 5, 1, 4, 0},
                         {2, 3, 0, 1, 2, 0, 0},
                         {3, 11, 3, 4, 3, 1, 0},
                         {4, 3, 0, 1, 1, 1, 0},
                         {5, 2, 0, 1, 0, 1, 0},
                         {7, 11, 7, 1, 3, 0, 0},
                         {8, 11, 5, 2, 0, 4, 0},
                         {9, 2, 1, 0, 0, 1, 0},
                         {10, 5, 4, 1, 0, 0, 0},
                         {12, 4, 0, 0, 4, 0, 0},
                         {13, 6, 3, 1, 0, 2, 0},
                         {14, 4, 1, 0, 3, 0, 0},
                         {15, 2, 1, 0, 0, 1, 0},
                         {16, 2, 1, 0, 1, 0, 0},
                         {17, 2, 2, 0, 0, 0, 0},
                         {18, 2, 1, 1, 0, 0, 0},
                         {19, 20, 0, 0, 0, 0, 20}},
      .references = ReferenceForm::page_only,
      .within = {{M::page, K::any, 59, 726, true}},
  }};
  for (auto [r, n] : {std::pair{38, 6}, {70, 4}}) out.push_back(explanation_pieces(r, n));
  for (int r : {82, 98})
    out.push_back({.first = r, .last = r, .within = {{M::clue_length, K::any, 401, 800, true}}});
  for (Section& s : question_lengths()) out.push_back(std::move(s));
  return out;
}

}  // namespace

const BankFigures& jeko_velto_figures() {
  static const BankFigures figures{
      .module = "PB_JEKO_Velto",
      .description = "Velto Questions for the Pelma Books JEKO book.",
      .title = "Pelma Books JEKO",
      .version = "5.22",
      .stores_feedback_address = true,
      .question_count = 100,
      .category_count = 19,
      // The book's chapters: 1 to 10 and 13 to 18 as there, 11 the book's 12, 12 a title
      // of this bank's own.
      .categories = {.same_as = {{"PB_JEKO_Pelma",
                                  18,
                                  {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 0, 13, 14, 15, 16, 17, 18}}},
                     .names = {{19, "Simulator Questions"}}},
      .sections = sections(),
      .records = record_facts(),
  };
  return figures;
}

TEST(JekoVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(jeko_velto_figures())), "");
}

// The simulator checks by form: 13 command checks ("executed_" and the value true) spread as
// listed, 46 device settings, twelve truth values written "True".
TEST(JekoVeltoBank, SimulatorChecksByForm) {
  auto g = load_module("PB_JEKO_Velto");
  ASSERT_TRUE(g);
  const std::map<int, int> commands = {{82, 3}, {85, 2}, {86, 1}, {87, 2}, {94, 1},
                                       {95, 1}, {97, 1}, {99, 1}, {100, 1}};
  int settings = 0, capitalised = 0;
  for (int r = 81; r <= 100; ++r) {
    int executed = 0;
    for (int i = 1; i <= 6 && !g->questions[r].Answer[i].empty(); ++i) {
      const std::string& check = g->questions[r].Answer[i];
      const std::string value = check.substr(check.find('=') + 1);
      if (check.rfind("executed_", 0) == 0) {
        ++executed;
        EXPECT_EQ(value, "true") << "record " << r << ": " << check;
      } else {
        ++settings;
      }
      capitalised += value == "True";
    }
    const auto it = commands.find(r);
    EXPECT_EQ(executed, it == commands.end() ? 0 : it->second) << "record " << r;
  }
  EXPECT_EQ(settings, 46);
  EXPECT_EQ(capitalised, 12);
}

}  // namespace pv::bankcheck
