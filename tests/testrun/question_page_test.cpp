// Whole question pages, byte for byte, for every answer widget and section, and the head
// file installed beside the program.
#include "testrun/question_page.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/shared.hpp"
#include "platform/filesystem.hpp"
#include "support/test_program.hpp"

namespace pv {
namespace {

const std::string kMedia = "/opt/prepvant/pb_gudar/";

// The style block for 12-point Arial.
const std::string kStyle =
    "\r\n<style>\r\nBODY{font-size: 12 pt}\r\nTABLE{font-size: 12 pt}\r\n"
    "BODY{font-family:Arial}\r\n</style>\r\n";
const std::string kTableOpen =
    "<table border=0 cellpadding=0 cellspacing=0 width=100% height=100% >"
    "<tr><td align=top height=2></td></tr><tr><td valign=top>";
const std::string kScripts =
    "<script language=vbscript>\r\nOn Error Resume Next\r\ndim myDoc\r\n"
    "myDoc = document.frm.elements(0).type\r\nif myDoc = \"button\" then \r\n"
    "document.frm.NEXT.focus\r\nelse\r\ndocument.frm.elements(0).focus\r\nend if\r\n</script>"
    "<script language=javascript>\r\nFunction myfunction()\r\n{\r\nreturn 0;\r\n};\r\n"
    "</script>\r\n\r\n";
const std::string kHint = "<br><center><b>Please Scroll Down to See Exhibits and/or Diagrams";

std::string page(const std::string& question, const std::string& answers,
                 const std::string& instruction, const std::string& sections = "",
                 const std::string& style = kStyle) {
  return style + kTableOpen + question + "<p>" + answers + "</td></tr><tr><td ><p align=center>" +
         instruction + "<zzexplanation></td></tr></td></tr></table>\r\n" + kScripts + sections +
         "</BODY>";
}

struct PageCase {
  const char* name;
  std::function<void(Shared&, QuestionRecord&)> arrange;
  std::string expected;
};

// Question 2 of a test: three answers, the second one marked earlier.
void three_answers(Shared& g, QuestionRecord& q) {
  g.answer_count = 3;
  q.Question = "Which layer routes packets?";
  q.Answer[1] = "Transport";
  q.Answer[2] = "Network";
  q.Answer[3] = "Session";
  q.Choice[2] = 1;
}

const std::string kThreeRadios =
    "<SCRIPT LANGUAGE=VBScript>\r\nvarcount=3\r\n questiontype=\"radio\" </SCRIPT>\r\n"
    "\r\n<input  type=radio accesskey=\"a\"  name=\"radio1\" value=V1>A.\tTransport</option><br>"
    "\r\n<input checked type=radio accesskey=\"b\"  name=\"radio1\" value=V2>B.\tNetwork"
    "</option><br>"
    "\r\n<input  type=radio accesskey=\"c\"  name=\"radio1\" value=V3>C.\tSession</option><br>";
const std::string kThreeBoxes =
    "<SCRIPT LANGUAGE=VBScript>\r\nvarcount=3\r\n questiontype=\"multiple\" </SCRIPT>\r\n"
    "<input type=checkbox accesskey=\"a\"  name=ans1 value=1>A.\tTransport</option><br>\r\n"
    "<input type=checkbox accesskey=\"b\" checked name=ans2 value=2>B.\tNetwork</option><br>\r\n"
    "<input type=checkbox accesskey=\"c\"  name=ans3 value=3>C.\tSession</option><br>\r\n";
const std::string kQ2 = " 2.) Which layer routes packets?";

std::vector<PageCase> page_cases() {
  return {
      {"radio", [](Shared& g, QuestionRecord& q) { three_answers(g, q); },
       page(kQ2, kThreeRadios, "Select the 1 Best Answer.")},
      {"radio_without_count",
       [](Shared& g, QuestionRecord& q) {
         three_answers(g, q);
         g.show_num_answers = 0;
       },
       page(kQ2, kThreeRadios, "Select the correct answer.")},
      {"check_box",
       [](Shared& g, QuestionRecord& q) {
         three_answers(g, q);
         g.widget_kind = "Check_Box";
         g.correct_count = 2;
       },
       page(kQ2, kThreeBoxes, "Select the 2 Best Answers.")},
      {"check_box_without_count",
       [](Shared& g, QuestionRecord& q) {
         three_answers(g, q);
         g.widget_kind = "Check_Box";
         g.correct_count = 2;
         g.show_num_answers = 0;
       },
       page(kQ2, kThreeBoxes, "Select the correct answers.")},
      {"fill_in_reply_as_typed_and_escaped",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Fill_In";
         q.Question = "Type the command.";
         g.current_question.Reply = "say \"hi\" & <b>it's</b>";
       },
       page(" 2.) Type the command.",
            "<SCRIPT LANGUAGE=VBScript>\r\nvarcount=1 \r\n questiontype=\"fill\" </SCRIPT>\r\n"
            "<p>&nbsp;</p><p align=center><input type=text name=txt_fill size=40 "
            "value=\"say &quot;hi&quot; &amp; &lt;b&gt;it&#39;s&lt;/b&gt;\"></p "
            "onblur=alert(\"hi\")>"
            "<p align=center><b>Please Type Answer In Box Above</b></p><br>",
            "Type the answer into the box")},
      {"drag_and_drop",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Drag_Drop";
         q.Question = "Order the layers.";
         q.Answer[1] = "7";
         g.current_question.DiagramFile[1] = "xxxdnd";
       },
       page(" 2.) Order the layers.", "", "Click the Next button when finished")},
      {"simulator",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Sim";
         q.Question = "Name the router.";
         g.current_question.DiagramFile[1] = "xxsim";
         g.current_question.ExhibitFile[2] = "3550";
       },
       page(" 2.) Name the router.", "", "Complete the Task Using the Simulator")},
      {"exhibit_and_third_diagram",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Drag_Drop";
         q.Question = "Q";
         g.current_question.ExhibitFile[1] = "ex7.Txt";
         g.current_question.DiagramFile[2] = "2950";
         g.current_question.DiagramFile[3] = "net.gif";
       },
       page(" 2.) Q", "", "Click the Next button when finished" + kHint,
            "<hr><a href=\"javascript:; void(' ');\"id=\"Exhibit1\"onclick=myfunction()>"
            "Exhibit #  1 Click Here</a><br>"
            "<hr>Diagram  3<br><img src=\"" +
                kMedia + "net.gif\"><p>")},
      {"exhibit_that_is_no_text_file",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Drag_Drop";
         q.Question = "Q";
         g.current_question.ExhibitFile[1] = "ex7.gif";
         g.current_question.DiagramFile[1] = "1900";
       },
       page(" 2.) Q", "", "Click the Next button when finished")},
      {"font_size_zero_reads_as_twelve",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Drag_Drop";
         g.page_font_size = 0;
         g.page_font_name = "Times New Roman";
         q.Question = "Q";
       },
       page(" 2.) Q", "", "Click the Next button when finished", "",
            "\r\n<style>\r\nBODY{font-size: 12 pt}\r\nTABLE{font-size: 12 pt}\r\n"
            "BODY{font-family:Times New Roman}\r\n</style>\r\n")},
      {"first_picture_of_each_text",
       [](Shared& g, QuestionRecord& q) {
         g.answer_count = 2;
         q.Question = "See <img src=\"a.gif\"> and <img src=\"b.gif\">";
         q.Answer[1] = "<img src = \"c.gif\">";
         q.Answer[2] = "<IMG SRC=\"d.gif\">";
       },
       page(" 2.) See <img src=\"" + kMedia + "a.gif\"> and <img src=\"b.gif\">",
            "<SCRIPT LANGUAGE=VBScript>\r\nvarcount=2\r\n questiontype=\"radio\" </SCRIPT>\r\n"
            "\r\n<input  type=radio accesskey=\"a\"  name=\"radio1\" value=V1>A.\t<img src = \"" +
                kMedia +
                "c.gif\"></option><br>"
                "\r\n<input  type=radio accesskey=\"b\"  name=\"radio1\" value=V2>B.\t"
                "<IMG SRC=\"d.gif\"></option><br>",
            "Select the 1 Best Answer.")},
      {"tutor_video_gets_its_extension",
       [](Shared& g, QuestionRecord& q) {
         g.widget_kind = "Drag_Drop";
         q.Question = "Q";
         q.TutorVideo = "intro";
       },
       page(" 2.) Q", "",
            "Click the Next button when finished<br><center><b>Please Scroll Down to See Online "
            "Tutor",
            "<hr>\r\n<a target=\"_blank\" href=\"https://media.pelmabooks.example/tests/46000/"
            "intro.wmv\"> \r\nClick Here to View the Online Tutor</a>\r\n")},
  };
}

class QuestionPage : public ::testing::TestWithParam<PageCase> {};

TEST_P(QuestionPage, IsWrittenByteForByte) {
  auto g = std::make_unique<Shared>();
  g->widget_kind = "Radio_Button";
  g->question_counter = 2;
  g->show_num_answers = 1;
  g->page_font_size = 12;
  g->page_font_name = "Arial";
  g->media_folder = kMedia;
  g->part_number = "46000";
  const char* labels[] = {"", "A.\t", "B.\t", "C.\t", "D.\t", "E.\t", "F.\t"};
  for (int i = 1; i <= 6; ++i) g->answer_labels[i] = labels[i];
  QuestionRecord& q = g->current_question;
  GetParam().arrange(*g, q);
  EXPECT_EQ(build_question_html(*g, q), GetParam().expected);
  EXPECT_EQ(g->page_font_size, 12);
}

std::string case_name(const ::testing::TestParamInfo<PageCase>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, QuestionPage, ::testing::ValuesIn(page_cases()), case_name);

TEST(QuestionPageHead, TheShippedFileOpensTheFormThatNeverSubmits) {
  testing::TestProgram t;
  t.g().app_folder = t.program_folder.path();
  const DiskFileSystem disk("/", "/");
  t.program_folder.write("q_bottom.ini",
                         disk.read_all(PREPVANT_SOURCE_DIR "/product/q_bottom.ini"));
  const std::string head = read_q_bottom(t.sys());
  EXPECT_EQ(head, built_in_q_bottom());
  EXPECT_EQ(head.substr(0, 2), "\r\n");
  EXPECT_NE(head.substr(head.size() - 2), "\r\n");
  EXPECT_NE(head.find("\r\n<form name=frm onsubmit=\"return false\">\r\n"), std::string::npos);
  EXPECT_NE(head.find("<input type=button name=NEXT "), std::string::npos);

  t.program_folder.write("q_bottom.ini", "first\nsecond\r\n");
  EXPECT_EQ(read_q_bottom(t.sys()), "\r\nfirst\r\nsecond");
  t.program_folder.write("q_bottom.ini", "");
  EXPECT_EQ(read_q_bottom(t.sys()), "");
}

TEST(QuestionPageHead, EveryProductHasItsMediaFolderWithTheBlankPage) {
  for (const char* folder : {"pb_gudar", "pb_varb", "pb_holmi", "pb_zum", "pb_jeko", "pb_piral",
                             "pb_wob", "pb_solk_flash"}) {
    const std::string built = std::string(PREPVANT_BINARY_DIR) + "/" + folder + "/blank.htm";
    DiskFileSystem files(PREPVANT_BINARY_DIR, PREPVANT_BINARY_DIR);
    EXPECT_TRUE(files.exists(built)) << built;
  }
}

}  // namespace
}  // namespace pv
