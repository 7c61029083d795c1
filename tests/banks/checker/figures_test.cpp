// Figures and rules that a small hand-made bank keeps, and the failure each change to it
// must cause.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/figures.hpp"
#include "banks/checker/rules.hpp"
#include "banks/checker/testing.hpp"

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
    .exactly = {{P::all_answers_flagged, Kind::any, {}}},
    .sums = {{M::answer_quotes, Kind::any, 2}},
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

// A small table of four records against a section that counts how often each reference is
// cited, where its "##" begins and how short the shortest answer is; one change at a time.
TEST(BankFigures, ReferenceSharingHashPositionAndShortestAnswer) {
  const BankFigures figures{
      .module = "small",
      .sections = {{.first = 1,
                    .last = 4,
                    .distributions = {{M::hashes_at, Kind::any, {{3, 2}, {4, 2}}}},
                    .reference_sharing = ReferenceSharing{{{2, 2}}, true},
                    .shortest_answer = 1}}};
  const auto small_bank = [] {
    auto g = std::make_unique<Shared>();
    g->question_count = 4;
    const char* references[] = {"57##Leased lines", "57##Leased lines", "101##PPP", "101##PPP"};
    for (int r = 1; r <= 4; ++r) {
      g->questions[r].Reference = references[r - 1];
      g->questions[r].Answer[1] = r == 2 ? "x" : "HDLC";
      g->questions[r].Category = 1;
    }
    return g;
  };
  const std::pair<std::function<void(Shared&)>, std::string> cases[] = {
      {[](Shared&) {}, ""},
      {[](Shared& g) { g.questions[4].Category = 2; },
       "records 3,4: share one reference across categories"},
      {[](Shared& g) { g.questions[4].Reference = "101##Multilink PPP"; },
       "references by the records citing each is {1:2 2:1}, table says {2:2}"},
      {[](Shared& g) { g.questions[2].Reference = "057##Leased lines"; },
       "records by character where \"##\" begins is {3:1 4:3}, table says {3:2 4:2}"},
      {[](Shared& g) { g.questions[2].Answer[1] = "xy"; }, "shortest answer is 2, table says 1"},
  };
  for (const auto& [change, expected] : cases) {
    auto g = small_bank();
    change(*g);
    std::string failures;
    for (const std::string& f : check_figures(*g, figures, ""))
      if (f.find("small: records") == 0) failures += f + "\n";
    if (expected.empty())
      EXPECT_EQ(failures, "");
    else
      EXPECT_NE(failures.find(expected), std::string::npos) << expected << "\n" << failures;
  }
}

// Whether a table stating `property` of record 1 holds for a one-record bank holding `q`.
bool holds_for(const QuestionRecord& q, const Property& property) {
  auto g = std::make_unique<Shared>();
  g->question_count = 1;
  g->questions[1] = q;
  const BankFigures f{
      .module = "ONE",
      .sections = {{.first = 1, .last = 1, .exactly = {{property, Kind::any, {1}}}}}};
  return report(check_figures(*g, f, "")).find("records whose") == std::string::npos;
}

// A task configures what it checks, and nothing else, between entering configuration mode
// and the bare prompt at the end.
TEST(BankFigures, TranscriptTypesExactlyTheCheckedCommands) {
  const std::string opening =
      "Router>enable\r\nRouter#configure terminal\r\n"
      "Enter configuration commands, one per line.  End with CNTL/Z.\r\n";
  const std::string bgp = "Router(config)#router bgp 65001\r\n";
  const std::string neighbor = "Router(config-router)#neighbor 10.0.0.2 remote-as 65002\r\n";
  const std::string bare = "Router(config-router)#";
  struct Case {
    std::string clue;
    std::string second_check;
    bool holds;
  };
  const std::string second = "executed_neighbor_10.0.0.2_remote-as_65002=true";
  const Case cases[] = {
      {opening + bgp + neighbor + bare, second, true},
      {opening + neighbor + bgp + "Router(config)#", second, false},
      {opening + bgp + neighbor + bare, "executed_neighbor_10.0.0.2_remote-as_65002=false", false},
      {opening + bgp + neighbor + "Router(config-router)#no auto-summary\r\n" + bare, second,
       false},
      {opening + bgp + neighbor, second, false},
      {opening + bgp + neighbor + "Router(config-router)#end", second, false},
      {opening + bgp + neighbor + "Router#", second, false},
      {"Router#enable\r\n" + opening.substr(15) + bgp + neighbor + bare, second, false},
      {"R1>enable\r\n" + opening.substr(15) + bgp + neighbor + bare, second, false},
      {opening.substr(0, 42) + bgp + neighbor + bare, second, false},
  };
  for (const Case& c : cases) {
    QuestionRecord q;
    q.Type = "single_answer";
    q.DiagramFile[1] = "xxsim";
    q.Answer[1] = "executed_router_bgp_65001=true";
    q.Answer[2] = c.second_check;
    q.Clue = c.clue;
    EXPECT_EQ(holds_for(q, P::transcript_types_the_checks), c.holds) << c.clue;
  }
}

TEST(BankFigures, MatchesAreListedAsPairsOfLines) {
  const std::pair<std::string, bool> cases[] = {
      {"ping<br>Layer 3<br><br>cable tester<br>Layer 1", true},
      {"ping<br>Layer 3", true},
      {"ping<br>Layer 3<br>cable tester<br>Layer 1", false},
      {"ping<br><br>Layer 3", false},
      {"ping<br>Layer 3<br><br>", false},
      {"ping<br>Layer 3<br><br><br>cable tester<br>Layer 1", false},
      {"ping", false},
  };
  for (const auto& [explanation, expected] : cases) {
    QuestionRecord q;
    q.Explanation = explanation;
    EXPECT_EQ(holds_for(q, P::explanation_pairs_items), expected) << explanation;
  }
}

}  // namespace
}  // namespace pv::bankcheck
