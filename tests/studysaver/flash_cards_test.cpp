// The flash cards, opened from the setup window and clicked through as a user does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/welcome.hpp"
#include "platform/user_input.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/saver_fixture.hpp"

namespace pv {
namespace {

using testing::TestProgram;

class FlashCards : public ::testing::Test {
 protected:
  // Opens the cards from the setup window; the shuffle draws `fractions`.
  Security& open(std::vector<float> fractions) {
    t.use_banks(testing::saver_banks());
    t.start();
    t.click(t.forms().get<Welcome>().Image4[0]);
    pick_a_quiz& setup = t.forms().get<pick_a_quiz>();
    for (float x : fractions) t.random->push(x);
    t.user([&](UserInput& in) { in.click_tab(setup.SSTab1, 1); });
    t.click(setup.cmd_flashcards);
    return t.forms().get<Security>();
  }
  TestProgram t{"46000"};
};

// Fractions that leave the order as it is: r = Int(4 * x + 1) = i for i = 1 to 4.
const std::vector<float> kInOrder = {0.0f, 0.25f, 0.5f, 0.75f};

TEST_F(FlashCards, OpenWithTheirNoticeInPlaceOfTheSetupWindow) {
  Security& s = open(kInOrder);
  ASSERT_EQ(t.dialogs->messages.size(), 1u);
  EXPECT_EQ(t.dialogs->messages[0].title, "Flash Cards");
  EXPECT_EQ(t.dialogs->messages[0].text,
            "Flash Cards show you ONLY the question (no possible answers, exhibits, or "
            "diagrams).  NOTE:  Some questions may not make sense in this mode, which may "
            "require the use of regular testing mode.");
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Security"});
  EXPECT_EQ(t.loaded<pick_a_quiz>(), nullptr);
  EXPECT_EQ(s.caption(), "Security");
  EXPECT_EQ(s.border_style, vbSizable);
  EXPECT_FALSE(s.topmost);
  EXPECT_FALSE(s.Frame1.visible);
  EXPECT_FALSE(s.cmd_next.visible);
  EXPECT_TRUE(s.text1.multi_line);
  EXPECT_EQ(s.back_color(), rgb(46, 118, 171));
  EXPECT_EQ(s.Label2.caption, "Flash Cards");
  EXPECT_EQ(t.random->randomizes, 1);  // the setup window's, not the cards'
  EXPECT_EQ(s.card_count, 4);
  // The text box never keeps the focus.
  t.user([&](UserInput& in) { in.focus(s.text1); });
  EXPECT_EQ(s.active_control(), &s.cmd_main);
}

TEST_F(FlashCards, EveryCardItsQuestionThenItsAnswersThenTheEnd) {
  Security& s = open(kInOrder);
  struct Step {
    std::string caption, text;
  };
  const std::vector<Step> steps = {
      // The first card as stored.
      {"Show Answer", "Question #  1\r\nWhich <b>two</b> protocols carry data?<br>Choose two."},
      {"Show Next Question",
       "Question #  1\r\nWhich two protocols carry data?\r\nChoose two.\r\nA.) TCP\r\nC.) "
       "ICMP\r\nCorrect answer(s):  A C\r\n\r\nBecause 1."},
      {"Show Answer", "Question #  2\r\nWhat does &lt; stand for?"},
      // A blank answer is left out; the question is not decoded a second time.
      {"Show Next Question",
       "Question #  2\r\nWhat does &lt; stand for?\r\nA.) less than\r\nCorrect answer(s):  "
       "A\r\n\r\nBecause 2."},
      {"Show Answer", "Question #  3\r\nType the protocol of port 80."},
      // Fill-in: every accepted reply, only the flagged ones as correct.
      {"Show Next Question",
       "Question #  3\r\nType the protocol of port 80.\r\nA.) HTTP\r\nB.) http\r\nD.) "
       "www\r\nCorrect answer(s):  A B\r\n\r\nBecause 3."},
      {"Show Answer", "Question #  4\r\nWhich answer is right?"},
      {"Show Next Question",
       "Question #  4\r\nWhich answer is right?\r\nCorrect answer(s): \r\n\r\nBecause 4."},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i > 0) t.click(s.cmd_main);
    EXPECT_EQ(s.cmd_main.caption, steps[i].caption) << i;
    EXPECT_EQ(s.text1.text(), steps[i].text) << i;
  }
  EXPECT_EQ(t.g().questions[2].Question, "What does &amp;lt; stand for?");
  EXPECT_TRUE(t.dialogs->messages.size() == 1);
  // Past the last card: the notice, and back to the setup window as Exit goes.
  t.click(s.cmd_main);
  ASSERT_EQ(t.dialogs->messages.size(), 2u);
  EXPECT_EQ(t.dialogs->messages[1].title, "Flash Cards Completed");
  EXPECT_EQ(t.dialogs->messages[1].text, "All flash cards completed");
  EXPECT_EQ(t.loaded<Security>(), nullptr);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
}

TEST_F(FlashCards, FollowTheShuffledOrder) {
  // r = 3, 1, 4, 2: the order becomes 2, 1, 4, 3.
  Security& s = open({0.5f, 0.0f, 0.99f, 0.25f});
  std::vector<int16_t> cards{s.current_card};
  for (int k = 0; k < 3; ++k) {
    t.click(s.cmd_main);
    t.click(s.cmd_main);
    cards.push_back(s.current_card);
  }
  EXPECT_EQ(cards, (std::vector<int16_t>{2, 1, 4, 3}));
  EXPECT_EQ(s.card_order[5], 5);
}

TEST_F(FlashCards, ExitGoesBackToTheSetupWindow) {
  Security& s = open(kInOrder);
  t.click(s.cmd_main);
  t.click(s.Command3);
  EXPECT_EQ(t.loaded<Security>(), nullptr);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  EXPECT_NE(t.loaded<Welcome>(), nullptr);
  EXPECT_EQ(t.dialogs->messages.size(), 1u);
}

}  // namespace
}  // namespace pv
