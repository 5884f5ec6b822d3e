#pragma once
// The main window as the user sees it: a small fixed dialog with the cover
// caption and a two-panel status bar. Its input fields and chart panel are
// state in the forms (they lie under the covers); what is shown is the
// caption, the status text and the cursor.
#include <QLabel>
#include <QWidget>

#include "app/qt_user_interface.h"  // kApplicationTitle

namespace vesprin {

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // Status panel 2.
  void setStatus(const QString& text);
  QString status() const;
  // The hints the status bar shows over the two covered panels.
  void setPanelHints(const QString& chartPanel, const QString& inputPanel);

 signals:
  // The first time the window becomes active; StartUp runs from here.
  void firstActivated();
  // The window is closing; the settings are written from here.
  void closing();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  QLabel* cover_ = nullptr;      // PanelCover2 with the caption
  QLabel* inputCover_ = nullptr;  // PanelCover1
  QLabel* credit_ = nullptr;     // status panel 1
  QLabel* status_ = nullptr;     // status panel 2
  bool activated_ = false;
  void activatedOnce();
};

}  // namespace vesprin
