#pragma once
// The cast: the stages in their fixed order. Every stage computes into the
// ChartResult first; only a birth that could be computed to the end is bound
// to the forms, so a refused birth never leaves a half-updated chart sheet.
#include <string>
#include <string_view>
#include <vector>

#include "app/chart_result.h"
#include "core/calendar_session.h"
#include "core/user_interface.h"
#include "present/model/forms.h"

namespace vesprin {

struct CastOutcome {
  enum class Status {
    Cast,         // computed and bound
    GaveUp,       // the data file of the birth year was not found and the prompt given up
    NoBirthLine,  // the loaded file has no line for this birth (or would need one beyond it)
    Unusable,     // the data file found cannot be read as a calendar
    // The natal chart is sound, but the festival distance or the Chinese age
    // cannot be known from the calendar: nothing is bound, since a sheet with
    // a wrong start age or a wrong age must not be printed.
    CyclesUnknown,
  } status = Status::GaveUp;
  ChartResult result;
  std::string error;     // the reason, in English, when status is not Cast
  std::string dataFile;  // the path of the calendar file read, once it is loaded
};

inline constexpr const char* kNoCalendarLine = "no calendar line for this birth";

// The computing half of a cast, without any form: normalise the birth (2),
// the current year's pillar and the data file of the birth year (3), then
// stages 4 to 14 and the computing half of 17 into the outcome's ChartResult.
// Messages and the data-disk prompt go through `ui`, in stage order.
// `strip`: the birth record's month strip; none when there is no record.
// `boundaries`: how close to a festival or an hour edge a birth is warned about.
CastOutcome CastChart(CalendarSession& calendar, UserInterface& ui, const Birth& birth,
                      const std::optional<MonthStripStart>& strip = std::nullopt,
                      const BoundaryRule& boundaries = {});

// The binding half: writes an outcome of CastChart into the forms as the cast
// leaves them (the normalised fields of a given-up birth, the current year,
// the loaded file, the chart and the closing stages of a chart that was cast,
// the entered values shown again). Stage 1, emptying the analysis text, comes
// before CastChart. `analysisNote`: the request's analysis note, which the
// chart sheet shows in place of the special-chart caption; empty for none.
void BindCast(Forms& forms, const CastOutcome& outcome, std::string_view analysisNote = {});

class CastPipeline {
 public:
  CastPipeline(CalendarSession& calendar, Forms& forms, UserInterface& ui,
               BoundaryRule boundaries = {})
      : calendar_(calendar), forms_(forms), ui_(ui), boundaries_(boundaries) {}

  // Casts the birth: CastChart, then BindCast, which shows the birth in the
  // main window's input fields.
  CastOutcome Cast(const Birth& birth, const std::optional<MonthStripStart>& strip = std::nullopt);
  // The request's analysis note, bound with every cast from here on (BindCast).
  void setAnalysisNote(std::string note) { analysisNote_ = std::move(note); }

 private:
  CalendarSession& calendar_;
  Forms& forms_;
  UserInterface& ui_;
  BoundaryRule boundaries_;
  std::string analysisNote_;
};

// Stages 4 to 15 (and the computing half of 17) over the loaded calendar: the
// chart in `r`, whose input, today and current year are already set. Touches no form.
struct ComputeOutcome {
  CastOutcome::Status status;
  std::string error;
};
ComputeOutcome ComputeChart(ChartResult& r, const CalendarFile& file,
                            const std::optional<MonthStripStart>& strip,
                            const BoundaryRule& boundaries = {});

// Writes a fully computed chart into the forms, in stage order (5 to 15);
// `analysisNote` as for BindCast.
void BindChart(Forms& forms, const ChartResult& r, std::string_view analysisNote);
// Stage 17: the birth-year code and the element-group power summary.
void BindClosing(Forms& forms, const ChartResult& r);

// The main window's input fields show the birth as entered. Nothing reads
// them back: a cast takes its birth as a value.
void showBirth(Form& main, const Birth& birth);

}  // namespace vesprin
