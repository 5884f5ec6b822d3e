#include "app/sheet_pdf.h"

#include <cstdlib>
#include <iostream>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include <QGuiApplication>

#include "app/cast_json.h"
#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/chart_pdf.h"
#include "core/birth_input.h"
#include "core/text.h"
#include "present/binding/bind_interpretation.h"
#include "present/binding/print_steps.h"
#include "present/pictures/picture_store.h"
#include "present/render/report_output.h"
#include "present/texts/birth_texts.h"

namespace vesprin {

namespace {

// Without a desktop session Qt warns that it has no runtime folder, which it
// does not need for painting a PDF; every other message passes.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  std::cerr << (type == QtDebugMsg ? "" : "vesprin: ") << text.toStdString() << '\n';
}

}  // namespace

void ensureGuiApplication() {
  if (QGuiApplication::instance()) return;
  qInstallMessageHandler(quietMessages);
  // Painting a PDF needs fonts, not a screen.
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "vesprin";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

// The pictures, read once for every sheet and every painting thread: one
// store, one thread at a time, so that a missing picture is reported once.
class SharedPictures {
 public:
  std::optional<std::filesystem::path> find(std::string_view name) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return store_.find(name);
  }

 private:
  std::mutex mutex_;
  PictureStore store_;
};

}  // namespace

struct SheetPdfWriter::Painting {
  SharedPictures pictures;
  FormRenderer renderer{[this](std::string_view name) { return pictures.find(name); }};
};

namespace {

// A sheet cast and bound, to be painted.
struct SheetJob {
  std::unique_ptr<Forms> forms;
  std::filesystem::path pdf;
  ChartPdfOptions chart;
};

// The casting half of a sheet: the JSON, and the sheet's forms bound when it
// is to be written; otherwise why not on `err`, and `refused` says so.
std::optional<SheetJob> castSheet(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                                  const YearList& years, const std::filesystem::path& pdf, std::string& json,
                                  std::ostream& err, const SheetPdfOptions& options, SheetPdf& refused) {
  refused = SheetPdf::NotCast;
  ui.messages.clear();
  const CastRequestParse request = parseCastRequest(line);
  if (!request.birth) {
    appendErrorJson(json, request.error);
    err << "vesprin-cast: no chart sheet written: " << request.error << '\n';
    return std::nullopt;
  }
  const Birth& birth = *request.birth;
  const int year = birth.date.year;
  if (years.years.empty() || year < years.years.front() || year > years.years.back()) {
    // The JSON path words the refusal; only the sheet's absence is added here.
    std::string refusal;
    castLineToJson(line, calendar, ui, years, refusal, options.boundaries);
    json += refusal;
    err << "vesprin-cast: no chart sheet written: year " << padded(year, 4)
        << " is outside the calendar\n";
    return std::nullopt;
  }
  calendar.startFreshRun();
  const CastOutcome outcome = CastChart(calendar, ui, birth, std::nullopt, options.boundaries);
  appendCastJson(json, outcome, ui.messages);
  if (outcome.status != CastOutcome::Status::Cast) {
    err << "vesprin-cast: no chart sheet written: "
        << (outcome.status == CastOutcome::Status::CyclesUnknown ? "the chart is incomplete: " : "")
        << outcome.error << '\n';
    return std::nullopt;
  }
  if (!birthDateExists(birth.date.day, birth.date.month, birth.date.year)) {
    err << "vesprin-cast: no chart sheet written: " << kInvalidBirthDate << " " << padded(birth.date.day, 2)
        << "/" << padded(birth.date.month, 2) << "/" << padded(birth.date.year, 4)
        << ": the month has no such day\n";
    return std::nullopt;
  }

  SheetJob job{std::make_unique<Forms>(makeForms()), pdf, {}};
  Forms& forms = *job.forms;
  clearAnalysisText(forms);
  BindCast(forms, outcome);
  prepareChartSheetWithoutHandOver(forms);
  job.chart = ChartPdfOptions{options.paper, chartDocumentInfo(birth)};
  if (options.analysisPage) job.chart.following.push_back(&forms.analysisPage);
  return job;
}

// The painting half: the sheet painted, finished and written.
SheetPdf paintSheet(const SheetJob& job, FormRenderer& renderer, std::ostream& err) {
  const PdfResult written = writeChartPdf(job.forms->chartSheet, job.pdf, renderer, job.chart, err);
  if (!written.ok) {
    err << "vesprin-cast: " << written.error << '\n';
    return SheetPdf::NotWritten;
  }
  return SheetPdf::Written;
}

}  // namespace

SheetPdfWriter::SheetPdfWriter() = default;

SheetPdfWriter::~SheetPdfWriter() = default;

SheetPdf castLineToPdf(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                   const YearList& years, const std::filesystem::path& pdf, std::string& json,
                   std::ostream& err, const SheetPdfOptions& options) {
  SheetPdfWriter writer;
  return writer.write(line, calendar, ui, years, pdf, json, err, options);
}

SheetPdf SheetPdfWriter::write(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                               const YearList& years, const std::filesystem::path& pdf, std::string& json,
                               std::ostream& err, const SheetPdfOptions& options) {
  SheetPdf refused;
  const std::optional<SheetJob> job = castSheet(line, calendar, ui, years, pdf, json, err, options, refused);
  if (!job) return refused;
  if (!painting_) {
    // Qt starts with the first sheet to paint, not for a line refused before.
    ensureGuiApplication();
    painting_ = std::make_unique<Painting>();
  }
  return paintSheet(*job, painting_->renderer, err);
}

// Each painting thread has its own renderer (Qt's fonts are per thread);
// the casting thread hands over the jobs in order and takes the outcomes in
// the same order.
struct SheetPdfBatch::State {
  struct Entry {
    std::optional<SheetJob> job;
    SheetPdf sheet = SheetPdf::NotCast;
    std::string report;
    bool done = false;
  };
  explicit State(unsigned threads) : count(threads) {}

  void work() {
    FormRenderer renderer([this](std::string_view name) { return pictures->find(name); });
    for (;;) {
      Entry* entry = nullptr;
      {
        std::unique_lock<std::mutex> lock(mutex);
        queued.wait(lock, [&] { return stop || !jobs.empty(); });
        if (jobs.empty()) return;
        entry = jobs.front();
        jobs.pop_front();
      }
      std::ostringstream err;
      const SheetPdf sheet = paintSheet(*entry->job, renderer, err);
      entry->job.reset();  // the forms go as soon as the sheet is out
      {
        const std::lock_guard<std::mutex> lock(mutex);
        entry->sheet = sheet;
        entry->report += err.str();
        entry->done = true;
      }
      finished.notify_all();
    }
  }

  unsigned count;
  std::vector<std::thread> threads;
  std::optional<SharedPictures> pictures;
  std::optional<FormRenderer> renderer;  // without threads: the calling thread's
  mutable std::mutex mutex;
  std::condition_variable queued, finished;
  std::deque<std::unique_ptr<Entry>> entries;  // in the order added
  std::deque<Entry*> jobs;                     // waiting for a thread
  bool stop = false;
};

SheetPdfBatch::SheetPdfBatch(unsigned threads) : state_(std::make_unique<State>(threads)) {}

SheetPdfBatch::~SheetPdfBatch() {
  {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    state_->stop = true;
  }
  state_->queued.notify_all();
  for (std::thread& t : state_->threads) t.join();
}

void SheetPdfBatch::add(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                        const YearList& years, const std::filesystem::path& pdf, std::string& json,
                        const SheetPdfOptions& options) {
  State& s = *state_;
  auto entry = std::make_unique<State::Entry>();
  std::ostringstream err;
  entry->job = castSheet(line, calendar, ui, years, pdf, json, err, options, entry->sheet);
  entry->report = err.str();
  // Each thread's renderer compresses a picture once for all its sheets.
  if (entry->job) entry->job->chart.pictureStandIns = true;
  if (entry->job && !s.pictures) {
    // Qt starts with the first sheet to paint, not for a line refused before.
    ensureGuiApplication();
    s.pictures.emplace();
    if (s.count == 0)
      s.renderer.emplace([&s](std::string_view name) { return s.pictures->find(name); });
    for (unsigned k = 0; k < s.count; ++k) s.threads.emplace_back([&s] { s.work(); });
  }
  if (!entry->job) {
    entry->done = true;
  } else if (s.count == 0) {
    std::ostringstream painted;
    entry->sheet = paintSheet(*entry->job, *s.renderer, painted);
    entry->report += painted.str();
    entry->job.reset();
    entry->done = true;
  }
  const std::lock_guard<std::mutex> lock(s.mutex);
  State::Entry* queued = entry->done ? nullptr : entry.get();
  s.entries.push_back(std::move(entry));
  if (queued) {
    s.jobs.push_back(queued);
    s.queued.notify_one();
  }
}

std::optional<SheetPdfBatch::Done> SheetPdfBatch::next() {
  State& s = *state_;
  std::unique_lock<std::mutex> lock(s.mutex);
  if (s.entries.empty()) return std::nullopt;
  s.finished.wait(lock, [&] { return s.entries.front()->done; });
  Done done{s.entries.front()->sheet, std::move(s.entries.front()->report)};
  s.entries.pop_front();
  return done;
}

std::size_t SheetPdfBatch::waiting() const {
  const std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->entries.size();
}

}  // namespace vesprin
