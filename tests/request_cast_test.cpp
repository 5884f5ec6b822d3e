// A birth handed over in the two request files, read back and cast straight
// from the request value, with no form in between, gives the chart the engine
// gave before births were typed. The births are the golden ones of
// vesprin-cast; each folder's request_expected.jsonl is what vesprin-cast
// wrote for them, before that change, with the minute set to 00: the record
// carries the hour alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cast_json.h"
#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/text.h"
#include "present/request/print_request.h"

namespace vesprin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The line as a birth record would carry it: the minute field 00.
std::string withoutMinute(std::string_view line) {
  std::vector<std::string> fields;
  std::istringstream words{std::string(line)};
  for (std::string w; words >> w;) fields.push_back(w);
  if (fields.size() != 7) return std::string(line);
  fields[4] = "00";
  std::string out;
  for (const std::string& f : fields) out += (out.empty() ? "" : " ") + f;
  return out;
}

struct Case {
  const char* folder;
  std::string dataDir;
  CivilDate today;
};

TEST(request_cast_test, golden_births_through_the_request_files_cast_as_before) {
  const std::string fixture = std::string(VESPRIN_TEST_DIR) + "/fixtures/cal1987";
  const Case cases[] = {
      {"cast_fixture", fixture, {2530, 6, 1}},  // a system date counted in the Buddhist Era
      {"cast_fixture_no_current_year", fixture, {2026, 12, 9}},
      {"cast_shipped", VESPRIN_SOURCE_DATA_DIR, {2026, 12, 9}},
  };
  int cast = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const fs::path folder = fs::path(VESPRIN_TEST_DIR) / "golden" / c.folder;
    auto index = CalendarSession::LoadCalendarIndex({c.dataDir}, c.dataDir);
    ASSERT_TRUE(index.index) << index.error;
    const YearList years = index.index->yearList();
    FixedClock clock(c.today);
    ScriptedUserInterface ui;
    CalendarSession calendar(std::move(*index.index), {c.dataDir}, clock, ui);
    calendar.lookFirstIn(c.dataDir);

    const std::vector<std::string> expected = linesOf(folder / "request_expected.jsonl");
    std::size_t next = 0;
    for (const std::string& raw : linesOf(folder / "births.txt")) {
      const std::string_view text = trimTrailingBlanks(raw);
      if (!isBirthLine(text)) continue;
      ASSERT_LT(next, expected.size());
      const std::string& want = expected[next++];
      const std::string line = withoutMinute(text);
      SCOPED_TRACE(line);
      const CastRequestParse parsed = parseCastRequest(line);
      if (!parsed.birth) {
        EXPECT_EQ(want.rfind("{\"error\":", 0), 0u) << want;
        continue;
      }
      // The companion writes the request; the engine reads its files back.
      const Birth& b = *parsed.birth;
      PrintRequest request;
      request.birth = recordOf(b);
      const RequestLines files = requestLines(request);
      ASSERT_EQ(files.error, "");
      const auto record = parseBirthRecord(files.record, kRecordFileName, years);
      if (!record.value) {
        ASSERT_TRUE(record.error);
        if (!birthDateExists(b.date.day, b.date.month, b.date.year)) {
          // vesprin-cast casts the month's last day with a notice; a request
          // for a day that does not exist is refused instead.
          EXPECT_EQ(record.error->line, 1u) << record.error->message();
        } else {
          // A year the calendar does not offer: vesprin-cast refuses it too.
          EXPECT_EQ(want.rfind("{\"error\":", 0), 0u) << want;
        }
        continue;
      }
      calendar.startFreshRun();
      ui.messages.clear();
      const CastOutcome outcome = CastChart(calendar, ui, birthOf(*record.value), record.value->strip);
      std::string json;
      appendCastJson(json, outcome, ui.messages);
      EXPECT_EQ(json, want);
      ++cast;
    }
    EXPECT_EQ(next, expected.size());
  }
  EXPECT_GE(cast, 15);  // most golden births are charts, not refusals
}

}  // namespace
}  // namespace vesprin
