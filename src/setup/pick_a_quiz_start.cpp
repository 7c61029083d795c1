// The start of a test: the setup window's state becomes the running test's options, the
// student name and the time limit; the questions are chosen in pick_a_quiz_order.cpp.
#include <algorithm>

#include "catalogue/catalogue.hpp"
#include "platform/clock.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "setup/results_file.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

constexpr int16_t kMaxQuestions = 50;
constexpr int kLastIndex = 1000;

}  // namespace

void pick_a_quiz::Command1_Click() {
  g.category_quiz = vbFalse;
  skip([&] { start_the_quiz_from_command1(); });
}

void pick_a_quiz::start_the_quiz_from_command1() {
  FormRegistry& forms = sys.forms;
  // 1. Product lock: this product never shuffles its answers.
  skip([&] { lock_answer_order(); });
  // 2. Resets.
  skip([&] {
    for (int i = 1; i <= 100; ++i) {
      g.category_asked[i] = 0;
      g.category_right[i] = 0;
    }
  });
  skip([&] {
    for (int r = 1; r <= kLastIndex; ++r) g.questions[r].Reply.clear();
  });
  // 3.
  skip([&] { sys.random.randomize(); });
  // 4-8.
  take_the_timing_and_the_student();
  take_the_chosen_test();
  // 9. Options of the test.
  g.right_count = 0;
  g.show_answer_right = answer_when_right.value() == 1 ? 1 : 0;
  g.show_answer_wrong = answer_when_wrong.value() == 1 ? 1 : 0;
  const bool shuffle_questions = random_questions.value() == 1;
  g.shuffle_answers = random_answers.value() == 1 ? 1 : 0;
  g.show_num_answers = showhowmanyanswers.value() == 0 ? 0 : 1;
  g.embed_tutor = chkEmbed.value() == 1 ? 1 : 0;
  g.back_button_on = backb.value();
  g.live_scoring = scoregraph.value();
  // 10. The test window, before any question is chosen.
  skip([&] { forms.get<quest>().show(); });
  skip([&] { forms.get<quest>().refresh(); });
  // 11-13. Which questions, in which order.
  if (!order_the_questions(shuffle_questions)) return;
  // 14. The stepped test of the category quiz is asked with offset 1.
  if (g.quiz_offset == 5) g.quiz_offset = 1;
  // 15. The first question.
  g.current_record = 0;
  g.question_counter = 0;
  g.right_count = 0;
  skip([&] { forms.get<quest>().show_quest(); });
  g.missed_now_count = 0;
  skip([&] { mouse_pointer = vbDefault; });
  skip([&] { hide(); });
}

void pick_a_quiz::take_the_timing_and_the_student() {
  // 4. Timing and the count of the stepped tests.
  skip([&] { g.timed_test = timeron.value(); });
  skip([&] { mouse_pointer = vbHourglass; });
  skip([&] { g.time_limit = cint(val(timeamount.text())); });
  skip([&] { g.questions_to_ask = cint(val(howmanyq.caption)); });
  if (g.questions_to_ask > kMaxQuestions) g.questions_to_ask = kMaxQuestions;
  if (g.time_limit < 1) g.time_limit = 1;
  skip([&] { g.start_time = sys.clock.now(); });
  skip([&] { g.start_ms = sys.clock.monotonic_ms(); });
  // 5. Student name, kept for the next visit.
  skip([&] { g.student_name = clean_student_name(txtstudentname.text()); });
  skip([&] { sys.settings.save(kSettingsApp, kSettingsSection, "studentname", g.student_name); });
}

void pick_a_quiz::take_the_chosen_test() {
  // 6. What the user missed last time.
  skip([&] { load_the_results(sys); });
  // 7. A retake of a category quiz runs as the test of the bank it ran on.
  if (which_quiz[5].value() && g.retake_mode == 1) {
    skip([&] { which_quiz[5].set_value(false); });
    skip([&] { which_quiz[g.retake_bank].set_value(true); });
  }
  // 8. The chosen test.
  for (int i = 1; i <= 6; ++i) {
    if (!which_quiz[i].value()) continue;
    g.selected_quiz = static_cast<int16_t>(i);
    g.quiz_offset = static_cast<int16_t>(i);
    g.quiz_stride = 4;
    if (i <= 3) {
      skip([&] { select_product(sys); });
      g.pool_size = g.question_count;
      g.questions_to_ask = std::min(g.question_count, kMaxQuestions);
      g.quiz_stride = 1;
      g.quiz_offset = 1;
    }
  }
}

}  // namespace pv
