#pragma once
// One birth of vesprin-cast's input: "DD MM YYYY HH MM G P" (day, month
// number, Buddhist-Era year, hour 00-23, minute, gender m/f or ชาย/หญิง,
// pregnancy months 07-10).
#include <optional>
#include <string>
#include <string_view>

#include "app/scripted_ui.h"
#include "core/birth.h"
#include "core/boundary_warning.h"
#include "core/calendar_session.h"

namespace vesprin {

struct CastRequestParse {
  std::optional<Birth> birth;
  std::string error;
};

CastRequestParse parseCastRequest(std::string_view line);

// An input line that holds a birth: neither blank nor a "#" comment.
bool isBirthLine(std::string_view line);

// Casts one birth line as in a fresh run of the engine (nothing in memory, no
// current year cached; files already parsed stay parsed, being read-only)
// through the computing stages alone, and appends its JSON object, without a
// line end, to `json`. False when the object is an error.
// `boundaries`: how close to a festival or an hour edge a birth is warned about.
bool castLineToJson(std::string_view line, CalendarSession& calendar, ScriptedUserInterface& ui,
                    const YearList& years, std::string& json, const BoundaryRule& boundaries = {});

}  // namespace vesprin
