// Figures and rules that a small hand-made bank keeps, and the failure each change to it
// must cause.
#include <gtest/gtest.h>

#include <functional>

#include "banks/bank_figures.hpp"
#include "banks/bank_rules.hpp"
#include "banks/bank_testing.hpp"

namespace pv::bankcheck {
namespace {

void fill(QuestionRecord& q, int category, const std::string& reference,
          std::vector<std::string> answers, std::vector<int> correct) {
  q.Type = "single_answer";
  q.Question = "Which one?";
  q.Category = static_cast<int16_t>(category);
  q.Reference = reference;
  for (size_t i = 0; i < answers.size(); ++i) q.Answer[static_cast<int>(i + 1)] = answers[i];
  for (int slot : correct) q.Correct[slot] = 1;
}

// Four records in two chapters; record 4 cites a page far outside its chapter.
std::unique_ptr<Shared> small_bank() {
  auto g = std::make_unique<Shared>();
  g->question_count = 4;
  g->category_count = 2;
  g->categories_enabled = vbTrue;
  g->category_names[1] = "Passwords";
  g->category_names[2] = "Logging";
  fill(g->questions[1], 1, "43##Passwords", {"The \"secret\" form", "b", "c"}, {1});
  fill(g->questions[2], 1, "43##Passwords", {"a", "b", "c"}, {2});
  fill(g->questions[3], 2, "120##Logs", {"a", "b", "c", "d"}, {3});
  fill(g->questions[4], 2, "93##Old logs", {"a", "b", "c", "d", "e", "f"}, {1, 2, 3, 4});
  return g;
}

const Section kSmall{
    .first = 1,
    .last = 4,
    .exactly = {{Property::all_answers_flagged, Kind::any, {}}},
    .sums = {{Measure::answer_quotes, Kind::any, 2}},
    .runs =
        {{.category = 1, .first = 1, .last = 2, .count = 2, .page_lowest = 43, .page_highest = 43},
         {.category = 2,
          .first = 3,
          .last = 4,
          .count = 2,
          .five_or_six = 1,
          .page_lowest = 120,
          .page_highest = 120,
          .off_range = {4}}},
    .reference_sharing = ReferenceSharing{.within_one_category = true},
};

std::vector<std::string> failures_of(const Shared& g) {
  BankFigures figures{.module = "small", .category_count = 2, .sections = {kSmall}};
  std::vector<std::string> out;
  for (const std::string& f : check_figures(g, figures, ""))
    if (f.rfind("small: identity", 0) != 0 && f.rfind("small: bank", 0) != 0) out.push_back(f);
  return out;
}

TEST(BankFigures, NameWhatBreaksTheNewerFigures) {
  ASSERT_EQ(report(failures_of(*small_bank())), "");
  const std::pair<std::function<void(Shared&)>, std::string> cases[] = {
      {[](Shared& g) { g.questions[2].Correct[1] = g.questions[2].Correct[3] = 1; },
       "records with every answer flagged is 2, table says none"},
      {[](Shared& g) { g.questions[3].Answer[2] = "\"b\" or \"c\""; },
       "total double quotes in the answers is 6, table says 2"},
      {[](Shared& g) { g.questions[1].Answer[1] = "The secret form"; },
       "total double quotes in the answers is 0, table says 2"},
      {[](Shared& g) { g.questions[3].Reference = "93##Logs"; },
       "category 2: lowest page is 93, table says 120"},
      {[](Shared& g) { g.questions[3].Reference = "43##Passwords"; },
       "records 1,2,3: share one reference across categories"},
  };
  for (const auto& [change, expected] : cases) {
    auto g = small_bank();
    change(*g);
    const std::string failures = report(failures_of(*g));
    EXPECT_NE(failures.find(expected), std::string::npos) << expected << "\ngot:\n" << failures;
  }
}

// A single-answer record may carry up to four flags, never more.
TEST(BankRules, SingleAnswerRecordsCarryOneToFourFlags) {
  const BankFileInfo file{.module = "small"};
  const std::pair<std::vector<int>, bool> cases[] = {
      {{1}, true}, {{1, 2, 3}, true}, {{1, 3, 5, 6}, true}, {{1, 2, 3, 4, 5}, false}, {{}, false}};
  for (const auto& [flags, holds] : cases) {
    auto g = small_bank();
    QuestionRecord& q = g->questions[4];
    for (int i = 1; i <= 6; ++i) q.Correct[i] = 0;
    for (int slot : flags) q.Correct[slot] = 1;
    const std::string failures = report(check_rules(*g, file));
    EXPECT_EQ(failures.find("record 4: single answer with") == std::string::npos, holds)
        << flags.size() << " flags\n"
        << failures;
  }
}

}  // namespace
}  // namespace pv::bankcheck
