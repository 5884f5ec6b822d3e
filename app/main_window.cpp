#include "app/main_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/print_run.h"
#include "present/texts/user_messages.h"

namespace vesprin {
namespace {

// The client area of the fixed dialog, in pixels.
constexpr int kClientWidth = 124;
constexpr int kClientHeight = 202;
constexpr int kStatusPanelWidth = 50;

QString hintText(const char* text) { return QString::fromUtf8(text).replace(QChar('\r'), QChar('\n')); }

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  setObjectName("TFormHoroscope");
  setWindowTitle(QString::fromUtf8(kApplicationTitle));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  inputCover_ = new QLabel(this);
  inputCover_->setObjectName("PanelCover1");
  inputCover_->setAutoFillBackground(true);
  inputCover_->setPalette(white);
  inputCover_->setFixedHeight(24);
  layout->addWidget(inputCover_);

  cover_ = new QLabel(QString::fromUtf8(kApplicationTitle), this);
  cover_->setObjectName("PanelCover2");
  cover_->setAlignment(Qt::AlignCenter);
  cover_->setAutoFillBackground(true);
  QPalette blueOnWhite = white;
  blueOnWhite.setColor(QPalette::WindowText, Qt::blue);
  cover_->setPalette(blueOnWhite);
  // Tahoma where installed; fontconfig substitutes it otherwise, and Qt takes
  // the Thai glyphs from a Thai font when the substitute has none.
  QFont caption("Tahoma");
  caption.setPixelSize(19);
  caption.setBold(true);
  cover_->setFont(caption);
  layout->addWidget(cover_, 1);

  auto* bar = new QStatusBar(this);
  bar->setObjectName("StatusBarHoroscope");
  bar->setSizeGripEnabled(false);
  credit_ = new QLabel(QString::fromUtf8(kMakerCredit), bar);
  status_ = new QLabel(QString::fromUtf8(kStatusReady), bar);
  status_->setFixedWidth(kStatusPanelWidth);
  bar->addWidget(credit_, 1);
  bar->addPermanentWidget(status_);
  layout->addWidget(bar);

  setPanelHints(hintText(kBirthYearRule), QString::fromUtf8(kMakerCredit));
}

void MainWindow::setStatus(const QString& text) {
  status_->setText(text);
  status_->repaint();  // the cast holds the event loop; show the text now
}

QString MainWindow::status() const { return status_->text(); }

void MainWindow::setPanelHints(const QString& chartPanel, const QString& inputPanel) {
  // The status bar shows the hint of the panel under the mouse; the covers
  // stand where the panels are.
  cover_->setStatusTip(chartPanel);
  cover_->setToolTip(chartPanel);
  inputCover_->setStatusTip(inputPanel);
}

void MainWindow::activatedOnce() {
  if (activated_) return;
  activated_ = true;
  // After the activation has been handled: StartUp may open message boxes
  // and closes the window in the end.
  QMetaObject::invokeMethod(this, &MainWindow::firstActivated, Qt::QueuedConnection);
}

bool MainWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) activatedOnce();
  return QWidget::event(e);
}

void MainWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  activateWindow();
  // A display without a window manager never activates a window: a shown
  // main window counts as active after a moment, so no run waits for focus.
  QTimer::singleShot(500, this, &MainWindow::activatedOnce);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  emit closing();
  QWidget::closeEvent(e);
}

}  // namespace vesprin
