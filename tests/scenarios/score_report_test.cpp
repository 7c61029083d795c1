// A GUDAR test of five questions from the first question to the cleared history: the
// report of three right, one wrong and one unanswered, the retake of the missed question,
// a third test while the history's copy cannot be written, then View and Reset.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "platform/dialogs.hpp"
#include "testrun/score_report_fixture.hpp"

namespace pv::testing {
namespace {

using ScoreReportScenario = ScoreReportTest;

TEST_F(ScoreReportScenario, FiveQuestionsTheRetakeAnotherTestThenViewAndReset) {
  // 3 right, 1 wrong, the fifth left unanswered: End and Grade.
  finalscore& r = take_test({true, false, true, true});
  EXPECT_EQ(r.caption(), "Practice Test Results for: GUDAR Five");
  EXPECT_EQ((std::vector<std::string>{r.rig.caption, r.tot.caption, r.per.caption}),
            (std::vector<std::string>{" 3", " 5", " 60%"}));
  EXPECT_EQ(r.Label4.caption, "Take this test until you get 100%");
  EXPECT_EQ(items(r.list_cat),
            (std::vector<std::string>{"100% (2/2) Cabling", " 33% (1/3) Addressing",
                                      "  0% (0/0) Security"}));
  EXPECT_EQ(items(r.List1).size(), 5u);
  EXPECT_EQ(items(r.List1)[4], " 5.) [5]  Which address is private?");
  choose(r.whichq[0]);
  EXPECT_EQ(items(r.List1),
            std::vector<std::string>{" 2.) [2]  How many bits has an IPv4 address?"});
  std::vector<std::string> history = lines_of(history_name());
  ASSERT_EQ(history.size(), 2u);
  const std::string first = history[1];
  EXPECT_EQ(first.substr(0, 51), "<p><b> GUDAR Book Quiz Results:</b><br> 60%&nbsp;&n");

  // The retake asks record 2 alone; its entry goes on top.
  press(r.cmd_retake);
  EXPECT_EQ(asked_records(), std::vector<int>{2});
  EXPECT_EQ(window().caption(), "Practice Test for GUDAR Five - Question  1 of 1");
  answer(true);
  EXPECT_EQ(report().per.caption, " 100%");
  EXPECT_FALSE(report().cmd_retake.visible);
  history = lines_of(history_name());
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history[1].substr(0, 61),
            "<p><b> GUDAR Book Quiz Results:</b><br> 100%&nbsp;&nbsp;(1/1)");
  EXPECT_EQ(history[2], first);

  // A third test while "temp.hist" cannot be written: the history keeps every entry.
  ASSERT_EQ(std::remove((app->current / "temp.hist").c_str()), 0);
  ASSERT_EQ(::mkdir((app->current / "temp.hist").c_str(), 0755), 0);
  press(report().Command1);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  for (int k = 0; k < 5; ++k) answer(false);
  EXPECT_EQ(report().per.caption, " 0%");
  const std::vector<std::string> before = history;
  history = lines_of(history_name());
  ASSERT_EQ(history.size(), 4u);
  EXPECT_EQ(history[1].substr(0, 59),
            "<p><b> GUDAR Book Quiz Results:</b><br> 0%&nbsp;&nbsp;(0/5)");
  EXPECT_EQ(std::vector<std::string>(history.begin() + 2, history.end()),
            std::vector<std::string>(before.begin() + 1, before.end()));

  // View, then Reset: No keeps it, Yes clears it, and View finds nothing.
  press(report().Command1);
  pick_a_quiz& s = setup();
  choose_menu(s.mnu_viewtestscorehistory);
  ASSERT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->shell->opened[0].target, app->current / history_name());
  app->dialogs->answers = {vbNo, vbOK, vbYes, vbOK, vbOK};
  press(s.cmd_reset_user_history);
  EXPECT_TRUE(app->current.exists(history_name()));
  press(s.cmd_reset_user_history);
  choose_menu(s.mnu_viewtestscorehistory);
  EXPECT_EQ(
      message_texts(),
      (std::vector<std::string>{
          "Are you sure you want to clear all history for user STUDENT?", "History NOT cleared.",
          "Are you sure you want to clear all history for user STUDENT?",
          "STUDENT history has been cleared.",
          "No history found for user STUDENT.  Please take a quiz first and try again."}));
  EXPECT_FALSE(app->current.exists(history_name()));
  EXPECT_FALSE(app->current.exists("46000.STUDENT.results"));
  EXPECT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->error_log().find("finalscore"), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
