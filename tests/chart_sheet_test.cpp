// The whole chart sheet after a cast, as a text dump: guards the layout and
// every binding at once. VESPRIN_UPDATE_GOLDEN=1 rewrites the golden file
// after a deliberate change; review its difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/cast_pipeline.h"
#include "app/cast_request.h"
#include "app/scripted_ui.h"
#include "core/calendar_session.h"
#include "core/clock.h"
#include "present/model/form_dump.h"
#include "tests/cast_on.h"

namespace vesprin {
namespace {


void compareWithGolden(const std::string& dump, const std::string& file) {
  const std::string path = std::string(VESPRIN_TEST_DIR) + "/golden/" + file;
  if (const char* update = std::getenv("VESPRIN_UPDATE_GOLDEN"); update && *update == '1') {
    std::ofstream(path, std::ios::binary) << dump;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "cannot open " << path;
  std::stringstream expected;
  expected << in.rdbuf();
  // Line by line, so that a failure names the component that changed.
  std::istringstream want(expected.str()), got(dump);
  std::string w, g;
  int line = 0;
  while (true) {
    const bool hasW = static_cast<bool>(std::getline(want, w));
    const bool hasG = static_cast<bool>(std::getline(got, g));
    ++line;
    if (!hasW && !hasG) break;
    ASSERT_EQ(g, w) << path << " line " << line;
  }
}

TEST(chart_sheet_test, golden_dump_of_a_mans_sheet) {
  Forms forms = makeForms();
  const CastOutcome out =
      castOn(forms, {2026, 12, 9}, "05 03 2530 07 30 m 09", {}, MonthStripStart{Stem(9), Branch(3), "2569", "2026"});
  ASSERT_EQ(out.status, CastOutcome::Status::Cast) << out.error;
  compareWithGolden(dumpForm(forms.chartSheet), "chart_sheet/man_05032530.txt");
  // The analysis page the same cast filled, printed on request as page two.
  compareWithGolden(dumpForm(forms.analysisPage), "analysis_page/man_05032530.txt");
}

TEST(chart_sheet_test, golden_dump_of_a_womans_sheet_after_another_cast) {
  // The second cast into the same forms: what the first left must not show.
  Forms forms = makeForms();
  ASSERT_EQ(castOn(forms, {2026, 12, 9}, "05 03 2530 07 30 m 09").status, CastOutcome::Status::Cast);
  const CastOutcome out = castOn(forms, {2026, 12, 9}, "23 11 2541 00 15 f 08");
  ASSERT_EQ(out.status, CastOutcome::Status::Cast) << out.error;
  compareWithGolden(dumpForm(forms.chartSheet), "chart_sheet/woman_23112541_after_man.txt");
}

}  // namespace
}  // namespace vesprin
