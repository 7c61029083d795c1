// Presenting a question: the buttons, the caption and the score panel, the record and its
// answer order, the answer widget, the exercise hand-over files, and the page written into
// the browser control with its exhibit hooks.
#include <array>
#include <cmath>
#include <memory>

#include "core/documents.hpp"
#include "core/fragments.hpp"
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/random.hpp"
#include "platform/vbtext.hpp"
#include "testrun/html_event.hpp"
#include "testrun/quest.hpp"
#include "testrun/question_page.hpp"
#include "testrun/written_page.hpp"

namespace pv {
namespace {

constexpr const char* kSource = "quest3.frm";

int16_t next_counter(int16_t counter) {
  if (counter == INT16_MAX) raise_error(6);
  return static_cast<int16_t>(counter + 1);
}

bool is_fill_in(const std::string& type) {
  return ucase(left(type, 4)) == "FILL";
}

bool is_task_marker(const std::string& name) {
  return name == "xxxdnd" || name == "xxsim" || name == "xxxmssim" || name == "xxxmssim2";
}

}  // namespace

void quest::show_quest() {
  run_handler([&] {
    const Presenting presenting(*this);
    Trap step(sys.error_log, "show_quest()", kSource);
    step([&] { g.review_page.clear(); });
    step([&] { g.answer_submitted = 0; });
    step([&] { cmd_buttons[0].enabled = true; });
    step([&] { cmd_buttons[2].visible = false; });
    step([&] { cmd_buttons[3].visible = false; });
    step([&] {
      for (int i = 0; i <= 2; ++i) exhibitbutton[i].visible = diagrambutton[i].visible = false;
    });
    step([&] { cmd_buttons[0].set_focus(); });
    step([&] { one_correct_answer = vbTrue; });
    step([&] { sys.random.randomize(); });
    step([&] { g.question_counter = next_counter(g.question_counter); });
    step([&] {
      const std::string numbers = " - Question " + str(int64_t{g.question_counter}) + " of" +
                                  str(int64_t{g.questions_to_ask});
      set_caption("Practice Test for " + g.product_title + numbers);
      if (g.oem_mode != 0 && ucase(g.edition_code) == "EQUIZMINT")
        set_caption(std::string("Quizmint") + " " + "Practice Test for: " + g.product_title +
                    numbers);
    });
    step([&] {
      for (Control* c :
           std::initializer_list<Control*>{&Gauge1, &the_gauge, &Percent_Right, &score, &Label2})
        c->visible = g.live_scoring != 0;
    });
    step([&] {
      if (g.back_button_on == 0) cmd_buttons[1].visible = false;
    });
    if (g.question_counter > g.questions_to_ask) {
      end_the_test();
      return;
    }
    // A position whose record lies outside the table ends the test: no stale record is
    // presented or graded.
    bool located = false;
    step([&] {
      const int32_t record =
          (int32_t{g.question_order[g.question_counter]} - 1) * g.quiz_stride + g.quiz_offset;
      if (!g.questions.in_bounds(record)) raise_error(9);
      g.current_record = static_cast<int16_t>(record);
      located = true;
    });
    if (!located) {
      g.question_counter = next_counter(g.questions_to_ask);
      end_the_test();
      return;
    }
    present_record(step);
    prepare_exercise(step);
    show_extra_buttons(step);
    write_page(step);
    if (closed()) return;
    step([&] { cmd_buttons[0].set_focus(); });
  });
}

void quest::present_record(Trap& step) {
  QuestionRecord& record = g.questions[g.current_record];
  step([&] { qid.caption = str(int64_t{record.Number}); });
  step([&] { question_number.caption = str(int64_t{g.question_counter}); });
  std::array<int, 7> order = {0, 1, 2, 3, 4, 5, 6};
  step([&] {
    int16_t count = 0;
    for (int i = 1; i <= 6; ++i)
      if (!trim(record.Answer[i]).empty()) ++count;
    g.answer_count = count;
  });
  step([&] {
    if (g.shuffle_answers != 1) return;
    const int n = g.answer_count;
    for (int i = 1; i <= n; ++i) {
      const int r = static_cast<int>(std::floor(sys.random.rnd() * static_cast<float>(n))) + 1;
      std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(std::min(r, n))]);
    }
  });
  step([&] {
    if (lcase(record.Type) == "no_reorder" || is_fill_in(record.Type))
      order = {0, 1, 2, 3, 4, 5, 6};
  });
  step([&] { g.current_question = record; });
  step([&] {
    if (record.Arranged != 0) return;
    record.Arranged = 1;
    for (int i = 1; i <= 6; ++i) {
      g.current_question.Answer[i] = record.Answer[order[static_cast<size_t>(i)]];
      g.current_question.Correct[i] = record.Correct[order[static_cast<size_t>(i)]];
    }
    for (int i = 1; i <= 6; ++i) {
      record.Answer[i] = g.current_question.Answer[i];
      record.Correct[i] = g.current_question.Correct[i];
    }
  });
  step([&] { cmd_buttons[0].set_focus(); });
  step([&] {
    int16_t count = 0;
    for (int i = 1; i <= 6; ++i)
      if (g.current_question.Correct[i] == 1) ++count;
    g.correct_count = count;
    if (count > 1) one_correct_answer = 0;
  });
  step([&] {
    const std::string& marker = g.current_question.DiagramFile[1];
    g.widget_kind = g.use_radio_buttons == vbTrue && one_correct_answer == vbTrue ? "Radio_Button"
                                                                                  : "Check_Box";
    if (is_fill_in(record.Type)) g.widget_kind = "Fill_In";
    if (marker == "xxxdnd") g.widget_kind = "Drag_Drop";
    if (marker == "xxxmssim") g.widget_kind = "MS_Sim";
    if (marker == "xxxmssim2") g.widget_kind = "MS_Sim2";
    if (marker == "xxsim") g.widget_kind = "Sim";
  });
}

void quest::prepare_exercise(Trap& step) {
  const std::string& kind = g.widget_kind;
  if (kind == "Drag_Drop") {
    // The program folder's result is the one grading reads: a stale "Success" there, in
    // any letter case, would pass a task the user never did.
    step([&] { sys.files.remove_every_case("out.ini"); });
    step([&] { sys.files.remove_every_case(g.app_folder + "out.ini"); });
    step([&] { cmd_buttons[3].visible = true; });
  } else if (kind == "MS_Sim" || kind == "MS_Sim2") {
    step([&] { sys.files.remove_every_case(g.app_folder + "Sims/OUT.ini"); });
    step([&] { cmd_buttons[2].visible = true; });
  } else if (kind == "Sim") {
    step([&] { sys.files.write_all("sim.txt", g.current_question.Question + "\r\n"); });
    step([&] { sys.files.write_all("sim_showme.txt", g.current_question.Clue + "\r\n"); });
    step([&] { cmd_buttons[2].visible = true; });
    step([&] { sys.files.remove_every_case("out.ini"); });
    step([&] { sys.files.remove_every_case(g.app_folder + "out.ini"); });
  }
}

void quest::show_extra_buttons(Trap& step) {
  const QuestionRecord& q = g.current_question;
  step([&] { cluebutton.visible = false; });
  step([&] {
    if (!trim(q.ExhibitFile[1]).empty()) exhibitbutton[0].visible = true;
  });
  step([&] {
    for (int i = 1; i <= 3; ++i)
      if (!trim(q.DiagramFile[i]).empty())
        diagrambutton[i - 1].visible = !is_task_marker(q.DiagramFile[i]);
    if (q.DiagramFile[2] == "1900" || q.DiagramFile[2] == "2950") diagrambutton[1].visible = false;
  });
  step([&] { cmdtutor.visible = false; });
  step([&] {
    if (g.product_id == "46008") Command1.caption = "Review PDF";
  });
  step([&] {
    if (trim(q.Reference).empty())
      Command1.visible = false;
    else if (g.test_mode != vbTrue)
      Command1.visible = q.Reference.find("##") != std::string::npos;
  });
}

void quest::write_page(Trap& step) {
  // Without its head file the page still gets the form its fields are read from, so Next
  // never reads the marks of the page before.
  std::string head;
  bool have_head = false;
  step([&] {
    head = read_q_bottom(sys);
    have_head = true;
  });
  if (!have_head) head = built_in_q_bottom();
  std::string body;
  step([&] { body = build_question_html(g, g.current_question); });
  step([&] { set_wow_question_html(head + body); });
}

void quest::set_wow_question_html(const std::string& Htm7) {
  const bool prime = g.question_browser_primed != 123;
  if (prime) {
    skip([&] { g.question_browser_primed = 123; });
    skip([&] { g.page_head = no_select_script(); });
  }
  if (!show_written_page(sys, *this, WebBrowser1, prime, Htm7, "set_wow_question_html()", kSource))
    return;
  hook_exhibit_links();
}

void quest::hook_exhibit_links() {
  HtmlDocument& doc = WebBrowser1.document;
  std::array<const HtmlElement*, 4> links{};
  for (int k = 1; k <= 3; ++k)
    skip([&] { links[static_cast<size_t>(k)] = doc.element_by_id("Exhibit" + std::to_string(k)); });
  for (int k = 1; k <= 3; ++k) {
    if (links[static_cast<size_t>(k)] == nullptr) continue;  // the sink is simply dropped
    auto sink = std::make_shared<clsHTMLEvent>();
    sink->Event_Details(
        [this](const std::string& method, std::string& arg) { call_by_name(method, arg); },
        "HTML_Click", std::to_string(k));
    doc.set_on_click("Exhibit" + std::to_string(k), [sink] { sink->HTML_Event(); });
  }
}

void quest::call_by_name(const std::string& method, std::string& arg) {
  if (method != "HTML_Click") raise_error(5);
  HTML_Click(arg);
}

void quest::HTML_Click(const std::string& whichClicked) {
  int k = 0;
  if (whichClicked == "1") k = 1;
  if (whichClicked == "2") k = 2;
  if (whichClicked == "3") k = 3;
  if (k == 0) return;
  const std::string& name = g.current_question.ExhibitFile[k];
  if (trim(name).empty()) return;  // the media folder itself is no exhibit
  shell_open(sys, *this, g.media_folder + name, 1);
}

}  // namespace pv
