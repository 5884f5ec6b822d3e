// Casts per second with a fifty-year calendar file loaded, and the time to
// load such a file. Run: build/bench/cast_bench
#include <benchmark/benchmark.h>

#include <vector>

#include "app/cast_pipeline.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/derived_pillars.h"
#include "core/four_pillars.h"

namespace vesprin {
namespace {

const std::string kDataDir = VESPRIN_SOURCE_DATA_DIR;
const std::string kFile = kDataDir + "/CAL2543.DAT";  // BE 2543-2592, the most cast years

// A spread of births over the past years of the file, at every hour.
std::vector<Birth> births() {
  std::vector<Birth> out;
  for (int i = 0; i < 997; ++i) {
    Birth b;
    // Births before today: the current year stays cached.
    b.date = {1 + i % 28, 1 + i % 12, 2543 + i % 26};
    b.time = {i % 24, 30};
    b.gender = i % 2 ? Gender::Male : Gender::Female;
    b.pregnancyMonths = i % 5 ? 9 : 8;
    out.push_back(b);
  }
  return out;
}

void BM_LoadCalendarFile(benchmark::State& state) {
  for (auto _ : state) {
    auto load = CalendarFile::load(kFile);
    if (!load.file) state.SkipWithError(load.error.c_str());
    benchmark::DoNotOptimize(load);
  }
}
BENCHMARK(BM_LoadCalendarFile)->Unit(benchmark::kMillisecond);

// The computing stages of a cast: input rules, current year (cached), birth
// line, four and derived pillars, interpretation, time cycles.
void BM_CastStages(benchmark::State& state) {
  auto indexLoad = CalendarSession::LoadCalendarIndex({kDataDir});
  FixedClock clock({2026, 12, 9});
  ScriptedUserInterface ui;
  CalendarSession session(std::move(*indexLoad.index), {kDataDir}, clock, ui);
  session.EnsureDataFileLoaded("CAL2543.DAT", PromptButtons::YesNo);
  const auto all = births();
  std::size_t i = 0;
  for (auto _ : state) {
    ChartResult r;
    r.input = NormaliseBirth(all[i++ % all.size()]);
    r.today = clock.today();
    r.currentYear = session.currentYearPillar(r.input);
    benchmark::DoNotOptimize(ComputeChart(r, session.loaded(), std::nullopt));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_CastStages);

// The whole cast through the forms: the stages above, the file lookups and the
// binding of a few hundred components.
void BM_CastPipeline(benchmark::State& state) {
  auto indexLoad = CalendarSession::LoadCalendarIndex({kDataDir});
  FixedClock clock({2026, 12, 9});
  ScriptedUserInterface ui;
  CalendarSession session(std::move(*indexLoad.index), {kDataDir}, clock, ui);
  Forms forms = makeForms();
  CastPipeline pipeline(session, forms, ui);
  const auto all = births();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pipeline.Cast(all[i++ % all.size()]));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_CastPipeline);

}  // namespace
}  // namespace vesprin

BENCHMARK_MAIN();
