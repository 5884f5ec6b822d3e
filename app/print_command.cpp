#include "app/print_command.h"

#include <QPaintEngine>
#include <QPainter>
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/chart_pdf.h"
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
  const Form& sheet = forms.chartSheet;
  paper_ = choice.paper;
  document_ = choice.document ? *choice.document : chartDocumentInfo(forms.main);
  following_.clear();
  if (choice.analysisPage) following_.push_back(&forms.analysisPage);
  if (choice.pdf) return writePdf(sheet, *choice.pdf, PrintResult::WrittenToPdf);
  if (choice.preview) return preview(sheet);
  return print(sheet);
}

std::filesystem::path PrintCommand::fallbackPdfPath() {
  const std::filesystem::path dir = std::filesystem::current_path();
  std::filesystem::path file = dir / "chart-sheet.pdf";
  for (int n = 2; std::filesystem::exists(file); ++n)
    file = dir / ("chart-sheet-" + std::to_string(n) + ".pdf");
  return file;
}

PrintOutcome PrintCommand::writePdf(const Form& sheet, const std::filesystem::path& file,
                                    PrintResult asked) {
  PdfResult written = writeChartPdf(sheet, file, renderer_, {paper_, document_, following_}, report_);
  if (!written.ok) {
    report_ << "vesprin: " << written.error << '\n';
    return {PrintResult::Failed, {}, written.error};
  }
  return {asked, std::filesystem::absolute(file), {}};
}

PrintOutcome PrintCommand::print(const Form& sheet) {
  // The default printer, no dialog; a sheet that cannot go to a printer is
  // saved rather than lost.
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    const PaperPlacement placement = placeOnPaper(*sheet.layout().page(), paper_);
    printer.setPageLayout(placement.layout);
    printer.setFullPage(false);
    printer.setDocName(QString::fromStdString(document_.title));
    QPainter painter;
    if (painter.begin(&printer)) {
      paintReportPage(painter, printer, sheet, renderer_, placement.scale);
      const bool following = paintFollowingPages(painter, printer, following_, renderer_);
      if (painter.end() && following) return {PrintResult::Printed, {}, {}};
    }
  }
  const std::filesystem::path file = fallbackPdfPath();
  PrintOutcome saved = writePdf(sheet, file, PrintResult::SavedWithoutPrinter);
  if (saved.result == PrintResult::SavedWithoutPrinter)
    report_ << "vesprin: no usable printer; the chart sheet was saved as " << saved.pdf.string() << '\n';
  return saved;
}

// Sharp at the preview's actual size and not broken when it shows the whole page.
constexpr double kPreviewPictureDpi = 144;

PrintOutcome PrintCommand::preview(const Form& sheet) {
  QPrinter printer(QPrinter::HighResolution);
  const PaperPlacement placement = placeOnPaper(*sheet.layout().page(), paper_);
  printer.setPageLayout(placement.layout);
  printer.setFullPage(false);
  printer.setDocName(QString::fromStdString(document_.title));
  QPrintPreviewDialog dialog(&printer);
  dialog.setWindowTitle(QStringLiteral("พิมพ์ดวงจีน"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
    // The page on screen is drawn from pictures averaged down to a screen's
    // resolution; printed from the preview, the printer gets them whole.
    const QPaintEngine* engine = target->paintEngine();
    renderer_.setScreenPictures(engine && engine->type() == QPaintEngine::Picture
                                    ? std::optional<double>(kPreviewPictureDpi)
                                    : std::nullopt);
    target->setPageLayout(placement.layout);  // the sheet's paper again after a following page
    QPainter painter(target);
    paintReportPage(painter, *target, sheet, renderer_, placement.scale);
    paintFollowingPages(painter, *target, following_, renderer_);
  });
  // The whole screen, the sheet as wide as it goes: its small print is
  // read on screen before it goes to paper.
  // Maximised by the window manager; sized to the screen where none is
  // running to do it.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) dialog.setGeometry(screen->availableGeometry());
  dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
  if (auto* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction")))
    fitWidth->trigger();
  else if (auto* view = dialog.findChild<QPrintPreviewWidget*>())
    view->fitToWidth();
  dialog.exec();
  renderer_.setScreenPictures(std::nullopt);
  return {PrintResult::Previewed, {}, {}};
}

}  // namespace vesprin
