#include "desk/desk_window.h"

#include <algorithm>
#include <sstream>

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/chart_pdf.h"
#include "desk/buddhist_era.h"
#include "present/render/report_output.h"

namespace vesprin {
namespace {

QString paperText(Paper paper) { return QString::fromLatin1(paperName(paper).data(), static_cast<qsizetype>(paperName(paper).size())); }

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Coalesces the changes of one keystroke or click into one refresh, well
// inside the tenth of a second a refresh may take.
constexpr int kRefreshDelayMs = 15;

}  // namespace

DeskWindow::DeskWindow(SheetBuilder& builder, QWidget* parent) : QMainWindow(parent), builder_(builder) {
  entry_ = new BirthForm(builder.years(), currentBuddhistYear(builder.clock()));
  boundary_ = new BoundaryPanel;
  decorations_ = new DecorationsPanel;
  // The desk knows the minute of the birth: every festival and hour edge
  // within the margin, on either side, is worth a warning.
  const int margin = QSettings().value(QStringLiteral("boundaryMargin"), kDefaultBoundaryMargin).toInt();
  builder_.setBoundaryRule({BoundaryRule::Precision::Minute, std::clamp(margin, 0, kMaxBoundaryMargin)});
  view_ = new SheetView;

  auto* left = new QWidget;
  auto* v = new QVBoxLayout(left);
  v->addWidget(entry_);
  v->addWidget(boundary_);
  v->addWidget(decorations_, 1);
  auto* leftScroll = new QScrollArea;
  leftScroll->setWidget(left);
  leftScroll->setWidgetResizable(true);
  leftScroll->setFrameShape(QFrame::NoFrame);
  leftScroll->setMinimumWidth(left->sizeHint().width() + leftScroll->verticalScrollBar()->sizeHint().width() + 4);
  leftScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  splitter_ = new QSplitter;
  splitter_->addWidget(leftScroll);
  splitter_->addWidget(view_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setChildrenCollapsible(false);
  setCentralWidget(splitter_);

  refreshTimer_.setSingleShot(true);
  refreshTimer_.setInterval(kRefreshDelayMs);
  connect(&refreshTimer_, &QTimer::timeout, this, &DeskWindow::refreshNow);
  connect(entry_, &BirthForm::changed, this, &DeskWindow::scheduleRefresh);
  connect(decorations_, &DecorationsPanel::changed, this, &DeskWindow::scheduleRefresh);

  buildActions();
  statusBar();
  updateTitle();
  refreshNow();
  entry_->nameField()->setFocus();
}

DeskWindow::~DeskWindow() = default;

void DeskWindow::buildActions() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QToolBar* bar = addToolBar(tr("Commands"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto action = [&](const QString& text, const QKeySequence& keys, auto slot, bool output) {
    QAction* a = file->addAction(text);
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, slot);
    if (output) outputs_.append(a);
    return a;
  };
  bar->addAction(action(tr("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P),
                        [this] { printOnDefaultPrinter(); }, true));
  action(tr("Print &to…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] { printWithDialog(); }, true);
  bar->addAction(action(tr("Save as P&DF…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                        [this] { savePdf(); }, true));
  action(tr("Write &hand-over files…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H),
         [this] { writeHandover(); }, true);
  // The paper: Letter as the sheet is laid out, or A4 (Thai print shops)
  // with the Letter page scaled to fit and centred.
  QMenu* paperMenu = file->addMenu(tr("P&aper"));
  letter_ = paperMenu->addAction(tr("Letter"));
  a4_ = paperMenu->addAction(tr("A4 (the Letter page scaled to fit)"));
  auto* papers = new QActionGroup(this);
  for (QAction* a : {letter_, a4_}) {
    a->setCheckable(true);
    papers->addAction(a);
  }
  connect(letter_, &QAction::triggered, this, [this] { setPaper(Paper::Letter); });
  connect(a4_, &QAction::triggered, this, [this] { setPaper(Paper::A4); });
  const QString kept = QSettings().value(QStringLiteral("paper")).toString();
  const std::optional<Paper> keptPaper = parsePaper(kept.toStdString());
  paper_ = keptPaper.value_or(Paper::Letter);
  (paper_ == Paper::A4 ? a4_ : letter_)->setChecked(true);
  // The analysis page, on which astrologers write during a consultation.
  analysisPage_ = new QCheckBox(tr("Analysis page too"));
  analysisPage_->setToolTip(tr("Every print and PDF gets the analysis page (A4) as a second page"));
  analysisPage_->setChecked(QSettings().value(QStringLiteral("analysisPage"), false).toBool());
  connect(analysisPage_, &QCheckBox::toggled, this, [](bool on) { QSettings().setValue(QStringLiteral("analysisPage"), on); });
  file->addAction(tr("Boundary &warning margin…"), this, &DeskWindow::askBoundaryMargin);
  file->addSeparator();
  bar->addWidget(analysisPage_);
  bar->addAction(action(tr("Save &client"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveClient(); }, true));
  file->addSeparator();
  action(tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); }, false);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  QAction* fit = view->addAction(tr("Fit &width"));
  QAction* page = view->addAction(tr("Whole &page"));
  QAction* actual = view->addAction(tr("&100 %"));
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
  page->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_8));
  actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  auto* zoom = new QActionGroup(this);
  const std::pair<QAction*, SheetView::Zoom> zooms[] = {
      {fit, SheetView::Zoom::FitWidth}, {page, SheetView::Zoom::FitPage}, {actual, SheetView::Zoom::Actual}};
  bar->addSeparator();
  for (const auto& [a, z] : zooms) {
    a->setCheckable(true);
    zoom->addAction(a);
    bar->addAction(a);
    connect(a, &QAction::triggered, this, [this, z = z] { view_->setZoom(z); });
  }
  fit->setChecked(true);

  // Enter refreshes at once, wherever the cursor is but in the note, where
  // it starts a new line.
  for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this);
    connect(enter, &QShortcut::activated, this, [this] {
      if (decorations_->noteField()->hasFocus()) {
        decorations_->noteField()->insertPlainText(QStringLiteral("\n"));
        return;
      }
      refreshNow();
    });
  }
}

void DeskWindow::scheduleRefresh() {
  if (!refreshing_) refreshTimer_.start();
}

void DeskWindow::refreshNow() {
  refreshTimer_.stop();
  refreshing_ = true;
  const std::optional<BirthRecord> record = entry_->record();
  if (!record) {
    boundary_->setWarnings({}, std::nullopt);
    sheet_.reset();
    view_->setSheet(nullptr);
    view_->setStale(entry_->problem());
  } else {
    const CastOutcome* cast = builder_.castOf(*record);
    decorations_->setCast(cast);
    const bool cast_ok = cast && cast->status == CastOutcome::Status::Cast && cast->result.powers;
    if (cast_ok && cast->result.natal) {
      const FourPillars& n = *cast->result.natal;
      boundary_->setWarnings(cast->result.warnings, NatalFour{n.year, n.month, n.day, n.time});
    } else {
      boundary_->setWarnings({}, std::nullopt);
    }
    request_ = deskRequest(*record, decorations_->decorations(), cast_ok ? &*cast->result.powers : nullptr);
    BuiltSheet built = builder_.build(request_);
    if (!built.forms) {
      sheet_.reset();
      view_->setSheet(nullptr);
      view_->setStale(tr("This birth cannot be cast: %1").arg(fromUtf8(built.outcome.cause)));
    } else {
      // The view paints the new forms before the old ones go.
      std::unique_ptr<Forms> old = std::move(sheet_);
      sheet_ = std::move(built.forms);
      sheetBirth_ = built.outcome.birth;
      view_->setSheet(&sheet_->chartSheet);
      view_->setStale({});
    }
  }
  for (QAction* a : outputs_) a->setEnabled(canPrint());
  updateTitle();
  refreshing_ = false;
}

PrintRequest DeskWindow::request() const {
  const std::optional<BirthRecord> record = entry_->record();
  if (!record) return request_;
  const CastOutcome* cast = builder_.castOf(*record);
  const bool ok = cast && cast->status == CastOutcome::Status::Cast && cast->result.powers;
  return deskRequest(*record, decorations_->decorations(), ok ? &*cast->result.powers : nullptr);
}

void DeskWindow::setRequest(const PrintRequest& r) {
  entry_->setRecord(r.birth);
  Decorations d{r.marks, true};
  // Figures that are not the chart's own were typed: keep them as typed.
  const CastOutcome* cast = builder_.castOf(r.birth);
  if (cast && cast->status == CastOutcome::Status::Cast && cast->result.powers) {
    const PrintRequest computed = deskRequest(r.birth, d, &*cast->result.powers);
    d.computed = computed.marks == r.marks;
  } else {
    d.computed = !r.marks.powers && !r.marks.balance;
  }
  decorations_->setDecorations(d);
  refreshNow();
}

void DeskWindow::setSidePanel(QWidget* panel) {
  if (side_) delete side_;
  side_ = panel;
  if (panel) {
    // A narrow list: the sheet is what the astrologer reads.
    panel->setMaximumWidth(320);
    splitter_->insertWidget(0, panel);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 0);
    splitter_->setStretchFactor(2, 1);
    QList<int> sizes = splitter_->sizes();
    const int total = std::max(width(), 1200);
    const int form = splitter_->widget(1)->minimumWidth();
    sizes = {220, form, std::max(400, total - 220 - form)};
    splitter_->setSizes(sizes);
  }
}

void DeskWindow::updateTitle() {
  const QString name = entry_->nameField()->text().trimmed();
  setWindowTitle(name.isEmpty() ? tr("Vesprin desk") : tr("Vesprin desk – %1").arg(name));
}

void DeskWindow::setPaper(Paper paper) {
  paper_ = paper;
  (paper == Paper::A4 ? a4_ : letter_)->setChecked(true);
  QSettings().setValue(QStringLiteral("paper"), QString::fromLatin1(paperName(paper).data(),
                                                                   static_cast<qsizetype>(paperName(paper).size())));
  say(paper == Paper::A4 ? tr("Paper: A4") : tr("Paper: Letter"));
}

bool DeskWindow::analysisPage() const { return analysisPage_->isChecked(); }

void DeskWindow::setAnalysisPage(bool on) { analysisPage_->setChecked(on); }

void DeskWindow::setBoundaryMargin(int minutes) {
  minutes = std::clamp(minutes, 0, kMaxBoundaryMargin);
  builder_.setBoundaryRule({BoundaryRule::Precision::Minute, minutes});
  QSettings().setValue(QStringLiteral("boundaryMargin"), minutes);
  refreshNow();
}

void DeskWindow::askBoundaryMargin() {
  QInputDialog ask(this);
  ask.setWindowTitle(tr("Boundary warning margin"));
  ask.setLabelText(
      tr("Warn of a birth within this many minutes of a large festival or a double-hour edge (0: only a birth right on one):"));
  ask.setInputMode(QInputDialog::IntInput);
  ask.setIntRange(0, kMaxBoundaryMargin);
  ask.setIntStep(5);
  ask.setIntValue(boundaryMargin());
  // Qt has no Thai for its standard buttons: the desk's own.
  ask.setOkButtonText(tr("OK"));
  ask.setCancelButtonText(tr("Cancel"));
  if (ask.exec() != QDialog::Accepted) return;
  const int minutes = ask.intValue();
  setBoundaryMargin(minutes);
  say(tr("Boundary warning margin: %1 min").arg(minutes));
}

void DeskWindow::say(const QString& text) { statusBar()->showMessage(text, 10000); }

PrintOutcome DeskWindow::runPrintCommand(PrintChoice choice) {
  PictureStore pictures;
  std::ostringstream report;  // the outcome says all the desk shows
  PrintCommand command([&pictures](std::string_view name) { return pictures.find(name); }, report);
  choice.paper = paper_;
  choice.analysisPage = analysisPage();
  choice.document = chartDocumentInfo(sheetBirth_);
  return command.run(*sheet_, choice);
}

PrintOutcome DeskWindow::printOnDefaultPrinter() {
  if (!canPrint()) return {PrintResult::Failed, {}, "nothing to print"};
  const PrintOutcome out = runPrintCommand({});
  switch (out.result) {
    case PrintResult::Printed: {
      const QString printer = QPrinterInfo::defaultPrinter().printerName();
      say(tr("Sent to the printer %1").arg(printer));
      emit sheetPrinted(request_, printer, paperText(paper_));
      break;
    }
    case PrintResult::SavedWithoutPrinter:
      say(tr("No printer is ready: the sheet was saved as %1").arg(QString::fromStdString(out.pdf.string())));
      emit sheetPrinted(request_, QString::fromStdString(out.pdf.string()), paperText(paper_));
      break;
    default:
      QMessageBox::warning(this, windowTitle(), tr("The sheet could not be printed: %1").arg(fromUtf8(out.error)));
  }
  return out;
}

void DeskWindow::printWithDialog() {
  if (!canPrint()) return;
  QPrinter printer(QPrinter::HighResolution);
  const PageSetup& page = *sheet_->chartSheet.layout().page();
  printer.setPageLayout(placeOnPaper(page, paper_).layout);
  printer.setFullPage(false);
  printer.setDocName(entry_->nameField()->text());
  QPrintDialog dialog(&printer, this);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return;
  // The paper the dialog ended with (the desk's, unless another was chosen
  // there): the sheet scaled to fit it and centred, as on A4.
  const QSizeF chosen = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
  const PaperPlacement placement = placeOnPaper(page, PaperSize{chosen.width(), chosen.height()});
  printer.setPageLayout(placement.layout);
  PictureStore pictures;
  FormRenderer renderer([&pictures](std::string_view name) { return pictures.find(name); });
  QPainter painter;
  if (!painter.begin(&printer)) {
    QMessageBox::warning(this, windowTitle(), tr("The printer %1 cannot be used").arg(printer.printerName()));
    return;
  }
  // The print command's own steps were taken when the sheet was built.
  paintReportPage(painter, printer, sheet_->chartSheet, renderer, placement.scale);
  const bool following = !analysisPage() || paintFollowingPages(painter, printer, {&sheet_->analysisPage}, renderer);
  if (!painter.end() || !following) {
    QMessageBox::warning(this, windowTitle(), tr("The printer %1 cannot be used").arg(printer.printerName()));
    return;
  }
  const QString where = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
  say(tr("Sent to %1").arg(where));
  emit sheetPrinted(request_, where, printer.pageLayout().pageSize().key().toLower());
}

QString DeskWindow::defaultPdfPath() const {
  QString name = entry_->nameField()->text().trimmed();
  if (name.isEmpty()) name = tr("chart");
  // A name is a file name here: no folder separators.
  name.replace(QLatin1Char('/'), QLatin1Char('-'));
  const BirthRecord& b = request_.birth;
  const QString date = QString::fromStdString(thaiDateText(b.day, b.month, b.year)).replace(QLatin1Char('/'), QLatin1Char('-'));
  QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (dir.isEmpty()) dir = QDir::homePath();
  return QDir(dir).filePath(name + QLatin1Char(' ') + date + QStringLiteral(".pdf"));
}

PrintOutcome DeskWindow::savePdfTo(const std::filesystem::path& file) {
  if (!canPrint()) return {PrintResult::Failed, {}, "nothing to save"};
  PrintChoice choice;
  choice.pdf = file;
  const PrintOutcome out = runPrintCommand(choice);
  if (out.result == PrintResult::WrittenToPdf) {
    say(tr("Saved %1").arg(QString::fromStdString(out.pdf.string())));
    emit sheetPrinted(request_, QString::fromStdString(out.pdf.string()), paperText(paper_));
  }
  return out;
}

void DeskWindow::savePdf() {
  if (!canPrint()) return;
  const QString path = defaultPdfPath();
  QDir().mkpath(QFileInfo(path).absolutePath());
  // A name typed without ".pdf" gets it, before the dialog asks about a file
  // already there: a PDF must open as one from the folder it is saved in.
  QFileDialog dialog(this, tr("Save the sheet as PDF"), path, tr("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().constFirst();
  if (file.isEmpty()) return;
  const PrintOutcome out = savePdfTo(file.toStdString());
  if (out.result != PrintResult::WrittenToPdf)
    QMessageBox::warning(this, windowTitle(), tr("The PDF could not be written: %1").arg(fromUtf8(out.error)));
}

QString DeskWindow::writeHandoverTo(const QString& dir) {
  // Only a birth whose sheet is shown goes out: never a stale or half-typed one.
  if (!canPrint()) return entry_->problem().isEmpty() ? tr("nothing to hand over") : entry_->problem();
  const RequestFiles files = writePrintRequest(request_);
  std::string error = files.error;
  if (error.empty()) error = saveRequestFiles(files, dir.toStdString());
  if (!error.empty()) return fromUtf8(error);
  say(tr("Hand-over files written into %1").arg(dir));
  return {};
}

void DeskWindow::writeHandover() {
  if (!canPrint()) return;
  const QString dir = QFileDialog::getExistingDirectory(this, tr("Folder for the hand-over files"));
  if (dir.isEmpty()) return;
  if (const QString error = writeHandoverTo(dir); !error.isEmpty())
    QMessageBox::warning(this, windowTitle(), tr("The hand-over files could not be written: %1").arg(error));
  else if (request_.birth.minute != 0)
    QMessageBox::information(this, windowTitle(),
                             tr("The hand-over files carry the hour only; the engine reads the minute as 00 "
                                "(the chart is the same)."));
}

void DeskWindow::saveClient() {
  if (!canPrint()) return;
  if (!isSignalConnected(QMetaMethod::fromSignal(&DeskWindow::saveClientRequested))) {
    say(tr("No client book is open: write a PDF or the hand-over files instead"));
    return;
  }
  emit saveClientRequested(request());
}

}  // namespace vesprin
