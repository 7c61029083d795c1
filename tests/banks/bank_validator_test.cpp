// Every bank file under banks/ is built in and keeps the rules of every bank; and the
// validator fails loudly when one record breaks its bank's table or a rule.
#include <gtest/gtest.h>

#include <functional>

#include "banks/bank_figures.hpp"
#include "banks/bank_rules.hpp"
#include "banks/bank_testing.hpp"
#include "banks/gudar_figures.hpp"
#include "platform/vbtext.hpp"

namespace pv::bankcheck {
namespace {

class EveryBankFile : public ::testing::TestWithParam<BankFileInfo> {};

// The bank with the most records, so that a load behind it shows what its reset leaves.
std::string largest_bank() {
  std::string largest;
  int most = 0;
  for (const BankFileInfo& f : bank_files())
    if (const auto g = load_module(f.module); g && g->question_count > most) {
      most = g->question_count;
      largest = f.module;
    }
  return largest;
}

TEST_P(EveryBankFile, IsBuiltInAndKeepsTheRulesOfEveryBank) {
  const BankFileInfo& file = GetParam();
  const auto g = load_module(file.module);
  ASSERT_TRUE(g) << file.path << ": module " << file.module << " is not built in";
  EXPECT_EQ(report(check_rules(*g, file)), "");
}

TEST_P(EveryBankFile, LoadsBehindTheLargestBankAsOnAnEmptyTable) {
  const BankFileInfo& file = GetParam();
  auto g = std::make_unique<Shared>();
  ASSERT_TRUE(load_into(*g, largest_bank()));
  for (int r = 1; r <= 1000; ++r) g->questions[r].Number = static_cast<int16_t>(r);
  ASSERT_TRUE(load_into(*g, file.module));
  EXPECT_EQ(report(check_reset_beyond_count(*g, file.module)), "");
  const auto fresh = load_module(file.module);
  for (int r = 1; r <= fresh->question_count; ++r) {
    EXPECT_TRUE(same_bank_fields(g->questions[r], fresh->questions[r])) << "record " << r;
    EXPECT_EQ(g->questions[r].Number, r);
  }
  EXPECT_TRUE(g->category_names == fresh->category_names);
}

std::string module_name(const ::testing::TestParamInfo<BankFileInfo>& file) {
  return file.param.module;
}

INSTANTIATE_TEST_SUITE_P(Banks, EveryBankFile, ::testing::ValuesIn(bank_files()), module_name);

// One change to one record, and the failure it must cause.
struct Breakage {
  const char* name;
  const BankFigures& (*figures)();
  std::function<void(Shared&)> change;
  std::string expected;  // part of a failure line
};

void PrintTo(const Breakage& b, std::ostream* os) {
  *os << b.name;
}

class OneRecordChanged : public ::testing::TestWithParam<Breakage> {};

TEST_P(OneRecordChanged, FailsAgainstItsTable) {
  const Breakage& b = GetParam();
  const BankFigures& figures = b.figures();
  auto g = std::make_unique<Shared>();
  g->feedback_address = "before@example";
  ASSERT_TRUE(load_into(*g, figures.module));
  ASSERT_EQ(report(check_figures(*g, figures, "before@example")), "");
  b.change(*g);
  const std::string failures = report(check_figures(*g, figures, "before@example"));
  EXPECT_NE(failures.find(b.expected), std::string::npos)
      << "expected a failure with: " << b.expected << "\ngot:\n"
      << failures;
}

const Breakage kBreakages[] = {
    {"flag_moved", gudar_pelma_figures,
     [](Shared& g) {
       g.questions[14].Correct[5] = 0;
       g.questions[14].Correct[1] = 1;
     },
     "PB_GUDAR_pelma: record 14: correct answers is 1,3,4, table says 3,4,5"},
    {"category_run_broken", gudar_pelma_figures, [](Shared& g) { g.questions[12].Category = 2; },
     "category 1: records 1-12 are not all in the category"},
    {"blank_after_hashes_added", gudar_pelma_figures,
     [](Shared& g) { g.questions[150].Reference.insert(5, " "); },
     "records with a blank after \"##\" is 21, table says 20"},
    {"explanation_dropped", gudar_pelma_figures,
     [](Shared& g) { g.questions[46].Explanation.clear(); },
     "records with an explanation is 11,86,204,225,230, table says 11,46,86,204,225,230"},
    {"page_outside_its_chapter", gudar_pelma_figures,
     [](Shared& g) { g.questions[242].Reference = "520##Hardening Network Devices"; },
     "record 242: reference page is 520, table says 519"},
    {"exercise_renumbered", gudar_velto_figures, [](Shared& g) { g.questions[11].Answer[1] = "7"; },
     "record 11: Answer(1) is \"7\", table says \"1\""},
    {"lab_changed", gudar_velto_figures, [](Shared& g) { g.questions[95].ExhibitFile[2] = "2950"; },
     "record 95: ExhibitFile(2) is \"2950\", table says \"3550\""},
    {"check_dropped", gudar_velto_figures, [](Shared& g) { g.questions[88].Answer[4].clear(); },
     "simulator: total answers is 45, table says 46"},
    {"spelling_case_changed", gudar_combo_figures,
     [](Shared& g) { g.questions[302].Answer[3] = g.questions[302].Answer[2]; }, "record 302"},
    {"cd_rom_record_differs", gudar_combo_figures,
     [](Shared& g) { g.questions[300].Question += "?"; },
     "record 300: differs from record 58 of PB_GUDAR_velto in Question"},
    {"clue_gains_empty_line", gudar_combo_figures,
     [](Shared& g) { g.questions[330].Clue.insert(0, "\r\n"); },
     "records whose clue begins with an empty line is 330,334,341, table says 334,341"},
    {"description_changed", gudar_combo_figures,
     [](Shared& g) { g.test_description = "Combination of velto and pelma questions."; },
     "test_description"},
};

std::string breakage_name(const ::testing::TestParamInfo<Breakage>& breakage) {
  return breakage.param.name;
}

INSTANTIATE_TEST_SUITE_P(GudarBanks, OneRecordChanged, ::testing::ValuesIn(kBreakages),
                         breakage_name);

// The rules of every bank, broken one at a time in a loaded CD-ROM bank.
TEST(BankRules, NameTheRecordThatBreaksThem) {
  const BankFileInfo velto{.module = "PB_GUDAR_velto"};
  const std::pair<std::function<void(QuestionRecord&)>, std::string> cases[] = {
      {[](QuestionRecord& q) { q.Answer[3].clear(); }, "record 1: answers do not fill slots"},
      {[](QuestionRecord& q) { q.Correct[6] = 1; }, "record 1: a flag on the empty answer slot 6"},
      {[](QuestionRecord& q) { q.Type = "single"; }, "record 1: type \"single\""},
      {[](QuestionRecord& q) { q.Category = 22; }, "record 1: category 22 is not in the list"},
      {[](QuestionRecord& q) { q.TutorVideo = "v.wmv"; }, "record 1: TutorVideo is set"},
  };
  for (const auto& [change, expected] : cases) {
    auto g = load_module(velto.module);
    ASSERT_EQ(report(check_rules(*g, velto)), "");
    change(g->questions[1]);
    EXPECT_NE(report(check_rules(*g, velto)).find(expected), std::string::npos) << expected;
  }
  const std::pair<std::function<void(QuestionRecord&)>, std::string> tasks[] = {
      {[](QuestionRecord& q) { q.Correct[1] = 1; }, "record 11: a drag-and-drop task has a flag"},
      {[](QuestionRecord& q) { q.Answer[1] = "exercise 1"; },
       "record 11: a drag-and-drop task stores"},
      {[](QuestionRecord& q) { q.Type = "multi_answer"; }, "record 11: drag-and-drop task typed"},
  };
  for (const auto& [change, expected] : tasks) {
    auto g = load_module(velto.module);
    change(g->questions[11]);
    EXPECT_NE(report(check_rules(*g, velto)).find(expected), std::string::npos) << expected;
  }
  const std::pair<std::function<void(QuestionRecord&)>, std::string> sims[] = {
      {[](QuestionRecord& q) { q.Answer[1] = "host name=Access1"; }, "is not key=value"},
      {[](QuestionRecord& q) { q.Answer[2] = "no_equals_sign"; }, "is not key=value"},
      {[](QuestionRecord& q) { q.Explanation += "<br>extra"; }, "is not the clue's transcript"},
      {[](QuestionRecord& q) { q.Explanation = replace(q.Explanation, "&gt;", ">"); },
       "is not the clue's transcript"},
      {[](QuestionRecord& q) { q.Clue += "\r\n"; }, "ends with an empty line break"},
      {[](QuestionRecord& q) { q.ExhibitFile[2] = "lab9"; }, "unknown lab \"lab9\""},
      {[](QuestionRecord& q) { q.Reference = "182##Switch setup"; }, "is not a page and \"##\""},
  };
  for (const auto& [change, expected] : sims) {
    auto g = load_module(velto.module);
    change(g->questions[88]);
    const std::string failures = report(check_rules(*g, velto));
    EXPECT_NE(failures.find("record 88: "), std::string::npos) << expected;
    EXPECT_NE(failures.find(expected), std::string::npos) << expected << "\n" << failures;
  }
}

// The two forms of a transcript may differ in spacing, or on a command line in a keyword
// shortened in one of them; never in a word of its own, a number, the prompt or device output.
TEST(BankRules, TranscriptFormsDifferOnlyInSpacingOrAShortenedWord) {
  const BankFileInfo velto{.module = "PB_ZUM_Velto"};
  struct Case {
    int record;
    size_t line;  // of the clue
    std::string text;
    bool holds;
  };
  const Case cases[] = {
      {74, 0, "DS1#sh interfaces trunk", true},
      {74, 0, "DS1#show interfaces  trunk", true},
      {74, 0, "DS1#show int trunk", true},
      {74, 0, "DS1#show interfaces trunks", true},
      {74, 0, "DS1#show interfaces", false},
      {74, 0, "DS1#show interfaces trunk detail", false},
      {74, 0, "DS1#shop interfaces trunk", false},
      {74, 0, "DS2#show interfaces trunk", false},
      {74, 0, "DS1#", false},
      {74, 3, "Gi0/1 on 802.1q trunking 99", true},
      {74, 3, "Gi0/1       on               802.1q         trunk         99", false},
      {74, 3, "Gi0/1       on               802.1q         trunking      9", false},
      {69, 1, "DS1#sh span vlan 10", true},
      {69, 1, "DS1#sh spanning-tree vlan 1", false},
  };
  for (const Case& c : cases) {
    auto g = load_module(velto.module);
    QuestionRecord& q = g->questions[c.record];
    size_t start = 0;
    for (size_t i = 0; i < c.line; ++i) start = q.Clue.find("\r\n", start) + 2;
    q.Clue.replace(start, q.Clue.find("\r\n", start) - start, c.text);
    const std::string failures = report(check_rules(*g, velto));
    EXPECT_EQ(failures.empty(), c.holds) << c.record << ": " << c.text << "\n" << failures;
  }
}

// The listed JEKO tasks may show device output in only one form of their transcript (86), or
// hand the simulator no transcript at all (97); their commands must still agree, and a task
// not listed keeps both forms line for line.
TEST(BankRules, TranscriptOutputInOneFormAndAnEmptyClue) {
  const BankFileInfo velto{.module = "PB_JEKO_Velto"};
  struct Case {
    int record;
    std::function<void(QuestionRecord&)> change;
    bool holds;
  };
  const Case cases[] = {
      {86, [](QuestionRecord& q) { q.Explanation += "<br>  more debug output"; }, true},
      {86, [](QuestionRecord& q) { q.Clue += "\r\n  output the explanation lacks"; }, true},
      {86, [](QuestionRecord& q) { q.Clue += "\r\nR1#show clock"; }, false},
      {86, [](QuestionRecord& q) { q.Clue = replace(q.Clue, "is on", "is off"); }, false},
      {86, [](QuestionRecord& q) { q.Clue.clear(); }, false},
      {97, [](QuestionRecord& q) { q.Explanation.clear(); }, false},
      {97, [](QuestionRecord& q) { q.Clue = "R1>enable"; }, false},
      {88, [](QuestionRecord& q) { q.Explanation += "<br>  output"; }, false},
      {88, [](QuestionRecord& q) { q.Clue.clear(); }, false},
  };
  for (const Case& c : cases) {
    auto g = load_module(velto.module);
    ASSERT_TRUE(report(check_rules(*g, velto)).empty());
    c.change(g->questions[c.record]);
    const std::string failures = report(check_rules(*g, velto));
    EXPECT_EQ(failures.empty(), c.holds) << "record " << c.record << "\n" << failures;
  }
}

// A small table of four records against a section that counts how often each reference is
// cited, where its "##" begins and how short the shortest answer is; one change at a time.
TEST(BankFigures, ReferenceSharingHashPositionAndShortestAnswer) {
  const BankFigures figures{
      .module = "small",
      .sections = {{.first = 1,
                    .last = 4,
                    .distributions = {{Measure::hashes_at, Kind::any, {{3, 2}, {4, 2}}}},
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

TEST(BankRules, FullExamMustEqualItsSources) {
  const BankFileInfo combo{
      .module = "PB_GUDAR_combo",
      .inclusions = {{"PB_GUDAR_pelma", 1, 242, {}}, {"PB_GUDAR_velto", 1, 108, {}}}};
  auto g = load_module(combo.module);
  ASSERT_EQ(report(check_rules(*g, combo)), "");
  g->questions[244].Clue.clear();
  g->questions[5].Reference = "1##";
  const std::string failures = report(check_rules(*g, combo));
  EXPECT_NE(failures.find("record 5: differs from record 5 of PB_GUDAR_pelma in Reference"),
            std::string::npos)
      << failures;
  EXPECT_NE(failures.find("record 244: differs from record 2 of PB_GUDAR_velto in Clue"),
            std::string::npos)
      << failures;
}

}  // namespace
}  // namespace pv::bankcheck

namespace pv::bankcheck {
namespace {

// Whether a table stating `property` of record 1 holds for a one-record bank holding `q`.
bool holds_for(const QuestionRecord& q, Property property) {
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
    EXPECT_EQ(holds_for(q, Property::transcript_types_the_checks), c.holds) << c.clue;
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
    EXPECT_EQ(holds_for(q, Property::explanation_pairs_items), expected) << explanation;
  }
}

}  // namespace
}  // namespace pv::bankcheck
