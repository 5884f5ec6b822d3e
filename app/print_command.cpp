#include "app/print_command.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "present/print_steps.h"
#include "present/render/report_output.h"

namespace vesprin {

int exitStatusOf(const PrintOutcome& outcome) {
  switch (outcome.result) {
    case PrintResult::Printed:
    case PrintResult::Previewed:
    case PrintResult::WrittenToPdf:
      return kExitPrinted;
    case PrintResult::SavedWithoutPrinter:
      return kExitNoPrinter;
    case PrintResult::Failed:
      break;
  }
  return kExitOutputFailed;
}

PrintCommand::PrintCommand(PictureFinder findPicture, std::ostream& report)
    : renderer_(std::move(findPicture)), report_(report) {}

PrintOutcome PrintCommand::run(Forms& forms, const PrintChoice& choice) {
  prepareChartSheetForPrint(forms);
  std::vector<const Form*> pages{&forms.chartSheet};
  if (choice.analysisPage) pages.push_back(&forms.analysisPage);
  if (choice.pdf) return writePdf(pages, *choice.pdf, PrintResult::WrittenToPdf);
  if (choice.preview) return preview(pages);
  return print(pages);
}

std::filesystem::path PrintCommand::fallbackPdfPath() {
  const std::filesystem::path dir = std::filesystem::current_path();
  std::filesystem::path file = dir / "chart-sheet.pdf";
  for (int n = 2; std::filesystem::exists(file); ++n)
    file = dir / ("chart-sheet-" + std::to_string(n) + ".pdf");
  return file;
}

PrintOutcome PrintCommand::writePdf(const std::vector<const Form*>& pages, const std::filesystem::path& file,
                                    PrintResult asked) {
  PdfResult written = writeReportPdf(pages, file, renderer_);
  if (!written.ok) {
    report_ << "vesprin: " << written.error << '\n';
    return {PrintResult::Failed, {}, written.error};
  }
  return {asked, std::filesystem::absolute(file), {}};
}

PrintOutcome PrintCommand::print(const std::vector<const Form*>& pages) {
  const Form& sheet = *pages.front();
  // The default printer, no dialog; a sheet that cannot go to a printer is
  // saved rather than lost.
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(*sheet.layout().page()));
    printer.setFullPage(false);
    printer.setDocName(QStringLiteral("Vesprin chart sheet"));
    QPainter painter;
    if (painter.begin(&printer)) {
      const bool painted = paintReportPages(painter, printer, pages, renderer_);
      if (painter.end() && painted) return {PrintResult::Printed, {}, {}};
    }
  }
  const std::filesystem::path file = fallbackPdfPath();
  PrintOutcome saved = writePdf(pages, file, PrintResult::SavedWithoutPrinter);
  if (saved.result == PrintResult::SavedWithoutPrinter)
    report_ << "vesprin: no usable printer; the chart sheet was saved as " << saved.pdf.string() << '\n';
  return saved;
}

// Sharp at the preview's actual size and not broken when it shows the whole page.
constexpr double kPreviewPictureDpi = 144;

PrintOutcome PrintCommand::preview(const std::vector<const Form*>& pages) {
  const Form& sheet = *pages.front();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(pageLayoutOf(*sheet.layout().page()));
  printer.setFullPage(false);
  QPrintPreviewDialog dialog(&printer);
  dialog.setWindowTitle(QStringLiteral("พิมพ์ดวงจีน"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
    // The page on screen is drawn from pictures averaged down to a screen's
    // resolution; printed from the preview, the printer gets them whole.
    const QPaintEngine* engine = target->paintEngine();
    renderer_.setScreenPictures(engine && engine->type() == QPaintEngine::Picture
                                    ? std::optional<double>(kPreviewPictureDpi)
                                    : std::nullopt);
    target->setPageLayout(pageLayoutOf(*sheet.layout().page()));
    QPainter painter(target);
    paintReportPages(painter, *target, pages, renderer_);
  });
  dialog.exec();
  renderer_.setScreenPictures(std::nullopt);
  return {PrintResult::Previewed, {}, {}};
}

}  // namespace vesprin
