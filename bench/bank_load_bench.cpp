// The cost of a bank load: the GUDAR full exam is the largest bank (350 records), and
// select_product reloads a bank at start-up, on every change of test and at every test
// start. A load must stay well under 100 microseconds.
#include <benchmark/benchmark.h>

#include <memory>

#include "banks/registry.hpp"
#include "core/shared.hpp"

namespace {

void load_repeatedly(benchmark::State& state, const char* module) {
  const pv::BankModule* bank = pv::find_bank(module);
  if (bank == nullptr) {
    state.SkipWithError("bank not built in");
    return;
  }
  auto g = std::make_unique<pv::Shared>();
  for (auto _ : state) {
    bank->load_bank(*g);
    benchmark::DoNotOptimize(g->question_count);
  }
}

// A change of test: the loads alternate between the largest and the smallest GUDAR bank,
// so every reset and fill has real work to do.
void BM_SwitchFullExamAndCdRomBank(benchmark::State& state) {
  const pv::BankModule* combo = pv::find_bank("PB_GUDAR_combo");
  const pv::BankModule* velto = pv::find_bank("PB_GUDAR_velto");
  if (combo == nullptr || velto == nullptr) {
    state.SkipWithError("bank not built in");
    return;
  }
  auto g = std::make_unique<pv::Shared>();
  for (auto _ : state) {
    combo->load_bank(*g);
    velto->load_bank(*g);
    benchmark::DoNotOptimize(g->question_count);
  }
}

}  // namespace

BENCHMARK_CAPTURE(load_repeatedly, full_exam, "PB_GUDAR_combo")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(load_repeatedly, book, "PB_GUDAR_pelma")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SwitchFullExamAndCdRomBank)->Unit(benchmark::kMicrosecond);

// The first load into a fresh table, which allocates every text.
static void BM_FirstLoadOfTheFullExam(benchmark::State& state) {
  const pv::BankModule* combo = pv::find_bank("PB_GUDAR_combo");
  for (auto _ : state) {
    state.PauseTiming();
    auto g = std::make_unique<pv::Shared>();
    state.ResumeTiming();
    combo->load_bank(*g);
    benchmark::DoNotOptimize(g->question_count);
    state.PauseTiming();
    g.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstLoadOfTheFullExam)->Unit(benchmark::kMicrosecond);
