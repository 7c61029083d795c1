// Whole tests in the test window: ten questions of every kind answered, revisited and
// graded, ended by End and Grade; and a timed test that runs out.
#include <gtest/gtest.h>

#include "platform/vbtext.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

using TestRunScenario = TestRun;

std::vector<int16_t> choices(const QuestionRecord& q) {
  return {q.Choice[1], q.Choice[2], q.Choice[3], q.Choice[4], q.Choice[5], q.Choice[6]};
}
std::vector<std::string> answers(const QuestionRecord& q) {
  std::vector<std::string> out;
  for (int i = 1; i <= 6 && !q.Answer[i].empty(); ++i) out.push_back(q.Answer[i]);
  return out;
}

TEST_F(TestRunScenario, TenQuestionsOfEveryKindFromStartToEndAndGrade) {
  start();  // the scripted draws go in before the first question is presented
  for (float u : {0.5f, 0.0f, 0.99f, 0.25f}) app->random->push(u);  // question 1
  app->random->push(0.0f);                                          // every later draw
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  quest& w = window();
  const std::string app_folder = app->program_folder.path();
  const std::string media = app_folder + "pb_gudar/";

  // 1: draws 0.5, 0, 0.99, 0.25 exchange positions 1-3, 2-1, 3-4, 4-2.
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  1 of 10");
  EXPECT_EQ(w.whatdoin.caption, "GUDAR Book Quiz -   Mixed Bank");
  EXPECT_EQ(g().widget_kind, "Radio_Button");
  EXPECT_EQ(shown_answers(), (std::vector<std::string>{"A.\tNetwork", "B.\tTransport",
                                                       "C.\tPhysical", "D.\tSession"}));
  EXPECT_TRUE(w.Command1.visible);  // its reference names a page
  EXPECT_EQ(w.qid.caption, " 1");
  mark({1});
  next();
  EXPECT_EQ(w.score.caption, " 1/ 1");
  EXPECT_EQ(w.Percent_Right.caption, " 100%");
  EXPECT_EQ(w.the_gauge.height, 0);  // nothing wrong yet

  // 2: two correct answers of four, shown 4, 1, 2, 3; only one of them marked.
  EXPECT_EQ(g().widget_kind, "Check_Box");
  EXPECT_NE(page_html().find("Select the 2 Best Answers."), std::string::npos);
  EXPECT_FALSE(w.Command1.visible);
  mark({2});
  next();
  EXPECT_EQ(g().chosen_letters[2], " B");
  ASSERT_EQ(explanations.size(), 1u);  // "Show Answer when Wrong" is on
  EXPECT_NE(explanations[0].find("Incorrect.  Your answer was:  B<br>"), std::string::npos);
  EXPECT_EQ(w.score.caption, " 1/ 2");
  EXPECT_EQ(w.Percent_Right.caption, " 50%");
  EXPECT_TRUE(w.the_gauge.visible);
  EXPECT_FLOAT_EQ(w.the_gauge.height, w.Gauge1.height / 2);

  // 3: fill-in, answered in capitals with blanks around. Left results that a drag-and-drop
  // task must not be graded from.
  EXPECT_EQ(g().widget_kind, "Fill_In");
  type_reply("  SHOW IP ROUTE ");
  app->current.write("out.ini", "[Answer]\r\nresult=Success\r\n");
  app->program_folder.write("out.ini", "[Answer]\r\nresult=Success\r\n");
  app->program_folder.write("OUT.ini", "[Answer]\r\nresult=Success\r\n");
  next();
  EXPECT_EQ(g().chosen_letters[3], "  SHOW IP ROUTE ");
  EXPECT_EQ(g().category_right[1], 2);

  // 4: drag and drop; the presentation deleted every result, in any letter case. Back
  // shows the reply again.
  EXPECT_EQ(g().widget_kind, "Drag_Drop");
  EXPECT_FALSE(app->current.exists("out.ini"));
  EXPECT_FALSE(app->program_folder.exists("out.ini"));
  EXPECT_FALSE(app->program_folder.exists("OUT.ini"));
  EXPECT_TRUE(w.cmd_buttons[3].visible);
  EXPECT_FALSE(w.cmd_buttons[2].visible);
  back();
  EXPECT_EQ(g().question_counter, 3);
  EXPECT_NE(page_html().find("value=\"  SHOW IP ROUTE \""), std::string::npos);
  EXPECT_EQ(w.score.caption, " 2/ 3");  // Back grades nothing
  type_reply("ip route");
  next();  // graded again, now wrong: its category loses the point
  EXPECT_EQ(g().category_right[1], 1);
  EXPECT_EQ(w.score.caption, " 1/ 3");
  press(w.cmd_buttons[3]);
  ASSERT_EQ(app->shell->started.size(), 1u);
  EXPECT_EQ(app->shell->started[0],
            (std::vector<std::string>{app_folder + "pbDragnDrop.exe", "46000Q7"}));
  app->program_folder.write("OUT.ini", "[Answer]\r\nresult=Success\r\n");
  app->program_folder.write("Out.ini", "[Answer]\r\nresult=Success\r\n");
  next();
  EXPECT_FALSE(app->program_folder.exists("OUT.ini"));  // a result counts once
  EXPECT_FALSE(app->program_folder.exists("Out.ini"));

  // 5: router simulator: the hand-over files, the lab, the checks in both forms.
  EXPECT_EQ(g().widget_kind, "Sim");
  EXPECT_EQ(app->current.read("sim.txt"), "Name the router and set its secret.\r\n");
  EXPECT_EQ(app->current.read("sim_showme.txt"), "hostname Router1\r\nenable secret tulip\r\n");
  press(w.cmd_buttons[2]);
  ASSERT_EQ(app->shell->started.size(), 2u);
  EXPECT_EQ(app->shell->started[1], (std::vector<std::string>{app_folder + "testsim.exe", "3550"}));
  app->program_folder.write("out.ini", "[general]\r\nhostname= router1\r\nenable secret=TULIP\r\n");
  make_folders(*app->files, app_folder + "Sims");
  app->program_folder.write("Sims/OUT.ini", "[Answer]\r\nresult=Success\r\n");
  next();

  // 6: dialog simulator: the left result is gone; no new one, so it is wrong.
  EXPECT_EQ(g().widget_kind, "MS_Sim");
  EXPECT_FALSE(app->program_folder.exists("Sims/OUT.ini"));
  press(w.cmd_buttons[2]);
  ASSERT_EQ(app->shell->started.size(), 3u);
  EXPECT_EQ(app->shell->started[2],
            (std::vector<std::string>{app_folder + "Sims/dlgsim.exe", "46000Q 3"}));
  next();

  // 7: an exhibit and a diagram; the page's exhibit link opens the text.
  EXPECT_TRUE(w.exhibitbutton[0].visible);
  EXPECT_TRUE(w.diagrambutton[0].visible);
  app->program->dispatch([&w] { w.WebBrowser1.click_element("Exhibit1"); });
  ASSERT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->shell->opened[0].target, media + "ex7.txt");
  EXPECT_NE(page_html().find("<img src=\"" + media + "net7.gif\"><p>"), std::string::npos);
  next();  // nothing marked
  EXPECT_EQ(g().chosen_letters[7], "");

  // 8: kept in the bank's order although answers are shuffled.
  EXPECT_EQ(shown_answers(),
            (std::vector<std::string>{"A.\tRIP", "B.\tOSPF", "C.\tEIGRP", "D.\tAll of these"}));
  mark({4});
  next();

  // 9: no button for the "2950" diagram.
  EXPECT_FALSE(w.diagrambutton[1].visible);
  mark({2});
  next();
  EXPECT_EQ(w.score.caption, " 5/ 9");
  EXPECT_EQ(w.Percent_Right.caption, " 55.6%");

  // 10: shown, then the test ends without it.
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  10 of 10");
  EXPECT_EQ(app->random->draws, 29);  // every presentation draws once per answer
  menu(w.menu_quittest);

  const Shared& s = g();
  const std::vector<int16_t> states = {
      s.questions[1].State, s.questions[2].State, s.questions[3].State, s.questions[4].State,
      s.questions[5].State, s.questions[6].State, s.questions[7].State, s.questions[8].State,
      s.questions[9].State, s.questions[10].State};
  EXPECT_EQ(states, (std::vector<int16_t>{1, 2, 2, 1, 1, 2, 2, 1, 1, 3}));
  EXPECT_EQ(s.right_count, 5);
  EXPECT_EQ(choices(s.questions[1]), (std::vector<int16_t>{1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(choices(s.questions[2]), (std::vector<int16_t>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(choices(s.questions[7]), (std::vector<int16_t>{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.questions[3].Reply, "ip route");
  // The shown order is the record's order from now on, with its correct flags.
  EXPECT_EQ(answers(s.questions[1]),
            (std::vector<std::string>{"Network", "Transport", "Physical", "Session"}));
  EXPECT_EQ(s.questions[1].Correct[1], 1);
  EXPECT_EQ(answers(s.questions[2]),
            (std::vector<std::string>{"1.1.1.0/24", "10.0.0.0/8", "8.8.8.0/24", "172.16.0.0/12"}));
  for (int r = 1; r <= 10; ++r) EXPECT_EQ(s.questions[r].Arranged, 1) << r;
  EXPECT_EQ(s.category_asked[1], 6);
  EXPECT_EQ(s.category_asked[2], 4);
  EXPECT_EQ(s.category_right[1], 2);
  EXPECT_EQ(s.category_right[2], 3);
  EXPECT_EQ(app->settings->get("velto", "46000", "num_times", ""), "1");
  const std::string results = app->current.read("46000.STUDENT.results");
  const std::vector<std::string> lines = split_lines(results);
  ASSERT_EQ(lines.size(), 300u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 11),
            (std::vector<std::string>{" 0, 1", " 1, 2", " 1, 3", " 0, 4", " 0, 5", " 1, 6", " 1, 7",
                                      " 0, 8", " 0, 9", " 1, 10", " 0, 11"}));
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(split_lines(app->current.read("history.46000.STUDENT.htm")).size(), 2u);
  EXPECT_EQ(app->error_log().find("quest3"), std::string::npos);
}

TEST_F(TestRunScenario, ATimedTestCountsDownAndExpiresOnce) {
  quest& w = start_test([this](pick_a_quiz& s) {
    tick(s.timeron);
    type(s.timeamount, "1");
  });
  mark({2});
  next();
  app->advance_ms(2000);
  app->advance_ms(2000);  // four seconds
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  2 of 10 ---  Time Left: 1 min.");
  EXPECT_EQ(w.lbltime.caption, " 1 min.");
  app->advance_ms(2000);  // six seconds: a tenth of a minute gone
  EXPECT_EQ(w.lbltime.caption, " .9 min.");
  app->advance_ms(54000);
  EXPECT_EQ(w.lbltime.caption, " 0 min.");  // 60 seconds: all gone, and still running
  EXPECT_TRUE(app->dialogs->messages.empty());

  // The next tick runs out; the clock goes on while the message is open.
  app->dialogs->while_open = [this] { app->advance_ms(4000); };
  app->advance_ms(2000);
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "Time has expired");
  EXPECT_EQ(app->dialogs->messages[0].title, "Prepvant");
  EXPECT_EQ(g().timed_test, 99);
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  // Nothing of the regular end: no count, no results, no history entry.
  EXPECT_EQ(app->settings->get("velto", "46000", "num_times", "none"), "none");
  EXPECT_FALSE(app->current.exists("46000.STUDENT.results"));
  EXPECT_FALSE(app->current.exists("history.46000.STUDENT.htm"));
  app->advance_ms(10000);
  EXPECT_EQ(app->dialogs->messages.size(), 1u);
}

TEST_F(TestRunScenario, TimeRunningOutDuringAPageWriteStopsTheNext) {
  start_test([this](pick_a_quiz& s) {
    tick(s.timeron);
    type(s.timeamount, "1");
    tick(s.answer_when_wrong);  // no explanation comes first
  });
  app->clock->advance_ms(61000);  // due, but not yet handled
  mark({2});
  next();  // the expiry comes while the next page is written
  EXPECT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(g().question_counter, 2);
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(app->error_log().find("quest3"), std::string::npos);
}

}  // namespace
}  // namespace pv::testing
