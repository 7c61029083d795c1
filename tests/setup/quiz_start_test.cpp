#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "platform/dialogs.hpp"
#include "platform/screen.hpp"
#include "setup/results_file.hpp"
#include "setup/setup_fixture.hpp"

namespace pv::testing {
namespace {

using QuizStart = SetupTest;

std::vector<int> range(int from, int to) {
  std::vector<int> v(static_cast<size_t>(to - from + 1));
  std::iota(v.begin(), v.end(), from);
  return v;
}

// The Questions shuffle off, on the "Advanced Options" page.
void questions_unshuffled(QuizStart& t, pick_a_quiz& w) {
  w.SSTab1.click_tab(1);
  if (w.random_questions.value() == 1) w.random_questions.set_value(0);
  (void)t;
}

TEST_F(QuizStart, StartingTheBookTestAsksTheWholeSmallBankInOrder) {
  pick_a_quiz& w = open_setup();
  questions_unshuffled(*this, w);
  show_page(0);
  type(w.txtstudentname, "ann");
  press(w.Command1);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"quest"});
  EXPECT_EQ(question_on_screen(), 1);
  EXPECT_EQ(g().selected_quiz, 1);
  EXPECT_EQ(g().questions_to_ask, 40);
  EXPECT_EQ(g().pool_size, 40);
  EXPECT_EQ(g().quiz_stride, 1);
  EXPECT_EQ(g().quiz_offset, 1);
  EXPECT_EQ(order(), range(1, 40));
  EXPECT_EQ(app->random->draws, kFirstQuestionDraws);
  EXPECT_EQ(g().category_quiz, vbFalse);
  // Pending marks on the test's positions, the rest read as "0" (no results file).
  EXPECT_EQ(g().missed_flags[40], "1");
  EXPECT_EQ(g().missed_flags[41], "0");
  EXPECT_EQ(g().missed_flags[300], "0");
  EXPECT_EQ(g().missed_flags[301], "");
  EXPECT_EQ(g().questions[40].State, 3);
  EXPECT_EQ(g().questions[41].State, 0);
  EXPECT_EQ(g().student_name, "ANN");
  EXPECT_EQ(setting("studentname"), "ANN");
  EXPECT_EQ(g().timed_test, 0);
  EXPECT_EQ(g().time_limit, 75);
  EXPECT_EQ(g().start_time, app->clock->now());
  EXPECT_EQ(w.mouse_pointer, vbDefault);
  EXPECT_FALSE(w.visible());
  // The first question is on screen.
  EXPECT_EQ(g().current_record, 1);
  EXPECT_EQ(g().question_counter, 1);
  EXPECT_EQ(g().missed_now_count, 0);
  // The options of the design.
  EXPECT_EQ(g().show_answer_right, 0);
  EXPECT_EQ(g().show_answer_wrong, 1);
  EXPECT_EQ(g().shuffle_answers, 1);
  EXPECT_EQ(g().show_num_answers, 1);
  EXPECT_EQ(g().back_button_on, 1);
  EXPECT_EQ(g().live_scoring, 1);
  EXPECT_EQ(g().embed_tutor, 0);
}

TEST_F(QuizStart, ALargeBankAsksFiftyDrawnFromTheWholeBank) {
  pick_a_quiz& w = open_setup();
  choose(w.which_quiz[2]);
  app->random->push(0.999999f);
  press(w.Command1);
  EXPECT_EQ(g().questions_to_ask, 50);
  EXPECT_EQ(g().pool_size, 200);
  EXPECT_EQ(app->random->draws, 200 + kFirstQuestionDraws);  // one draw per record of the bank
  const std::vector<int> asked = order();
  EXPECT_EQ(std::set<int>(asked.begin(), asked.end()).size(), 50u);
  // Every draw takes position 198 (the last one a draw reaches, 200 - 2).
  EXPECT_EQ(asked[0], 198);
  EXPECT_EQ(g().question_order[198], 200);
}

TEST_F(QuizStart, TheShuffleExchangesEachPositionWithADrawnOne) {
  pick_a_quiz& w = open_setup("46002");
  for (float u : {0.5f, 0.0f, 0.99f, 0.25f, 0.6f, 0.1f}) app->random->push(u);
  press(w.Command1);
  // Six records: j = int(u x 4 + 1) gives 3, 1, 4, 2, 3, 1.
  EXPECT_EQ(order(), (std::vector<int>{6, 1, 5, 3, 4, 2}));
  EXPECT_EQ(app->random->draws, 6);
  EXPECT_EQ(app->random->randomizes, 3);  // at the load, the start and the first question
  EXPECT_EQ(g().shuffle_answers, 0);      // this product never shuffles answers
}

TEST_F(QuizStart, ThisProductLocksTheAnswerShuffleEvenAfterAPreset) {
  pick_a_quiz& w = open_setup("46002");
  show_page(1);
  press(w.restore_defaults);
  EXPECT_EQ(w.random_answers.value(), 1);
  show_page(0);
  press(w.Command1);
  EXPECT_EQ(w.random_answers.value(), 0);
  EXPECT_FALSE(w.random_answers.enabled);
  EXPECT_EQ(g().shuffle_answers, 0);
}

TEST_F(QuizStart, TheFlashCardProductRunsItsSecondTest) {
  pick_a_quiz& w = open_setup("46008");
  choose(w.which_quiz[2]);
  EXPECT_EQ(w.howmany.caption, "8");
  questions_unshuffled(*this, w);
  show_page(0);
  press(w.Command1);
  EXPECT_EQ(g().selected_quiz, 2);
  EXPECT_EQ(order(), range(1, 8));
  EXPECT_EQ(g().product_title, "SOLK Bank");
}

TEST_F(QuizStart, NamesAreCleanedIntoSafeUpperCaseText) {
  for (const auto& [typed, kept] :
       std::vector<std::pair<std::string, std::string>>{{"", "STUDENT"},
                                                        {"   ", "STUDENT"},
                                                        {" ann ", " ANN "},
                                                        {"!?#", "   "},
                                                        {"../x", "   X"},
                                                        {"Zoë 2", "ZO  2"}}) {
    pick_a_quiz& w = open_setup();
    type(w.txtstudentname, typed);
    press(w.Command1);
    EXPECT_EQ(g().student_name, kept) << typed;
    EXPECT_EQ(setting("studentname"), kept) << typed;
  }
  EXPECT_EQ(results_file_name(g()), "46000.ZO  2.results");
  g().student_name = "../../etc/passwd";
  EXPECT_EQ(results_file_name(g()), "46000.      ETC PASSWD.results");
  EXPECT_EQ(history_file_name(g()), "history.46000.ETC PASSWD.htm");
  g().student_name = " ann ";
  EXPECT_EQ(results_file_name(g()), "46000. ANN .results");
  EXPECT_EQ(history_file_name(g()), "history.46000.ANN.htm");
}

TEST_F(QuizStart, TheTimeLimitIsAtLeastOneWholeMinute) {
  for (const auto& [typed, minutes] : std::vector<std::pair<std::string, int>>{
           {"0", 1}, {"", 1}, {"abc", 1}, {"7.5", 8}, {"8.5", 8}, {"-3", 1}, {"600", 600}}) {
    pick_a_quiz& w = open_setup();
    show_page(1);
    tick(w.timeron);
    type(w.timeamount, typed);
    show_page(0);
    press(w.Command1);
    EXPECT_EQ(g().timed_test, 1);
    EXPECT_EQ(g().time_limit, minutes) << typed;
  }
  EXPECT_EQ(time_limit_seconds(g()), 36000);  // beyond a 16-bit count of seconds
  // A number too large for the count keeps the previous limit.
  pick_a_quiz& w = open_setup();
  g().time_limit = 90;
  app->program->dispatch([&w] { w.timeamount.set_text("99999"); });
  press(w.Command1);
  EXPECT_EQ(g().time_limit, 90);
}

TEST_F(QuizStart, OnlyTheQuestionsMissedLastTime) {
  start();
  app->current.write("46000.STUDENT.results",
                     " 0, 1\r\n 0, 2\r\n 1, 3\r\n 0, 4\r\n 0, 5\r\n 0, 6\r\n 1, 7\r\n");
  app->click(app->forms().get<Welcome>().Image4[0]);
  pick_a_quiz& w = setup();
  app->program->dispatch([&w] { w.askwrong.set_value(1); });  // hidden: only code checks it
  press(w.Command1);
  EXPECT_EQ(order(), (std::vector<int>{3, 7}));
  EXPECT_EQ(app->random->draws, kFirstQuestionDraws);
  EXPECT_EQ(g().missed_flags[1], "1");
  EXPECT_EQ(g().missed_flags[2], "1");
  EXPECT_EQ(g().missed_flags[3], "1");
  EXPECT_EQ(g().missed_flags[4], "0");
  EXPECT_EQ(g().questions[2].State, 3);
  EXPECT_EQ(g().questions[3].State, 0);
}

TEST_F(QuizStart, NothingMissedLastTimeRunsTheWholeTestShuffled) {
  pick_a_quiz& w = open_setup();
  app->program->dispatch([&w] { w.askwrong.set_value(1); });
  press(w.Command1);
  EXPECT_EQ(g().questions_to_ask, 40);
  EXPECT_EQ(app->random->draws, 40 + kFirstQuestionDraws);
  EXPECT_TRUE(app->dialogs->messages.empty());
}

// The score report's retake: it remembers the test and loads the setup window.
void ask_for_retake(SetupTest& t, TestProgram& app, int quiz, int bank, std::vector<int> missed) {
  Shared& g = app.g();
  g.selected_quiz = static_cast<int16_t>(quiz);
  g.chosen_bank = static_cast<int16_t>(bank);
  g.retake_quiz = static_cast<int16_t>(quiz);
  g.retake_bank = static_cast<int16_t>(bank);
  g.missed_now_count = static_cast<int16_t>(missed.size());
  for (size_t k = 0; k < missed.size(); ++k)
    g.missed_now[static_cast<int>(k) + 1] = static_cast<int16_t>(missed[k]);
  app.random->draws = 0;
  app.program->dispatch([&app] {
    app.forms().unload<quest>();
    app.forms().get<pick_a_quiz>().load();
  });
  (void)t;
}

TEST_F(QuizStart, ARetakeAsksTheQuestionsJustMissedInTheirOrder) {
  pick_a_quiz& first = open_setup();
  press(first.Command1);
  ask_for_retake(*this, *app, 2, 2, {12, 5, 40});
  pick_a_quiz& w = setup();
  EXPECT_NE(&w, &first);
  EXPECT_TRUE(w.which_quiz[2].value());
  EXPECT_EQ(w.askwrong.value(), 1);
  EXPECT_EQ(g().product_title, "GUDAR CD Bank");
  EXPECT_EQ(order(), (std::vector<int>{12, 5, 40}));
  EXPECT_EQ(asked_records(), (std::vector<int>{12, 5, 40}));
  EXPECT_EQ(g().quiz_stride, 1);
  EXPECT_EQ(g().quiz_offset, 1);
  EXPECT_EQ(g().retake_quiz, 0);
  EXPECT_EQ(g().retake_mode, 1);
  EXPECT_EQ(g().missed_now_count, 0);
  EXPECT_EQ(app->random->draws, kFirstQuestionDraws);
  EXPECT_EQ(question_on_screen(), 1);
  EXPECT_FALSE(w.visible());
  // Pending marks by natural position, not by the records asked.
  EXPECT_EQ(g().missed_flags[3], "1");
  EXPECT_EQ(g().missed_flags[12], "0");
}

TEST_F(QuizStart, ARetakeWithNothingMissedReturnsToTheSetupWindow) {
  pick_a_quiz& first = open_setup();
  press(first.Command1);
  app->dialogs->messages.clear();
  ask_for_retake(*this, *app, 1, 1, {});
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "You did not get any wrong.");
  EXPECT_EQ(app->dialogs->messages[0].title, "Prepvant");
  pick_a_quiz& w = setup();
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  EXPECT_EQ(w.mouse_pointer, vbDefault);
  EXPECT_EQ(g().retake_quiz, 0);
  // The next start is an ordinary one.
  questions_unshuffled(*this, w);
  show_page(0);
  press(w.Command1);
  EXPECT_EQ(order(), range(1, 40));
  EXPECT_EQ(question_on_screen(), 1);
}

TEST_F(QuizStart, ARetakeOfACategoryQuizRunsAsTheTestOfItsBank) {
  pick_a_quiz& first = open_setup();
  choose(first.which_quiz[2]);
  show_page(2);
  press(first.cmd_start_cat_quiz);
  ASSERT_EQ(g().selected_quiz, 5);
  ask_for_retake(*this, *app, 5, 2, {150, 7});
  pick_a_quiz& w = setup();
  EXPECT_FALSE(w.which_quiz[5].value());
  EXPECT_TRUE(w.which_quiz[2].value());
  EXPECT_EQ(g().selected_quiz, 2);
  EXPECT_EQ(asked_records(), (std::vector<int>{150, 7}));
}

}  // namespace
}  // namespace pv::testing
