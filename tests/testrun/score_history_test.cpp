// The score history: the file after a first and a second test, a category quiz, a bank
// without categories; what is never written; and the setup window's View and Reset.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/vbtext.hpp"
#include "support/memory_peak.hpp"
#include "testrun/score_report_fixture.hpp"

namespace pv::testing {
namespace {

using ScoreHistory = ScoreReportTest;

const std::string kHeader =
    "<html><center><h2> History Report for STUDENT </h2><h3> GUDAR Five </h3></center>Best "
    "Possible Result 100%<hr align=left width=100% size=15 NOSHADE COLOR=RED><hr><p>&nbsp;</p>"
    "</html>";
const std::string kTableHead =
    "<b> Module Results:</b><table border=0 cellpadding=0 cellspacing=0 style=\"border-collapse: "
    "collapse\" bordercolor=#111111 width=50% id=AutoNumber1> <tr> <td width=50 "
    "align=center><u>&nbsp;% </u></td>   <td><u>&nbsp;Exam Module </u></td></tr>";

std::string row(const std::string& score, const std::string& name) {
  return "<tr><td  align=center>" + score + "</td><td>" + name + "</td></tr>";
}

TEST_F(ScoreHistory, TheFirstTestMakesTheFileAndTheSecondGoesOnTop) {
  take_test({true, false, true, true});
  const std::string first =
      "<p><b> GUDAR Book Quiz Results:</b><br> 60%&nbsp;&nbsp;(3/5)&nbsp;&nbsp;-&nbsp;&nbsp;"
      "Date: Wednesday 12/9/2026 4:16:33 AM<hr align=left width=60% size=15 NOSHADE "
      "COLOR=NAVY>" +
      kTableHead + row("100% (2/2)", "Cabling") + row(" 33% (1/3)", "Addressing") +
      row("  0% (0/0)", "Security") + "</table><p>&nbsp;</p>";
  EXPECT_EQ(app->current.read(history_name()), kHeader + "\r\n" + first + "\r\n");
  EXPECT_EQ(app->current.read("temp.hist"), kHeader + "\r\n");

  // Back to the menu, an hour and a half later, and a perfect test.
  press(report().Command1);
  app->clock->advance_ms(int64_t{5400} * 1000);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  for (int k = 0; k < 5; ++k) answer(true);
  const std::string second =
      "<p><b> GUDAR Book Quiz Results:</b><br> 100%&nbsp;&nbsp;(5/5)&nbsp;&nbsp;-&nbsp;&nbsp;"
      "Date: Wednesday 12/9/2026 5:46:33 AM<hr align=left width=100% size=15 NOSHADE "
      "COLOR=NAVY>" +
      kTableHead + row("100% (2/2)", "Cabling") + row("100% (3/3)", "Addressing") +
      row("  0% (0/0)", "Security") + "</table><p>&nbsp;</p>";
  EXPECT_EQ(lines_of(history_name()), (std::vector<std::string>{kHeader, second, first}));
  EXPECT_EQ(lines_of("temp.hist"), (std::vector<std::string>{kHeader, first}));
  EXPECT_EQ(app->error_log().find("finalscore"), std::string::npos);
}

TEST_F(ScoreHistory, ACategoryQuizHasNoTitle) {
  pick_a_quiz& s = open_setup();
  show_page(2);
  press(s.cmd_remove_all_cat);
  double_click(s.lst_cats_not_to_ask, 0);  // Cabling
  press(s.cmd_start_cat_quiz);
  ASSERT_EQ(g().questions_to_ask, 2);
  answer(true);
  answer(false);
  const std::vector<std::string> lines = lines_of(history_name());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 95),
            "<p><b>  Results:</b><br> 50%&nbsp;&nbsp;(1/2)&nbsp;&nbsp;-&nbsp;&nbsp;Date: Wednesday "
            "12/9/2026");
  EXPECT_NE(lines[1].find(row(" 50% (1/2)", "Cabling")), std::string::npos);
}

TEST_F(ScoreHistory, ABankWithoutCategoriesWritesNoTable) {
  start_test();
  g().categories_enabled = vbFalse;
  for (int k = 0; k < 5; ++k) answer(true);
  EXPECT_EQ(lines_of(history_name()),
            (std::vector<std::string>{
                kHeader,
                "<p><b> GUDAR Book Quiz Results:</b><br> 100%&nbsp;&nbsp;(5/5)&nbsp;&nbsp;-&nbsp;"
                "&nbsp;Date: Wednesday 12/9/2026 4:16:33 AM<hr align=left width=100% size=15 "
                "NOSHADE COLOR=NAVY>"}));
}

TEST_F(ScoreHistory, AnUnreadableHistoryIsLeftAsItIs) {
  start();
  app->current.write(history_name(), kHeader + "\r\nold entry\r\n");
  app->files->deny_reads_of(app->current / history_name());
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  for (int k = 0; k < 5; ++k) answer(true);
  EXPECT_EQ(app->current.read(history_name()), kHeader + "\r\nold entry\r\n");
  EXPECT_FALSE(app->current.exists("temp.hist"));
  EXPECT_NE(app->error_log().find(" - save_history() - finalscore 70 - Permission denied - "),
            std::string::npos);
}

TEST_F(ScoreHistory, TheHistoryKeepsItsEntriesWhenItsCopyCannotBeWritten) {
  start();
  app->current.write(history_name(), kHeader + "\r\nold entry\r\n");
  ASSERT_EQ(::mkdir((app->current / "temp.hist").c_str(), 0755), 0);
  app->click(app->forms().get<Welcome>().Image4[0]);
  show_page(1);
  tick(setup().random_questions);
  show_page(0);
  press(setup().Command1);
  for (int k = 0; k < 5; ++k) answer(true);
  const std::vector<std::string> lines = lines_of(history_name());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], kHeader);
  EXPECT_EQ(lines[1].substr(0, 45), "<p><b> GUDAR Book Quiz Results:</b><br> 100%&");
  EXPECT_EQ(lines[2], "old entry");
}

// A long history is copied line by line, never held whole; every kind of line end comes
// out as CR LF, one split between two reads among them.
TEST_F(ScoreHistory, AFiftyMegabyteHistoryStillSavesInBoundedMemory) {
  start();
  std::string big = kHeader + "\r\n";
  for (size_t i = 0; big.size() < (size_t{50} << 20); ++i)
    big += i % 3 == 0 ? "old entry ended by LF\n" : i % 3 == 1 ? "by CR\r" : "by CR LF\r\n";
  big.replace(65535, 2, "\r\n");  // a CR LF whose LF is the first byte of the next read
  big += "last";
  app->current.write(history_name(), big);
  std::vector<std::string> old_lines = split_lines(big);
  big = std::string();
  const long growth = peak_growth([&] {
    app->click(app->forms().get<Welcome>().Image4[0]);
    show_page(1);
    tick(setup().random_questions);
    show_page(0);
    press(setup().Command1);
    for (int k = 0; k < 5; ++k) answer(true);
  });
  if (kPeakMeasured) {
    EXPECT_LT(growth, 40L << 20);
  }
  const std::string saved = app->current.read(history_name());
  const size_t entry_end = saved.find("\r\n", kHeader.size() + 2);
  ASSERT_NE(entry_end, std::string::npos);
  EXPECT_EQ(saved.substr(0, kHeader.size() + 2), kHeader + "\r\n");
  EXPECT_EQ(saved.substr(kHeader.size() + 2, 45), "<p><b> GUDAR Book Quiz Results:</b><br> 100%&");
  const std::string rest = saved.substr(entry_end + 2);
  old_lines.erase(old_lines.begin());
  EXPECT_TRUE(rest == join_lines(old_lines));
  EXPECT_EQ(app->current.read("temp.hist").size(), kHeader.size() + 2 + rest.size());
}

TEST_F(ScoreHistory, NoEntryForATimedOutTestOrATestOfNoQuestions) {
  start_test([this](pick_a_quiz& s) {
    tick(s.timeron);
    type(s.timeamount, "1");
  });
  answer(true);
  app->advance_ms(62000);
  ASSERT_NE(app->loaded<finalscore>(), nullptr);
  EXPECT_EQ(report().per.caption, " 20%");  // over the planned five
  EXPECT_FALSE(app->current.exists(history_name()));
  app->program->dispatch([this] {
    g().questions_to_ask = 0;
    report().save_history();
  });
  EXPECT_FALSE(app->current.exists(history_name()));
  EXPECT_FALSE(app->current.exists("temp.hist"));
}

TEST_F(ScoreHistory, ViewOpensTheFileOfTheCleanedName) {
  pick_a_quiz& s = open_setup();
  type(s.txtstudentname, "ann/../x");
  choose_menu(s.mnu_viewtestscorehistory);
  EXPECT_EQ(message_texts(), std::vector<std::string>{
                                 "No history found for user ann/../x.  Please take a quiz first "
                                 "and try again."});
  EXPECT_EQ(app->dialogs->messages[0].title, "Prepvant");
  EXPECT_TRUE(app->shell->opened.empty());
  app->current.write("history.46000.ANN    X.htm", kHeader + "\r\n");
  choose_menu(s.mnu_viewtestscorehistory);
  ASSERT_EQ(app->shell->opened.size(), 1u);
  EXPECT_EQ(app->shell->opened[0].target, app->current / "history.46000.ANN    X.htm");
  EXPECT_EQ(app->shell->opened[0].show, 3);
}

TEST_F(ScoreHistory, ResetAsksThenClearsBothFilesAndKeepsTheCopy) {
  take_test({true, false});
  press(report().Command1);
  pick_a_quiz& s = setup();
  ASSERT_TRUE(app->current.exists("46000.STUDENT.results"));
  ASSERT_TRUE(app->current.exists(history_name()));
  const std::string results = app->current.read("46000.STUDENT.results");
  const std::string history = app->current.read(history_name());

  app->dialogs->answers = {vbNo, vbOK};
  press(s.cmd_reset_user_history);
  ASSERT_EQ(app->dialogs->messages.size(), 2u);
  EXPECT_EQ(app->dialogs->messages[0].text,
            "Are you sure you want to clear all history for user STUDENT?");
  EXPECT_EQ(app->dialogs->messages[0].title, "Clear History?");
  EXPECT_EQ(app->dialogs->messages[0].style, vbYesNo);
  EXPECT_EQ(app->dialogs->messages[1].text, "History NOT cleared.");
  EXPECT_EQ(app->current.read("46000.STUDENT.results"), results);
  EXPECT_EQ(app->current.read(history_name()), history);

  app->dialogs->messages.clear();
  app->dialogs->answers = {vbYes, vbOK};
  choose_menu(s.mnu_resetuserhistory);  // runs the button's handler
  EXPECT_EQ(message_texts(), (std::vector<std::string>{
                                 "Are you sure you want to clear all history for user STUDENT?",
                                 "STUDENT history has been cleared."}));
  EXPECT_FALSE(app->current.exists("46000.STUDENT.results"));
  EXPECT_FALSE(app->current.exists(history_name()));
  EXPECT_TRUE(app->current.exists("temp.hist"));
  EXPECT_EQ(g().missed_flags[2], "0");  // missed in the test, forgotten now

  // Nothing left to delete: cleared all the same.
  app->dialogs->messages.clear();
  app->dialogs->answers = {vbYes, vbOK};
  press(s.cmd_reset_user_history);
  EXPECT_EQ(app->dialogs->messages.back().text, "STUDENT history has been cleared.");
}

TEST_F(ScoreHistory, ResetReportsAFileThatCannotBeDeleted) {
  take_test({true});
  press(report().Command1);
  app->files->deny_writes_in(app->current.path());
  app->dialogs->answers = {vbYes, vbOK};
  press(setup().cmd_reset_user_history);
  ASSERT_EQ(app->dialogs->messages.size(), 2u);
  EXPECT_EQ(app->dialogs->messages[1].text, "History could not be cleared.");
  EXPECT_EQ(app->dialogs->messages[1].title, "Prepvant");
  EXPECT_TRUE(app->current.exists(history_name()));
  EXPECT_TRUE(app->current.exists("46000.STUDENT.results"));
}

}  // namespace
}  // namespace pv::testing
