// The page preview of the print command: a dialog of Qt's print support, in
// the programs that show windows. A program that never shows one (the
// unattended vesprin-print) links print_preview_none.cpp instead.
#include <QAction>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

#include "app/print_command.h"
#include "present/render/report_output.h"

namespace vesprin {

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
