#pragma once
// A cast into given forms on the committed calendar data, as a run of the
// engine would make it on `today`.
#include <gtest/gtest.h>

#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"

namespace vesprin {

// `name`: the person's name, none when empty. `strip`: a birth record's month strip.
inline CastOutcome castOn(Forms& forms, CivilDate today, const char* birth, const std::string& name = {},
                          const std::optional<MonthStripStart>& strip = std::nullopt) {
  static const std::vector<std::string> dirs{VESPRIN_SOURCE_DATA_DIR};
  auto index = CalendarSession::LoadCalendarIndex(dirs);
  EXPECT_TRUE(index.index) << index.error;
  FixedClock clock(today);
  ScriptedUserInterface ui;
  CalendarSession calendar(std::move(*index.index), dirs, clock, ui);
  Birth b = *parseCastRequest(birth).birth;
  b.name = name;
  return CastPipeline(calendar, forms, ui).Cast(b, strip);
}

}  // namespace vesprin
