// The rules of every bank, broken one at a time in a loaded bank: the check names the
// record and the rule.
#include <gtest/gtest.h>

#include <functional>

#include "banks/checker/figures.hpp"
#include "banks/checker/rules.hpp"
#include "banks/checker/testing.hpp"
#include "platform/vbtext.hpp"

namespace pv::bankcheck {
namespace {

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
