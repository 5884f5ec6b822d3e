// vesprin-cast: casts births read from standard input, one per line
// "DD MM YYYY HH MM G P", and writes one JSON object per line.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cast_json.h"
#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "core/text_file.h"
#include "present/forms.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;
constexpr int kExitSomeRefused = 2;
constexpr int kExitNoIndex = 4;

void usage(std::ostream& out) {
  out << "usage: vesprin-cast [--data-dir DIR] [--today YYYY-MM-DD] < births\n"
         "  each input line: DD MM YYYY HH MM G P  (day, month, Buddhist-Era year, hour 00-23,\n"
         "  minute, gender m/f, pregnancy months 07-10); one JSON object per line on output\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vesprin;
  std::optional<std::string> dataDir;
  std::optional<CivilDate> today;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--data-dir" || a == "--today") && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (a == "--data-dir") {
        dataDir = v;
      } else if (!(today = parseIsoDate(v))) {
        std::cerr << "vesprin-cast: --today \"" << v << "\": expected a date YYYY-MM-DD\n";
        return kExitUsage;
      }
    } else if (a == "--help" || a == "-h") {
      usage(std::cout);
      return kExitOk;
    } else {
      std::cerr << "vesprin-cast: unknown argument \"" << a << "\"\n";
      usage(std::cerr);
      return kExitUsage;
    }
  }
  if (!today) {
    if (const char* env = std::getenv("VESPRIN_TODAY"); env && *env && !parseIsoDate(env)) {
      std::cerr << "vesprin-cast: VESPRIN_TODAY \"" << env << "\": expected a date YYYY-MM-DD\n";
      return kExitUsage;
    }
  }

  std::vector<std::string> dirs = defaultSearchDirs();
  if (dataDir) dirs.back() = *dataDir;
  auto indexLoad = CalendarSession::LoadCalendarIndex(dirs);
  if (!indexLoad.index) {
    std::cerr << "vesprin-cast: " << indexLoad.error << " (" << kProgramCannotRun << ")\n";
    return kExitNoIndex;
  }
  const YearList years = indexLoad.index->yearList();

  SystemClock systemClock;
  std::unique_ptr<Clock> fixedClock;
  if (today) fixedClock = std::make_unique<FixedClock>(*today);
  const Clock& clock = fixedClock ? *fixedClock : static_cast<const Clock&>(systemClock);

  ScriptedUserInterface ui;
  CalendarSession calendar(std::move(*indexLoad.index), dirs, clock, ui);

  bool refused = false;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#')
      continue;
    ui.messages.clear();
    nlohmann::json out;
    const CastRequestParse request = parseCastRequest(line);
    if (!request.fields) {
      out = errorJson(request.error);
    } else if (const int y = std::stoi(request.fields->year);
               years.years.empty() || y < years.years.front() || y > years.years.back()) {
      out = errorJson("year " + request.fields->year + " is outside the calendar's years " +
                      std::to_string(years.years.front()) + "-" +
                      std::to_string(years.years.back()));
    } else {
      // Every line is cast as in a new run: fresh forms, nothing in memory,
      // no cached current year.
      calendar.startFreshRun();
      Forms forms = makeForms();
      writeBirthFields(forms.main, *request.fields);
      CastPipeline pipeline(calendar, forms, ui);
      out = castToJson(pipeline.Cast(), ui.messages);
    }
    refused = refused || out.contains("error");
    std::cout << out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  }
  return refused ? kExitSomeRefused : kExitOk;
}
