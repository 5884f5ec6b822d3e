#pragma once
// One driven run of the engine, up to the print command: StartUp at the first
// activation of the main window, and within it the print request read from
// the hand-over files. Everything here works on the forms and needs no
// display; the application then runs the print command (or not) and closes
// the main window.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/birth.h"
#include "core/boundary_warning.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "present/model/forms.h"
#include "present/request/drive_map.h"
#include "present/request/handover_files.h"
#include "present/request/print_request.h"

namespace vesprin {

// The hints of the two covered panels, which the status bar shows: the rule
// for births before BE 2484 over the chart panel, the maker's credit line
// over the input panel.
inline constexpr const char* kBirthYearRule =
    "เฉพาะผู้ที่เกิดก่อนปี พ.ศ.2484 ในเดือน ม.ค. , ก.พ. , มี.ค. ให้บวก พ.ศ. เพิ่มอีก 1 ปี\r"
    "เช่น เกิดปี 2480 ให้เลือกเป็นปี 2481";
inline constexpr const char* kMakerCredit = "Vesprin chart print engine";

struct RunOutcome {
  enum class Kind {
    Print,    // the request's chart is cast and bound: run the print command
    Refused,  // nothing to print: no request, a malformed one, or a chart that cannot be cast
    NoIndex,  // the calendar index is missing or unusable
    // The installation cannot serve a sound request: a calendar data file
    // missing or damaged, or no calendar for the current year. The request
    // is kept for a run on the mended installation.
    Installation,
  } kind = Kind::Refused;
  std::string cause;                  // why, when not Print (English, with the Thai message where there is one)
  std::vector<std::string> warnings;  // things to report that do not stop the run
  bool preview = false;               // the record asks for the page preview
  // Print: the birth as the sheet shows it (the name cut to its first 120
  // characters), for the PDF's title and subject (chartDocumentInfo).
  Birth birth;
};

class PrintRun {
 public:
  // `searchDirs`: where the calendar index and data files are looked for
  // after their name (the current directory and the data directory).
  PrintRun(Forms& forms, UserInterface& ui, const Clock& clock, DriveMap drives,
           std::vector<std::string> searchDirs);
  ~PrintRun();

  // Runs once, while LabelCurrentDataCalendar still holds its first caption:
  // margins, calendar index and year list, panel hints, version label, then
  // the print request.
  RunOutcome StartUp();
  // The same start-up serving a request given as a value instead of the
  // hand-over files (a desk that casts in process): the forms end as a
  // driven run of the same request's files leaves them.
  RunOutcome StartUp(const PrintRequest& request);
  // How close to a boundary a birth is warned about, on the sheet and in the
  // outcome's warnings. By default the rule of a birth record, which carries
  // the hour alone; a desk that knows the minute asks for minute precision.
  void setBoundaryRule(const BoundaryRule& rule) { boundaries_ = rule; }

  // The request taken from the hand-over files, at the end of the run: its
  // files deleted or put back where they were found (nothing without one).
  // A text for standard error when that failed.
  std::string EndRequest(RequestEnd end);

 private:
  RunOutcome StartUpThen(const std::function<RunOutcome()>& serve);
  RunOutcome ApplyPrintRequest();
  // The marks onto the chart sheet, the warm-up cast, then the request's own
  // cast. `recordLines`: the record file as it came, for the memo.
  RunOutcome ServeRequest(const PrintRequest& request, std::vector<std::string> recordLines = {});

  Forms& forms_;
  UserInterface& ui_;
  const Clock& clock_;
  DriveMap drives_;
  std::vector<std::string> searchDirs_;
  std::unique_ptr<CalendarSession> calendar_;
  std::unique_ptr<ClaimedRequest> claim_;
  YearList years_;
  BoundaryRule boundaries_{BoundaryRule::Precision::DoubleHour};
};

// What the print command put on paper, as text: the chart sheet's dump, then
// the main window's input fields and preview choice. Written where
// $VESPRIN_SHEET_DUMP names, for checks of whole runs.
std::string printedStateDump(const Forms& forms);

// The warm-up cast's inputs and the birth of the request, for messages:
// "05/03/2530 07 h".
std::string birthText(const Birth& birth);

}  // namespace vesprin
