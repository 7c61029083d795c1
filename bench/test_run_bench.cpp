// The cost of a test in the engine: presenting one question with its page (every Next,
// Back and font change does it), and a whole 50-question test from Start to the score
// report, driven headless with the fakes of the tests.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <stdexcept>

#include "core/welcome.hpp"
#include "setup/pick_a_quiz.hpp"
#include "support/test_program.hpp"
#include "testrun/quest.hpp"
#include "testrun/question_page.hpp"
#include "testrun/theanswer.hpp"
#include "web/front_end.hpp"

namespace {

using pv::testing::TestProgram;

// The program on the setup window of the GUDAR book test, answers shuffled.
std::unique_ptr<TestProgram> program_on_setup() {
  auto app = std::make_unique<TestProgram>("46000");
  app->start();
  app->program_folder.write("q_bottom.ini", pv::built_in_q_bottom().substr(2));
  app->click(app->forms().get<pv::Welcome>().Image4[0]);
  return app;
}

// A question of six answers, presented again and again as the font menus present it.
void BM_ShowQuestSixAnswers(benchmark::State& state) {
  auto app = program_on_setup();
  app->click(app->forms().get<pv::pick_a_quiz>().Command1);
  pv::Shared& g = app->g();
  pv::QuestionRecord& q = g.questions[g.current_record];
  for (int i = 1; i <= 6; ++i) {
    q.Answer[i] =
        "An answer of a usual length, such as a router's routing decision " + std::to_string(i);
    q.Correct[i] = i == 2 ? 1 : 0;
  }
  q.Arranged = 0;
  pv::quest& w = app->forms().get<pv::quest>();
  for (auto _ : state) {
    app->program->dispatch([&] {
      --g.question_counter;
      w.show_quest();
    });
    benchmark::DoNotOptimize(w.WebBrowser1.document.html().size());
  }
  state.counters["answers"] = g.answer_count;
}
BENCHMARK(BM_ShowQuestSixAnswers)->Unit(benchmark::kMicrosecond);

// What the program spends on top of the engine: the front-end publishing what changed
// after every event and before every wait, as the page polls it.
struct Published {
  std::unique_ptr<pv::FrontEnd> front;
  uint64_t page_bytes = 0;  // of each new question page
};

// The CPU time of this thread, in microseconds.
double thread_cpu_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

struct TestRun {
  uint64_t nexts = 0, patch_bytes = 0, page_bytes = 0;
  double cpu_us = 0;  // from Start to the score report
};

// Start, then for each of the 50 questions a mark and Next, the last one ending the test;
// wrong answers open the explanation window, which is closed. With `publish` the
// front-end publishes as in the program. The setup is left out of the timing.
TestRun whole_test(benchmark::State& state, bool publish) {
  state.PauseTiming();
  auto app = program_on_setup();
  pv::Shared& g = app->g();
  Published published;
  if (publish) {
    pv::Program& p = *app->program;
    published.front =
        std::make_unique<pv::FrontEnd>(p.loop(), p.input(), p.screen(), pv::WebServer::Options{});
    published.front->attach(p.loop(), [&g] { return g.media_folder; });
    published.front->publish();
  }
  // A wrong answer shows its explanation in a window that waits until it is closed.
  app->program->loop().idle = [&app] {
    pv::theanswer* w = app->loaded<pv::theanswer>();
    if (w == nullptr || !w->visible()) throw std::logic_error("a wait with nothing to close");
    app->program->input().click(w->Closeb);
  };
  TestRun run;
  state.ResumeTiming();
  const double start = thread_cpu_us();
  app->click(app->forms().get<pv::pick_a_quiz>().Command1);
  pv::quest& w = app->forms().get<pv::quest>();
  const auto published_bytes = [&] { return published.front ? published.front->patch_bytes() : 0; };
  const uint64_t before = published_bytes();
  uint64_t until_last = before;  // the last Next draws the score report, not a page
  const int questions = g.questions_to_ask;
  for (int k = 1; k <= questions; ++k) {
    if (k == questions) until_last = published_bytes();
    pv::HtmlDocument& doc = w.WebBrowser1.document;
    if (!doc.set_checked({"frm", "radio1", 0}, true)) doc.set_checked({"frm", "ans1", 0}, true);
    app->click(w.cmd_buttons[0]);
    if (k < questions) run.page_bytes += doc.html().size();
  }
  run.cpu_us = thread_cpu_us() - start;
  if (app->forms().find<pv::quest>() != nullptr) state.SkipWithError("the test did not end");
  state.PauseTiming();
  run.nexts = static_cast<uint64_t>(questions);
  run.patch_bytes = until_last - before;
  published.front.reset();
  app.reset();
  state.ResumeTiming();
  return run;
}

// The whole test; with the argument 1 published: the time beside that of the argument 0
// is the program's cost, and the bytes published per Next are beside the new page's.
void BM_WholeFiftyQuestionTest(benchmark::State& state) {
  uint64_t nexts = 0, patch_bytes = 0, page_bytes = 0;
  for (auto _ : state) {
    const TestRun run = whole_test(state, state.range(0) == 1);
    nexts += run.nexts;
    patch_bytes += run.patch_bytes;
    page_bytes += run.page_bytes;
  }
  state.counters["per_next"] = benchmark::Counter(
      static_cast<double>(nexts), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  // Per Next that presents a question: each but the last.
  const uint64_t pages = nexts - static_cast<uint64_t>(state.iterations());
  if (pages == 0) return;
  state.counters["page_bytes"] = static_cast<double>(page_bytes) / static_cast<double>(pages);
  if (state.range(0) == 1)
    state.counters["published_bytes"] =
        static_cast<double>(patch_bytes) / static_cast<double>(pages);
}
BENCHMARK(BM_WholeFiftyQuestionTest)
    ->ArgName("published")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The program's CPU per Next (the engine and the front-end publishing) beside the engine's
// own, the two runs taking turns; the goal is a program within 3 times its engine.
void BM_ProgramBesideEngine(benchmark::State& state) {
  double engine_us = 0, program_us = 0;
  uint64_t nexts = 0;
  for (auto _ : state) {
    engine_us += whole_test(state, false).cpu_us;
    const TestRun run = whole_test(state, true);
    program_us += run.cpu_us;
    nexts += run.nexts;
  }
  if (nexts == 0) return;
  const auto n = static_cast<double>(nexts);
  state.counters["engine_us_per_next"] = engine_us / n;
  state.counters["program_us_per_next"] = program_us / n;
  state.counters["program_over_engine"] = engine_us > 0 ? program_us / engine_us : 0;
  state.counters["floor_ratio"] = 3;
}
BENCHMARK(BM_ProgramBesideEngine)->Unit(benchmark::kMillisecond);

}  // namespace
