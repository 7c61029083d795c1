// Grading the question on screen, the live score in the right-hand panel and the count of
// the test's questions per category.
#include <cmath>

#include "core/fragments.hpp"
#include "platform/errors.hpp"
#include "platform/filesystem.hpp"
#include "platform/vbtext.hpp"
#include "testrun/grading.hpp"
#include "testrun/quest.hpp"

namespace pv {
namespace {

constexpr int16_t kRight = 1;
constexpr int16_t kWrong = 99;
constexpr float kSmallestGauge = 20;

// The record of the k-th question of the test; error 9 outside the table.
int record_of(const Shared& g, int k) {
  const int record = (int{g.question_order[k]} - 1) * g.quiz_stride + g.quiz_offset;
  if (!g.questions.in_bounds(record)) raise_error(9);
  return record;
}

bool result_is_success(const std::string& result) {
  return result == "Success";
}

}  // namespace

void quest::check_answer() {
  QuestionRecord& record = g.questions[g.current_record];
  const QuestionRecord& shown = g.current_question;
  skip([&] { g.answer_verdict = kRight; });
  skip([&] { g.chosen_letters[g.current_record].clear(); });
  const int c = shown.Category == 0 ? 1 : shown.Category;
  const std::string& marker = shown.DiagramFile[1];
  skip([&] {
    if (marker == "xxsim") {
      // As for drag and drop, the current folder's result when the program folder has none
      // (an installed program cannot write there). The file stays until the next such task
      // is presented, which removes it in both folders.
      const bool in_program = sys.files.exists(sys.files.program_folder() + "out.ini");
      const bool right = simulator_checks_pass(shown, [&](const std::string& key) {
        if (in_program) return read_out_ini(sys, "general", key);
        std::string value;
        skip([&] { value = read_ini_value(sys, "general", key, "out.ini"); });
        return value;
      });
      if (!right) g.answer_verdict = kWrong;
    } else if (marker == "xxxdnd") {
      // The program writes in the current folder when the program folder is read-only;
      // presentation removed a stale result in both.
      std::string result = read_out_ini(sys, "Answer", "result");
      if (!sys.files.exists(sys.files.program_folder() + "out.ini"))
        skip([&] { result = read_ini_value(sys, "Answer", "result", "out.ini"); });
      skip([&] { sys.files.remove_every_case(sys.files.program_folder() + "OUT.ini"); });
      skip([&] { sys.files.remove_every_case("out.ini"); });
      if (!result_is_success(result)) g.answer_verdict = kWrong;
    } else if (marker == "xxxmssim" || marker == "xxxmssim2") {
      const std::string file = g.app_folder + "Sims/OUT.ini";
      const std::string result = read_ini_value(sys, "Answer", "result", file);
      skip([&] { sys.files.remove_every_case(file); });
      if (!result_is_success(result)) g.answer_verdict = kWrong;
    } else if (ucase(pv::left(shown.Type, 4)) == "FILL") {
      g.chosen_letters[g.current_record] = record.Reply;
      if (!fill_in_matches(record.Reply, shown)) g.answer_verdict = kWrong;
    } else {
      for (int i = 1; i <= 6; ++i) {
        const int16_t marked = record.Choice[i] == 1 ? 1 : 0;
        if (marked == 1) g.chosen_letters[g.current_record] += std::string(" ") + char('A' + i - 1);
        if (marked != shown.Correct[i]) g.answer_verdict = kWrong;
      }
    }
  });
  if (g.answer_verdict == kRight) {
    skip([&] { g.missed_flags[shown.Number] = "0"; });
    skip([&] {
      if (record.State != 1) ++g.category_right[c];
    });
    skip([&] { record.State = 1; });
    if (g.show_answer_right == 1) skip([&] { show_answer(); });
  } else {
    skip([&] { g.missed_flags[shown.Number] = "1"; });
    skip([&] {
      if (record.State == 1)
        g.category_right[c] = static_cast<int16_t>(std::max(0, g.category_right[c] - 1));
    });
    skip([&] { record.State = 2; });
    if (g.show_answer_wrong == 1) skip([&] { show_answer(); });
  }
  if (closed()) return;  // the time ran out while the explanation was open
  skip([&] { calculate_score(); });
  skip([&] { count_category_questions(); });
}

void quest::calculate_score() {
  int right = 0, wrong = 0;
  for (int k = 1; k <= g.questions_to_ask; ++k)
    skip([&] {
      const int16_t state = g.questions[record_of(g, k)].State;
      if (state == 1) ++right;
      if (state == 2) ++wrong;
    });
  const int graded = right + wrong;
  skip([&] { score.caption = str(int64_t{right}) + "/" + str(int64_t{graded}); });
  if (graded != 0) {
    skip([&] {
      const double percent = std::round(1000.0 * right / graded) / 10;
      Percent_Right.caption = str(percent) + "%";
    });
    skip([&] {
      the_gauge.height =
          Gauge1.height * (1 - static_cast<float>(right) / static_cast<float>(graded));
      the_gauge.visible = true;
      if (the_gauge.height < kSmallestGauge) the_gauge.visible = false;
    });
  }
  skip([&] { g.right_count = static_cast<int16_t>(right); });
}

void quest::count_category_questions() {
  for (int c = 1; c <= g.category_count; ++c) g.category_asked[c] = 0;
  for (int n = 1; n <= g.questions_to_ask; ++n) {
    const int16_t category = g.questions[record_of(g, n)].Category;
    const int c = category == 0 ? 1 : category;
    if (c >= 1 && c <= g.category_count) ++g.category_asked[c];
  }
}

}  // namespace pv
