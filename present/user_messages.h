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

// Every user interface of the engine words the computation's prompts and
// notices the same way, as a confirmation or an error message.
class WordedUserInterface : public UserInterface {
 public:
  bool askForDataDisk(const std::string& fileName, PromptButtons buttons) override {
    return confirm(kInsertDataDisk + fileName, buttons);
  }
  void castError() override { error(kCastError); }
};

}  // namespace vesprin
