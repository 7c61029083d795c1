// The start of a test: the setup window's state becomes the running test's options, the
// student name, the time limit and the ordered list of the questions it asks.
#include <cmath>
#include <utility>

#include "catalogue/catalogue.hpp"
#include "core/layout.hpp"
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/errors.hpp"
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

enum class Mode { All, Categories, SavedWrong, ImmediateWrong };

// How many positions of a stepped test (options 4 to 6) map to records of the bank; the
// offset is the one the questions are asked with.
int positions_in_bank(int count, int stride, int offset) {
  if (stride < 1 || count < offset) return 0;
  return (count - offset) / stride + 1;
}

}  // namespace

void pick_a_quiz::Command1_Click() {
  g.category_quiz = vbFalse;
  skip([&] { start_the_quiz_from_command1(); });
}

void pick_a_quiz::start_the_quiz_from_command1() {
  FormRegistry& forms = sys.forms;
  // 1. Product lock: this product never shuffles its answers.
  skip([&] {
    if (g.product_id != "46002") return;
    random_answers.set_value(0);
    random_answers.enabled = false;
  });
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
  // 4. Timing and the count of the stepped tests.
  skip([&] { g.timed_test = timeron.value(); });
  skip([&] { mouse_pointer = vbHourglass; });
  skip([&] { g.time_limit = cint(val(timeamount.text())); });
  skip([&] { g.questions_to_ask = cint(val(howmanyq.caption)); });
  if (g.questions_to_ask > kMaxQuestions) g.questions_to_ask = kMaxQuestions;
  if (g.time_limit < 1) g.time_limit = 1;
  skip([&] { g.start_time = sys.clock.now(); });
  // 5. Student name, kept for the next visit.
  skip([&] { g.student_name = clean_student_name(txtstudentname.text()); });
  skip([&] { sys.settings.save("veltotest", "stuff", "studentname", g.student_name); });
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
  // 9. Options of the test.
  g.right_count = 0;
  g.show_answer_right = answer_when_right.value() == 1 ? 1 : 0;
  g.show_answer_wrong = answer_when_wrong.value() == 1 ? 1 : 0;
  const int shuffle_questions = random_questions.value() == 1 ? 1 : 0;
  g.shuffle_answers = random_answers.value() == 1 ? 1 : 0;
  g.show_num_answers = showhowmanyanswers.value() == 0 ? 0 : 1;
  g.embed_tutor = chkEmbed.value() == 1 ? 1 : 0;
  g.back_button_on = backb.value();
  g.live_scoring = scoregraph.value();
  // 10. The test window, before any question is chosen.
  skip([&] { forms.get<quest>().show(); });
  skip([&] { forms.get<quest>().refresh(); });

  // 11. Which questions, in which order.
  int saved_wrong = askwrong.value() == 1 ? 1 : 99;
  int16_t& n = g.questions_to_ask;
  int shuffle_range = 0;  // positions of a stepped test that lie in the bank, 0 for none
  for (bool again = true; again;) {
    again = false;
    if (saved_wrong != 1)
      for (int i = 1; i <= g.pool_size && i <= kLastIndex; ++i)
        g.question_order[i] = static_cast<int16_t>(i);
    Mode mode = Mode::All;
    if (g.category_quiz == vbTrue) mode = Mode::Categories;
    if (saved_wrong == 1) mode = Mode::SavedWrong;
    if (g.retake_mode == 1) mode = Mode::ImmediateWrong;

    switch (mode) {
      case Mode::All:
        // A stepped test asks only positions whose records lie in the bank.
        if (g.quiz_stride != 1) {
          const int offset = g.quiz_offset == 5 ? 1 : g.quiz_offset;
          shuffle_range = positions_in_bank(g.question_count, g.quiz_stride, offset);
          if (n > shuffle_range) n = static_cast<int16_t>(shuffle_range);
        }
        break;
      case Mode::Categories: {
        int k = 0;
        n = g.question_count;
        for (int i = 1; i <= n; ++i) {
          g.quiz_stride = 1;
          skip([&] {
            int c = g.questions[i].Category;
            if (c == 0) c = 1;
            if (g.category_chosen[c] == vbTrue) g.question_order[++k] = static_cast<int16_t>(i);
          });
        }
        n = static_cast<int16_t>(k);
        break;
      }
      case Mode::SavedWrong: {
        int k = 0;
        for (int i = 1; i <= n; ++i)
          skip([&] {
            if (val(g.missed_flags[(i - 1) * g.quiz_stride + g.quiz_offset]) == 1)
              g.question_order[++k] = static_cast<int16_t>(i);
          });
        if (k == 0) {
          saved_wrong = 99;  // nothing missed: the test runs whole, without a word
          again = true;
        } else {
          n = static_cast<int16_t>(k);
        }
        break;
      }
      case Mode::ImmediateWrong:
        if (g.missed_now_count != 0) {
          g.quiz_stride = 1;
          g.quiz_offset = 1;
          for (int k = 1; k <= g.missed_now_count; ++k)
            skip([&] { g.question_order[k] = g.missed_now[k]; });
          n = g.missed_now_count;
          break;
        }
        // Nothing to retake: back to the setup window, without the end-of-test cascade
        // (only the setup window's load starts a retake, and an unload of a loading
        // window does nothing).
        skip([&] { sys.dialogs.msgbox("You did not get any wrong."); });
        skip([&] { mouse_pointer = vbDefault; });
        skip([&] { forms.unload<quest>(); });
        g.retake_mode = 0;
        skip([&] { askwrong.set_value(0); });
        skip([&] { center_form(*this); });
        skip([&] { set_visible(true); });
        return;
    }
  }

  // 12. Pending marks, by natural position through the stride and the offset.
  for (int i = 1; i <= n; ++i) {
    const int index = (i - 1) * g.quiz_stride + g.quiz_offset;
    if (index <= kLastIndex) skip([&] { g.missed_flags[index].assign(1, '1'); });
  }
  for (int r = 1; r <= g.quiz_stride * n && r <= kLastIndex; ++r) g.questions[r].State = 3;

  // 13. Question shuffle: m draws, each exchanging position i with one of 1 .. r - 2.
  if (shuffle_questions == 1 && saved_wrong != 1) {
    int m = g.question_count, r = g.pool_size;
    if (g.category_quiz == vbTrue)
      m = r = n;
    else if (g.quiz_stride != 1)
      m = r = shuffle_range;  // a stepped test: its positions only
    for (int i = 1; i <= m; ++i) {
      const float u = sys.random.rnd();
      const int j = r < 3 ? 1 : static_cast<int>(std::floor(u * static_cast<float>(r - 2) + 1.0f));
      skip([&] { std::swap(g.question_order[i], g.question_order[j]); });
    }
  }
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

}  // namespace pv
