#pragma once
// A user interface without a display: every message is kept (and, for an
// unattended run, written to standard error), and prompts take their answers
// from a script, giving up when the script is empty.
#include <deque>
#include <iostream>
#include <string>
#include <vector>

#include "present/texts/user_messages.h"

namespace vesprin {

class ScriptedUserInterface : public WordedUserInterface {
 public:
  explicit ScriptedUserInterface(std::ostream* echo = nullptr) : echo_(echo) {}

  void error(const std::string& text) override { say(text); }
  bool confirm(const std::string& text, PromptButtons) override {
    say(text);
    if (answers.empty()) return false;  // unattended: give up at once
    const bool again = answers.front();
    answers.pop_front();
    return again;
  }

  std::vector<std::string> messages;  // every text shown, in order
  std::deque<bool> answers;           // true: OK / Yes (search again); false: give up

 private:
  void say(const std::string& text) {
    messages.push_back(text);
    if (echo_) *echo_ << "message: " << text << '\n';
  }
  std::ostream* echo_;
};

}  // namespace vesprin
