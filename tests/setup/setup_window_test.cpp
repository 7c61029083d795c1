#include <gtest/gtest.h>

#include "core/partner.hpp"
#include "setup/setup_fixture.hpp"

namespace pv::testing {
namespace {

using SetupWindow = SetupTest;

TEST_F(SetupWindow, OpensWithTheProductsTestsAndTheFirstTestChosen) {
  pick_a_quiz& w = open_setup();
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"pick_a_quiz"});
  EXPECT_EQ(w.caption(), "Start the QUIZ");
  EXPECT_EQ(w.which_quiz[1].caption, "GUDAR Book Quiz");
  EXPECT_EQ(w.which_quiz[2].caption, "GUDAR CD-ROM Quiz");
  EXPECT_EQ(w.which_quiz[3].caption, "Full GUDAR Exam");
  EXPECT_TRUE(w.which_quiz[3].showing());
  EXPECT_TRUE(w.which_quiz[1].value());
  for (int i = 4; i <= 6; ++i) EXPECT_FALSE(w.which_quiz[i].showing());
  EXPECT_EQ(w.which_quiz[4].caption, "Quiz &D");
  EXPECT_EQ(w.which_quiz[1].tooltip, "Each Quiz contains 50 Questions");
  EXPECT_EQ(w.lblELDAN_book[0].caption, "");
  EXPECT_EQ(w.lblELDAN_book[1].caption, "Includes questions from the Book and CD-ROM combined.");
  EXPECT_EQ(w.Command1.caption, "GUDAR Book Quiz");
  EXPECT_EQ(w.Command1.tooltip, "Starts the actual quiz");
  EXPECT_EQ(w.Label4.caption, "Note:  Questions will be asked from the GUDAR Book Quiz.");
  EXPECT_EQ(w.Label6.caption, "Total Questions:");
  EXPECT_EQ(w.howmany.caption, "40");
  EXPECT_EQ(w.howmanyq.caption, "10");  // a quarter of the bank, from the start-up
  EXPECT_EQ(g().quiz_stride, 4);
  EXPECT_EQ(g().pool_size, 40);
  EXPECT_EQ(w.Frame1.caption, "50 Questions per Quiz");
  EXPECT_FALSE(w.askwrong.showing());
  EXPECT_FALSE(w.howmanyq.showing());
  // The first two tests share the frame's height: (2535 - 1620) / 2 is 457.5, so 458.
  EXPECT_EQ(w.which_quiz[1].top, 458);
  EXPECT_EQ(w.lblELDAN_book[0].top, 773);
  EXPECT_EQ(w.which_quiz[2].top, 1268);
  EXPECT_EQ(w.lblELDAN_book[1].top, 1583);
  // The product photo is missing here: the load logs it and goes on.
  EXPECT_NE(app->error_log().find(" - pick_a_quiz form load() - pick_a_quiz.frm53 - File not "
                                  "found - \r\n"),
            std::string::npos);
}

TEST_F(SetupWindow, PagesShowTheirOwnControlsOnly) {
  pick_a_quiz& w = open_setup();
  EXPECT_EQ(w.SSTab1.tab_caption(0), "General");
  EXPECT_EQ(w.SSTab1.tab_caption(1), "Advanced Options");
  EXPECT_EQ(w.SSTab1.tab_caption(2), "Select Categories");
  EXPECT_EQ(w.SSTab1.tab_caption(3), "Study Saver");
  EXPECT_TRUE(w.Command1.showing());
  EXPECT_FALSE(w.random_answers.showing());
  show_page(1);
  EXPECT_FALSE(w.Command1.showing());
  EXPECT_TRUE(w.random_answers.showing());
  EXPECT_EQ(w.random_answers.caption, "A&nswers");
  EXPECT_EQ(w.restore_defaults.caption, "&Practice Mode (default)");
  show_page(2);
  EXPECT_TRUE(w.cmd_start_cat_quiz.showing());
  EXPECT_EQ(items(w.lst_cats_to_ask),
            (std::vector<std::string>{"Cabling", "Addressing", "Security  ", "Routing"}));
  EXPECT_EQ(w.lst_cats_not_to_ask.list_count(), 0);
}

TEST_F(SetupWindow, MenusOfferOnlyWhatThisSystemHas) {
  pick_a_quiz& w = open_setup();
  std::vector<std::string> bar;
  for (Menu* m : w.menus())
    if (m->available()) bar.push_back(m->caption);
  EXPECT_EQ(bar,
            (std::vector<std::string>{"&File", "Histor&y", "Testing M&ode", "&Save Settings"}));
  EXPECT_FALSE(w.mnu_update123.enabled);
  EXPECT_FALSE(w.mnu_check_for_upgrade123.available());
  EXPECT_FALSE(w.menu_contents.available());
  EXPECT_FALSE(w.menu_about.visible);
  EXPECT_FALSE(w.mnu_emailtestscorehistory.available());
  EXPECT_TRUE(w.mnu_viewtestscorehistory.available());
  EXPECT_EQ(w.menu_for_keys("fx"), &w.menu_exit);
  EXPECT_EQ(w.menu_for_keys("s"), &w.cmd_save_settings);
  EXPECT_EQ(w.menu_for_keys("u"), nullptr);
}

TEST_F(SetupWindow, ChoosingATestReloadsItsBankAndShowsItsCount) {
  pick_a_quiz& w = open_setup();
  choose(w.which_quiz[3]);
  EXPECT_EQ(w.Command1.caption, "Full GUDAR Exam");
  EXPECT_EQ(w.Label4.caption, "Note:  Questions will be asked from the Full GUDAR Exam.");
  EXPECT_EQ(w.howmany.caption, "240");
  EXPECT_EQ(g().chosen_bank, 3);
  EXPECT_EQ(g().product_title, "GUDAR Full Bank");
  EXPECT_EQ(items(w.lst_cats_to_ask), (std::vector<std::string>{"Book", "CD-ROM"}));
  EXPECT_EQ(w.howmanyq.caption, "10");  // tests 1 to 3 leave the count alone
  choose(w.which_quiz[1]);
  EXPECT_EQ(w.howmany.caption, "40");
  EXPECT_EQ(g().question_count, 40);
  EXPECT_EQ(g().product_title, "GUDAR Book Bank");
}

TEST_F(SetupWindow, AProductWithTwoTestsHidesTheThirdAndABankWithoutCategoriesItsPage) {
  pick_a_quiz& w = open_setup("46008");
  EXPECT_EQ(w.which_quiz[1].caption, "VARB Questions");
  EXPECT_EQ(w.which_quiz[3].caption, "");
  EXPECT_FALSE(w.which_quiz[3].visible);
  EXPECT_EQ(w.lblELDAN_book[2].caption, "");
  EXPECT_FALSE(w.SSTab1.tab_enabled(2));
  show_page(2);
  EXPECT_EQ(w.SSTab1.tab(), 0);
  EXPECT_FALSE(w.cmd_start_cat_quiz.showing());
}

TEST_F(SetupWindow, EveryLoadClearsTheRunTimeFieldsOfEveryRecord) {
  start();
  for (int r : {0, 1, 77, 1000}) {
    QuestionRecord& q = g().questions[r];
    q.State = 2;
    q.Reply = "typed";
    q.Arranged = 1;
    for (int c = 0; c <= 6; ++c) q.Choice[c] = 1;
  }
  app->click(app->forms().get<Welcome>().Image4[0]);
  for (int r : {1, 77, 1000}) {
    const QuestionRecord& q = g().questions[r];
    EXPECT_EQ(q.State, 0);
    EXPECT_EQ(q.Reply, "");
    EXPECT_EQ(q.Arranged, 0);
    EXPECT_EQ(q.Choice[0], 1);
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(q.Choice[c], 0);
  }
  EXPECT_EQ(g().questions[0].State, 2);
  EXPECT_EQ(g().questions[0].Reply, "typed");
}

// A test's click is the browser's: a check box toggles, and its handler sees the new value.
TEST_F(SetupWindow, AClickOnACheckBoxTogglesItBeforeItsHandlerRuns) {
  pick_a_quiz& w = open_setup();
  show_page(1);
  ASSERT_EQ(w.timeron.value(), 0);
  app->click(w.timeron);
  EXPECT_EQ(w.timeron.value(), 1);
  EXPECT_TRUE(w.timeamount.showing());
  EXPECT_EQ(w.active_control(), &w.timeron);
  app->click(w.timeron);
  EXPECT_EQ(w.timeron.value(), 0);
  EXPECT_FALSE(w.timeamount.showing());
}

TEST_F(SetupWindow, KeepsItsMinimumSizeInTheNormalState) {
  pick_a_quiz& w = open_setup();
  app->program->dispatch([&w] { w.move(w.left(), w.top(), 8000, 5000); });
  EXPECT_EQ(w.width(), 9780);
  EXPECT_EQ(w.height(), 6795);
  app->program->dispatch([&w] { w.move(w.left(), w.top(), 12000, 9000); });
  EXPECT_EQ(w.width(), 12000);
  app->program->dispatch([&w] { w.set_window_state(vbMinimized); });
  EXPECT_EQ(w.width(), 12000);
}

TEST_F(SetupWindow, ExitAsksAndEndsAtOnceOnlyOnYes) {
  pick_a_quiz& w = open_setup();
  app->dialogs->answers = {vbNo};
  menu_keys("fx");
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "Are you sure you want to exit the program?");
  EXPECT_EQ(app->dialogs->messages[0].title, "Exit Program?");
  EXPECT_EQ(app->dialogs->messages[0].style, vbYesNo);
  EXPECT_FALSE(app->program->ended());
  EXPECT_TRUE(w.visible());
  app->dialogs->answers = {vbYes};
  menu_keys("fx");
  EXPECT_TRUE(app->program->ended());
  EXPECT_TRUE(w.is_loaded());  // no unload handler ran
}

TEST_F(SetupWindow, ClosingItClosesTheStartWindowToo) {
  open_setup();
  ASSERT_NE(app->loaded<Welcome>(), nullptr);
  app->program->dispatch([this] { setup().unload(); });
  EXPECT_EQ(app->loaded<Welcome>(), nullptr);
  EXPECT_EQ(app->loaded<pick_a_quiz>(), nullptr);
}

TEST_F(SetupWindow, TheAnswerShuffleIsLockedForProduct46002) {
  pick_a_quiz& w = open_setup("46002");
  EXPECT_EQ(w.random_answers.value(), 0);
  EXPECT_FALSE(w.random_answers.enabled);
  EXPECT_EQ(w.which_quiz[1].caption, "VARB Book Questions");
  EXPECT_EQ(w.howmany.caption, "6");
}

class PartnerSetup : public SetupTest {
  void before_start() override {
    app->program_folder.write("pb_gudar.log", "installed wux_edition files\r\n");
    app->program_folder.write(kPartnerPicture, std::string("GIF89a\x01\x00\x01\x00", 10));
  }
};

TEST_F(PartnerSetup, ThePartnerEditionShowsThePartnersPictureAndSaverName) {
  pick_a_quiz& w = open_setup();
  EXPECT_TRUE(w.partner_picture.visible);
  EXPECT_EQ(w.partner_picture.picture, app->program_folder / kPartnerPicture);
  EXPECT_FALSE(w.Velto_P_A_Q.visible);
  EXPECT_EQ(w.SSTab1.tab_caption(3), kPartnerSaverCaption);
}

TEST_F(SetupWindow, FlashCardsOpenTheViewerAndCloseTheSetupWindow) {
  pick_a_quiz& w = open_setup();
  show_page(1);
  press(w.cmd_flashcards);
  EXPECT_EQ(app->loaded<pick_a_quiz>(), nullptr);
  EXPECT_EQ(app->visible_windows(), std::vector<std::string>{"Security"});
}

}  // namespace
}  // namespace pv::testing
