#pragma once
// The messages of a cast as the platform's modal message boxes, the status
// text in the main window's status bar and the hourglass cursor. An
// unattended run (no display, or QT_QPA_PLATFORM=offscreen) uses the
// standard-error interface instead, so no run ever waits for a person who is
// not there.
#include <memory>

#include "core/user_interface.h"

namespace vesprin {

class MainWindow;

class QtUserInterface : public UserInterface {
 public:
  explicit QtUserInterface(MainWindow& window) : window_(window) {}
  void error(const std::string& text) override;
  bool confirm(const std::string& text, PromptButtons buttons) override;
  void status(const std::string& text) override;
  void busyCursor(bool busy) override;

 private:
  MainWindow& window_;
  int busy_ = 0;
};

// Each message is written to standard error as "message: TEXT"; prompts give
// up at once; status and cursor still show in the (invisible) window.
class UnattendedUserInterface : public UserInterface {
 public:
  explicit UnattendedUserInterface(MainWindow* window) : window_(window) {}
  void error(const std::string& text) override;
  bool confirm(const std::string& text, PromptButtons buttons) override;
  void status(const std::string& text) override;

 private:
  MainWindow* window_;
};

// True when no person can answer a message box: QT_QPA_PLATFORM is
// "offscreen" or "minimal", or there is neither an X nor a Wayland display.
bool runsUnattended();

// The interface for this run.
std::unique_ptr<UserInterface> makeUserInterface(MainWindow& window);

}  // namespace vesprin
