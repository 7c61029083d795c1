// The documented figures of the VARB flash cards, PB_SOLK_VARB.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {
namespace {

// One row of the cards' category table: its run, its references' pages and how many of its
// references are empty.
struct Topic {
  int category;
  int first;
  int last;
  std::set<int> pages;
  int empty_references;
};
constexpr int kTopics = 15;
const Topic kTopicTable[kTopics] = {
    {1, 1, 22, {1}, 0},
    {2, 23, 32, {2}, 0},
    {3, 33, 37, {2}, 0},
    {4, 38, 53, {2, 3}, 0},
    {5, 54, 72, {6}, 0},
    {6, 73, 83, {3, 4, 11}, 1},
    {7, 84, 99, {4, 5}, 0},
    {8, 100, 116, {7, 8}, 0},
    {9, 117, 140, {8, 9, 10}, 1},
    {10, 141, 176, {10, 11}, 1},
    {11, 177, 205, {12, 13}, 0},
    {12, 206, 217, {13, 14}, 0},
    {13, 218, 248, {14, 15, 16, 17}, 2},
    {14, 249, 266, {18, 19}, 1},
    {15, 267, 275, {4}, 0},
};

// The drag-and-drop exercises: record, category, exercise number.
const int kExercises[][3] = {
    {40, 4, 22},   {54, 5, 15},   {59, 5, 1},    {60, 5, 2},    {64, 5, 5},    {75, 6, 24},
    {79, 6, 3},    {87, 7, 25},   {109, 8, 4},   {111, 8, 26},  {137, 9, 7},   {138, 9, 8},
    {139, 9, 9},   {140, 9, 14},  {160, 10, 6},  {162, 10, 10}, {163, 10, 28}, {164, 10, 23},
    {179, 11, 11}, {180, 11, 29}, {181, 11, 13}, {184, 11, 27}, {206, 12, 16}, {207, 12, 12},
    {219, 13, 30}, {220, 13, 17}, {232, 13, 19}, {237, 13, 20}, {246, 13, 18}, {250, 14, 21},
};

// The fill-in cards: record, category, accepted replies.
const int kFillIns[][3] = {
    {6, 1, 2},    {8, 1, 1},    {29, 2, 2},   {30, 2, 2},   {34, 3, 2},   {58, 5, 6},
    {61, 5, 6},   {77, 6, 4},   {91, 7, 2},   {98, 7, 2},   {159, 10, 4}, {167, 10, 3},
    {173, 10, 4}, {174, 10, 2}, {197, 11, 3}, {218, 13, 2}, {238, 13, 2}, {242, 13, 5},
    {249, 14, 2}, {272, 15, 3}, {274, 15, 3},
};

// The multiple-answer cards by the number of their correct answers.
const std::pair<int, std::vector<int>> kMultiByFlags[] = {
    {2, {16, 26, 46, 47, 48, 50, 82, 110, 113, 123, 131, 132, 142, 198, 202, 243, 244, 251, 252}},
    {3, {3,   4,   9,   24,  42,  49,  86,  90,  95,  96,  97,  102,
         103, 106, 107, 135, 156, 157, 168, 183, 196, 212, 241, 248}},
    {4, {27, 84, 85, 92, 93, 94, 99, 100, 101, 108, 155, 188, 208, 226, 240}},
    {5, {25, 200}},
};

// The cards without a book reference.
const std::pair<int, Kind> kNoReference[] = {{78, K::single},  {129, K::single}, {142, K::multi},
                                             {223, K::single}, {227, K::single}, {252, K::multi}};

std::vector<Section> sections() {
  std::vector<int> dnd, fill, multi, no_reference;
  for (const auto& [record, category, exercise] : kExercises) dnd.push_back(record);
  for (const auto& [record, category, replies] : kFillIns) fill.push_back(record);
  for (const auto& [flags, list] : kMultiByFlags)
    multi.insert(multi.end(), list.begin(), list.end());
  std::sort(multi.begin(), multi.end());
  for (const auto& [record, kind] : kNoReference) no_reference.push_back(record);

  std::vector<Section> out{{
      .first = 1,
      .last = 275,
      .kinds = {{K::single, 164, {{2, 20}, {4, 17}, {5, 26}, {6, 101}}, {{1, 164}}},
                {K::multi, 60, {{4, 6}, {5, 11}, {6, 43}}, {{2, 19}, {3, 24}, {4, 15}, {5, 2}}},
                {K::fill,
                 21,
                 {{1, 1}, {2, 10}, {3, 4}, {4, 3}, {5, 1}, {6, 2}},
                 {{1, 1}, {2, 10}, {3, 4}, {4, 3}, {5, 1}, {6, 2}}},
                {K::dnd, 30, {{1, 30}}, {{0, 30}}}},
      .counts = {{P::typed_single_answer, K::any, 194},
                 {P::typed_multi_answer, K::any, 60},
                 {P::typed_fill_in_the_blank, K::any, 21},
                 {P::has_explanation, K::any, 275},
                 {P::answers_differ_only_in_case, K::fill, 4},
                 {P::explanation_has_lt, K::any, 1}},
      .exactly = {{P::always, K::dnd, dnd},
                  {P::always, K::fill, fill},
                  {P::always, K::multi, multi},
                  {P::reference_empty, K::any, no_reference},
                  {P::answers_differ_only_in_case, K::single, {}},
                  {P::answers_differ_only_in_case, K::multi, {}},
                  {P::has_clue, K::any, {}},
                  {P::markup_other_than_br, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {}},
                  {P::has_lab, K::any, {}},
                  {P::has_cr_or_lf, K::any, {}}},
      .distributions =
          {{M::answers_and_flags,
            K::multi,
            {{42, 6}, {52, 2}, {53, 8}, {54, 1}, {62, 11}, {63, 16}, {64, 14}, {65, 2}}}},
      .bounds = {{M::page, K::any, 1, 19}},
      .category_kinds = {{1, 22, 16, 4, 2, 0},
                         {2, 10, 4, 4, 2, 0},
                         {3, 5, 4, 0, 1, 0},
                         {4, 16, 9, 6, 0, 1},
                         {5, 19, 13, 0, 2, 4},
                         {6, 11, 7, 1, 1, 2},
                         {7, 16, 2, 11, 2, 1},
                         {8, 17, 6, 9, 0, 2},
                         {9, 24, 16, 4, 0, 4},
                         {10, 36, 23, 5, 4, 4},
                         {11, 29, 18, 6, 1, 4},
                         {12, 12, 8, 2, 0, 2},
                         {13, 31, 17, 6, 3, 5},
                         {14, 18, 14, 2, 1, 1},
                         {15, 9, 7, 0, 2, 0}},
      .references = ReferenceForm::page_only_or_empty,
  }};
  for (const Topic& t : kTopicTable)
    out.push_back({.first = t.first,
                   .last = t.last,
                   .counts = {{P::reference_empty, K::any, t.empty_references}},
                   .distributions = {{M::category, K::any, {{t.category, t.last - t.first + 1}}}},
                   .value_sets = {{M::page, K::any, t.pages}}});
  return out;
}

std::vector<RecordFact> records() {
  std::vector<RecordFact> out;
  for (const auto& [record, category, exercise] : kExercises)
    out.push_back({.record = record,
                   .kind = K::dnd,
                   .category = category,
                   .answer1 = std::to_string(exercise)});
  for (const auto& [record, category, replies] : kFillIns)
    out.push_back({.record = record,
                   .kind = K::fill,
                   .answers = replies,
                   .flags = replies,
                   .category = category});
  for (const auto& [flags, list] : kMultiByFlags)
    for (int record : list) out.push_back({.record = record, .kind = K::multi, .flags = flags});
  for (const auto& [record, kind] : kNoReference) out.push_back({.record = record, .kind = kind});
  out.push_back({.record = 275, .kind = K::single, .category = 15});
  return out;
}

}  // namespace

const BankFigures& solk_varb_figures() {
  static const BankFigures figures{
      .module = "PB_SOLK_VARB",
      .description = "Velto Questions for Pelma Books VARB part of SOLK Flash Cards",
      .title = "Pelma Books VARB/SOLK Flash Cards",
      .version = "5.36",
      .stores_feedback_address = true,
      .question_count = 275,
      .category_count = 15,
      .categories = {.chapters = 0, .at_most = 50},
      .sections = sections(),
      .records = records(),
      .shared_explanations = SharedExplanations{.largest = 6, .within_one_category = true},
  };
  return figures;
}

TEST(SolkVarbBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(solk_varb_figures())), "");
}

}  // namespace pv::bankcheck
