#include <gtest/gtest.h>

#include "platform/dialogs.hpp"
#include "setup/setup_fixture.hpp"

namespace pv::testing {
namespace {

using Options = SetupTest;

// The lines the setup window's load logged.
int load_log_lines(const std::string& log) {
  int n = 0;
  const std::string mark = " - pick_a_quiz form load() - ";
  for (size_t p = log.find(mark); p != std::string::npos; p = log.find(mark, p + 1)) ++n;
  return n;
}

TEST_F(Options, FirstRunShowsTheDesignStatesAndReadsTheDefaults) {
  pick_a_quiz& w = open_setup();
  EXPECT_EQ(g().student_name, "STUDENT");
  EXPECT_EQ(w.txtstudentname.text(), "STUDENT");
  EXPECT_EQ(w.chkRadio.value(), 1);
  EXPECT_EQ(g().use_radio_buttons, vbTrue);
  EXPECT_EQ(g().show_answer_right, 0);
  EXPECT_EQ(g().show_answer_wrong, 0);
  EXPECT_EQ(g().embed_tutor, 0);
  EXPECT_EQ(g().answer_position, "top");
  EXPECT_EQ(g().test_mode, vbFalse);
  EXPECT_EQ(g().count_bar_position, 1000);
  const std::vector<std::pair<CheckBox*, int>> design = {{&w.random_answers, 1},
                                                         {&w.random_questions, 1},
                                                         {&w.answer_when_right, 0},
                                                         {&w.answer_when_wrong, 1},
                                                         {&w.backb, 1},
                                                         {&w.scoregraph, 1},
                                                         {&w.showhowmanyanswers, 1},
                                                         {&w.chkEmbed, 0},
                                                         {&w.timeron, 0}};
  for (auto [box, value] : design) EXPECT_EQ(box->value(), value) << box->name();
  EXPECT_EQ(w.timeamount.text(), "75");
  EXPECT_EQ(w.VScroll1.value(), 125);  // in step with the 75 minutes shown
  EXPECT_FALSE(w.timeamount.visible);
  EXPECT_FALSE(w.timeamountlabel.visible);
  EXPECT_FALSE(w.VScroll1.visible);
  // Only the missing photo is logged.
  EXPECT_EQ(load_log_lines(app->error_log()), 1) << app->error_log();
}

TEST_F(Options, SaveWritesEveryKeyAndTheNextLoadBringsThemBack) {
  pick_a_quiz& w = open_setup();
  show_page(1);
  tick(w.random_answers);
  tick(w.answer_when_right);
  tick(w.timeron);
  EXPECT_TRUE(w.timeamount.showing());
  EXPECT_TRUE(w.timeamountlabel.showing());
  scroll(w.VScroll1, 0);
  EXPECT_EQ(w.timeamount.text(), "200");
  press(w.Command2);  // the test preset is not a saved setting
  EXPECT_EQ(g().test_mode, vbTrue);
  tick(w.backb);
  type(w.timeamount, "45");
  press(w.cmdSaveSet);
  ASSERT_EQ(app->dialogs->messages.size(), 2u);
  EXPECT_EQ(app->dialogs->messages[1].text, "User Settings have been saved.");
  EXPECT_EQ(app->dialogs->messages[1].title, "Prepvant");
  EXPECT_EQ(setting("savesettings"), "saved");
  EXPECT_EQ(setting("answerwhenwrong"), " 0");
  EXPECT_EQ(setting("answerwhenright"), " 0");
  EXPECT_EQ(setting("timedtest"), " 1");
  EXPECT_EQ(setting("timedminutes"), " 45");
  EXPECT_EQ(setting("randomanswers1"), " 1");
  EXPECT_EQ(setting("randomquestions1"), " 1");
  EXPECT_EQ(setting("scoregraph1"), " 0");
  EXPECT_EQ(setting("backb"), " 1");
  EXPECT_EQ(setting("show#answers"), " 1");
  EXPECT_EQ(setting("radio"), " 1");
  EXPECT_EQ(setting("EmbedWM"), "0");
  EXPECT_EQ(setting("savedfont"), "12");
  EXPECT_EQ(setting("studentname"), "<none>");  // only a test start saves the name

  pick_a_quiz& again = reopen_setup();
  EXPECT_NE(&again, &w);
  EXPECT_EQ(again.timeron.value(), 1);
  EXPECT_EQ(again.timeamount.text(), "45");
  EXPECT_EQ(again.backb.value(), 1);
  EXPECT_EQ(again.scoregraph.value(), 0);
  EXPECT_EQ(again.answer_when_wrong.value(), 0);
  EXPECT_EQ(again.random_answers.value(), 1);
  EXPECT_TRUE(again.timeamount.visible);
  EXPECT_TRUE(again.VScroll1.visible);
  EXPECT_EQ(g().test_mode, vbFalse);
}

TEST_F(Options, EverySaveControlSaves) {
  pick_a_quiz& w = open_setup();
  press(w.savesettings);
  menu_keys("s");
  app->click(w.mnu_savesettings);
  EXPECT_TRUE(w.mnu_savesettings.available());
  show_page(1);
  press(w.cmdSaveSet);
  EXPECT_EQ(message_texts(), std::vector<std::string>(4, "User Settings have been saved."));
}

TEST_F(Options, PresetsSetTheirControlsAndSayWhy) {
  pick_a_quiz& w = open_setup();
  show_page(1);
  press(w.Command2);
  EXPECT_EQ(app->dialogs->messages.back().text,
            "User Settings have been changed to simulate the actual exam.");
  EXPECT_EQ(app->dialogs->messages.back().title, "Prepvant");
  EXPECT_EQ(w.timeron.value(), 1);
  EXPECT_TRUE(w.timeamount.showing());
  EXPECT_TRUE(w.VScroll1.showing());
  EXPECT_EQ(w.timeamount.text(), "75");
  for (CheckBox* c : {&w.answer_when_wrong, &w.answer_when_right, &w.backb, &w.scoregraph})
    EXPECT_EQ(c->value(), 0) << c->name();
  EXPECT_EQ(g().test_mode, vbTrue);

  type(w.timeamount, "12");
  tick(w.random_questions);
  tick(w.showhowmanyanswers);
  choose_menu(w.mnu_learningmode);
  EXPECT_EQ(app->dialogs->messages.back().text,
            "User Settings have been changed to enhance learning.");
  EXPECT_EQ(app->dialogs->messages.back().title, "User Settings");
  EXPECT_EQ(g().test_mode, vbFalse);
  EXPECT_EQ(w.timeamount.text(), "75");
  EXPECT_FALSE(w.timeamount.visible);
  const std::vector<std::pair<CheckBox*, int>> design = {{&w.timeron, 0},
                                                         {&w.answer_when_wrong, 1},
                                                         {&w.answer_when_right, 0},
                                                         {&w.random_questions, 1},
                                                         {&w.random_answers, 1},
                                                         {&w.scoregraph, 1},
                                                         {&w.backb, 1}};
  for (auto [box, value] : design) EXPECT_EQ(box->value(), value) << box->name();
  EXPECT_EQ(w.showhowmanyanswers.value(), 0);  // not a preset's business
  choose_menu(w.mnu_simulatormode);
  EXPECT_EQ(g().test_mode, vbTrue);
}

TEST_F(Options, MinutesThatAreNotANumberAreNotSaved) {
  start();
  set_setting("timedminutes", " 30");
  app->click(app->forms().get<Welcome>().Image4[0]);
  pick_a_quiz& w = setup();
  show_page(1);
  tick(w.timeron);
  type(w.timeamount, "abc");
  press(w.cmdSaveSet);
  EXPECT_EQ(setting("timedminutes"), " 30");
  EXPECT_EQ(setting("timedtest"), " 1");
  EXPECT_EQ(app->dialogs->messages.back().text, "User Settings have been saved.");
}

TEST_F(Options, SavedFontZeroIsRewrittenAsTwelve) {
  start();
  set_setting("savedfont", "0");
  app->click(app->forms().get<Welcome>().Image4[0]);
  press(setup().savesettings);
  EXPECT_EQ(setting("savedfont"), "12");
  EXPECT_EQ(g().page_font_size, 0);
}

TEST_F(Options, TheMinutesBarCountsDownFromTwoHundred) {
  pick_a_quiz& w = open_setup();
  show_page(1);
  tick(w.timeron);
  scroll(w.VScroll1, 199);
  EXPECT_EQ(w.timeamount.text(), "1");
  scroll(w.VScroll1, 0);
  EXPECT_EQ(w.timeamount.text(), "200");
  scroll(w.VScroll1, 171);
  EXPECT_EQ(w.timeamount.text(), "29");
  // Minutes typed move the bar with them, so its arrows go on from what the box shows;
  // a text that is not such a number leaves the bar where it was.
  for (const auto& [typed, position] : std::vector<std::pair<std::string, int>>{
           {"75", 125}, {"200", 0}, {"1", 199}, {"0", 199}, {"abc", 199}, {"075", 199}}) {
    app->user([&](UserInput& in) { in.type_text(w.timeamount, typed); });
    EXPECT_EQ(w.VScroll1.value(), position) << typed;
    EXPECT_EQ(w.timeamount.text(), typed);
  }
  app->user([&](UserInput& in) { in.type_text(w.timeamount, "75"); });
  scroll(w.VScroll1, w.VScroll1.value() - 1);
  EXPECT_EQ(w.timeamount.text(), "76");
}

TEST_F(Options, RadioButtonsFollowTheStoredTextAndTheBox) {
  for (const auto& [stored, checked] : std::vector<std::pair<std::string, bool>>{
           {" 1", true}, {"1 ", true}, {"0", false}, {"yes", false}, {"", false}}) {
    start();
    set_setting("radio", stored);
    app->click(app->forms().get<Welcome>().Image4[0]);
    EXPECT_EQ(setup().chkRadio.value(), checked ? 1 : 0) << stored;
    EXPECT_EQ(g().use_radio_buttons, checked ? vbTrue : vbFalse) << stored;
  }
  show_page(1);
  tick(setup().chkRadio);
  EXPECT_EQ(g().use_radio_buttons, vbTrue);
}

TEST_F(Options, ANameFromTheStoreIsShownAndKept) {
  start();
  set_setting("studentname", "ANN LEE");
  app->click(app->forms().get<Welcome>().Image4[0]);
  EXPECT_EQ(setup().txtstudentname.text(), "ANN LEE");
  EXPECT_EQ(g().student_name, "ANN LEE");
  type(setup().txtstudentname, "bob");
  EXPECT_EQ(g().student_name, "bob");  // cleaned only when a test starts
}

class DamagedSettings : public SetupTest {
  void before_start() override {
    set_setting("savesettings", "saved");
    set_setting("timedtest", "7");
    set_setting("randomquestions1", " 0");
    set_setting("scoregraph1", "2");
    set_setting("show#answers", "abc");
    set_setting("EmbedWM", "x");
    set_setting("answerwhenwrong", "99999");
    set_setting("timedminutes", "7.5");
  }
};

TEST_F(DamagedSettings, EachBadValueIsLoggedAndLeavesItsControlAlone) {
  pick_a_quiz& w = open_setup();
  EXPECT_EQ(w.timeron.value(), 0);
  EXPECT_EQ(w.scoregraph.value(), 1);
  EXPECT_EQ(w.showhowmanyanswers.value(), 1);
  EXPECT_EQ(w.random_questions.value(), 0);  // the good values still apply
  EXPECT_EQ(w.timeamount.text(), "7.5");
  EXPECT_EQ(g().embed_tutor, 0);
  const std::string log = app->error_log();
  for (const char* fault : {"pick_a_quiz.frm380 - Invalid property value",
                            "pick_a_quiz.frm13 - Type mismatch", "pick_a_quiz.frm6 - Overflow"})
    EXPECT_NE(log.find(fault), std::string::npos) << fault;
  // The photo, answerwhenwrong, show#answers, EmbedWM, timedtest and scoregraph1.
  EXPECT_EQ(load_log_lines(log), 6) << log;
}

TEST_F(Options, AStoreThatCannotBeWrittenIsReportedAndLogged) {
  pick_a_quiz& w = open_setup();
  app->settings->fail_writes = true;
  press(w.savesettings);
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "User Settings could not be saved.");
  EXPECT_EQ(app->dialogs->messages[0].title, "Prepvant");
  EXPECT_NE(app->error_log().find(" - savesettings_Click() - pick_a_quiz.frm75 - "),
            std::string::npos);
}

TEST_F(Options, TheHiddenCountBarStepsTheCountWithinItsCap) {
  pick_a_quiz& w = open_setup();
  ASSERT_EQ(w.howmanyq.caption, "10");
  const auto move_bar = [&](int position) {
    app->program->dispatch([&w, position] { w.VScroll2.set_value(position); });
  };
  move_bar(1001);
  EXPECT_EQ(w.howmanyq.caption, "9");
  move_bar(999);
  move_bar(998);
  EXPECT_EQ(w.howmanyq.caption, "10");  // capped at the count of the load
  app->program->dispatch([&w] { w.howmanyq.caption = "1"; });
  move_bar(999);
  EXPECT_EQ(w.howmanyq.caption, "1");
  EXPECT_EQ(g().count_bar_position, 999);
}

}  // namespace
}  // namespace pv::testing
