// The documented figures of the ZUM full exam, PB_ZUM_Combo: the book's records 1 to 125,
// then the CD-ROM's records 1 to 100 as 126 to 225, every category kept.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

// The CD-ROM section's records of each category, as the category list gives them.
const std::vector<std::pair<int, std::vector<int>>>& cd_category_records() {
  static const std::vector<std::pair<int, std::vector<int>>> list = {
      {1, {130, 131, 136, 149, 150, 160, 173, 204, 209, 210, 216, 217}},
      {2, {137, 138, 139}},
      {3, {126, 157, 181, 185, 218}},
      {4, {169, 219}},
      {5, {148, 158, 202, 208}},
      {6, {141, 142, 143, 144, 145, 146, 220}},
      {7, {162, 163, 164, 165, 166, 170, 201, 206, 221, 223}},
      {8, {132, 154, 161, 168, 172, 207, 222}},
      {9, {127, 133, 134, 135, 140, 147, 152, 167, 171, 174, 175, 177, 183, 224, 225}},
      {10, {155, 159, 176, 178, 180}},
      {11, {153, 179, 182, 184, 203, 205}},
      {12, {128, 129, 151, 156}},
      {13, joined({records(186, 200), records(211, 215)})},
  };
  return list;
}

const std::vector<int> kSimulator = joined({records(186, 200), records(211, 215)});

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> out;
  // The book's multiple-choice records: answers and the flagged slots.
  struct Multi {
    int record, answers;
    std::vector<int> correct;
  };
  const Multi multi[] = {{2, 5, {1, 4}},     {8, 5, {1, 2, 4}},   {37, 4, {1, 3, 4}},
                         {52, 4, {1, 3, 4}}, {53, 5, {1, 3, 5}},  {64, 4, {3, 4}},
                         {73, 4, {2, 4}},    {109, 5, {2, 3, 4}}, {113, 5, {1, 5}}};
  for (const Multi& m : multi)
    out.push_back(
        {.record = m.record, .kind = K::multi, .answers = m.answers, .correct = m.correct});
  out.push_back({.record = 88, .question_length = 429});
  out.push_back({.record = 89, .question_length = 726});
  out.push_back({.record = 76, .page = 149, .category = 7, .same_reference_as = 77});
  out.push_back({.record = 125, .kind = K::single, .category = 12});
  out.push_back({.record = 126, .kind = K::single, .category = 3});
  // The CD-ROM bank's file names, numbered by its own records.
  const char* pictures[] = {"q16.jpg", "q17.jpg", "q18.jpg", "q16.jpg", "q17.jpg", "q18.jpg"};
  for (int i = 0; i < 6; ++i) out.push_back({.record = 141 + i, .picture = pictures[i]});
  for (int r : {132, 133, 134, 135, 136, 156, 167, 168, 171, 172, 174, 177, 182})
    out.push_back({.record = r, .exhibit = "q" + std::to_string(r - 125) + ".txt"});
  // Drag-and-drop exercises 16 to 20, then 1 to 10.
  for (int r = 206; r <= 210; ++r)
    out.push_back({.record = r, .kind = K::dnd, .answer1 = std::to_string(r - 190)});
  for (int r = 216; r <= 225; ++r)
    out.push_back({.record = r, .kind = K::dnd, .answer1 = std::to_string(r - 215)});
  for (const auto& [category, members] : cd_category_records())
    for (int r : members) out.push_back({.record = r, .category = category});
  return out;
}

Section en_dashes(int record, int answers) {
  return {.first = record, .last = record, .sums = {{M::answers_with_ndash, K::any, answers}}};
}

Section pages_of_digits(int first, int last, int digits) {
  const int lowest = digits == 2 ? 10 : 100;
  return {.first = first, .last = last, .within = {{M::page, K::any, lowest, lowest * 10 - 1}}};
}

Section whole_bank() {
  return {
      .first = 1,
      .last = 225,
      .kinds = {{K::single, 157}, {K::multi, 15}, {K::fill, 18}, {K::dnd, 15}, {K::sim, 20}},
      .counts = {{P::typed_single_answer, K::any, 192},
                 {P::typed_multi_answer, K::any, 15},
                 {P::typed_fill_in_the_blank, K::any, 18}},
      .exactly = {{P::has_explanation, K::any, records(126, 225)},
                  {P::reference_empty, K::any, kSimulator}},
      .category_kinds = {{1, 27},
                         {2, 13},
                         {3, 15},
                         {4, 12},
                         {5, 14},
                         {6, 17},
                         {7, 21},
                         {8, 16},
                         {9, 25},
                         {10, 15},
                         {11, 16},
                         {12, 14},
                         {13, 20}},
  };
}

Section book_section() {
  return {
      .first = 1,
      .last = 125,
      .kinds = {{K::single, 116, {{4, 63}, {5, 53}}, {{1, 116}}},
                {K::multi, 9, {{4, 4}, {5, 5}}, {{2, 4}, {3, 5}}}},
      .exactly = {{P::question_has_br, K::any, {88, 117, 118}},
                  {P::markup_other_than_br, K::any, {}},
                  {P::answer_has_markup, K::any, {}},
                  {P::has_cr_or_lf, K::any, {}},
                  {P::question_has_quote, K::any, {}},
                  {P::answer_has_quote, K::any, {}},
                  {P::has_clue, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {}},
                  {P::has_lab, K::any, {}}},
      .distributions = {{M::question_br, K::any, {{0, 122}, {1, 2}, {5, 1}}},
                        {M::correct_slot,
                         K::single,
                         {{1, 21}, {2, 32}, {3, 30}, {4, 23}, {5, 10}}}},
      .bounds = {{M::page, K::any, 33, 251}, {M::question_length, K::any, 50, 726}},
      .sums = {{M::answers_with_ndash, K::any, 5}},
      .runs = zum_book_chapters(),
      .references = ReferenceForm::page_and_title,
      .answer_lengths = LengthRange{1, 273},
      // Each section's records share its reference; the one of page 149 serves chapters 7
      // and 8.
      .distinct_references = 50,
      .references_across_categories = records(76, 82),
      .reference_sharing = ReferenceSharing{{{1, 8}, {2, 23}, {3, 11}, {4, 4}, {5, 3}, {7, 1}}},
  };
}

Section cd_section() {
  return {
      .first = 126,
      .last = 225,
      .kinds = {{K::single, 41}, {K::multi, 6}, {K::fill, 18}, {K::dnd, 15}, {K::sim, 20}},
      .exactly = {{P::always, K::single,
                   joined({records(126, 129),
                           records(137, 145),
                           records(147, 149),
                           records(151, 155),
                           records(157, 160),
                           records(162, 164),
                           {166, 169, 173, 175, 176},
                           records(178, 181),
                           records(183, 185),
                           {202}})},
                  {P::always, K::multi, {130, 131, 146, 150, 165, 170}},
                  {P::always, K::fill,
                   joined({records(132, 136),
                           {156, 161, 167, 168, 171, 172, 174, 177, 182, 201},
                           records(203, 205)})},
                  {P::always, K::dnd, joined({records(206, 210), records(216, 225)})},
                  {P::always, K::sim, kSimulator},
                  {P::has_picture, K::any, records(141, 146)},
                  {P::has_exhibit,
                   K::any,
                   {132, 133, 134, 135, 136, 156, 167, 168, 171, 172, 174, 177, 182}}},
      .references = ReferenceForm::page_only_or_empty,
  };
}

}  // namespace

const BankFigures& zum_combo_figures() {
  static const BankFigures figures{
      .module = "PB_ZUM_Combo",
      .description = "Combination of Velto and Pelma Books Questions for the Pelma Books ZUM.",
      .title = "Pelma Books ZUM",
      .version = "5.34",
      .stores_feedback_address = true,
      .question_count = 225,
      .category_count = 13,
      // The CD-ROM bank's list: the book's chapters, then the simulator tasks.
      .categories = {.same_as = {{"PB_ZUM_Pelma", 12}, {"PB_ZUM_Velto", 13}},
                     .lengths = {{{7, 12}, 50, 50}},
                     .at_most = 50,
                     .names = {{13, "Simulator Questions"}},
                     .at_most_reached_by = {{7, 12}}},
      .sections = {whole_bank(), book_section(), cd_section(), pages_of_digits(1, 50, 2),
                   pages_of_digits(51, 125, 3), en_dashes(21, 2), en_dashes(87, 1),
                   en_dashes(110, 2)},
      .records = record_facts(),
      .equal = {{1, 125, "PB_ZUM_Pelma", 1}, {126, 225, "PB_ZUM_Velto", 1}},
  };
  return figures;
}

TEST(ZumComboBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(zum_combo_figures())), "");
}

}  // namespace pv::bankcheck
