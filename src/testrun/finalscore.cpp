#include "testrun/finalscore.hpp"

#include "core/documents.hpp"
#include "core/layout.hpp"
#include "core/welcome.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "setup/results_file.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

constexpr float kHeldWidth = 9255;
constexpr float kHeldHeight = 6855;
// The report lists at most this many categories, however many the bank has.
constexpr int kListedCategories = 40;
constexpr const char* kSource = "finalscore ";

// A number as a file print writes it: its sign or a blank, the digits, a trailing blank.
std::string print_form(int64_t n) {
  return str(n) + " ";
}

int32_t floor_div(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int32_t>(q);
}

}  // namespace

bool score_percent(int32_t right, int32_t asked, int32_t& percent) {
  if (asked == 0) return false;
  percent = floor_div(int64_t{100} * right, asked);
  return true;
}

std::string category_score_text(int16_t right, int16_t asked) {
  int32_t p = 0;
  if (!score_percent(right, asked, p)) p = 0;
  const char* lead = p < 10 ? "  " : p < 100 ? " " : "";
  return lead + cstr(int64_t{p}) + "% (" + cstr(int64_t{right}) + "/" + cstr(int64_t{asked}) + ")";
}

finalscore::finalscore(System& system) : SystemForm(system, "finalscore") {
  border_style = vbFixedSingle;
  max_button = false;
  design(0, 0, kHeldWidth, kHeldHeight, "Test Results");
  add_all(Label1, Label2, Label3, rig, tot, per, total_score, right_score, Label4, list_cat, List1,
          Label5);
  add_array(whichq);
  add_all(cmd_retake, Command1, Command2, Image1);
  place_controls();
  for (int i = whichq.lower; i <= whichq.upper; ++i)
    whichq[i].on_click = [this, i] { whichq_Click(i); };
  List1.on_dbl_click = [this] { List1_DblClick(); };
  cmd_retake.on_click = [this] { cmd_retake_Click(); };
  Command1.on_click = [this] { Command1_Click(); };
  Command2.on_click = [this] { Command2_Click(); };
}

void finalscore::place_controls() {
  const auto caption = [](Label& l, const char* text, float left, float top, float width) {
    l.caption = text;
    l.back_style = 0;
    l.move(left, top, width, 285);
  };
  caption(Label1, "Total Right:", 360, 300, 1695);
  caption(Label2, "Total Questions:", 360, 660, 1695);
  caption(Label3, "Your Score:", 360, 1020, 1695);
  for (Label* l : {&Label1, &Label2, &Label3}) l->font.bold = true;
  caption(rig, "100", 2160, 300, 855);
  caption(tot, "100", 2160, 660, 855);
  caption(per, "100", 2160, 1020, 855);
  for (Label* l : {&rig, &tot, &per}) l->font.bold = true;
  total_score.move(3360, 300, 5415, 420);
  total_score.back_color = rgb(255, 255, 255);
  right_score.container = &total_score;
  right_score.move(0, 0, total_score.width, total_score.height);
  right_score.border_style = 0;
  right_score.back_color = rgb(0, 0, 128);
  caption(Label4, "Label4", 3360, 900, 5415);
  Label4.alignment = 2;
  Label4.font.bold = true;
  Label4.font.size = 9.75f;
  list_cat.move(360, 1440, 8415, 1755);
  list_cat.font.name = "Courier New";
  list_cat.font.size = 9;
  List1.move(360, 3300, 8415, 1425);
  caption(Label5, "Double-click a line above to view question details.", 360, 4770, 8415);
  const char* filters[] = {"Show &Missed Questions", "Show &All Questions",
                           "Show &Correct Questions"};
  for (int i = 0; i <= 2; ++i) {
    whichq[i].caption = filters[i];
    whichq[i].move(360 + 2820.0f * static_cast<float>(i), 5100, 2655, 285);
  }
  whichq[1].set_value(true);
  cmd_retake.caption = "Retake Quiz Using Incorrect Answers";
  cmd_retake.move(360, 5580, 3375, 495);
  Command1.caption = "&Quit to Menu";
  Command1.move(3900, 5580, 1815, 495);
  Command2.caption = "View or Print Test Details";
  Command2.move(5880, 5580, 2895, 495);
  Image1.move(0, 0, kHeldWidth, kHeldHeight);
  Image1.stretch = true;
  Image1.picture = sys.files.program_folder() + kReportBackground;
}

void finalscore::Form_Load() {
  Trap step(sys.error_log, "finalscore form Load()", kSource);
  step([&] { held_width = kHeldWidth; });
  step([&] { held_height = kHeldHeight; });
  step([&] { g.timed_test = 99; });
  step([&] { log_categories_and_states(); });
  step([&] { cmd_retake.visible = true; });
  step([&] { set_caption("Practice Test Results for: " + g.product_title); });
  // The test window's closing closes the setup window, and that the start window: from
  // here on the report is the program's only window.
  step([&] { sys.forms.unload<quest>(); });
  step([&] { center_form(*this); });
  show_score();
  step([&] {
    calc_list();
    if (missed_count == 0) cmd_retake.visible = false;
  });
  list_categories();
  list_missed_questions();
  step([&] { log_missed_questions(); });
  skip([&] { log_correct_questions(); });
}

void finalscore::show_score() {
  Trap step(sys.error_log, "finalscore form Load()", kSource);
  step([&] { rig.caption = str(int64_t{g.right_count}); });
  step([&] { tot.caption = str(int64_t{g.questions_to_ask}); });
  // A test of no questions has no percentage: the labels stay empty, the bar too.
  int32_t percent = 0;
  const bool scored = score_percent(g.right_count, g.questions_to_ask, percent);
  step([&] { per.caption = scored ? str(int64_t{percent}) + "%" : ""; });
  step([&] {
    right_score.width = scored ? total_score.width * static_cast<float>(percent) / 100 : 0;
  });
  step([&] {
    Label4.caption = scored && percent == 100 ? "Congratulations, you scored perfect!"
                                              : "Take this test until you get 100%";
  });
}

void finalscore::list_categories() {
  Trap step(sys.error_log, "finalscore form Load()", kSource);
  module_scores.clear();
  module_names.clear();
  if (g.categories_enabled != vbTrue) {
    step([&] { list_cat.visible = false; });
    return;
  }
  step([&] { list_cat.visible = true; });
  step([&] { list_cat.clear(); });
  for (int c = 1; c <= kListedCategories; ++c) {
    step([&] {
      const std::string& name = g.category_names[c];
      if (name.empty()) return;
      const std::string score = category_score_text(g.category_right[c], g.category_asked[c]);
      list_cat.add_item(score + " " + name);
      module_scores.push_back(score);
      module_names.push_back(name);
    });
  }
}

void finalscore::list_missed_questions() {
  Trap step(sys.error_log, "finalscore form Load()", kSource);
  step([&] { g.missed_now_count = 0; });
  for (int k = 1; k <= g.questions_to_ask; ++k) {
    step([&] {
      const QuestionRecord& q = g.questions[record_of(k)];
      if (q.State != 2) return;
      const auto n = static_cast<int16_t>(g.missed_now_count + 1);
      g.missed_now[n] = q.Number;
      g.missed_now_count = n;
    });
  }
}

int32_t finalscore::record_of(int k) const {
  const int32_t r = (int32_t{g.question_order[k]} - 1) * g.quiz_stride + g.quiz_offset;
  if (r < INT16_MIN || r > INT16_MAX) raise_error(6);
  return r;
}

void finalscore::calc_list() {
  int filter = -1;
  for (int i = whichq.lower; i <= whichq.upper; ++i)
    if (whichq[i].value()) filter = i;
  int16_t missed = 0;
  skip([&] { List1.clear(); });
  for (int k = 1; k <= g.questions_to_ask; ++k) {
    skip([&] {
      const int32_t r = record_of(k);
      if (r <= 0) return;
      const QuestionRecord& q = g.questions[r];
      if (q.State == 2) ++missed;
      const bool shown =
          filter == 1 || (filter == 0 && q.State == 2) || (filter == 2 && q.State == 1);
      if (shown)
        List1.add_item(str(int64_t{k}) + ".) [" + cstr(int64_t{q.Number}) + "]  " + q.Question);
    });
  }
  missed_count = missed;
}

void finalscore::whichq_Click(int) {
  calc_list();
}

void finalscore::List1_DblClick() {
  skip([&] { show_selected_answer(); });
}

void finalscore::show_selected_answer() {
  if (List1.list_index() < 0) {
    sys.dialogs.msgbox("You must select a question");
    return;
  }
  const std::string line = List1.list(List1.list_index());
  const int k = cint(val(pv::left(line, instr(line, ".") - 1)));
  const int32_t r = record_of(k);
  g.current_question = g.questions[r];
  g.current_record = static_cast<int16_t>(r);
  // The explanation window opens over the report; the test window stays closed.
  sys.forms.get<quest>().show_answer();
}

void finalscore::cmd_retake_Click() {
  skip([&] { g.retake_bank = g.chosen_bank; });
  skip([&] { g.retake_quiz = g.selected_quiz; });
  // The setup window's load starts the retake of the questions just missed.
  skip([&] { sys.forms.get<pick_a_quiz>().load(); });
  skip([&] { hide(); });
  skip([&] { unload(); });
}

void finalscore::Command1_Click() {
  skip([&] { sys.forms.get<Welcome>().show(); });
  skip([&] { return_to_menu(sys); });
  skip([&] { hide(); });
}

void finalscore::Command2_Click() {
  skip([&] { shell_open(sys, *this, history_file_name(g), 3); });
}

void finalscore::Form_Resize() {
  skip([&] { set_width(held_width); });
  skip([&] { set_height(held_height); });
  skip([&] { Image1.stretch = true; });
  skip([&] {
    Image1.width = held_width;
    Image1.height = held_height;
  });
}

void finalscore::Form_Terminate() {
  skip([&] { unload_all_and_end(sys); });
  end_program();
}

void finalscore::log_categories_and_states() {
  std::string text = "Category Information\r\n";
  for (int c = 1; c <= g.category_count && c <= g.category_names.upper; ++c)
    text += g.category_names[c] + ": " + str(int64_t{g.category_asked[c]}) + "\r\n";
  text += "Question History\r\n";
  for (int r = g.questions.lower; r <= g.questions.upper; ++r)
    text += print_form(g.questions[r].State) + "\r\n";
  sys.files.write_all(kTestingLog, text);
}

void finalscore::log_missed_questions() {
  std::string text = "NUMBER WRONG: " + cstr(int64_t{g.missed_now_count}) + "\r\n";
  text += "Wrong Questions: \r\n";
  // Entries past the count keep what earlier tests left there.
  for (int i = g.missed_now.lower; i <= g.missed_now.upper; ++i)
    text += print_form(g.missed_now[i]) + "\r\n";
  sys.files.append(kTestingLog, text);
}

void finalscore::log_correct_questions() {
  std::string text = "Correct Questions\r\n";
  for (int k = 1; k <= g.questions_to_ask; ++k) {
    skip([&] {
      const int32_t r = record_of(k);
      if (r > 0 && g.questions[r].State == 1) text += print_form(r) + "\r\n";
    });
  }
  sys.files.append(kTestingLog, text);
}

}  // namespace pv
