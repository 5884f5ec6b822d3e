#include "app/qt_user_interface.h"

#include <cerrno>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>
#include <iostream>

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

// Each line headed by the program's name, like every other line it writes.
void UnattendedUserInterface::error(const std::string& text) {
  std::cerr << program_invocation_short_name << ": message: " << text << '\n';
}

bool UnattendedUserInterface::confirm(const std::string& text, PromptButtons) {
  std::cerr << program_invocation_short_name << ": message: " << text << " (no one to answer: given up)\n";
  return false;
}

std::string platformChoice(const char* qpa, const char* display, const char* wayland) {
  const auto set = [](const char* v) { return v && *v; };
  if (set(qpa)) return {};
  if (set(wayland)) return "wayland;xcb;offscreen";
  if (set(display)) return "xcb;offscreen";
  return "offscreen";
}

void choosePlatform() {
  const std::string platform = platformChoice(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                              std::getenv("WAYLAND_DISPLAY"));
  if (!platform.empty()) ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

bool isUnattendedPlatform(std::string_view name) { return name == "offscreen" || name == "minimal"; }

bool runsUnattended() { return isUnattendedPlatform(QGuiApplication::platformName().toStdString()); }

}  // namespace vesprin
