// The cost of a test in the engine: presenting one question with its page (every Next,
// Back and font change does it), and a whole 50-question test from Start to the score
// report, driven headless with the fakes of the tests.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "core/welcome.hpp"
#include "setup/pick_a_quiz.hpp"
#include "support/test_program.hpp"
#include "testrun/quest.hpp"
#include "testrun/question_page.hpp"
#include "testrun/theanswer.hpp"

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

// Start, then for each of the 50 questions a mark and Next, the last one ending the test.
void BM_WholeFiftyQuestionTest(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto app = program_on_setup();
    pv::Shared& g = app->g();
    // A wrong answer shows its explanation in a window that waits until it is closed.
    app->program->loop().idle = [&app] {
      pv::theanswer* w = app->loaded<pv::theanswer>();
      if (w == nullptr || !w->visible()) throw std::logic_error("a wait with nothing to close");
      app->program->input().click(w->Closeb);
    };
    state.ResumeTiming();
    app->click(app->forms().get<pv::pick_a_quiz>().Command1);
    pv::quest& w = app->forms().get<pv::quest>();
    const int questions = g.questions_to_ask;
    for (int k = 1; k <= questions; ++k) {
      pv::HtmlDocument& doc = w.WebBrowser1.document;
      if (!doc.set_checked({"frm", "radio1", 0}, true)) doc.set_checked({"frm", "ans1", 0}, true);
      app->click(w.cmd_buttons[0]);
    }
    if (app->forms().find<pv::quest>() != nullptr) state.SkipWithError("the test did not end");
    state.PauseTiming();
    app.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WholeFiftyQuestionTest)->Unit(benchmark::kMillisecond);

}  // namespace
