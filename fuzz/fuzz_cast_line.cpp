// A whole cast of one input line with the shipped calendar, as vesprin-cast
// does it: any line gives exactly one JSON object, valid JSON and valid
// UTF-8, either a chart or an error.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include <rapidjson/document.h>

#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text.h"

using namespace vesprin;

namespace {

struct Engine {
  FixedClock clock{{2026, 12, 9}};
  ScriptedUserInterface ui;
  std::unique_ptr<CalendarSession> calendar;
  YearList years;
  Engine() {
    auto load = CalendarSession::LoadCalendarIndex({VESPRIN_SOURCE_DATA_DIR});
    if (!load.index) std::abort();
    years = load.index->yearList();
    calendar = std::make_unique<CalendarSession>(std::move(*load.index),
                                                 std::vector<std::string>{VESPRIN_SOURCE_DATA_DIR},
                                                 clock, ui);
    calendar->rememberFoundFiles();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Engine engine;
  const std::string_view line = trimTrailingBlanks({reinterpret_cast<const char*>(data), size});
  if (!isBirthLine(line) || line.find('\n') != std::string_view::npos) return 0;
  std::string json;
  castLineToJson(line, *engine.calendar, engine.ui, engine.years, json);
  rapidjson::Document doc;
  doc.Parse<rapidjson::kParseValidateEncodingFlag>(json.data(), json.size());
  if (doc.HasParseError() || !doc.IsObject()) std::abort();
  if (!doc.HasMember("error") && !doc.HasMember("birthLine")) std::abort();
  return 0;
}
