// Moving between the windows: start, setup, test, score report, flash cards and the end.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/about1.hpp"
#include "core/navigation.hpp"
#include "core/welcome.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "studysaver/security.hpp"
#include "support/test_program.hpp"
#include "testrun/diagram.hpp"
#include "testrun/exhibit.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"
#include "testrun/theanswer.hpp"

namespace pv {
namespace {

using testing::TestProgram;

struct Navigation : ::testing::Test {
  TestProgram t{"46000"};
  std::vector<std::string> events;
  void SetUp() override {
    t.forms().trace = [this](const std::string& e, const std::string& w) {
      events.push_back(e + " " + w);
    };
    t.start();
  }
  Welcome& welcome() { return t.forms().get<Welcome>(); }
  // The setup window shown by the Start picture button.
  void click_start() { t.click(welcome().Image4[0]); }
  // A test under way: the setup window hands over to the test window.
  void start_a_test() {
    click_start();
    t.program->dispatch([this] {
      t.forms().get<quest>().show();
      t.forms().get<pick_a_quiz>().hide();
    });
  }
  void end_the_test() {
    t.program->dispatch([this] { t.forms().get<finalscore>().show(); });
  }
  int count(const std::string& event) {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
  }
};

TEST_F(Navigation, StartOpensTheCentredSetupWindowAndHidesTheStartWindow) {
  click_start();
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  pick_a_quiz* setup = t.loaded<pick_a_quiz>();
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(setup->left(), (28800 - setup->width()) / 2);
  EXPECT_EQ(setup->top(), (16200 - setup->height()) / 2);
  ASSERT_NE(t.loaded<Welcome>(), nullptr);  // hidden, not unloaded
  EXPECT_FALSE(t.loaded<Welcome>()->visible());
  EXPECT_EQ(count("load pick_a_quiz"), 1);
}

TEST_F(Navigation, StartWithTheSetupWindowAlreadyLoadedDoesNotLoadItAgain) {
  click_start();
  welcome().show();
  t.click(welcome().Image4[0]);
  EXPECT_EQ(count("load pick_a_quiz"), 1);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
}

TEST_F(Navigation, QuitUnloadsEveryWindowInOrderAndEndsTheProgram) {
  click_start();
  t.program->dispatch([this] {
    t.forms().get<Diagram>().show();
    t.forms().get<About1>().show();
    welcome().show();
  });
  events.clear();
  t.click(welcome().Image4[2]);
  EXPECT_TRUE(t.program->ended());
  // The setup window's unload closes the start window, whose own unload then finds the
  // others already closed.
  EXPECT_EQ(events, (std::vector<std::string>{"unload About1", "unload Diagram",
                                              "unload pick_a_quiz", "unload Welcome"}));
  EXPECT_FALSE(t.forms().any_loaded());
}

TEST_F(Navigation, QuitWithOnlyTheStartWindowLoaded) {
  events.clear();
  t.click(welcome().Image4[2]);
  EXPECT_TRUE(t.program->ended());
  EXPECT_EQ(events, std::vector<std::string>{"unload Welcome"});
}

TEST_F(Navigation, TheEndOfATestLeavesTheScoreReportAlone) {
  start_a_test();
  t.program->dispatch([this] { t.forms().get<Exhibit>().show(); });
  events.clear();
  end_the_test();
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"finalscore"});
  EXPECT_EQ(events,
            (std::vector<std::string>{"load finalscore", "unload quest", "unload pick_a_quiz",
                                      "unload Welcome", "unload Exhibit"}));
  EXPECT_NE(t.loaded<finalscore>(), nullptr);
  EXPECT_FALSE(t.program->ended());
}

TEST_F(Navigation, QuitToMenuRunsTheStartUpAgainAndOpensTheSetupWindow) {
  start_a_test();
  end_the_test();
  t.dialogs->messages.clear();
  events.clear();
  t.click(t.forms().get<finalscore>().Command1);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  // The start-up closed the score report; hiding it afterwards does not load it again.
  EXPECT_EQ(t.forms().find<finalscore>(), nullptr);
  EXPECT_EQ(count("load finalscore"), 0);
  EXPECT_EQ(count("load Welcome"), 1);
  ASSERT_NE(t.loaded<Welcome>(), nullptr);
  EXPECT_FALSE(t.loaded<Welcome>()->visible());
  EXPECT_FALSE(t.program->ended());
}

TEST_F(Navigation, ReturnToMenuWithTheStartWindowHidden) {
  t.program->dispatch([this] {
    welcome().hide();
    return_to_menu(t.sys());
  });
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  EXPECT_FALSE(welcome().visible());
}

TEST_F(Navigation, FlashCardsAndBack) {
  click_start();
  pick_a_quiz& setup = t.forms().get<pick_a_quiz>();
  t.user([&](UserInput& in) { in.click_tab(setup.SSTab1, 1); });  // "Advanced Options"
  t.click(setup.cmd_flashcards);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"Security"});
  EXPECT_EQ(t.forms().find<pick_a_quiz>(), nullptr);
  EXPECT_EQ(t.forms().find<Welcome>(), nullptr);
  EXPECT_FALSE(t.program->ended());
  t.click(t.forms().get<Security>().Command3);
  EXPECT_EQ(t.visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  EXPECT_EQ(t.forms().find<Security>(), nullptr);
  EXPECT_NE(t.loaded<Welcome>(), nullptr);
}

TEST_F(Navigation, ClosingTheLastWindowRunsTheTerminateHandlersAndEnds) {
  start_a_test();
  end_the_test();
  t.program->dispatch([this] { t.forms().get<finalscore>().unload(); });
  EXPECT_TRUE(t.program->ended());
}

TEST_F(Navigation, CloseWindowsTitledClosesOnlyMatchingWindowsOfThisProgram) {
  click_start();
  pick_a_quiz& setup = t.forms().get<pick_a_quiz>();
  t.program->dispatch([&] {
    setup.set_caption(std::string(300, 'x') + "velto_study_saver");
    close_windows_titled(t.sys(), "velto_study_saver");  // beyond the first 255 characters
  });
  EXPECT_NE(t.loaded<pick_a_quiz>(), nullptr);
  t.program->dispatch([&] {
    setup.set_caption("VELTO_STUDY_SAVER");
    close_windows_titled(t.sys(), "velto_study_saver");  // other capitals
  });
  EXPECT_NE(t.loaded<pick_a_quiz>(), nullptr);
  t.program->dispatch([&] {
    setup.set_caption("the velto_study_saver window");
    close_windows_titled(t.sys(), "velto_study_saver");
  });
  EXPECT_EQ(t.forms().find<pick_a_quiz>(), nullptr);
  EXPECT_EQ(t.g().close_title, "velto_study_saver");
}

// Closing a window takes it out of the list being walked; the window after it is still
// asked.
TEST_F(Navigation, CloseWindowsTitledClosesThreeMatchingWindowsInARow) {
  click_start();
  t.program->dispatch([&] {
    t.forms().get<About1>().set_caption("velto_study_saver one");
    t.forms().get<theanswer>().set_caption("velto_study_saver two");
    t.forms().get<Diagram>().set_caption("velto_study_saver three");
    close_windows_titled(t.sys(), "velto_study_saver");
  });
  EXPECT_EQ(t.forms().find<About1>(), nullptr);
  EXPECT_EQ(t.forms().find<theanswer>(), nullptr);
  EXPECT_EQ(t.forms().find<Diagram>(), nullptr);
  EXPECT_NE(t.loaded<pick_a_quiz>(), nullptr);
  EXPECT_NE(t.loaded<Welcome>(), nullptr);
}

TEST_F(Navigation, FitListScrollMeasuresTheLongestItemByCharacters) {
  click_start();
  pick_a_quiz& setup = t.forms().get<pick_a_quiz>();
  ListBox list("lst");
  list.attach(setup);
  const Screen& screen = t.sys().screen;
  auto pixels = [&](const std::string& text) { return clng(setup.text_width(text)) / 15; };
  fit_list_scroll(list, screen);
  EXPECT_EQ(list.horizontal_extent, pixels(" "));
  list.add_item("WWW");
  list.add_item("iiii");
  fit_list_scroll(list, screen);
  EXPECT_EQ(list.horizontal_extent, pixels("iiii "));
  list.add_item("jjjj");
  list.add_item("MMMM");
  fit_list_scroll(list, screen);
  EXPECT_EQ(list.horizontal_extent, pixels("iiii "));
}

}  // namespace
}  // namespace pv
