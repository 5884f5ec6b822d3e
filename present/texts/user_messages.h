#pragma once
// The engine's own messages to the person at the machine, in Thai, and the
// user interface that words what the computation says with them.
#include <string>

#include "core/user_interface.h"

namespace vesprin {

// The data-disk prompt: this text followed by the file name.
inline constexpr const char* kInsertDataDisk = "กรุณาใส่แผ่นข้อมูล ";
inline constexpr const char* kCastError = "มีข้อผิดพลาดในการผูกดวง";
inline constexpr const char* kProgramCannotRun = "โปรแกรมไม่สามารถทำงานได้";
// The main window's status text (its panel 2) while the calendar finds and
// loads a data file, and after.
inline constexpr const char* kStatusWait = " Wait...";
inline constexpr const char* kStatusReady = " Ready";

// Every user interface of the engine words the computation's prompts and
// notices the same way, as a confirmation or an error message.
class WordedUserInterface : public UserInterface {
 public:
  bool askForDataDisk(const std::string& fileName, PromptButtons buttons) override {
    return confirm(kInsertDataDisk + fileName, buttons);
  }
  void castError() override { error(kCastError); }
  void calendarState(CalendarState state) override {
    status(state == CalendarState::Searching ? kStatusWait : kStatusReady);
  }
  // The status text of the main window; nowhere to show it by default.
  virtual void status(const std::string& text) { (void)text; }
};

}  // namespace vesprin
