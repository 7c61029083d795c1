// The questions a test asks and their order: the whole bank or a stepped part of it, the
// categories of a category quiz, what was missed last time or just now; then their
// pending marks and the question shuffle.
#include <cmath>
#include <utility>

#include "core/layout.hpp"
#include "platform/dialogs.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/vbtext.hpp"
#include "setup/pick_a_quiz.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

constexpr int kLastIndex = 1000;

// The user's choice of what was missed last time: 1 asks only that, 99 the whole test.
constexpr int kSavedWrongOnly = 1;
constexpr int kWholeTest = 99;

enum class Mode { All, Categories, SavedWrong, ImmediateWrong };

// How many positions of a stepped test (options 4 to 6) map to records of the bank; the
// offset is the one the questions are asked with.
int positions_in_bank(int count, int stride, int offset) {
  if (stride < 1 || count < offset) return 0;
  return (count - offset) / stride + 1;
}

}  // namespace

bool pick_a_quiz::order_the_questions(bool shuffle_questions) {
  int saved_wrong = askwrong.value() == 1 ? kSavedWrongOnly : kWholeTest;
  int shuffle_range = 0;  // positions of a stepped test that lie in the bank, 0 for none
  // 11. Which questions, in which order.
  if (!choose_the_questions(saved_wrong, shuffle_range)) return false;
  // 12. Pending marks, by natural position through the stride and the offset.
  const int16_t n = g.questions_to_ask;
  for (int i = 1; i <= n; ++i) {
    const int index = (i - 1) * g.quiz_stride + g.quiz_offset;
    if (index <= kLastIndex) skip([&] { g.missed_flags[index].assign(1, '1'); });
  }
  for (int r = 1; r <= g.quiz_stride * n && r <= kLastIndex; ++r) g.questions[r].State = 3;
  // 13. Question shuffle: m draws, each exchanging position i with one of 1 .. r - 2.
  if (shuffle_questions && saved_wrong != kSavedWrongOnly) {
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
  return true;
}

bool pick_a_quiz::choose_the_questions(int& saved_wrong, int& shuffle_range) {
  int16_t& n = g.questions_to_ask;
  for (bool again = true; again;) {
    again = false;
    if (saved_wrong != kSavedWrongOnly)
      for (int i = 1; i <= g.pool_size && i <= kLastIndex; ++i)
        g.question_order[i] = static_cast<int16_t>(i);
    Mode mode = Mode::All;
    if (g.category_quiz == vbTrue) mode = Mode::Categories;
    if (saved_wrong == kSavedWrongOnly) mode = Mode::SavedWrong;
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
      case Mode::Categories:
        n = questions_of_the_chosen_categories();
        break;
      case Mode::SavedWrong:
        if (const int16_t k = questions_missed_last_time(); k != 0) {
          n = k;
        } else {
          saved_wrong = kWholeTest;  // nothing missed: the test runs whole, without a word
          again = true;
        }
        break;
      case Mode::ImmediateWrong:
        if (g.missed_now_count == 0) {
          back_with_nothing_to_retake();
          return false;
        }
        g.quiz_stride = 1;
        g.quiz_offset = 1;
        for (int k = 1; k <= g.missed_now_count; ++k)
          skip([&] { g.question_order[k] = g.missed_now[k]; });
        n = g.missed_now_count;
        break;
    }
  }
  return true;
}

int16_t pick_a_quiz::questions_of_the_chosen_categories() {
  int k = 0;
  const int16_t count = g.question_count;
  for (int i = 1; i <= count; ++i) {
    g.quiz_stride = 1;
    skip([&] {
      int c = g.questions[i].Category;
      if (c == 0) c = 1;
      if (g.category_chosen[c] == vbTrue) g.question_order[++k] = static_cast<int16_t>(i);
    });
  }
  return static_cast<int16_t>(k);
}

int16_t pick_a_quiz::questions_missed_last_time() {
  int k = 0;
  for (int i = 1; i <= g.questions_to_ask; ++i)
    skip([&] {
      if (val(g.missed_flags[(i - 1) * g.quiz_stride + g.quiz_offset]) == 1)
        g.question_order[++k] = static_cast<int16_t>(i);
    });
  return static_cast<int16_t>(k);
}

void pick_a_quiz::back_with_nothing_to_retake() {
  // Back to the setup window, without the end-of-test cascade (only the setup window's
  // load starts a retake, and an unload of a loading window does nothing).
  skip([&] { sys.dialogs.msgbox("You did not get any wrong."); });
  skip([&] { mouse_pointer = vbDefault; });
  skip([&] { sys.forms.unload<quest>(); });
  g.retake_mode = 0;
  skip([&] { askwrong.set_value(0); });
  skip([&] { center_form(*this); });
  skip([&] { set_visible(true); });
}

}  // namespace pv
