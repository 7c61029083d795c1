// The test window's frame: its load with the saved font, its layout, keys, menus and the
// count of finished tests.
#include <gtest/gtest.h>

#include "core/about1.hpp"
#include "platform/dialogs.hpp"
#include "testrun/test_run_fixture.hpp"

namespace pv::testing {
namespace {

using TestWindow = TestRun;

std::vector<bool> checks(const std::array<Menu, 6>& menus) {
  std::vector<bool> out;
  for (const Menu& m : menus) out.push_back(m.checked);
  return out;
}

TEST_F(TestWindow, TheLoadTakesTheSavedFontAndTheOptions) {
  const struct {
    const char* size;
    const char* name;
    int16_t page_size;
    std::vector<bool> sizes;
    bool times, arial;
    const char* saved_name;
  } cases[] = {
      {nullptr, nullptr, 12, {false, false, true, false, false, false}, true, false, "<none>"},
      {"20", "Arial", 20, {false, false, false, false, false, true}, false, true, "Arial"},
      {"16",
       "arial",
       16,
       {false, false, false, false, false, false},
       true,
       false,
       "Times New Roman"},
      {"big",
       "Courier",
       12,
       {false, false, false, false, false, false},
       true,
       false,
       "Times New Roman"},
  };
  for (const auto& c : cases) {
    start();
    if (c.size != nullptr) set_setting("savedfont", c.size);
    if (c.name != nullptr) set_setting("savedfontname", c.name);
    app->click(app->forms().get<Welcome>().Image4[0]);
    press(setup().Command1);
    quest& w = window();
    // A size that is no number leaves the size unset, which the page corrects to 12.
    EXPECT_EQ(g().page_font_size, c.page_size) << c.size;
    EXPECT_EQ(checks(w.menusize), c.sizes) << c.size;
    EXPECT_EQ(w.menufont[0].checked, c.times) << c.name;
    EXPECT_EQ(w.menufont[1].checked, c.arial) << c.name;
    EXPECT_EQ(setting("savedfontname"), c.saved_name) << c.name;
    EXPECT_EQ(g().answer_labels[1], "A.\t");
    EXPECT_EQ(g().answer_labels[6], "F.\t");
    EXPECT_TRUE(w.menu_showwrong.checked);
    EXPECT_FALSE(w.menu_showright.checked);
    EXPECT_TRUE(w.menu_shownumanswer.checked && w.menu_backbutton.checked);
    EXPECT_TRUE(w.mnu_answer_at_top.checked);
    EXPECT_FALSE(w.mnu_answer_at_bottom.checked || w.mnuEmbed.checked || w.mnuEmbed.enabled);
    EXPECT_FALSE(w.lbltime.visible || w.lbltimeleft.visible);
    EXPECT_EQ(w.Timer1.interval, 2000);
    const bool logged =
        app->error_log().find("quest form Load() - quest3.frm13") != std::string::npos;
    EXPECT_EQ(logged, std::string(c.size == nullptr ? "" : c.size) == "big");
  }
}

TEST_F(TestWindow, TheLayoutKeepsItsMarginsAndMinimumSize) {
  quest& w = start_test();
  app->program->dispatch([&w] { w.move(0, 0, 8000, 5000); });
  EXPECT_EQ(w.width(), 9540);
  EXPECT_EQ(w.height(), 6960);
  EXPECT_EQ(w.WebBrowser1.width, 8665);
  EXPECT_EQ(w.WebBrowser1.height, 6960 - (7590 - 5775));
  EXPECT_EQ(w.WebBrowser1.top, 10);
  EXPECT_EQ(w.Frame1.left, 8665);
  EXPECT_EQ(w.Frame1.height, w.WebBrowser1.height);
  EXPECT_EQ(w.Frame2.top, 6960 - (7590 - 5880));
  EXPECT_EQ(w.Frame2.left, (9540 - 10095) / 2.0f);
  app->program->dispatch([&w] { w.move(0, 0, 14000, 9000); });
  EXPECT_EQ(w.WebBrowser1.width, 14000 - 735 - 140);
  EXPECT_EQ(w.Frame2.left, (14000 - 10095) / 2.0f);
  app->program->dispatch([&w] { w.set_window_state(vbMinimized); });
  EXPECT_EQ(w.WebBrowser1.width, 14000 - 735 - 140);
}

TEST_F(TestWindow, AltGivesTheKeysToThePage) {
  quest& w = start_test();
  int key = 'A';
  app->program->dispatch([&] { w.Form_KeyDown(key, 5); });  // Alt and Shift: nothing
  EXPECT_EQ(w.active_control(), &w.cmd_buttons[0]);
  app->program->dispatch([&] { w.Form_KeyDown(key, 4); });
  EXPECT_EQ(w.active_control(), &w.WebBrowser1);
}

TEST_F(TestWindow, AFontChangePresentsTheSameQuestionWithItsMarks) {
  quest& w = start_test();
  for (int k = 1; k <= 6; ++k) next();
  EXPECT_EQ(g().question_counter, 7);
  mark({2});
  menu(w.menusize[5]);  // "Size 20"
  EXPECT_EQ(g().question_counter, 7);
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  7 of 10");
  EXPECT_EQ(g().page_font_size, 20);
  EXPECT_EQ(setting("savedfont"), "20");
  EXPECT_EQ(checks(w.menusize), (std::vector<bool>{false, false, false, false, false, true}));
  EXPECT_NE(page_html().find("BODY{font-size: 20 pt}"), std::string::npos);
  EXPECT_NE(page_html().find("<input checked type=radio accesskey=\"b\""), std::string::npos);
  EXPECT_EQ(g().questions[7].State, 3);  // not graded
  menu(w.menufont[1]);
  EXPECT_EQ(g().page_font_name, "Arial");
  EXPECT_EQ(setting("savedfontname"), "Arial");
  EXPECT_TRUE(w.menufont[1].checked && !w.menufont[0].checked);
  EXPECT_EQ(g().question_counter, 7);
  set_setting("savedfont", "8");
  menu(w.mnuSavefont);
  EXPECT_EQ(setting("savedfont"), "20");
}

TEST_F(TestWindow, TheOptionEntriesToggleTheirFlags) {
  quest& w = start_test();
  menu(w.menu_backbutton);
  EXPECT_EQ(g().back_button_on, 0);
  EXPECT_FALSE(w.menu_backbutton.checked || w.cmd_buttons[1].visible);
  next();
  EXPECT_FALSE(w.cmd_buttons[1].visible);  // every presentation keeps it hidden
  menu(w.menu_backbutton);
  EXPECT_TRUE(w.menu_backbutton.checked && w.cmd_buttons[1].visible);
  menu(w.menu_showright);
  menu(w.menu_showwrong);
  menu(w.menu_shownumanswer);
  EXPECT_EQ(g().show_answer_right, 1);
  EXPECT_EQ(g().show_answer_wrong, 0);
  EXPECT_EQ(g().show_num_answers, 0);
  EXPECT_TRUE(w.menu_showright.checked);
  EXPECT_FALSE(w.menu_showwrong.checked || w.menu_shownumanswer.checked);
  next();  // the next page reads the count option
  EXPECT_NE(page_html().find("Type the answer into the box"), std::string::npos);
  menu(w.mnu_answer_at_bottom);
  EXPECT_EQ(g().answer_position, "bottom");
  EXPECT_EQ(setting("putanswer"), "bottom");
  EXPECT_TRUE(w.mnu_answer_at_bottom.checked && !w.mnu_answer_at_top.checked);
  menu(w.mnu_answer_at_top);
  EXPECT_EQ(g().answer_position, "top");
  EXPECT_TRUE(w.mnu_answer_at_top.checked && !w.mnu_answer_at_bottom.checked);
}

TEST_F(TestWindow, PrintAboutAndExit) {
  quest& w = start_test();
  menu(w.menu_printquestion);
  ASSERT_EQ(app->printer->jobs.size(), 1u);  // printed, never shown
  EXPECT_NE(app->printer->jobs[0].html.find("Which layer routes packets?"), std::string::npos);
  EXPECT_TRUE(explanations.empty());
  EXPECT_EQ(app->loaded<theanswer>(), nullptr);
  EXPECT_EQ(g().print_explanation, 1);
  bool about_shown = false;
  app->program->loop().idle = [&] {
    About1* about = app->loaded<About1>();
    about_shown = about != nullptr && about->visible() && about->modal;
    if (about != nullptr) about->hide();
  };
  menu(w.menu_about);
  app->program->loop().idle = [this] { close_explanation(); };
  EXPECT_TRUE(about_shown);
  app->dialogs->answers.push_back(vbNo);
  menu(w.menu_exit);
  ASSERT_EQ(app->dialogs->messages.size(), 1u);
  EXPECT_EQ(app->dialogs->messages[0].text, "Are you sure you want to exit the program?");
  EXPECT_EQ(app->dialogs->messages[0].title, "Exit Program?");
  EXPECT_EQ(app->dialogs->messages[0].style, vbYesNo);
  EXPECT_FALSE(app->program->ended());
  app->dialogs->answers.push_back(vbYes);
  menu(w.menu_exit);
  EXPECT_TRUE(app->program->ended());
  EXPECT_FALSE(app->current.exists("46000.STUDENT.results"));
}

TEST_F(TestWindow, TheTimeLeftCountsDownInTenthsOfAMinute) {
  quest& w = start_test([this](pick_a_quiz& s) { tick(s.timeron); });  // 75 minutes
  const struct {
    int64_t at_seconds;
    const char* left;
  } ticks[] = {{0, " 75"}, {5, " 75"}, {6, " 74.9"}, {59, " 74.1"}, {4499, " .1"}, {4500, " 0"}};
  for (const auto& t : ticks) {
    app->clock->advance_ms(t.at_seconds * 1000 - app->clock->monotonic_ms());
    app->program->dispatch([&w] { w.Timer1_Timer(); });
    EXPECT_EQ(w.lbltime.caption, std::string(t.left) + " min.") << t.at_seconds;
  }
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  1 of 10 ---  Time Left: 0 min.");
  EXPECT_TRUE(app->dialogs->messages.empty());
  app->clock->advance_ms(1000);
  app->program->dispatch([&w] { w.Timer1_Timer(); });
  EXPECT_EQ(app->dialogs->messages.size(), 1u);
}

TEST_F(TestWindow, AChangeOfTheSystemClockMovesNoExpiry) {
  quest& w = start_test([this](pick_a_quiz& s) {
    tick(s.timeron);
    type(s.timeamount, "1");
  });
  app->clock->set_now({2027, 1, 1, 9, 0, 0});  // the clock set a month on
  app->advance_ms(2000);
  EXPECT_EQ(w.lbltime.caption, " 1 min.");
  app->clock->set_now({2020, 1, 1, 9, 0, 0});  // and years back
  app->advance_ms(56000);
  EXPECT_EQ(w.lbltime.caption, " .1 min.");
  EXPECT_TRUE(app->dialogs->messages.empty());
}

TEST_F(TestWindow, AnUntimedTestKeepsItsCaption) {
  quest& w = start_test();
  app->advance_ms(2000);
  app->advance_ms(2000);
  EXPECT_EQ(w.caption(), "Practice Test for Mixed Bank - Question  1 of 10");
  EXPECT_EQ(w.lbltime.caption, "");
}

TEST_F(TestWindow, EachRegularEndCountsOneFinishedTest) {
  for (const auto& [stored, after] : std::vector<std::pair<const char*, const char*>>{
           {nullptr, "1"}, {"41", "42"}, {"many", "1"}}) {
    start();
    if (stored != nullptr) app->settings->save("velto", "46000", "num_times", stored);
    app->click(app->forms().get<Welcome>().Image4[0]);
    press(setup().Command1);
    menu(window().menu_quittest);
    EXPECT_EQ(app->settings->get("velto", "46000", "num_times", ""), after);
  }
}

}  // namespace
}  // namespace pv::testing
