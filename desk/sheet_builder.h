#pragma once
// The chart sheet of a request, built as the engine builds it: fresh forms,
// the start-up serving the request as a value, and the print command's own
// preparation of the sheet. What the desk shows is these forms, and what it
// prints is the same forms, so the two cannot differ.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cast_pipeline.h"
#include "app/print_run.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "present/model/forms.h"
#include "present/request/drive_map.h"
#include "present/request/print_request.h"

namespace vesprin {

struct BuiltSheet {
  std::unique_ptr<Forms> forms;  // none when the request was refused
  RunOutcome outcome;
  std::vector<std::string> messages;  // what the casts said (the invalid-date notice, ...)
};

class SheetBuilder {
 public:
  // `searchDirs`: where the calendar index and data files are found;
  // `pictureRoots`: the drive roots the balance panel's pictures are taken
  // from (on the desk, the data directory's pictures).
  SheetBuilder(std::vector<std::string> searchDirs, const Clock& clock, DriveMap pictureRoots);

  // Empty years and the reason when the calendar index cannot be read.
  const YearList& years() const { return years_; }
  const std::string& indexError() const { return indexError_; }
  const Clock& clock() const { return clock_; }

  // The birth cast alone, for the decorations it computes (the element
  // powers, the natal pillars). The calendar stays loaded between calls and
  // the last birth's cast is kept, so a change of decorations casts nothing.
  const CastOutcome* castOf(const BirthRecord& record);

  // Fresh forms serving the request, then the sheet as the print command
  // prepares it.
  BuiltSheet build(const PrintRequest& request) const;

  // How close to a festival or an hour edge a birth is warned about, beside
  // the form and on the sheet. The desk knows the minute: minute precision.
  const BoundaryRule& boundaryRule() const { return boundaries_; }
  void setBoundaryRule(const BoundaryRule& rule);

 private:
  std::vector<std::string> searchDirs_;
  const Clock& clock_;
  DriveMap pictureRoots_;
  YearList years_;
  std::string indexError_;
  ScriptedUserInterface ui_;
  std::unique_ptr<CalendarSession> calendar_;
  std::optional<Birth> castBirth_;
  CastOutcome cast_;
  BoundaryRule boundaries_;
};

}  // namespace vesprin
