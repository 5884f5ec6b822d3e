#include "app/qt_user_interface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/main_window.h"

namespace vesprin {
namespace {

QString qs(const std::string& s) { return QString::fromStdString(s).replace(QChar('\r'), QChar('\n')); }

}  // namespace

void QtUserInterface::error(const std::string& text) {
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), qs(text),
                  QMessageBox::Ok, &window_);
  box.exec();
  QApplication::restoreOverrideCursor();
}

bool QtUserInterface::confirm(const std::string& text, PromptButtons buttons) {
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), qs(text),
                  QMessageBox::NoButton, &window_);
  QAbstractButton* again = nullptr;
  if (buttons == PromptButtons::YesNo) {
    again = box.addButton(QMessageBox::Yes);
    box.setEscapeButton(box.addButton(QMessageBox::No));
  } else {
    again = box.addButton(QMessageBox::Ok);
    // Closing the message gives up: a hidden escape button, because a box
    // with OK alone would take the closing for OK.
    QPushButton* close = box.addButton(QMessageBox::Cancel);
    close->hide();
    box.setEscapeButton(close);
  }
  box.exec();
  QApplication::restoreOverrideCursor();
  return box.clickedButton() == again;
}

void QtUserInterface::status(const std::string& text) { window_.setStatus(QString::fromStdString(text)); }

void QtUserInterface::busyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busy_;
  } else if (busy_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_;
  }
}

}  // namespace vesprin
