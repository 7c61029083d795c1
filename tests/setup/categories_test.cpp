#include <gtest/gtest.h>

#include "platform/dialogs.hpp"
#include "setup/setup_fixture.hpp"

namespace pv::testing {
namespace {

using Categories = SetupTest;
using Names = std::vector<std::string>;

TEST_F(Categories, SelectedNamesMoveInTheirOrderAndTheRestKeepTheirs) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_remove_all_cat);
  EXPECT_EQ(items(w.lst_cats_to_ask), Names{});
  EXPECT_EQ(w.active_control(), &w.lst_cats_not_to_ask);
  app->program->dispatch([&w] { w.lst_cats_not_to_ask.add_item("Extra"); });
  select_items(w.lst_cats_not_to_ask, {3, 1});
  press(w.cmd_add_cat);
  EXPECT_EQ(items(w.lst_cats_to_ask), (Names{"Addressing", "Routing"}));
  EXPECT_EQ(items(w.lst_cats_not_to_ask), (Names{"Cabling", "Security  ", "Extra"}));
  EXPECT_EQ(w.active_control(), &w.lst_cats_not_to_ask);
  // Two neighbours move together.
  select_items(w.lst_cats_not_to_ask, {1, 2});
  press(w.cmd_add_cat);
  EXPECT_EQ(items(w.lst_cats_to_ask), (Names{"Addressing", "Routing", "Security  ", "Extra"}));
  EXPECT_EQ(items(w.lst_cats_not_to_ask), Names{"Cabling"});
  // ">" and double-clicks.
  select_items(w.lst_cats_to_ask, {0});
  press(w.cmd_remove_cat);
  EXPECT_EQ(items(w.lst_cats_not_to_ask), (Names{"Cabling", "Addressing"}));
  EXPECT_EQ(w.active_control(), &w.lst_cats_to_ask);
  double_click(w.lst_cats_not_to_ask, 0);
  EXPECT_EQ(items(w.lst_cats_to_ask), (Names{"Routing", "Security  ", "Extra", "Cabling"}));
  double_click(w.lst_cats_to_ask, 2);
  EXPECT_EQ(items(w.lst_cats_not_to_ask), (Names{"Addressing", "Extra"}));
  // The lists scroll as wide as their longest name.
  EXPECT_GT(w.lst_cats_to_ask.horizontal_extent, 0);
}

TEST_F(Categories, MovingAllFromAnEmptyListStillMovesTheFocus) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_add_all_cat);
  EXPECT_EQ(items(w.lst_cats_to_ask), (Names{"Cabling", "Addressing", "Security  ", "Routing"}));
  EXPECT_EQ(w.active_control(), &w.lst_cats_to_ask);
}

TEST_F(Categories, ReturningToTheWindowPutsEveryCategoryBack) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_remove_all_cat);
  app->program->dispatch([&w] {
    w.hide();
    w.set_visible(true);
  });
  EXPECT_EQ(items(w.lst_cats_to_ask), (Names{"Cabling", "Addressing", "Security  ", "Routing"}));
  EXPECT_EQ(w.lst_cats_not_to_ask.list_count(), 0);
}

TEST_F(Categories, TheCategoryQuizAsksEveryQuestionOfTheListedCategories) {
  pick_a_quiz& w = open_setup();
  choose(w.which_quiz[2]);
  show_page(1);
  tick(w.random_questions);
  show_page(2);
  select_items(w.lst_cats_to_ask, {1, 2, 3});
  press(w.cmd_remove_cat);
  ASSERT_EQ(items(w.lst_cats_to_ask), Names{"Network Basics"});
  press(w.cmd_start_cat_quiz);
  EXPECT_EQ(w.Command1.caption, "Final Exam");
  EXPECT_TRUE(w.which_quiz[5].value());
  EXPECT_EQ(g().category_quiz, vbTrue);
  EXPECT_EQ(g().selected_quiz, 5);
  EXPECT_EQ(g().category_chosen[1], vbTrue);
  EXPECT_EQ(g().category_chosen[2], vbFalse);
  // 73 records, one of them stored in category 0, in record order and without a cap.
  EXPECT_EQ(g().questions_to_ask, 73);
  EXPECT_EQ(asked_records().front(), 1);
  EXPECT_EQ(asked_records().back(), 73);
  EXPECT_EQ(g().quiz_stride, 1);
  EXPECT_EQ(g().quiz_offset, 1);
  // The marks ran with offset 5; the states by natural position.
  EXPECT_EQ(g().missed_flags[4], "0");
  EXPECT_EQ(g().missed_flags[5], "1");
  EXPECT_EQ(g().missed_flags[77], "1");
  EXPECT_EQ(g().missed_flags[78], "0");
  EXPECT_EQ(g().questions[73].State, 3);
  EXPECT_EQ(g().questions[74].State, 0);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"quest"});
}

TEST_F(Categories, ShuffledCategoryQuizzesDrawWithinTheirOwnQuestions) {
  const auto quiz_of = [this](const std::string& category, bool shuffled) {
    pick_a_quiz& w = open_setup();
    choose(w.which_quiz[2]);
    if (!shuffled) {
      show_page(1);
      tick(w.random_questions);
    }
    show_page(2);
    press(w.cmd_remove_all_cat);
    for (int i = 0; i < w.lst_cats_not_to_ask.list_count(); ++i)
      if (w.lst_cats_not_to_ask.list(i) == category) double_click(w.lst_cats_not_to_ask, i);
    app->random->push(0.7f);
    press(w.cmd_start_cat_quiz);
    return asked_records();
  };
  // Two questions: every draw is position 1, so the second comes first.
  EXPECT_EQ(quiz_of("Two Questions", true), (std::vector<int>{75, 74}));
  EXPECT_EQ(app->random->draws, 2 + kFirstQuestionDraws);
  EXPECT_EQ(quiz_of("Three Questions", true), (std::vector<int>{78, 76, 77}));
  EXPECT_EQ(app->random->draws, 3 + kFirstQuestionDraws);
  EXPECT_EQ(quiz_of("Network Basics", true).size(), 73u);
  EXPECT_EQ(app->random->draws, 73 + kFirstQuestionDraws);
}

TEST_F(Categories, NamesCompareWithoutBlanksAroundThemOrCase) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_remove_all_cat);
  app->program->dispatch([&w] { w.lst_cats_to_ask.add_item(" SECURITY"); });
  press(w.cmd_start_cat_quiz);
  EXPECT_EQ(g().category_chosen[3], vbTrue);
  EXPECT_EQ(g().questions_to_ask, 10);
  // The "Security  " chapter; draws of 0 always take position 1, so the last comes first.
  EXPECT_EQ(asked_records(), (std::vector<int>{30, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
  EXPECT_EQ(app->random->draws, 10 + kFirstQuestionDraws);
}

TEST_F(Categories, AnEmptyListStopsTheQuizAndTheNextStartStaysInTheBank) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_remove_all_cat);
  press(w.cmd_start_cat_quiz);
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "You must select at least one category");
  EXPECT_EQ(app->dialogs->messages[0].title, "Prepvant");
  EXPECT_EQ(w.Command1.caption, "Final Exam");
  EXPECT_EQ(g().category_quiz, vbTrue);
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  // Option 5 is still chosen: the ordinary start steps through the bank by 4 and asks
  // only the positions whose records lie in the bank of 40.
  show_page(0);
  press(w.Command1);
  EXPECT_EQ(g().category_quiz, vbFalse);
  EXPECT_EQ(g().selected_quiz, 5);
  EXPECT_EQ(g().questions_to_ask, 10);
  EXPECT_EQ(app->random->draws, 10 + kFirstQuestionDraws);
  for (int record : asked_records()) {
    EXPECT_GE(record, 1);
    EXPECT_LE(record, 40);
    EXPECT_EQ((record - 1) % 4, 0);
  }
}

TEST_F(Categories, ACategoryWithoutQuestionsStartsAnEmptyTest) {
  pick_a_quiz& w = open_setup();
  show_page(2);
  press(w.cmd_remove_all_cat);
  app->program->dispatch([&w] { w.lst_cats_to_ask.add_item("No Such Chapter"); });
  press(w.cmd_start_cat_quiz);
  EXPECT_EQ(g().questions_to_ask, 0);
  // The first presentation ends the test at once: the score report replaces the windows.
  EXPECT_EQ(g().question_counter, 1);
  EXPECT_EQ(app->loaded<quest>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"finalscore"});
}

}  // namespace
}  // namespace pv::testing
