#include "testrun/theanswer.hpp"

#include <cmath>
#include <memory>

#include "core/documents.hpp"
#include "core/fragments.hpp"
#include "core/layout.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
#include "platform/printer.hpp"
#include "platform/vbtext.hpp"
#include "testrun/html_event.hpp"
#include "testrun/quest.hpp"
#include "testrun/question_page.hpp"
#include "testrun/written_page.hpp"

namespace pv {
namespace {

constexpr float kMinHeight = 6960;
constexpr float kMinWidth = 9540;
constexpr char kQ = '"';

bool is_task_marker(const std::string& name) {
  return name == "xxsim" || name == "xxxdnd" || name == "xxxmssim" || name == "xxxmssim2";
}

// The test window's Next button, when the test window is loaded: a window that is not
// loaded is left so, as after the score report.
CommandButton* next_button(System& sys) {
  quest* q = sys.forms.find<quest>();
  return q != nullptr && q->is_loaded() ? &q->cmd_buttons[0] : nullptr;
}

std::string diagram_blocks(const Shared& g, const QuestionRecord& q) {
  std::string s;
  for (int i = 1; i <= 3; ++i) {
    const std::string& file = q.DiagramFile[i];
    if (trim(file).empty() || is_task_marker(file)) continue;
    s += vbCrLf;
    s += "<hr>Diagram " + str(int64_t{i}) + "<br>";
    s += vbCrLf;
    s += std::string("<img src=") + kQ + g.media_folder + file + kQ + "><p>";
  }
  return s;
}

std::string tutor_block(const Shared& g, const std::string& video) {
  std::string address = std::string(kTutorServer) + "/tests/" + g.part_number + "/" + video;
  const std::string upper = ucase(video);
  if (upper.find(".WMV") == std::string::npos && upper.find(".WAV") == std::string::npos)
    address += ".wmv";
  return (g.embed_tutor != 0 ? std::string(vbCrLf) : std::string()) + tutor_links(g, address);
}

constexpr const char* kScript =
    "<script language=javascript>\r\n"
    "Function myfunction()\r\n"
    "{\r\n"
    "return 0;\r\n"
    "};\r\n"
    "</script>\r\n";

}  // namespace

theanswer::theanswer(System& system) : SystemForm(system, "theanswer") {
  // The client area is 9450 by 6645.
  design(0, 0, 9570, 7065, "The Answer");
  design_back_color(rgb(46, 118, 171));
  text1.move(120, 120, 9255, 5415);
  Frame1.move(98, 5520, 9255, 1095);
  Frame1.back_color = rgb(46, 118, 171);
  Frame1.border_style = 0;
  for (Control* c : {static_cast<Control*>(&Command1), static_cast<Control*>(&webcmd),
                     static_cast<Control*>(&Command2), static_cast<Control*>(&cmdtutor),
                     static_cast<Control*>(&Closeb)})
    c->container = &Frame1;
  Command1.caption = "&E-mail feedback to author";
  Command1.move(120, 240, 3615, 375);
  Command1.visible = false;
  webcmd.caption = "&Jump to WEB Link";
  webcmd.move(120, 600, 3615, 375);
  Command2.caption = "&Print";
  Command2.move(4080, 360, 1095, 495);
  cmdtutor.caption = "Online Tutor";
  cmdtutor.tooltip = "Launches a web browser for a brief presentation.";
  cmdtutor.font.bold = true;
  cmdtutor.move(5520, 360, 1095, 495);
  Closeb.caption = "&Close";
  Closeb.font.bold = true;
  Closeb.move(7080, 360, 2055, 495);
  Frame1.tab_index = 0;
  Closeb.tab_index = 1;
  cmdtutor.tab_index = 2;
  Command2.tab_index = 3;
  webcmd.tab_index = 4;
  Command1.tab_index = 5;
  text1.tab_index = 6;
  add_all(text1, Frame1, Command1, webcmd, Command2, cmdtutor, Closeb);
  Command2.on_click = [this] { Command2_Click(); };
  Closeb.on_click = [this] { Closeb_Click(); };
  webcmd.on_click = [this] { webcmd_Click(); };
  text1.on_navigate_complete = [this] { g.page_loaded = vbTrue; };
}

void theanswer::Form_Load() {
  skip([&] { cmdtutor.visible = false; });
  skip([&] {
    if (g.answer_submitted != vbTrue) return;
    if (CommandButton* next = next_button(sys)) next->enabled = false;
    g.answer_submitted = 0;
  });
  skip([&] {
    browser_top = text1.top;
    browser_left = text1.left;
    width_margin = std::nearbyint(width() - text1.width);
    height_margin = std::nearbyint(height() - text1.height);
    frame_bottom = std::nearbyint(height() - Frame1.top);
  });
  skip([&] { center_form(*this); });
}

void theanswer::Form_Resize() {
  if (window_state() == vbMinimized) return;
  hold_minimum_size(kMinWidth, kMinHeight);
  const float h = height(), w = width();
  skip([&] { text1.move(browser_left, browser_top, w - width_margin, h - height_margin); });
  skip([&] { Frame1.move((w - Frame1.width) / 2, h - frame_bottom); });
}

void theanswer::set_wow_explanation_html(std::string& htm) {
  const QuestionRecord& q = g.current_question;
  skip([&] {
    if (g.page_font_size < 1) g.page_font_size = 12;
  });
  skip([&] { htm = style_block(g) + htm; });
  skip([&] { htm += "<br><br> QID: " + cstr(int64_t{q.Number}) + " " + g.product_title; });
  skip([&] { htm += diagram_blocks(g, q); });
  skip([&] {
    if (!trim(q.TutorVideo).empty()) htm += tutor_block(g, q.TutorVideo);
  });
  skip([&] { htm += kScript; });
  if (!show_written_page(sys, *this, text1, true, htm, "set_wow_explanation_html()",
                         "theanswer.frm"))
    return;
  hook_exhibit_links();
}

void theanswer::hook_exhibit_links() {
  HtmlDocument& doc = text1.document;
  for (int k = 1; k <= 3; ++k) {
    const std::string id = "Exhibit" + std::to_string(k);
    if (doc.element_by_id(id) == nullptr) continue;  // the sink is simply dropped
    auto sink = std::make_shared<clsHTMLEvent>();
    sink->Event_Details(
        [this](const std::string& method, std::string& arg) {
          if (method != "HTML_Click1") raise_error(5);
          HTML_Click1(arg);
        },
        "HTML_Click1", std::to_string(k));
    doc.set_on_click(id, [sink] { sink->HTML_Event(); });
  }
}

void theanswer::HTML_Click1(const std::string& which) {
  skip([&] {
    int n = 0;
    if (which == "1") n = 1;
    if (which == "2") n = 2;
    if (which == "3") n = 3;
    if (n == 0) return;
    const std::string& name = g.current_question.ExhibitFile[n];
    if (trim(name).empty()) return;  // the media folder itself is no exhibit
    shell_open(sys, *this, g.media_folder + name, 1);
  });
}

void theanswer::Command2_Click() {
  try {
    text1.print(sys.printer);
  } catch (const RuntimeError&) {
    sys.dialogs.msgbox("Printing Error - 15DEC02.", vbOKOnly, "Printing Error");
  }
}

void theanswer::Closeb_Click() {
  skip([&] {
    if (CommandButton* next = next_button(sys)) next->enabled = true;
  });
  skip([&] { hide(); });
}

void theanswer::webcmd_Click() {
  skip([&] { shell_open(sys, *this, g.explanation_web_link, 1); });
}

}  // namespace pv
