#include "testrun/quest.hpp"

#include <cmath>

#include "core/welcome.hpp"
#include "platform/error_log.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"

namespace pv {
namespace {

constexpr const char* kSource = "quest3.frm";
constexpr float kMinHeight = 6960;
constexpr float kMinWidth = 9540;
constexpr float kRightStrip = 140;  // free strip at the right of the score panel

void in_frame(Control& frame, std::initializer_list<Control*> controls) {
  for (Control* c : controls) c->container = &frame;
}

}  // namespace

quest::quest(System& system) : SystemForm(system, "quest") {
  design(0, 0, 10250, 7590, "");
  key_preview = true;
  place_controls();
  add_all(WebBrowser1, the_gauge, Gauge1, Label3, question_number, Label4, qid, Label2, score,
          Percent_Right, lbltimeleft, lbltime, Frame1, whatdoin);
  add_array(cmd_buttons);
  add_array(exhibitbutton);
  add_array(diagrambutton);
  add_all(Command1, cluebutton, cmdtutor, Frame2, Timer1);
  add_all(menu_file, menu_printquestion, menu_quittest, menu_exit, menu_format);
  add_array(menufont);
  add(menu_format_bar);
  add_array(menusize);
  add_all(menu_options, mnuSavefont, menu_showwrong, menu_showright, menu_shownumanswer,
          menu_backbutton, mnuEmbed, mnu_answer_position, mnu_answer_at_top, mnu_answer_at_bottom,
          menu_help, menu_about);
  wire_handlers();
}

void quest::place_controls() {
  WebBrowser1.move(0, 0, 9375, 5775);

  // The right-hand panel: question number, question id, live score and the gauge.
  Frame1.move(9360, 0, 735, 5775);
  in_frame(Frame1, {&Label3, &question_number, &Label4, &qid, &Label2, &score, &Percent_Right,
                    &Gauge1, &lbltimeleft, &lbltime});
  Label3.caption = "QUEST #";
  Label3.move(15, 240, 705, 195);
  question_number.move(15, 435, 705, 255);
  Label4.caption = "QID:";
  Label4.move(15, 810, 705, 195);
  qid.move(15, 1005, 705, 255);
  Label2.caption = "SCORE:";
  Label2.move(15, 1380, 705, 195);
  score.move(15, 1575, 705, 255);
  Percent_Right.move(15, 1830, 705, 255);
  for (Label* l : {&Label3, &question_number, &Label4, &qid, &Label2, &score, &Percent_Right})
    l->alignment = 2;
  Gauge1.move(180, 2220, 375, 2820);
  Gauge1.back_color = rgb(0, 160, 0);
  the_gauge.container = &Gauge1;
  the_gauge.move(0, 0, 375, 0);
  the_gauge.back_color = rgb(220, 0, 0);
  the_gauge.border_style = 0;
  the_gauge.visible = false;
  lbltimeleft.caption = "TIME LEFT:";
  lbltimeleft.move(15, 5160, 705, 195);
  lbltime.move(15, 5355, 705, 255);
  lbltimeleft.visible = false;
  lbltime.visible = false;

  // The bottom panel: the status line and the buttons.
  Frame2.move(0, 5880, 10095, 975);
  in_frame(Frame2, {&whatdoin, &cmd_buttons[0], &cmd_buttons[1], &cmd_buttons[2], &cmd_buttons[3],
                    &exhibitbutton[0], &exhibitbutton[1], &exhibitbutton[2], &diagrambutton[0],
                    &diagrambutton[1], &diagrambutton[2], &Command1, &cluebutton, &cmdtutor});
  whatdoin.move(120, 90, 9855, 255);
  cmd_buttons[1].caption = "<- Bac&k";
  cmd_buttons[1].move(120, 390, 1095, 495);
  cmd_buttons[0].caption = "&Next ->";
  cmd_buttons[0].move(1275, 390, 1095, 495);
  cmd_buttons[0].is_default = true;
  cmd_buttons[2].caption = "Launch Simulator";
  cmd_buttons[3].caption = "Launch Drag and Drop";
  for (int i = 2; i <= 3; ++i) cmd_buttons[i].move(2430, 390, 1575, 495);
  for (int i = 0; i <= 2; ++i) {
    exhibitbutton[i].caption = "Exhibit " + std::to_string(i + 1);
    exhibitbutton[i].move(4065, 390, 975, 495);  // only the first is ever shown
    diagrambutton[i].caption = "Diagram " + std::to_string(i + 1);
    diagrambutton[i].move(5100 + 1035 * static_cast<float>(i), 390, 975, 495);
  }
  Command1.caption = "Review Chapter ";
  Command1.move(8205, 390, 1770, 495);
  cluebutton.caption = "CLUE";
  cmdtutor.caption = "Online Tutor";
  for (Control* c : {&cluebutton, &cmdtutor}) c->move(8205, 390, 1770, 495);
  for (int i = 2; i <= 3; ++i) cmd_buttons[i].visible = false;
  for (int i = 0; i <= 2; ++i) exhibitbutton[i].visible = diagrambutton[i].visible = false;
  for (Control* c : {&cluebutton, &cmdtutor}) c->visible = false;

  Timer1.interval = 2000;
  mnuEmbed.enabled = false;
  mnu_answer_at_top.checked = true;
}

void quest::wire_handlers() {
  for (int i = cmd_buttons.lower; i <= cmd_buttons.upper; ++i)
    cmd_buttons[i].on_click = [this, i] { cmd_buttons_Click(i); };
  for (int i = 0; i <= 2; ++i) {
    diagrambutton[i].on_click = [this, i] { diagrambutton_Click(i); };
    exhibitbutton[i].on_click = [this, i] { exhibitbutton_Click(i); };
  }
  Command1.on_click = [this] { Command1_Click(); };
  Timer1.on_timer = [this] { Timer1_Timer(); };
  menu_printquestion.on_click = [this] { menu_printquestion_Click(); };
  menu_quittest.on_click = [this] { menu_quittest_Click(); };
  menu_exit.on_click = [this] { menu_exit_Click(); };
  for (size_t i = 0; i < menufont.size(); ++i)
    menufont[i].on_click = [this, i] { menufont_Click(static_cast<int>(i) + 1); };
  for (size_t i = 0; i < menusize.size(); ++i)
    menusize[i].on_click = [this, i] { menusize_Click(static_cast<int>(i) + 1); };
  mnuSavefont.on_click = [this] { mnuSavefont_Click(); };
  menu_showwrong.on_click = [this] { menu_showwrong_Click(); };
  menu_showright.on_click = [this] { menu_showright_Click(); };
  menu_shownumanswer.on_click = [this] { menu_shownumanswer_Click(); };
  menu_backbutton.on_click = [this] { menu_backbutton_Click(); };
  mnu_answer_at_top.on_click = [this] { mnu_answer_at_top_Click(); };
  mnu_answer_at_bottom.on_click = [this] { mnu_answer_at_bottom_Click(); };
  menu_about.on_click = [this] { menu_about_Click(); };
  WebBrowser1.on_navigate_complete = [this] { g.page_loaded = vbTrue; };
  WebBrowser1.on_document_complete = [this] { g.page_loaded = vbTrue; };
}

std::optional<std::string> status_line(const Shared& g) {
  if (g.selected_quiz < 0 || g.selected_quiz > 6) return std::nullopt;
  const std::string title = g.selected_quiz == 6 ? "" : g.test_titles[g.selected_quiz];
  return title + " -   " + g.product_title;
}

void quest::Form_Load() {
  Trap step(sys.error_log, "quest form Load()", kSource);
  step([&] { Command1.visible = false; });
  step([&] { g.question_browser_primed = 1; });
  step([&] {
    for (int i = 1; i <= 6; ++i) g.answer_labels[i] = std::string(1, char('A' + i - 1)) + ".\t";
  });
  step([&] { bottom_panel_offset = height() - Frame2.top; });
  step([&] { browser_offset = height() - WebBrowser1.height; });
  step([&] { panel_width = std::nearbyint(Frame1.width); });
  step([&] {
    g.page_font_size = cint(sys.settings.get(kSettingsApp, kSettingsSection, "savedfont", "12"));
  });
  step([&] {
    g.page_font_name =
        sys.settings.get(kSettingsApp, kSettingsSection, "savedfontname", "Times New Roman");
  });
  step([&] {
    for (Menu& m : menusize) m.checked = false;
    for (Menu& m : menufont) m.checked = false;
    for (size_t i = 0; i < menusize.size(); ++i)
      menusize[i].checked = kFontSizes[i] == g.page_font_size;
  });
  step([&] {
    bool found = false;
    for (Menu& m : menufont)
      if (m.caption == g.page_font_name) m.checked = found = true;
    if (found) return;
    g.page_font_name = "Times New Roman";
    sys.settings.save(kSettingsApp, kSettingsSection, "savedfontname", g.page_font_name);
    menufont[0].checked = true;
  });
  step([&] {
    if (g.embed_tutor == 1) mnuEmbed.checked = true;
  });
  step([&] { g.retake_quiz = 0; });
  step([&] {
    menu_showright.checked = g.show_answer_right == 1;
    menu_showwrong.checked = g.show_answer_wrong == 1;
    menu_shownumanswer.checked = g.show_num_answers == 1;
    menu_backbutton.checked = g.back_button_on == 1;
  });
  step([&] {
    g.mail_type = sys.settings.get(kSettingsApp, kSettingsSection, "mailtype", "outlook");
  });
  step([&] {
    const auto line = status_line(g);
    if (!line) raise_error(9);
    whatdoin.caption = *line;
  });
}

void quest::Form_Resize() {
  if (window_state() == vbMinimized) return;
  hold_minimum_size(kMinWidth, kMinHeight);
  const float h = height(), w = width();
  skip([&] {
    WebBrowser1.move(0, 10, std::nearbyint(w - panel_width - kRightStrip), h - browser_offset);
  });
  skip([&] {
    Frame1.move(WebBrowser1.left + WebBrowser1.width, 10, Frame1.width, WebBrowser1.height);
  });
  skip([&] { Frame2.move((w - Frame2.width) / 2, h - bottom_panel_offset); });
}

void quest::Form_Activate() {
  Trap step(sys.error_log, "quest form Activate()", kSource);
  step([&] { sys.forms.get<pick_a_quiz>().load(); });
}

void quest::Form_KeyDown(int&, int shift) {
  // Alt alone: the page takes the key, so the access keys of its inputs work.
  if (shift == 4) skip([&] { WebBrowser1.set_focus(); });
}

void quest::Form_Unload(int&) {
  skip([&] { sys.forms.unload<pick_a_quiz>(); });
}

void quest::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
}

}  // namespace pv
