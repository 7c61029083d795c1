#include "core/fragments.hpp"

#include <gtest/gtest.h>

#include "platform/filesystem.hpp"
#include "support/test_program.hpp"

namespace pv {
namespace {

using testing::TestProgram;

class IniResults : public ::testing::Test {
 protected:
  std::string out_ini() { return t.program_folder.path() + "out.ini"; }
  std::string read(const std::string& section, const std::string& key) {
    return read_out_ini(t.sys(), section, key);
  }
  TestProgram t;
};

TEST_F(IniResults, ValuesAsTheExercisePrograms) {
  t.program_folder.write("out.ini",
                         "[Answer]\r\nresult=Success\r\nspaced =   Success  \r\nempty=\r\n"
                         "quoted=\"  two words \"\r\nsingle='x'\r\nhalf=\"x\r\n[general]\r\n"
                         "Hostname = Router1\r\n");
  EXPECT_EQ(read("Answer", "result"), "Success");
  EXPECT_EQ(read("Answer", "spaced"), "Success");
  EXPECT_EQ(read("Answer", "empty"), "");
  EXPECT_EQ(read("Answer", "quoted"), "two words ");  // the buffer keeps a quoted trailing blank
  EXPECT_EQ(read("Answer", "single"), "x");
  EXPECT_EQ(read("Answer", "half"), "\"x");
  EXPECT_EQ(read("ANSWER", "RESULT"), "Success");
  EXPECT_EQ(read("general", "hostname"), "Router1");
}

TEST_F(IniResults, MissingFileSectionOrKeyGivesThePath) {
  const std::string path = out_ini();
  ASSERT_LE(path.size(), 59u);
  EXPECT_EQ(read("Answer", "result"), path);
  t.program_folder.write("out.ini", "[Answer]\r\nresult=Success\r\n");
  EXPECT_EQ(read("Other", "result"), path);
  EXPECT_EQ(read("Answer", "other"), path);
  EXPECT_EQ(read("general", "result"), path);
}

TEST_F(IniResults, LongTextsAreCutTo59Characters) {
  const std::string long_value(80, 'v');
  t.program_folder.write("out.ini", "[Answer]\nresult=" + long_value + "\n");
  EXPECT_EQ(read("Answer", "result"), std::string(59, 'v'));
  t.program_folder.write("out.ini", "[Answer]\nresult=" + std::string(58, 'v') + "é\n");
  EXPECT_EQ(read("Answer", "result"), std::string(58, 'v') + "é");

  const std::string folder = t.current.path() + std::string(70, 'f') + "/";
  make_folders(*t.files, folder);
  const std::string file = folder + "Sims\\OUT.ini";
  EXPECT_EQ(read_ini_value(t.sys(), "Answer", "result", file), file.substr(0, 59));
}

TEST_F(IniResults, LineEndsOfEveryKind) {
  for (const std::string end : {"\r\n", "\r", "\n"}) {
    t.program_folder.write("out.ini",
                           "; verdict" + end + "[Answer]" + end + "result=Success" + end);
    EXPECT_EQ(read("Answer", "result"), "Success") << static_cast<int>(end[0]);
  }
}

TEST_F(IniResults, FileRewrittenBetweenReadsIsReadAgain) {
  t.program_folder.write("out.ini", "[Answer]\r\nresult=Failure\r\n");
  EXPECT_EQ(read("Answer", "result"), "Failure");
  t.program_folder.write("out.ini", "[Answer]\r\nresult=Success\r\n");
  EXPECT_EQ(read("Answer", "result"), "Success");
}

TEST_F(IniResults, SimsFileFoundWhateverItsLetterCase) {
  make_folders(*t.files, t.program_folder / "Sims");
  t.program_folder.write("Sims/OUT.ini", "[answer]\r\nRESULT=Success\r\n");
  EXPECT_EQ(read_ini_value(t.sys(), "Answer", "result", t.program_folder / "sims\\out.ini"),
            "Success");
}

TEST(PlayMedia, SendsThePlayCommandUnquoted) {
  TestProgram t;
  t.media->result = 275;  // refused: nothing is shown
  play_media(t.sys(), "tutor videos/lesson 1.wmv");
  ASSERT_EQ(t.media->commands.size(), 1u);
  EXPECT_EQ(t.media->commands[0], "play tutor videos/lesson 1.wmv  ");
  EXPECT_TRUE(t.dialogs->messages.empty());
}

TEST(PageFragments, MediaPlayerBlock) {
  for (const std::string file : {"http://example.org/a.wmv", "say \"hi\" & <go>.avi", ""}) {
    EXPECT_EQ(media_player_html(file),
              "<center>\r\n"
              "<object classid=\"clsid:22D6F312-B0F6-11D0-94AB-0080C74C7E95\" "
              "id=\"MediaPlayer1\">\r\n"
              "  <param name=\"AutoStart\" value=\"0\">\r\n"
              "  <param name=\"Filename\" value=\"" +
                  file +
                  "\">\r\n"
                  "</object>\r\n"
                  "</center>\r\n");
  }
}

TEST(PageFragments, NoSelectScriptShape) {
  const std::string s = no_select_script();
  EXPECT_EQ(s, no_select_script());
  EXPECT_EQ(s.size(), 1155u);
  const auto lines = split_lines(s);
  ASSERT_EQ(lines.size(), 65u);
  EXPECT_EQ(join_lines(lines), s);  // every line ends with CR LF, no stray CR or LF
  EXPECT_EQ(lines[0], "<script language=JavaScript>");
  EXPECT_EQ(lines[1], "<!--");
  EXPECT_EQ(lines[63], "</script>");
  EXPECT_EQ(lines[64], "");
  const auto second = std::find(lines.begin(), lines.end(), "<script language='JavaScript1.2'>");
  ASSERT_NE(second, lines.end());
  EXPECT_EQ(*(second - 1), "</script>");
  EXPECT_EQ(*(second - 2), "// -->");
  for (const char* part :
       {"\"Function Disabled!\"", "event.button == 2", "e.which == 2 || e.which == 3",
        "window.onerror =", "document.captureEvents(Event.MOUSEDOWN);",
        "document.all && !document.getElementById", "document.oncontextmenu =",
        "document.onselectstart =", "if (window.sidebar)", "document.onclick ="})
    EXPECT_NE(s.find(part), std::string::npos) << part;
  // The message is never shown.
  for (const auto& line : lines)
    if (line.find("alert(") != std::string::npos) {
      EXPECT_EQ(line.find("//"), line.find_first_not_of(' '));
    }
}

}  // namespace
}  // namespace pv
