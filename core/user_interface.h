#pragma once
// Everything a cast says to the person at the machine goes through this one
// interface: modal messages, the data-disk prompt, the status text and the
// busy cursor. The application answers with message boxes, an unattended run
// writes the messages to standard error and gives up at prompts, and tests
// script the answers. The computation says what happened (askForDataDisk,
// castError, calendarState); the words are the presentation's
// (present/texts/user_messages.h).
#include <string>

namespace vesprin {

enum class PromptButtons { Ok, YesNo };

// What the calendar is doing, for the main window's status text.
enum class CalendarState {
  Searching,  // finding and loading a data file
  Ready,
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A modal error message with an OK button.
  virtual void error(const std::string& text) = 0;
  // A modal confirmation; true to try again (OK or Yes), false to give up
  // (No, or the message closed).
  virtual bool confirm(const std::string& text, PromptButtons buttons) = 0;
  // The data file `fileName` cannot be found: ask for the disk that holds
  // it. True to search again, false to give up.
  virtual bool askForDataDisk(const std::string& fileName, PromptButtons buttons) = 0;
  // The calendar cannot serve the cast what it needs (the current year's
  // pillar); the cast goes on without it.
  virtual void castError() = 0;
  // The calendar starts or ends finding and loading a data file.
  virtual void calendarState(CalendarState state) { (void)state; }
  virtual void busyCursor(bool busy) { (void)busy; }
};

}  // namespace vesprin
