#include "core/history_mail.hpp"

#include <gtest/gtest.h>

#include "platform/vbtext.hpp"
#include "support/test_program.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

using testing::TestProgram;

std::string header(const std::string& name = "ANN", const std::string& title = "Sample Title") {
  return "<html><center><h2> History Report for " + name + " </h2><h3> " + title +
         " </h3></center>Best Possible Result 100%<hr align=left width=100% size=15 NOSHADE "
         "COLOR=RED><hr><p>&nbsp;</p></html>";
}

struct Row {
  std::string result, name;
};

// One finished test as the score report writes it.
std::string entry(const std::string& title, const std::vector<Row>& rows,
                  const std::string& percent = "50", const std::string& score = "(1/2)") {
  std::string line =
      "<p><b> " + title + " Results:</b><br> " + percent + "%&nbsp;&nbsp;" + score +
      "&nbsp;&nbsp;-&nbsp;&nbsp;Date: 12/9/2026 4:16:33 AM<hr align=left width=" + percent +
      "% size=15 NOSHADE COLOR=NAVY>";
  if (rows.empty()) return line;
  line +=
      "<b> Module Results:</b><table border=0 cellpadding=0 cellspacing=0 style=\"border-collapse: "
      "collapse\" bordercolor=#111111 width=50% id=AutoNumber1> <tr> <td width=50 "
      "align=center><u>&nbsp;% </u></td>   <td><u>&nbsp;Exam Module </u></td></tr>";
  for (const Row& r : rows)
    line += "<tr><td  align=center>" + r.result + "</td><td>" + r.name + "</td></tr>";
  return line + "</table><p>&nbsp;</p>";
}

const std::string kExampleReport =
    " History Report for ANN \r\n"
    "Sample Title\r\n"
    "Best Possible Result 100%\r\n"
    "\r\n"
    "\r\n"
    "Quiz Results:\r\n"
    " 50%  (1/2)  -  Date: 12/9/2026 4:16:33 AM\r\n"
    "Module Results:\r\n"
    "%\t\t\tExam Module\r\n"
    "\r\n"
    "50% (1/2)\tChapter 1\r\n"
    "\r\n"
    "End of History Report";

class HistoryMail : public ::testing::Test {
 protected:
  HistoryMail() {
    t.g().product_id = "46000";
    t.g().student_name = "ANN";
    t.g().mail_type = "outlook";
  }
  void write_history(const std::vector<std::string>& lines, const std::string& name = "ANN") {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    t.current.write("history.46000." + name + ".htm", text);
  }
  void send() { email_history(t.sys(), t.forms().get<quest>()); }

  TestProgram t;
};

TEST_F(HistoryMail, WorkedExampleGoesOutAsAMailLink) {
  write_history({header(), entry("GUDAR Book Quiz", {{"50% (1/2)", "Chapter 1"}})});
  send();
  ASSERT_EQ(t.shell->opened.size(), 1u);
  EXPECT_EQ(t.shell->opened[0].target,
            "mailto:?subject= History Report for ANN &BODY= History Report for ANN "
            "%0d%0aSample Title%0d%0aBest Possible Result 100%25%0d%0a%0d%0a%0d%0aQuiz "
            "Results:%0d%0a 50%25  (1/2)  -  Date: 12/9/2026 4:16:33 AM%0d%0aModule "
            "Results:%0d%0a%25%09%09%09Exam Module%0d%0a%0d%0a50%25 (1/2)%09Chapter "
            "1%0d%0a%0d%0aEnd of History Report");
  EXPECT_EQ(t.shell->opened[0].show, 1);
  EXPECT_EQ(t.shell->opened[0].parent, "quest");
  EXPECT_TRUE(t.dialogs->messages.empty());
  EXPECT_EQ(t.clipboard->text(), "");
  EXPECT_FALSE(t.current.exists("instructions.htm"));
}

TEST_F(HistoryMail, WorkedExampleReducesLineByLine) {
  EXPECT_EQ(reduce_history(header() + entry("GUDAR Book Quiz", {{"50% (1/2)", "Chapter 1"}})).text,
            kExampleReport);
}

TEST_F(HistoryMail, WebMailPutsTheReportOnTheClipboardAndOpensTheInstructions) {
  t.g().mail_type = "web";
  t.clipboard->set_text("old");
  write_history({header(), entry("GUDAR Book Quiz", {{"50% (1/2)", "Chapter 1"}})});
  send();
  ASSERT_EQ(t.dialogs->messages.size(), 2u);
  EXPECT_EQ(t.dialogs->messages[0].title, "Web Based Email");
  EXPECT_EQ(t.dialogs->messages[0].style, 0);
  EXPECT_EQ(t.dialogs->messages[0].text,
            "We will now launch a web browser.  Please go to your email service provider and log "
            "into your email account.");
  EXPECT_EQ(t.dialogs->messages[1].title, "Web Based Email");
  EXPECT_EQ(t.dialogs->messages[1].text,
            "You will now have to create an email to your instructor. Click in the text area of "
            "your message and select the Paste option under the edit menu. This will paste your "
            "score into your email.  Make sure you have entered your instructors email address "
            "in the to field.  Click Send and you are finished!");
  EXPECT_EQ(t.current.read("instructions.htm"),
            "<html><head><title>Web Based Email Intructions</title></head><body><p><font "
            "color=\"#0000FF\">Velto Software Web Based Email Instructions</p><p>1. Please go to "
            "your email service provider and log into your email account.</p><p>2. You will then "
            "have to create an email to your instructor. Click in the text area of your message "
            "and select the Paste option under the edit menu. This will paste your score into "
            "your email. </p><p>3. Make sure you have entered your instructors email address in "
            "the to field.</p><p>4. Click Send and you are finished!</font></p></body></html>\r\n");
  ASSERT_EQ(t.shell->opened.size(), 1u);
  EXPECT_EQ(t.shell->opened[0].target, t.current / "instructions.htm");
  EXPECT_EQ(t.shell->opened[0].show, 1);
  EXPECT_EQ(t.clipboard->text(), kExampleReport);
}

TEST_F(HistoryMail, OnlyTheExactWordWebChoosesWebMail) {
  t.g().mail_type = "Web";
  write_history({header(), entry("GUDAR Book Quiz", {{"50% (1/2)", "Chapter 1"}})});
  send();
  ASSERT_EQ(t.shell->opened.size(), 1u);
  EXPECT_EQ(t.shell->opened[0].target.rfind("mailto:?subject=", 0), 0u);
  EXPECT_TRUE(t.dialogs->messages.empty());
}

TEST_F(HistoryMail, ThousandCharactersIsTheLastLengthForAMailLink) {
  // The report grows one character with each character of the category's name.
  const std::string base =
      reduce_history(header() + entry("GUDAR Book Quiz", {{"50% (1/2)", ""}})).text;
  const std::string name(static_cast<size_t>(1000 - len(base)), 'c');
  write_history({header(), entry("GUDAR Book Quiz", {{"50% (1/2)", name}})});
  send();
  ASSERT_EQ(t.shell->opened.size(), 1u);
  EXPECT_EQ(t.shell->opened[0].target.rfind("mailto:", 0), 0u);
  EXPECT_TRUE(t.dialogs->messages.empty());

  write_history({header(), entry("GUDAR Book Quiz", {{"50% (1/2)", name + "c"}})});
  send();
  ASSERT_EQ(t.shell->opened.size(), 2u);
  EXPECT_EQ(t.shell->opened[1].target, t.current / "instructions.htm");
  ASSERT_EQ(t.dialogs->messages.size(), 3u);
  EXPECT_EQ(t.dialogs->messages[0].title, "Prepvant");
  EXPECT_EQ(t.dialogs->messages[0].text,
            "Your message is longer than 1000 characters and cannot be launched in Outlook. "
            "Please use your web based email account or open Outlook and paste the message text "
            "into a new mail message by selecting Paste from the Edit menu.");
  EXPECT_EQ(len(t.clipboard->text()), 1001);
}

TEST_F(HistoryMail, MissingFileShowsTheBoxAndNothingElse) {
  t.clipboard->set_text("kept");
  send();
  ASSERT_EQ(t.dialogs->messages.size(), 1u);
  EXPECT_EQ(t.dialogs->messages[0].title, "No History File");
  EXPECT_EQ(t.dialogs->messages[0].style, 0);
  EXPECT_EQ(t.dialogs->messages[0].text,
            "  You currently do not have a history file.  This can happen if you\r\n have not "
            "yet taken a practice test, or you do not have the correct name below.");
  EXPECT_TRUE(t.shell->opened.empty());
  EXPECT_EQ(t.clipboard->text(), "kept");
  EXPECT_FALSE(t.current.exists("instructions.htm"));
}

TEST_F(HistoryMail, NameIsTrimmedToFindTheFile) {
  t.g().student_name = "  ANN ";
  write_history({header(), entry("GUDAR Book Quiz", {})});
  send();
  EXPECT_EQ(t.shell->opened.size(), 1u);
  EXPECT_TRUE(t.dialogs->messages.empty());
}

TEST_F(HistoryMail, LinkEscapesWhatWouldCutTheBodyOrTheAddress) {
  write_history(
      {header("Ann & Bob #1"), entry("GUDAR Book Quiz", {{"50% (1/2)", "Réseaux & #2"}})});
  send();
  ASSERT_EQ(t.shell->opened.size(), 1u);
  const std::string& link = t.shell->opened[0].target;
  EXPECT_EQ(link.rfind("mailto:?subject= History Report for Ann %26 Bob %231 &BODY=", 0), 0u);
  EXPECT_NE(link.find("%09R%C3%A9seaux %26 %232%0d%0a"), std::string::npos);
  EXPECT_EQ(link.find('#'), std::string::npos);
}

TEST(HistoryReduction, EntriesKeepTheirOwnRowsAndAreAllIncluded) {
  const std::string h =
      header() + entry("GUDAR Book Quiz", {{"100% (2/2)", "Chapter 1"}}, "100", "(2/2)") +
      entry("GUDAR Combo", {{"0% (0/1)", "Chapter 2"}, {"0% (0/1)", "Chapter 3"}}, "0", "(0/2)") +
      entry("GUDAR CD Quiz", {}, "75", "(3/4)");
  EXPECT_EQ(
      reduce_history(h).text,
      " History Report for ANN \r\nSample Title\r\nBest Possible Result 100%\r\n\r\n"
      "\r\nQuiz Results:\r\n 100%  (2/2)  -  Date: 12/9/2026 4:16:33 AM\r\n"
      "Module Results:\r\n%\t\t\tExam Module\r\n\r\n100% (2/2)\tChapter 1\r\n"
      "\r\nGUDAR Combo Results:\r\n 0%  (0/2)  -  Date: 12/9/2026 4:16:33 AM\r\n"
      "Module Results:\r\n%\t\t\tExam Module\r\n\r\n0% (0/1)\tChapter 2\r\n0% (0/1)\tChapter 3\r\n"
      "\r\nQuiz Results:\r\n 75%  (3/4)  -  Date: 12/9/2026 4:16:33 AM\r\n"
      "\r\nEnd of History Report");
}

TEST(HistoryReduction, NoEntriesGivesTheHeadAndTheEnd) {
  EXPECT_EQ(reduce_history(header()).text,
            " History Report for ANN \r\nSample Title\r\nBest Possible Result 100%\r\n\r\n\r\n"
            "End of History Report");
}

TEST(HistoryReduction, DamagedHistoriesStillGiveAReport) {
  // No head markers at all.
  EXPECT_EQ(reduce_history("just some text").text, "\r\n\r\n\r\n\r\n\r\nEnd of History Report");
  EXPECT_EQ(reduce_history("").text, "\r\n\r\n\r\n\r\n\r\nEnd of History Report");
  // An entry cut before its bar: its text up to its end.
  EXPECT_EQ(reduce_history(header() + "<p><b> Book Quiz Results:</b><br> 50%").text,
            " History Report for ANN \r\nSample Title\r\nBest Possible Result 100%\r\n\r\n"
            "\r\nQuiz Results:\r\n 50%\r\n\r\nEnd of History Report");
  // A table whose heading and end are missing, and a row cut short.
  const std::string cut = header() +
                          "<p><b> Book Quiz Results:</b><br> 50%<hr align=left> Module Results"
                          "<tr><td  align=center>50%</td><td>Chapter 1</td></tr>"
                          "<tr><td  align=center>0%";
  EXPECT_EQ(reduce_history(cut).text,
            " History Report for ANN \r\nSample Title\r\nBest Possible Result 100%\r\n\r\n"
            "\r\nQuiz Results:\r\n 50%\r\nModule Results\r\n%\t\t\tExam Module\r\n\r\n"
            "50%\tChapter 1\r\n\r\nEnd of History Report");
  // A title without "Quiz" and without the entry's markers.
  EXPECT_EQ(reduce_history("<p><b>   Full Exam").text,
            "\r\n\r\n\r\n\r\n\r\nFull Exam\r\n\r\nEnd of History Report");
  // A second cell never closed ends at the table's end.
  EXPECT_EQ(
      reduce_history("<p><b>Quiz<hr align><b>Module</b><td  align=center>1</td><td>two</table>")
          .text,
      "\r\n\r\n\r\n\r\n\r\nQuiz\r\nModule\r\n%\t\t\tExam Module\r\n\r\n1\ttwo\r\n\r\nEnd of "
      "History Report");
}

}  // namespace
}  // namespace pv
