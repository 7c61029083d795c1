// The study saver's cost to the program: each tick of its drifting logo (every 20 ms, 50
// a second), the engine alone and with the front-end publishing the change, as a share
// of one core at that rate; the goal is under 3 %.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "studysaver/security.hpp"
#include "support/test_program.hpp"
#include "web/front_end.hpp"

namespace {

constexpr int kTickMs = 20;

double thread_cpu_us() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The saver of the GUDAR book bank, its timers armed; with `publish` a front-end
// publishes after every tick, as in the program.
void BM_SaverTick(benchmark::State& state) {
  auto app = std::make_unique<pv::testing::TestProgram>("aaaa46000");
  app->start();
  app->program->do_events();
  std::unique_ptr<pv::FrontEnd> front;
  if (state.range(0) == 1) {
    pv::Program& p = *app->program;
    front =
        std::make_unique<pv::FrontEnd>(p.loop(), p.input(), p.screen(), pv::WebServer::Options{});
    front->attach(p.loop(), [] { return std::string(); });
    front->publish();
  }
  if (app->forms().find<pv::Security>() == nullptr) state.SkipWithError("no saver window");
  const double start = thread_cpu_us();
  for (auto _ : state) app->advance_ms(kTickMs);
  const double per_tick = (thread_cpu_us() - start) / static_cast<double>(state.iterations());
  state.counters["us_per_tick"] = per_tick;
  state.counters["core_percent"] = per_tick * (1000.0 / kTickMs) / 1e4;
  if (front)
    state.counters["published_bytes"] = benchmark::Counter(
        static_cast<double>(front->patch_bytes()) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_SaverTick)->ArgName("published")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
