#include "app/sheet_pdf.h"

#include <cstdlib>
#include <iostream>
#include <memory>

#include <QGuiApplication>

#include "app/cast_json.h"
#include "app/chart_pdf.h"
#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "present/texts/birth_texts.h"
#include "core/birth_input.h"
#include "core/text.h"
#include "present/binding/bind_interpretation.h"
#include "present/pictures/picture_store.h"
#include "present/binding/print_steps.h"
#include "present/render/report_output.h"

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

struct SheetPdfWriter::Painting {
  PictureStore pictures;
  FormRenderer renderer{[this](std::string_view name) { return pictures.find(name); }};
};

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
  ui.messages.clear();
  const CastRequestParse request = parseCastRequest(line);
  if (!request.birth) {
    appendErrorJson(json, request.error);
    err << "vesprin-cast: no chart sheet written: " << request.error << '\n';
    return SheetPdf::NotCast;
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
    return SheetPdf::NotCast;
  }
  calendar.startFreshRun();
  const CastOutcome outcome = CastChart(calendar, ui, birth, std::nullopt, options.boundaries);
  appendCastJson(json, outcome, ui.messages);
  if (outcome.status != CastOutcome::Status::Cast) {
    err << "vesprin-cast: no chart sheet written: "
        << (outcome.status == CastOutcome::Status::CyclesUnknown ? "the chart is incomplete: " : "")
        << outcome.error << '\n';
    return SheetPdf::NotCast;
  }
  if (!birthDateExists(birth.date.day, birth.date.month, birth.date.year)) {
    err << "vesprin-cast: no chart sheet written: " << kInvalidBirthDate << " " << padded(birth.date.day, 2)
        << "/" << padded(birth.date.month, 2) << "/" << padded(birth.date.year, 4)
        << ": the month has no such day\n";
    return SheetPdf::NotCast;
  }

  Forms forms = makeForms();
  clearAnalysisText(forms);
  BindCast(forms, outcome);
  prepareChartSheetWithoutHandOver(forms);

  ChartPdfOptions chart{options.paper, chartDocumentInfo(birth)};
  if (options.analysisPage) chart.following.push_back(&forms.analysisPage);
  if (!painting_) {
    // Qt starts with the first sheet to paint, not for a line refused before.
    ensureGuiApplication();
    painting_ = std::make_unique<Painting>();
  }
  const PdfResult written = writeChartPdf(forms.chartSheet, pdf, painting_->renderer, chart, err);
  if (!written.ok) {
    err << "vesprin-cast: " << written.error << '\n';
    return SheetPdf::NotWritten;
  }
  return SheetPdf::Written;
}

}  // namespace vesprin
