// The setup window's "Study Saver" page: its spinners, the saved settings and the
// installation of the screen-saver file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialogs.hpp"
#include "platform/screen.hpp"
#include "setup/setup_fixture.hpp"
#include "studysaver/security.hpp"

namespace pv::testing {
namespace {

constexpr int kSaverPage = 3;

class SaverPage : public SetupTest {
 protected:
  pick_a_quiz& open_page(const std::string& product = "46000") {
    pick_a_quiz& w = open_setup(product);
    show_page(kSaverPage);
    return w;
  }
  std::string saved(const std::string& key) {
    return app->settings->get(kSaverApp, kSaverSection, key, "<none>");
  }
  std::vector<std::string> titles() {
    std::vector<std::string> out;
    for (const auto& m : app->dialogs->messages) out.push_back(m.title);
    return out;
  }
};

// Bar positions the user moves a spinner to, one after another, and the numbers shown
// after each by the answer spinner (from 3) and the correct-answer spinner (from 6).
struct SpinCase {
  const char* what;
  std::vector<int> positions;
  std::vector<std::string> answer_shown, correct_shown;
};

TEST_F(SaverPage, SpinnersMoveTheirNumberByOneForEachChange) {
  const SpinCase cases[] = {
      {"the first up arrow moves nothing", {-1, -1}, {"3", "3"}, {"6", "6"}},
      {"down twice, then up five times",
       {1, 2, 1, 0, -1, -1, -1},
       {"2", "1", "2", "3", "3", "3", "3"},
       {"5", "4", "5", "6", "6", "6", "6"}},
      {"down at 1 keeps 1",
       {1, 2, 3, 4, 5, 6},
       {"2", "1", "1", "1", "1", "1"},
       {"5", "4", "3", "2", "1", "1"}},
      {"a drag to the bottom lowers by one",
       {32767, 32766, 32765},
       {"2", "3", "4"},
       {"5", "6", "7"}},
  };
  for (const SpinCase& c : cases) {
    pick_a_quiz& w = open_page();
    std::vector<std::string> answer, correct;
    for (int p : c.positions) {
      scroll(w.VScroll4, p);
      answer.push_back(w.lbldisplayans.caption);
    }
    for (int p : c.positions) {
      scroll(w.VScroll3, p);
      correct.push_back(w.lbldisplaycorr.caption);
    }
    EXPECT_EQ(answer, c.answer_shown) << c.what;
    EXPECT_EQ(correct, c.correct_shown) << c.what;
  }
}

TEST_F(SaverPage, NumberStopsAtTheLargestSixteenBitValue) {
  pick_a_quiz& w = open_page();
  scroll(w.VScroll4, 10);
  w.lbldisplayans.caption = "32767";
  scroll(w.VScroll4, 9);
  EXPECT_EQ(w.lbldisplayans.caption, "32767");
  // The kept value followed the bar: the next move down lowers the number.
  scroll(w.VScroll4, 10);
  EXPECT_EQ(w.lbldisplayans.caption, "32766");
}

TEST_F(SaverPage, SaveWritesTheThreeSettingsWhichThePageNeverReadsBack) {
  pick_a_quiz& w = open_page();
  EXPECT_EQ(w.Label12.caption, "Make This Test Your Screensaver");
  EXPECT_EQ(w.Label14.caption, "Configure Your Study Saver");
  EXPECT_EQ(w.chkRandom.caption, "Randomize Questions");
  EXPECT_EQ(w.Frame14.caption, "Click Here to Save Your Configuration");
  EXPECT_EQ(w.cmdok.caption, "Save Configuration");
  EXPECT_EQ(w.cmdSet.caption, " Set as &DEFAULT Screen Saver ");
  press(w.cmdok);
  EXPECT_EQ(saved("aspeed"), "3");
  EXPECT_EQ(saved("cspeed"), "6");
  EXPECT_EQ(saved("RandQuestions"), "0");

  scroll(w.VScroll4, 1);
  scroll(w.VScroll4, 2);
  scroll(w.VScroll3, 1);
  tick(w.chkRandom);
  press(w.cmdok);
  EXPECT_EQ(saved("aspeed"), "1");
  EXPECT_EQ(saved("cspeed"), "5");
  EXPECT_EQ(saved("RandQuestions"), "1");
  EXPECT_TRUE(app->dialogs->messages.empty());

  pick_a_quiz& again = reopen_setup();
  EXPECT_EQ(again.lbldisplayans.caption, "3");
  EXPECT_EQ(again.lbldisplaycorr.caption, "6");
  EXPECT_EQ(again.chkRandom.value(), 0);
  EXPECT_EQ(saved("aspeed"), "1");
  // The bars start at their top again: the first up arrow moves nothing.
  show_page(kSaverPage);
  scroll(again.VScroll4, -1);
  EXPECT_EQ(again.lbldisplayans.caption, "3");
}

TEST_F(SaverPage, SaveIntoAStoreThatCannotBeWrittenSaysSoAndGoesOn) {
  pick_a_quiz& w = open_page();
  app->settings->fail_writes = true;
  press(w.cmdok);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Study Saver settings could not be saved."});
  EXPECT_EQ(titles(), std::vector<std::string>{"Prepvant"});
  EXPECT_FALSE(app->program->ended());
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(saved("aspeed"), "<none>");
  app->settings->fail_writes = false;
  press(w.cmdok);
  EXPECT_EQ(saved("aspeed"), "3");
  EXPECT_EQ(app->dialogs->messages.size(), 1u);
}

struct InstallCase {
  const char* product;
  std::string found;  // where the search finds the saver file ("" nowhere)
  bool through_link;
};

TEST_F(SaverPage, InstallationRecordsTheTestAndHandsTheFileToTheInstaller) {
  const std::string long_path = "/opt/" + std::string(600, 'x') + "/pelma_books_study_saver.scr";
  const InstallCase cases[] = {
      {"46000", "/opt/prepvant/pelma_books_study_saver.scr", false},
      {"46002", "/usr/local/bin/pelma_books_study_saver.scr", true},
      {"46000", long_path, false},
      {"46002", "", false},
      {"46000", "", true},
  };
  for (const InstallCase& c : cases) {
    pick_a_quiz& w = open_page(c.product);
    if (!c.found.empty()) app->screen_savers->found["pelma_books_study_saver.scr"] = c.found;
    press(c.through_link ? static_cast<Control&>(w.Label12) : w.cmdSet);
    const std::string where = app->program_folder.path() + g().program_file;
    SCOPED_TRACE(std::string(c.product) + " " + c.found.substr(0, 40));
    EXPECT_EQ(saved("which_test"), c.product);
    EXPECT_EQ(saved("where_test"), where);
    EXPECT_EQ(g().program_file, std::string(c.product) == "46002" ? "pb_varb.exe" : "");
    if (c.found.empty()) {
      EXPECT_TRUE(app->screen_savers->commands.empty());
      EXPECT_EQ(message_texts(),
                std::vector<std::string>{"The study saver file could not be found."});
      EXPECT_EQ(titles(), std::vector<std::string>{"Prepvant"});
    } else {
      EXPECT_EQ(app->screen_savers->commands,
                std::vector<std::string>{"rundll32.exe desk.cpl,InstallScreenSaver " + c.found});
      EXPECT_EQ(app->screen_savers->window_styles, std::vector<int>{2});
      EXPECT_TRUE(app->dialogs->messages.empty());
    }
    EXPECT_TRUE(app->shell->started.empty());
    EXPECT_TRUE(w.visible());
  }
}

TEST_F(SaverPage, AFailingInstallerIsNotReported) {
  pick_a_quiz& w = open_page();
  app->screen_savers->found["pelma_books_study_saver.scr"] = "/opt/x/pelma_books_study_saver.scr";
  app->screen_savers->fails = true;
  press(w.cmdSet);
  EXPECT_EQ(app->screen_savers->commands.size(), 1u);
  EXPECT_TRUE(app->dialogs->messages.empty());
  EXPECT_FALSE(app->program->ended());
}

TEST_F(SaverPage, TheLinkShowsItsOwnCursorWhileTheMouseIsOverIt) {
  pick_a_quiz& w = open_page();
  EXPECT_EQ(w.Label12.mouse_pointer, vbDefault);
  app->user([&](UserInput& in) { in.mouse_move(w.Label12, 100, 100); });
  EXPECT_EQ(w.Label12.mouse_pointer, vbCustom);
  EXPECT_FALSE(w.Label12.mouse_icon.empty());
  app->user([&](UserInput& in) { in.mouse_move(w.Frame13, 100, 3000); });
  EXPECT_EQ(w.Label12.mouse_pointer, vbDefault);
}

}  // namespace
}  // namespace pv::testing
