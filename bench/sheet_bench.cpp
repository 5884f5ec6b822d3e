// The chart sheet on paper: the time of one render of a cast sheet to a PDF
// file, and of the preview's first page (the page preview lays the sheet out
// and paints it once before it can show it). Run: build/bench/sheet_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "present/binding/print_steps.h"
#include "present/pictures/picture_store.h"
#include "present/render/report_output.h"

namespace vesprin {
namespace {

// The sheet of the README's example birth, cast once.
const Forms& castSheet() {
  static const Forms forms = [] {
    Forms f = makeForms();
    const std::vector<std::string> dirs{VESPRIN_SOURCE_DATA_DIR};
    auto index = CalendarSession::LoadCalendarIndex(dirs);
    FixedClock clock({2026, 12, 9});
    ScriptedUserInterface ui;
    CalendarSession calendar(std::move(*index.index), dirs, clock, ui);
    CastPipeline(calendar, f, ui).Cast(*parseCastRequest("05 03 2530 07 30 m 09").birth);
    prepareChartSheetForPrint(f);
    return f;
  }();
  return forms;
}

PictureFinder finder() {
  static PictureStore store(VESPRIN_SOURCE_DATA_DIR, std::cerr);
  return [](std::string_view name) { return store.find(name); };
}

// A fresh renderer each time: the pictures are read from their files as in a run.
void BM_SheetToPdf(benchmark::State& state) {
  const Form& sheet = castSheet().chartSheet;
  const auto file = std::filesystem::temp_directory_path() / "vesprin_sheet_bench.pdf";
  for (auto _ : state) {
    FormRenderer renderer(finder());
    const PdfResult result = writeReportPdf(sheet, file, renderer);
    if (!result.ok) state.SkipWithError(result.error.c_str());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_SheetToPdf)->Unit(benchmark::kMillisecond);

void BM_PreviewFirstPage(benchmark::State& state) {
  const Form& sheet = castSheet().chartSheet;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(pageLayoutOf(*sheet.layout().page()));
  for (auto _ : state) {
    FormRenderer renderer(finder());
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
      QPainter painter(target);
      paintReportPage(painter, *target, sheet, renderer);
    });
    preview.updatePreview();
    if (preview.pageCount() != 1) state.SkipWithError("the preview has no page");
  }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesprin

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
