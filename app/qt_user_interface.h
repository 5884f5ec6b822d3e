#pragma once
// The messages of a cast as the platform's modal message boxes, the status
// text in the main window's status bar and the hourglass cursor. An
// unattended run (no display, or QT_QPA_PLATFORM=offscreen) uses the
// standard-error interface instead, so no run ever waits for a person who is
// not there.
#include <string>
#include <string_view>

#include "present/texts/user_messages.h"

namespace vesprin {

// The program's title: its windows' and its message boxes'.
inline constexpr const char* kApplicationTitle = "พิมพ์ดวงจีน";

class MainWindow;

class QtUserInterface : public WordedUserInterface {
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
// up at once. There is no window, so no status text and no cursor.
class UnattendedUserInterface : public WordedUserInterface {
 public:
  void error(const std::string& text) override;
  bool confirm(const std::string& text, PromptButtons buttons) override;
};

// The platform to ask Qt for, before the application object exists, given
// QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY (null when not set): empty to
// leave the choice as it is; "offscreen" without any display; otherwise the
// display's platform with "offscreen" after it, so that a display that
// cannot be reached makes the run unattended instead of ending it.
std::string platformChoice(const char* qpa, const char* display, const char* wayland);
// Sets QT_QPA_PLATFORM from the environment as platformChoice says.
void choosePlatform();

// True when no person can answer a message box: the platform in use is
// "offscreen" or "minimal". Asked once the application object exists.
bool isUnattendedPlatform(std::string_view platformName);
bool runsUnattended();

}  // namespace vesprin
