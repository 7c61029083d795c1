// The two ends of a test: the regular end (after the last question, or End and Grade),
// which counts the test, writes the results and adds the history entry, and the time
// limit, which only shows the score report.
#include "platform/clock.hpp"
#include "platform/dialogs.hpp"
#include "platform/error_log.hpp"
#include "platform/settings.hpp"
#include "platform/vbtext.hpp"
#include "setup/results_file.hpp"
#include "testrun/finalscore.hpp"
#include "testrun/quest.hpp"

namespace pv {

void quest::end_the_test() {
  run_handler([&] {
    skip([&] {
      const double count = val(sys.settings.get("velto", g.product_id, "num_times", "0"));
      sys.settings.save("velto", g.product_id, "num_times", cstr(count + 1));
    });
    skip([&] { save_results_file(sys); });
    skip([&] { show_score_report(); });
    skip([&] { sys.forms.get<finalscore>().save_history(); });
    skip([&] { hide(); });
    skip([&] { unload(); });
  });
}

void quest::show_score_report() {
  sys.forms.unload<finalscore>();
  sys.forms.get<finalscore>().show();
}

void quest::menu_quittest_Click() {
  if (presenting_) return;
  skip([&] { g.question_counter = static_cast<int16_t>(g.questions_to_ask + 1); });
  skip([&] { end_the_test(); });
}

void quest::Timer1_Timer() {
  if (g.timed_test != 1) return;
  Trap step(sys.error_log, "timer1_timer()", "quest3.frm");
  // Whole seconds on the monotonic clock: a change of the system clock moves nothing.
  const int64_t elapsed = sys.clock.monotonic_ms() / 1000 - g.start_ms / 1000;
  // Counted in whole tenths, so the caption never shows a rounding remainder (" .1", not
  // " .0999999999999943").
  const double left = static_cast<double>(int64_t{g.time_limit} * 10 - elapsed * 10 / 60) / 10;
  if (time_limit_seconds(g) - elapsed < 0) {
    // Stopped before the message: a tick while it is open finds the test over.
    step([&] { g.timed_test = 99; });
    step([&] { sys.dialogs.msgbox("Time has expired"); });
    step([&] { show_score_report(); });
    return;
  }
  const std::string left_text = str(left);
  step([&] {
    set_caption("Practice Test for " + g.product_title + " - Question " +
                str(int64_t{g.question_counter}) + " of" + str(int64_t{g.questions_to_ask}) +
                " ---  Time Left:" + left_text + " min.");
  });
  step([&] { lbltime.caption = left_text + " min."; });
}

}  // namespace pv
