// The documented figures of the SOLK flash-card bank, PB_SOLK_SOLK.
#include "banks/tables.hpp"

#include <gtest/gtest.h>

namespace pv::bankcheck {

namespace {

using F = Form;

// Records 1-275 in their category runs: record 252 of category 12 stands among those of 11.
std::vector<Section> category_runs() {
  const struct {
    int first, last;
    Dist categories;
  } runs[] = {{1, 33, {{1, 33}}},     {34, 62, {{2, 29}}},    {63, 79, {{3, 17}}},
              {80, 100, {{4, 21}}},   {101, 120, {{5, 20}}},  {121, 149, {{6, 29}}},
              {150, 173, {{7, 24}}},  {174, 197, {{8, 24}}},  {198, 211, {{9, 14}}},
              {212, 241, {{10, 30}}}, {242, 251, {{11, 10}}}, {252, 252, {{12, 1}}},
              {253, 262, {{11, 10}}}, {263, 275, {{12, 13}}}};
  std::vector<Section> sections;
  for (const auto& run : runs)
    sections.push_back({.first = run.first,
                        .last = run.last,
                        .distributions = {{M::category, K::any, run.categories}}});
  return sections;
}

std::vector<RecordFact> record_facts() {
  std::vector<RecordFact> facts;
  // Drag-and-drop tasks: record, exercise, category.
  const int dnd[][3] = {{2, 34, 1},    {3, 33, 1},    {4, 32, 1},    {5, 31, 1},    {24, 53, 1},
                        {36, 55, 2},   {51, 36, 2},   {53, 35, 2},   {56, 38, 2},   {59, 37, 2},
                        {77, 47, 3},   {96, 39, 4},   {118, 42, 5},  {119, 41, 5},  {120, 40, 5},
                        {121, 56, 6},  {131, 43, 6},  {132, 44, 6},  {135, 54, 6},  {155, 45, 7},
                        {156, 46, 7},  {198, 48, 9},  {215, 57, 10}, {223, 58, 10}, {226, 59, 10},
                        {229, 51, 10}, {231, 50, 10}, {241, 49, 10}, {261, 52, 11}};
  for (const auto& [record, exercise, category] : dnd)
    facts.push_back({.record = record,
                     .kind = K::dnd,
                     .answers = 1,
                     .flags = 0,
                     .category = category,
                     .answer1 = std::to_string(exercise)});

  // Single answer with fewer than six answers; the true/false cards offer "True" first.
  for (int r : {9, 10, 20, 43, 72, 76, 79, 82, 138, 146, 152, 163, 180, 191, 201, 271, 272})
    facts.push_back({.record = r,
                     .kind = K::single,
                     .flags = 1,
                     .answer_texts = std::vector<std::string>{"True", "False"}});
  const std::pair<int, std::vector<int>> single[] = {
      {2, {85, 90, 94, 159, 188}},
      {3, {35, 95}},
      {4, {75, 105, 169, 243, 245}},
      {5, {1, 17, 30, 31, 38, 40, 42, 54, 100, 102, 107, 111, 168}}};
  for (const auto& [answers, list] : single)
    for (int r : list) facts.push_back({.record = r, .kind = K::single, .answers = answers});

  // Multiple answer: answers and flags.
  const std::tuple<int, int, std::vector<int>> multi[] = {
      {5, 2, {8}},
      {6, 2, {154, 158, 177, 189, 199, 203, 219, 244, 254}},
      {6, 3, {133, 174, 176, 202, 237, 242}},
      {6, 4, {136, 206, 227, 238, 253, 255, 256, 258, 262}},
      {6, 5, {273}}};
  for (const auto& [answers, flags, list] : multi)
    for (int r : list)
      facts.push_back({.record = r, .kind = K::multi, .answers = answers, .flags = flags});

  // Fill-in cards: the accepted forms in stored order.
  const std::tuple<int, int, std::vector<Form>> fill[] = {
      {26, 1, {F::numeral, F::grouped_numeral, F::words}},
      {50, 2, {F::words, F::numeral}},
      {65, 3, {F::grouped_numeral, F::numeral, F::words}},
      {66, 3, {F::numeral, F::grouped_numeral, F::words}},
      {86, 4, {F::numeral, F::words}},
      {87, 4, {F::numeral, F::words}},
      {88, 4, {F::numeral, F::words}},
      {126, 6, {F::words, F::numeral}},
      {160, 7, {F::numeral, F::words}},
      {190, 8, {F::numeral, F::words}},
      {213, 10, {F::numeral, F::capitalised_words}},
      {221, 10, {F::words, F::hyphenated_words, F::numeral}},
      {274, 12, {F::numeral, F::words}}};
  for (const auto& [record, category, forms] : fill)
    facts.push_back({.record = record,
                     .kind = K::fill,
                     .flags = static_cast<int>(forms.size()),
                     .category = category,
                     .spellings = static_cast<int>(forms.size()),
                     .forms = forms});
  // One term in three letter cases; an acronym plain and dotted, each in two cases, and
  // its expansion.
  facts.push_back({.record = 93,
                   .kind = K::fill,
                   .answers = 3,
                   .flags = 3,
                   .category = 4,
                   .spellings = 1,
                   .capitalised_lower_upper = true});
  facts.push_back(
      {.record = 171, .kind = K::fill, .answers = 5, .flags = 5, .category = 7, .spellings = 3});

  // The pages outside their chapter's range, and the one record out of category order.
  facts.push_back({.record = 77, .page = 24, .category = 3});
  facts.push_back({.record = 259, .page = 20, .category = 11});
  facts.push_back({.record = 252, .category = 12});
  return facts;
}

BankFigures make_figures() {
  BankFigures f{
      .module = "PB_SOLK_SOLK",
      .description = "Velto Questions for Pelma Books SOLK part of SOLK Flash Cards",
      .title = "Pelma Books VARB/SOLK Flash Cards",
      .version = "5.41",
      .stores_feedback_address = true,
      .question_count = 275,
      .category_count = 12,
      .categories = {.chapters = 12, .at_most = 50},
      .records = record_facts(),
  };
  Section all{
      .first = 1,
      .last = 275,
      .kinds = {{K::single, 205, {{2, 22}, {3, 2}, {4, 5}, {5, 13}, {6, 163}}, {{1, 205}}},
                {K::multi, 26, {{5, 1}, {6, 25}}, {{2, 10}, {3, 6}, {4, 9}, {5, 1}}},
                {K::fill, 15, {{2, 9}, {3, 5}, {5, 1}}, {{2, 9}, {3, 5}, {5, 1}}},
                {K::dnd, 29, {{1, 29}}, {{0, 29}}}},
      .counts = {{P::typed_single_answer, K::any, 234},
                 {P::typed_multi_answer, K::any, 26},
                 {P::typed_fill_in_the_blank, K::any, 15},
                 {P::has_explanation, K::any, 275},
                 {P::explanation_has_ampersand, K::any, 3}},
      .exactly = {{P::question_has_br, K::any, {154, 176, 177, 238}},
                  {P::markup_other_than_br, K::any, {}},
                  {P::has_entity, K::any, {}},
                  {P::has_line_end, K::any, {}},
                  {P::has_clue, K::any, {}},
                  {P::has_picture, K::any, {}},
                  {P::has_exhibit, K::any, {}},
                  {P::has_lab, K::any, {}},
                  {P::reference_empty,
                   K::any,
                   {99, 191, 212, 213, 219, 222, 224, 227, 230, 232, 237, 238, 239, 256}},
                  {P::question_has_quote, K::any, {78, 181, 212, 230, 232, 239}},
                  {P::explanation_has_quote, K::any, {10, 29, 59, 181, 239}},
                  {P::answer_has_quote, K::any, {29, 239}},
                  {P::odd_quotes, K::any, {29}}},
      // Record 29 opens a quote straight and closes it typographically, in its explanation
      // and in answer 3.
      .sums = {{M::quoted_answers, K::any, 7},
               {M::ampersand_answers, K::any, 3},
               {M::odd_quote_texts, K::any, 2}},
      .category_kinds =
          {{.category = 1,
            .records = 33,
            .fill = 1,
            .dnd = 5,
            .page_lowest = 1,
            .page_highest = 19},
           {.category = 2, .records = 29, .fill = 1, .dnd = 5, .page_lowest = 3, .page_highest = 9},
           {.category = 3,
            .records = 17,
            .fill = 2,
            .dnd = 1,
            .page_lowest = 9,
            .page_highest = 12,
            .off_range = {77}},
           {.category = 4,
            .records = 21,
            .fill = 4,
            .dnd = 1,
            .page_lowest = 12,
            .page_highest = 14},
           {.category = 5,
            .records = 20,
            .fill = 0,
            .dnd = 3,
            .page_lowest = 14,
            .page_highest = 17},
           {.category = 6,
            .records = 29,
            .fill = 1,
            .dnd = 4,
            .page_lowest = 17,
            .page_highest = 20},
           {.category = 7,
            .records = 24,
            .fill = 2,
            .dnd = 2,
            .page_lowest = 20,
            .page_highest = 23},
           {.category = 8,
            .records = 24,
            .fill = 1,
            .dnd = 0,
            .page_lowest = 23,
            .page_highest = 26},
           {.category = 9,
            .records = 14,
            .fill = 0,
            .dnd = 1,
            .page_lowest = 26,
            .page_highest = 28},
           {.category = 10,
            .records = 30,
            .fill = 2,
            .dnd = 6,
            .page_lowest = 29,
            .page_highest = 33},
           {.category = 11,
            .records = 20,
            .fill = 0,
            .dnd = 1,
            .page_lowest = 33,
            .page_highest = 35,
            .off_range = {259}},
           {.category = 12,
            .records = 14,
            .fill = 1,
            .dnd = 0,
            .page_lowest = 35,
            .page_highest = 36}},
      .references = ReferenceForm::page_only_or_empty,
      .shared_questions = std::vector<std::vector<int>>{{119, 120}},
      .shared_explanations = std::vector<std::vector<int>>{{212, 230, 232}},
  };
  f.sections.push_back(all);
  for (Section& run : category_runs()) f.sections.push_back(run);
  return f;
}

}  // namespace

const BankFigures& solk_solk_figures() {
  static const BankFigures figures = make_figures();
  return figures;
}

TEST(SolkSolkBank, HoldsEveryDocumentedFigure) {
  EXPECT_EQ(report(validate_module(solk_solk_figures())), "");
}

}  // namespace pv::bankcheck
