// The desk's refresh: a changed birth cast for its decorations, its request
// served on fresh forms by the engine's start-up, and the sheet painted at
// the width of a laptop screen's view. The target is under 100 ms a refresh.
// Run: build/bench/desk_refresh_bench (offscreen, no display needed).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QApplication>

#include "desk/desk_window.h"

namespace vesprin {
namespace {

const std::string kData = VESPRIN_SOURCE_DATA_DIR;

struct Desk {
  FixedClock clock{{2026, 12, 9}};
  SheetBuilder builder{{kData}, clock, DriveMap::parse("D=" + kData + "/pictures").map};
  DeskWindow window{builder};
  Desk() {
    // The window of a 1366 x 768 screen: the sheet about 800 pixels wide.
    window.resize(1300, 700);
    window.show();
  }
};

Desk& desk() {
  static Desk d;
  return d;
}

PrintRequest birth(int day, int year) {
  PrintRequest r;
  r.birth.day = day;
  r.birth.month = 3;
  r.birth.year = year;
  r.birth.hour = 7;
  r.birth.name = "สมชาย ใจดี";
  r.birth.strip = {6, 2, "2569", "2026"};
  r.marks.marksBlank = true;
  r.marks.powers = ElementGroupPowers{};
  r.marks.balance = BalancePanel{0, 0, "B", "", ""};
  return r;
}

// Every refresh a new birth: the cast, the served request, the painted page.
void BM_RefreshNewBirth(benchmark::State& state) {
  Desk& d = desk();
  int day = 1;
  const int year = static_cast<int>(state.range(0));
  for (auto _ : state) {
    d.window.entry()->setRecord(birth(day, year).birth);
    d.window.refreshNow();
    benchmark::DoNotOptimize(d.window.sheetView()->page().width());
    day = day % 28 + 1;
  }
  state.SetLabel(year == 2530 ? "birth in another calendar file than today's" : "birth in today's calendar file");
}
BENCHMARK(BM_RefreshNewBirth)->Arg(2530)->Arg(2560)->Unit(benchmark::kMillisecond);

// A decoration changed, the birth the same: no new cast for the decorations.
void BM_RefreshDecoration(benchmark::State& state) {
  Desk& d = desk();
  d.window.entry()->setRecord(birth(5, 2530).birth);
  bool on = false;
  for (auto _ : state) {
    d.window.decorationsPanel()->balanceBox()->setChecked(on = !on);
    d.window.refreshNow();
    benchmark::DoNotOptimize(d.window.sheetView()->page().width());
  }
}
BENCHMARK(BM_RefreshDecoration)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesprin

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
