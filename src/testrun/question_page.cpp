#include "testrun/question_page.hpp"

#include <array>

#include "core/fragments.hpp"
#include "core/system.hpp"
#include "platform/filesystem.hpp"
#include "platform/html_parser.hpp"
#include "platform/vbtext.hpp"

namespace pv {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr char kQ = '"';

// The lines of the shipped "q_bottom.ini": the form "frm" that holds the inputs, which
// never submits, and its hidden button "NEXT" that the focus script looks for.
constexpr std::array<std::string_view, 4> kQBottomLines = {
    "<meta charset=\"utf-8\">",
    "<body bgcolor=\"#FFFFFF\">",
    "<form name=frm onsubmit=\"return false\">",
    "<input type=button name=NEXT value=\"Next\" style=\"display:none\">",
};

std::string access_letter(const Shared& g, int i) {
  return lcase(left(g.answer_labels[i], 1));
}

std::string kind_script(const std::string& count, const char* type) {
  std::string s = "<SCRIPT LANGUAGE=VBScript>";
  s += kCrLf;
  s += "varcount=" + count;
  s += kCrLf;
  s += std::string(" questiontype=") + kQ + type + kQ + " </SCRIPT>";
  s += kCrLf;
  return s;
}

std::string radio_block(const Shared& g, const QuestionRecord& q) {
  std::string s = kind_script(cstr(int64_t{g.answer_count}), "radio");
  for (int i = 1; i <= g.answer_count; ++i) {
    s += kCrLf;
    s += "<input ";
    if (q.Choice[i] == 1) s += "checked";
    s += std::string(" type=radio accesskey=") + kQ + access_letter(g, i) + kQ + " ";
    s += std::string(" name=") + kQ + "radio1" + kQ + " value=V" + cstr(int64_t{i}) + ">";
    s += g.answer_labels[i] + q.Answer[i] + "</option><br>";
  }
  return s;
}

std::string check_box_block(const Shared& g, const QuestionRecord& q) {
  std::string s = kind_script(cstr(int64_t{g.answer_count}), "multiple");
  for (int i = 1; i <= g.answer_count; ++i) {
    const std::string n = cstr(int64_t{i});
    s += std::string("<input type=checkbox accesskey=") + kQ + access_letter(g, i) + kQ + " ";
    if (q.Choice[i] == 1) s += "checked";
    s += " name=ans" + n + " value=" + n + ">";
    s += g.answer_labels[i] + q.Answer[i] + "</option><br>";
    s += kCrLf;
  }
  return s;
}

// The typed reply as typed: quotes and apostrophes written as entities, so that the field
// shows it whole after Back (a reply stripped of them would be graded anew as typed
// without them) and no typed text can end the attribute or add markup.
std::string fill_in_value(const std::string& reply) {
  return html_escaped(reply);
}

std::string fill_in_block(const Shared& g) {
  std::string s = kind_script("1 ", "fill");
  s += "<p>&nbsp;</p>";
  s += std::string("<p align=center><input type=text name=txt_fill size=40 value=") + kQ +
       fill_in_value(g.current_question.Reply) + kQ + "></p onblur=alert(" + kQ + "hi" + kQ + ")>";
  s += "<p align=center><b>Please Type Answer In Box Above</b></p>";
  s += "<br>";
  return s;
}

std::string answer_block(const Shared& g, const QuestionRecord& q) {
  if (g.widget_kind == "Radio_Button") return radio_block(g, q);
  if (g.widget_kind == "Check_Box") return check_box_block(g, q);
  if (g.widget_kind == "Fill_In") return fill_in_block(g);
  return {};
}

std::string instruction(const Shared& g) {
  const std::string& kind = g.widget_kind;
  if (kind == "Radio_Button")
    return g.show_num_answers == 0 ? "Select the correct answer." : "Select the 1 Best Answer.";
  if (kind == "Check_Box")
    return g.show_num_answers == 0
               ? "Select the correct answers."
               : "Select the " + cstr(int64_t{g.correct_count}) + " Best Answers.";
  if (kind == "Fill_In") return "Type the answer into the box";
  if (kind == "Drag_Drop") return "Click the Next button when finished";
  if (kind == "MS_Sim" || kind == "MS_Sim2" || kind == "Sim")
    return "Complete the Task Using the Simulator";
  return {};
}

std::string focus_and_link_scripts() {
  std::string s = "<script language=vbscript>";
  for (const char* line :
       {"On Error Resume Next", "dim myDoc", "myDoc = document.frm.elements(0).type",
        "if myDoc = \"button\" then ", "document.frm.NEXT.focus", "else",
        "document.frm.elements(0).focus", "end if"}) {
    s += kCrLf;
    s += line;
  }
  s += kCrLf;
  s += "</script>";
  s += "<script language=javascript>";
  for (const char* line : {"Function myfunction()", "{", "return 0;", "};", "</script>", "", ""}) {
    s += kCrLf;
    s += line;
  }
  return s;
}

bool is_task_marker(const std::string& name) {
  return name == "xxsim" || name == "xxxdnd" || name == "xxxmssim" || name == "xxxmssim2";
}

constexpr const char* kScrollHint =
    "<br><center><b>Please Scroll Down to See Exhibits and/or Diagrams";

std::string tutor_address(const Shared& g, const std::string& video) {
  std::string address = std::string(kTutorServer) + "/tests/" + g.part_number + "/" + video;
  const std::string upper = ucase(video);
  if (upper.find(".WMV") == std::string::npos && upper.find(".WAV") == std::string::npos &&
      upper.find(".MP3") == std::string::npos)
    address += ".wmv";
  return address;
}

std::string tutor_section(const Shared& g, const std::string& video) {
  return tutor_links(g, tutor_address(g, video));
}

// The exhibit, diagram and tutor sections, and the scroll hints that point to them.
void sections(const Shared& g, const QuestionRecord& q, std::string& hint, std::string& out) {
  const QuestionRecord& shown = g.current_question;
  const std::string exhibit = trim(shown.ExhibitFile[1]);
  if (!exhibit.empty() && ucase(exhibit).find(".TXT") != std::string::npos) {
    hint = kScrollHint;
    out += std::string("<hr><a href=") + kQ + "javascript:; void(' ');" + kQ + "id=" + kQ +
           "Exhibit1" + kQ + "onclick=myfunction()>Exhibit # " + str(int64_t{1}) +
           " Click Here</a><br>";
  }
  for (int i = 1; i <= 3; ++i) {
    const std::string& diagram = shown.DiagramFile[i];
    if (trim(diagram).empty() || diagram == "1900" || diagram == "2950" || is_task_marker(diagram))
      continue;
    hint = kScrollHint;
    out += "<hr>Diagram " + str(int64_t{i}) + "<br><img src=" + kQ + media_file_path(g, diagram) +
           kQ + "><p>";
  }
  if (!trim(q.TutorVideo).empty()) {
    hint += "<br><center><b>Please Scroll Down to See Online Tutor";
    out += tutor_section(g, q.TutorVideo);
  }
}

}  // namespace

// The first "<img src" of a text gets the media folder after the quote that follows it.
void prefix_first_picture(const Shared& g, std::string& text) {
  const size_t at = text.find("<img src");
  if (at == std::string::npos) return;
  const size_t quote = text.find(kQ, at + 8);
  if (quote == std::string::npos) return;
  text.insert(quote + 1, g.media_folder);
}

std::string style_block(const Shared& g) {
  const std::string size = str(int64_t{g.page_font_size});
  std::string s;
  s += kCrLf;
  s += "<style>";
  s += kCrLf;
  s += "BODY{font-size:" + size + " pt}";
  s += kCrLf;
  s += "TABLE{font-size:" + size + " pt}";
  s += kCrLf;
  s += "BODY{font-family:" + g.page_font_name + "}";
  s += kCrLf;
  s += "</style>";
  s += kCrLf;
  return s;
}

std::string tutor_links(const Shared& g, const std::string& address) {
  std::string s;
  if (g.embed_tutor != 0) {
    s += "<hr>Click the Play Button to Start the Online Tutor<br><br>";
    s += kCrLf;
    s += media_player_html(address);
    s += kCrLf;
    s += std::string("<br><p align=") + kQ + "center" + kQ + ">";
    s += kCrLf;
    s += std::string("<a target=") + kQ + "_blank" + kQ + " href=" + kQ + kMediaPlayerPage + kQ +
         ">";
    s += kCrLf;
    s += "Click Here</a> If You Cannot See the Online Tutor</p>";
    s += kCrLf;
  } else {
    s += "<hr>";
    s += kCrLf;
    s += std::string("<a target=") + kQ + "_blank" + kQ + " href=" + kQ + address + kQ + "> ";
    s += kCrLf;
    s += "Click Here to View the Online Tutor</a>";
    s += kCrLf;
  }
  return s;
}

std::string read_q_bottom(System& sys) {
  std::string text;
  for (const std::string& line : read_lines(sys.files, sys.g.app_folder + "q_bottom.ini")) {
    text += kCrLf;
    text += line;
  }
  return text;
}

std::string built_in_q_bottom() {
  std::string text;
  for (std::string_view line : kQBottomLines) {
    text += kCrLf;
    text += line;
  }
  return text;
}

std::string build_tab_row(int16_t) {
  return "<tr><td align=top height=2></td></tr>";
}

std::string media_file_path(const Shared& g, const std::string& name) {
  return g.media_folder + name;
}

std::string build_question_html(Shared& g, QuestionRecord& q) {
  prefix_first_picture(g, q.Question);
  for (int i = 1; i <= 6; ++i) prefix_first_picture(g, q.Answer[i]);
  if (g.page_font_size < 1) g.page_font_size = 12;

  std::string hint, tail;
  sections(g, q, hint, tail);
  std::string s = style_block(g);
  s += "<table border=0 cellpadding=0 cellspacing=0 width=100% height=100% >";
  s += build_tab_row(1);
  s += "<tr><td valign=top>" + str(int64_t{g.question_counter}) + ".) " + q.Question + "<p>";
  s += answer_block(g, q);
  s += "</td></tr>";
  s += "<tr><td ><p align=center>" + instruction(g) + hint + "<zzexplanation>" + "</td></tr>" +
       "</td></tr></table>";
  s += kCrLf;
  s += focus_and_link_scripts();
  s += tail;
  s += "</BODY>";
  return s;
}

}  // namespace pv
