// The documented figures of the PIRAL CD-ROM bank, PB_PIRAL_Velto, with those that the PIRAL
// full exam states about the records it repeats from it.
#include "banks/checker/records.hpp"
#include "banks/tables.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "banks/checker/testing.hpp"

namespace pv::bankcheck {

namespace {

// The records of each category, as the category list gives them; 3 and 15 hold none.
const std::vector<std::pair<int, std::vector<int>>> kCategories = {
    {1, records(1, 6)},
    {2, records(7, 10)},
    {4, {11, 12, 13, 14, 15, 61, 63, 64}},
    {5, {16}},
    {6, {17, 18, 19, 20, 62, 65}},
    {7, records(21, 24)},
    {8, records(25, 28)},
    {9, {66}},
    {10, {29, 32, 67}},
    {11, {30, 31, 33, 34, 68}},
    {12, {35, 36, 37, 38, 43, 44, 69, 70, 71}},
    {13, {39, 40, 72}},
    {14, {41, 42, 73, 74, 80}},
    {16, {45, 46, 47, 48, 49, 50, 79}},
    {17, {51, 52, 53, 54, 60, 75, 76}},
    {18, {55, 59}},
    {19, {56, 57}},
    {20, {58, 77, 78}},
    {21, records(81, 100)},
};

// Choice and fill-in records are stored without a picture.
RecordFact unpictured(RecordFact f) {
  f.picture = "";
  return f;
}
RecordFact single(int record, int answers, int flags = 1) {
  return unpictured(choice_flags(record, K::single, answers, flags));
}
RecordFact multi(int record, int answers, int flags) {
  return unpictured(choice_flags(record, K::multi, answers, flags));
}

// Exercises 1 to 20 are records 61 to 80.
RecordFact exercise(int record, int category, int page) {
  return stored(marked(dnd(record, std::to_string(record - 60), category, page)));
}

// Task 86 checks only settings.
RecordFact task(int record, int checks, int page) {
  RecordFact f = marked(stored(sim(record, checks, 21, "")));
  f.page = page;
  f.command_checks = record == 86 ? 0 : checks;
  return f;
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts;
  for (int r : {2, 48, 51, 60}) facts.push_back(single(r, 2));
  for (int r : {1, 4, 6, 11, 13, 14, 19, 22, 23, 26, 29, 30, 31, 57}) facts.push_back(single(r, 4));
  for (int r : {5, 8, 10, 27, 46, 54, 55, 58, 59}) facts.push_back(single(r, 5));
  for (int r : {3, 38, 49, 56}) facts.push_back(single(r, 6));
  // Typed single answer, shown with check boxes: four of its six answers are flagged.
  facts.push_back(single(9, 6, 4));
  for (auto [r, answers, flags] :
       {std::tuple{7, 6, 4}, {12, 5, 3}, {15, 6, 3}, {16, 6, 4}, {17, 5, 3}, {50, 5, 3}})
    facts.push_back(multi(r, answers, flags));
  for (int r : {20, 21, 24, 25, 28, 32, 33, 35, 36, 37, 39, 40, 41, 42, 43, 44, 45, 47, 53})
    facts.push_back(unpictured(fill_flags(r, 1, 0)));
  for (int r : {18, 34}) facts.push_back(unpictured(fill_flags(r, 2, 0)));
  facts.push_back(unpictured(fill_flags(52, 3, 0)));
  for (auto [r, file] : {std::pair{24, "q24.txt"}, {53, "q53.txt"}, {56, "q56.txt"}})
    facts.push_back({.record = r, .exhibit = file});
  const std::tuple<int, int, int> exercises[] = {
      {61, 4, 97},   {62, 6, 141},  {63, 4, 97},   {64, 4, 97},   {65, 6, 138},
      {66, 9, 201},  {67, 10, 215}, {68, 11, 228}, {69, 12, 243}, {70, 12, 243},
      {71, 12, 243}, {72, 13, 256}, {73, 14, 274}, {74, 14, 274}, {75, 17, 346},
      {76, 17, 346}, {77, 20, 425}, {78, 20, 418}, {79, 16, 321}, {80, 14, 275}};
  for (auto [r, category, page] : exercises) facts.push_back(exercise(r, category, page));
  const std::tuple<int, int, int> tasks[] = {
      {81, 2, 125}, {82, 2, 120}, {83, 3, 155}, {84, 1, 119}, {85, 1, 229},
      {86, 2, 231}, {87, 1, 234}, {88, 2, 233}, {89, 1, 280}, {90, 1, 280},
      {91, 1, 233}, {92, 4, 244}, {93, 3, 258}, {94, 1, 261}, {95, 4, 353},
      {96, 1, 359}, {97, 1, 402}, {98, 1, 446}, {99, 1, 274}, {100, 1, 439}};
  for (auto [r, checks, page] : tasks) facts.push_back(task(r, checks, page));
  // Two exercises each share one instruction, each with a solution of its own.
  facts.push_back({.record = 70, .same_question_as = 69});
  facts.push_back({.record = 74, .same_question_as = 73});
  for (const auto& [category, members] : kCategories)
    for (int r : members) facts.push_back({.record = r, .category = category});
  return facts;
}

Section whole_bank() {
  return {
      .first = 1,
      .last = 100,
      .kinds = {{K::single, 32, {{2, 4}, {4, 14}, {5, 9}, {6, 5}}, {{1, 31}, {4, 1}}},
                {K::multi, 6, {{5, 3}, {6, 3}}, {{3, 4}, {4, 2}}},
                {K::fill, 22, {{1, 19}, {2, 2}, {3, 1}}, {{0, 22}}},
                {K::dnd, 20, {{1, 20}}, {{0, 20}}},
                {K::sim, 20, {{1, 12}, {2, 4}, {3, 2}, {4, 2}}, {{0, 20}}}},
      .counts = {{P::typed_single_answer, K::any, 72},
                 {P::typed_multi_answer, K::any, 6},
                 {P::typed_fill_in_the_blank, K::any, 22},
                 {P::has_explanation, K::any, 100}},
      .exactly = {{P::has_clue, K::any, records(81, 100)},
                  {P::has_exhibit, K::any, {24, 53, 56}},
                  {P::has_lab, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::question_has_markup, K::any, {}},
                  {P::has_line_end, K::any, {}},
                  {P::markup_other_than_br, K::any, {}},
                  {P::clue_ends_with_line_break, K::any, {}},
                  {P::reference_empty, K::any, {}},
                  // Record 94's explanation shows the output that its clue leaves out.
                  {P::transcript_forms_differ, K::sim, {94}}},
      .bounds = {{M::question_length, K::any, 36, 329},
                 {M::page, K::any, 43, 535},
                 {M::clue_lines, K::sim, 4, 9}},
      .sums = {{M::answers, K::sim, 34}, {M::command_checks, K::sim, 32}},
      .references = ReferenceForm::page_only,
      .shared_questions = {{{69, 70}, {73, 74}}},
      .check_keys = {{CheckKey::command, 32}, {CheckKey::interface_first, 2}},
      .setting_values = {{CheckValue::other, 2}},
  };
}

}  // namespace

const BankFigures& piral_velto_figures() {
  static const BankFigures figures{
      .module = "PB_PIRAL_Velto",
      .description = "Velto Questions for the PIRAL book.",
      .title = "Pelma Books PIRAL",
      .version = "5.47",
      .stores_feedback_address = false,
      .question_count = 100,
      .category_count = 21,
      .categories = {.same_as = {{"PB_PIRAL_Pelma", 20}}, .names = {{21, "Simulator Questions"}}},
      .sections = {whole_bank()},
      .records = record_facts(),
  };
  return figures;
}

TEST(PiralVeltoBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(piral_velto_figures())), "");
}

// The two checks of record 86 expect an interface setting to be off, written "False".
TEST(PiralVeltoBank, InterfaceStateChecksExpectFalse) {
  const auto g = load_module("PB_PIRAL_Velto");
  ASSERT_TRUE(g);
  for (int i = 1; i <= 2; ++i) {
    const std::string& check = g->questions[86].Answer[i];
    EXPECT_EQ(check.substr(check.find('=') + 1), "False") << check;
  }
}

}  // namespace pv::bankcheck
