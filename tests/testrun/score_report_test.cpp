// The score report: its labels, bar and verdict, the per-category list, the review list
// with its filters and its double-click, the retake, the history button, the held size and
// "testing.log" line for line.
#include <gtest/gtest.h>

#include "platform/vbtext.hpp"
#include "testrun/score_report_fixture.hpp"

namespace pv::testing {
namespace {

TEST(ScoreText, PercentagesRoundDownAndCategoryScoresLineUp) {
  struct Case {
    int right, asked;
    bool scored;
    int percent;
    const char* category;
  };
  const Case cases[] = {
      {29, 50, true, 58, " 58% (29/50)"},  {2, 3, true, 66, " 66% (2/3)"},
      {17, 20, true, 85, " 85% (17/20)"},  {1, 20, true, 5, "  5% (1/20)"},
      {20, 20, true, 100, "100% (20/20)"}, {0, 7, true, 0, "  0% (0/7)"},
      {1, 10, true, 10, " 10% (1/10)"},    {0, 0, false, 0, "  0% (0/0)"},
  };
  for (const Case& c : cases) {
    int32_t percent = -1;
    EXPECT_EQ(score_percent(c.right, c.asked, percent), c.scored) << c.right << "/" << c.asked;
    if (c.scored) {
      EXPECT_EQ(percent, c.percent) << c.right << "/" << c.asked;
    }
    EXPECT_EQ(category_score_text(static_cast<int16_t>(c.right), static_cast<int16_t>(c.asked)),
              c.category);
  }
}

// Lines 1 to 4 of "testing.log" for the five-question bank: the categories asked, then the
// State of every record.
std::vector<std::string> log_head(const std::vector<std::string>& states_1_to_5) {
  std::vector<std::string> lines = {"Category Information", "Cabling:  2",      "Addressing:  3",
                                    "Security:  0",         "Question History", " 0 "};
  lines.insert(lines.end(), states_1_to_5.begin(), states_1_to_5.end());
  lines.resize(lines.size() + 995, " 0 ");
  return lines;
}
std::vector<std::string> log_missed(int count, const std::vector<std::string>& entries_1_on) {
  std::vector<std::string> lines = {"NUMBER WRONG: " + std::to_string(count),
                                    "Wrong Questions: ", " 0 "};
  lines.insert(lines.end(), entries_1_on.begin(), entries_1_on.end());
  lines.resize(lines.size() + 1000 - entries_1_on.size(), " 0 ");
  return lines;
}
std::vector<std::string> joined(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST_F(ScoreReportTest, ThreeRightOneWrongOneUnansweredThenTheRetakeOfTheMissedOne) {
  finalscore& r = take_test({true, false, true, true});  // the fifth is left unanswered

  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(r.caption(), "Practice Test Results for: GUDAR Five");
  EXPECT_EQ(r.rig.caption, " 3");
  EXPECT_EQ(r.tot.caption, " 5");
  EXPECT_EQ(r.per.caption, " 60%");
  EXPECT_FLOAT_EQ(r.right_score.width, r.total_score.width * 0.6f);
  EXPECT_EQ(r.Label4.caption, "Take this test until you get 100%");
  EXPECT_EQ(g().timed_test, 99);
  EXPECT_TRUE(r.list_cat.visible);
  EXPECT_EQ(r.list_cat.font.name, "Courier New");
  EXPECT_EQ(items(r.list_cat),
            (std::vector<std::string>{"100% (2/2) Cabling", " 33% (1/3) Addressing",
                                      "  0% (0/0) Security"}));
  EXPECT_EQ(r.module_scores, (std::vector<std::string>{"100% (2/2)", " 33% (1/3)", "  0% (0/0)"}));
  EXPECT_EQ(r.module_names, (std::vector<std::string>{"Cabling", "Addressing", "Security"}));

  // The review list under each filter; all questions at first.
  const std::vector<std::string> all = {" 1.) [1]  Which cable joins two switches directly?",
                                        " 2.) [2]  How many bits has an IPv4 address?",
                                        " 3.) [3]  Which mask is /24?",
                                        " 4.) [4]  Which connector do Ethernet patch cables use?",
                                        " 5.) [5]  Which address is private?"};
  EXPECT_TRUE(r.whichq[1].value());
  EXPECT_EQ(items(r.List1), all);
  choose(r.whichq[0]);
  EXPECT_EQ(items(r.List1), std::vector<std::string>{all[1]});
  choose(r.whichq[2]);
  EXPECT_EQ(items(r.List1), (std::vector<std::string>{all[0], all[2], all[3]}));
  EXPECT_EQ(r.missed_count, 1);
  EXPECT_TRUE(r.cmd_retake.visible);
  EXPECT_EQ(g().missed_now_count, 1);
  EXPECT_EQ(g().missed_now[1], 2);

  // A double-click on ' 3.) [3]' reviews record 3 (the last filter lists it second).
  double_click(r.List1, 1);
  EXPECT_EQ(g().current_record, 3);
  EXPECT_EQ(g().current_question, g().questions[3]);
  EXPECT_EQ(app->loaded<quest>(), nullptr);  // the test window is not shown again
  // Without a selected line there is nothing to review.
  choose(r.whichq[1]);
  ASSERT_EQ(r.List1.list_index(), -1);
  app->program->dispatch([&] { r.List1_DblClick(); });
  EXPECT_EQ(message_texts(), std::vector<std::string>{"You must select a question"});
  EXPECT_EQ(g().current_record, 3);

  // The history opens maximised; the window keeps its size.
  press(r.Command2);
  ASSERT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->shell->opened[0].target, app->current / history_name());
  EXPECT_EQ(app->shell->opened[0].show, 3);
  app->program->dispatch([&] { r.move(0, 0, 4000, 3000); });
  EXPECT_EQ(r.width(), 9255);
  EXPECT_EQ(r.height(), 6855);
  EXPECT_TRUE(r.Image1.stretch);
  EXPECT_EQ(r.Image1.width, 9255);

  EXPECT_EQ(lines_of("testing.log"), joined({log_head({" 1 ", " 2 ", " 1 ", " 1 ", " 3 "}),
                                             log_missed(1, {" 2 "}),
                                             {"Correct Questions", " 1 ", " 3 ", " 4 "}}));
  EXPECT_EQ(app->current.read("testing.log").substr(0, 22), "Category Information\r\n");

  // The retake asks the missed question alone; answered right, it is perfect.
  press(r.cmd_retake);
  ASSERT_NE(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"quest"});
  EXPECT_EQ(asked_records(), std::vector<int>{2});
  answer(true);
  finalscore& again = report();
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(again.rig.caption, " 1");
  EXPECT_EQ(again.tot.caption, " 1");
  EXPECT_EQ(again.per.caption, " 100%");
  EXPECT_FLOAT_EQ(again.right_score.width, again.total_score.width);
  EXPECT_EQ(again.Label4.caption, "Congratulations, you scored perfect!");
  EXPECT_FALSE(again.cmd_retake.visible);
  EXPECT_EQ(items(again.List1),
            std::vector<std::string>{" 1.) [2]  How many bits has an IPv4 address?"});
  // The old missed entry stays past the count of none.
  const std::vector<std::string> log = lines_of("testing.log");
  ASSERT_EQ(log.size(), 5u + 1001 + 2 + 1001 + 2);
  EXPECT_EQ(log[1006], "NUMBER WRONG: 0");
  EXPECT_EQ(log[1009], " 2 ");
  EXPECT_EQ(log[2010], " 2 ");  // the record index of the one right answer
  EXPECT_EQ(app->error_log().find("finalscore"), std::string::npos);
}

TEST_F(ScoreReportTest, NoAnswerRightListsEveryQuestionAsMissed) {
  finalscore& r = take_test({false, false, false, false, false});
  EXPECT_EQ(r.per.caption, " 0%");
  EXPECT_EQ(r.right_score.width, 0);
  EXPECT_EQ(items(r.list_cat),
            (std::vector<std::string>{"  0% (0/2) Cabling", "  0% (0/3) Addressing",
                                      "  0% (0/0) Security"}));
  choose(r.whichq[2]);
  EXPECT_TRUE(items(r.List1).empty());
  EXPECT_EQ(g().missed_now_count, 5);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(g().missed_now[k], k);
}

TEST_F(ScoreReportTest, ATestOfNoQuestionsShowsNoPercentageAndLogsNothing) {
  start_test();
  app->program->dispatch([this] {
    g().questions_to_ask = 0;
    app->forms().get<finalscore>().show();
  });
  finalscore& r = report();
  EXPECT_EQ(r.rig.caption, " 0");
  EXPECT_EQ(r.tot.caption, " 0");
  EXPECT_EQ(r.per.caption, "");
  EXPECT_EQ(r.right_score.width, 0);
  EXPECT_EQ(r.Label4.caption, "Take this test until you get 100%");
  EXPECT_FALSE(r.cmd_retake.visible);
  EXPECT_TRUE(items(r.List1).empty());
  EXPECT_EQ(app->error_log().find("finalscore"), std::string::npos);
}

TEST_F(ScoreReportTest, ABankWithoutCategoriesHidesTheList) {
  start_test();
  app->program->dispatch([this] {
    g().categories_enabled = vbFalse;
    app->forms().get<finalscore>().show();
  });
  EXPECT_FALSE(report().list_cat.visible);
  EXPECT_TRUE(report().module_scores.empty());
  EXPECT_TRUE(report().module_names.empty());
}

TEST_F(ScoreReportTest, OnlyTheFirstFortyNamedCategoriesAreListed) {
  start_test();
  app->program->dispatch([this] {
    g().category_names[2].clear();  // unnamed: skipped
    for (int c = 4; c <= 45; ++c) g().category_names[c] = "Chapter " + std::to_string(c);
    g().category_count = 45;
    app->forms().get<finalscore>().show();
  });
  const finalscore& r = report();
  ASSERT_EQ(r.list_cat.list_count(), 39);
  EXPECT_EQ(r.list_cat.list(1), "  0% (0/0) Security");
  EXPECT_EQ(r.list_cat.list(38), "  0% (0/0) Chapter 40");
  EXPECT_EQ(r.module_names.size(), 39u);
  // "testing.log" names every category of the bank, unnamed ones too.
  const std::vector<std::string> log = lines_of("testing.log");
  EXPECT_EQ(log[2], ":  0");
  EXPECT_EQ(log[45], "Chapter 45:  0");
  EXPECT_EQ(log[46], "Question History");
}

}  // namespace
}  // namespace pv::testing
