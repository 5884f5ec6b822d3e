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
std::vector<BirthFields> births() {
  std::vector<BirthFields> out;
  for (int i = 0; i < 997; ++i) {
    BirthFields f;
    f.day = std::to_string(1 + i % 28);
    if (f.day.size() < 2) f.day = "0" + f.day;
    f.month = std::string(monthItemText(1 + i % 12));
    f.year = std::to_string(2543 + i % 26);  // births before today: the current year stays cached
    f.hour = std::to_string(i % 24);
    if (f.hour.size() < 2) f.hour = "0" + f.hour;
    f.minute = "30";
    f.gender = i % 2 ? "ชาย" : "หญิง";
    f.toBeBorn = i % 5 ? "09" : "08";
    out.push_back(f);
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
  const std::vector<std::string> record;
  std::size_t i = 0;
  for (auto _ : state) {
    const BirthFields& f = all[i++ % all.size()];
    ChartResult r;
    r.input = std::move(NormaliseBirthInput(f).input);
    r.today = clock.today();
    r.currentYear = session.currentYearPillar(r.input);
    benchmark::DoNotOptimize(ComputeChart(r, session.loaded(), record));
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
    writeBirthFields(forms.main, all[i++ % all.size()]);
    benchmark::DoNotOptimize(pipeline.Cast());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_CastPipeline);

}  // namespace
}  // namespace vesprin

BENCHMARK_MAIN();
